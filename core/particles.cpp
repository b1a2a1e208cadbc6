#include "core/particles.h"

#include <algorithm>
#include <cmath>

#include "assets/catalogue_numbers.h"
#include "core/game_state.h"
#include "platform/platform.h"

float AddParticle(float life, int64_t limit, int64_t spriteStart, int64_t spriteEnd, float x, float y,
                  float vx, float vy, float speedFactor, float sizeStart, float sizeEnd, int64_t redStart,
                  int64_t greenStart, int64_t blueStart, int64_t redEnd, int64_t greenEnd, int64_t blueEnd,
                  float turnStart, float turnEnd, int64_t alpha) {
    if (life <= 0 || Game.ParticleCount >= limit) return 0;
    // Rates are fixed at creation, so every value reaches its end exactly
    // when the life runs out and the update is only additions.
    const float perSecond = 1.0f / life;
    Particle p;
    p.life = life;
    p.sprite = static_cast<float>(spriteStart);
    p.spriteRate = static_cast<float>(spriteEnd - spriteStart) * perSecond;
    p.x = x;
    p.y = y;
    p.vx = vx;
    p.vy = vy;
    p.speedFactor = speedFactor;
    p.size = sizeStart;
    p.sizeRate = (sizeEnd - sizeStart) * perSecond;
    p.red = static_cast<float>(redStart);
    p.green = static_cast<float>(greenStart);
    p.blue = static_cast<float>(blueStart);
    p.redRate = static_cast<float>(redEnd - redStart) * perSecond;
    p.greenRate = static_cast<float>(greenEnd - greenStart) * perSecond;
    p.blueRate = static_cast<float>(blueEnd - blueStart) * perSecond;
    p.turnRate = (turnEnd - turnStart) * perSecond;
    p.alpha = static_cast<float>(alpha);
    Game.Particles.push_back(p);
    Game.ParticleCount += 1;
    return static_cast<float>(Game.ParticleCount);
}

void UpdateParticles(float dt) {
    auto& list = Game.Particles;
    size_t keep = 0;
    for (size_t i = 0; i < list.size(); ++i) {
        Particle p = list[i];
        p.life -= dt;
        // The bounds test looks at the position before this frame's move.
        const bool dead = p.life <= 0;
        const bool gone = p.x < 0 || p.x > static_cast<float>(Game.ScreenWidth) || p.y < 0 ||
                          p.y > static_cast<float>(Game.ScreenHeight);
        if (dead || gone) {
            if (Game.ParticleCount > 0) Game.ParticleCount -= 1;
            continue;
        }
        p.x += p.vx * dt;
        p.y += p.vy * dt;
        if (p.speedFactor > 1) {
            const double grow = std::pow(static_cast<double>(p.speedFactor), static_cast<double>(dt));
            p.vx = static_cast<float>(p.vx * grow);
            p.vy = static_cast<float>(p.vy * grow);
        }
        p.sprite += p.spriteRate * dt;
        p.size += p.sizeRate * dt;
        p.red += p.redRate * dt;
        p.green += p.greenRate * dt;
        p.blue += p.blueRate * dt;
        RotateVector(p.vx, p.vy, p.turnRate * dt);
        list[keep++] = p;
    }
    list.resize(keep);
}

void DrawParticles() {
    platform::SetSpriteBlending(static_cast<int>(Game.ParticleBlendSource),
                                static_cast<int>(Game.ParticleBlendDest));
    auto channel = [](float value) {
        return static_cast<uint32_t>(std::clamp(std::lround(value), 0L, 255L));
    };
    for (const Particle& p : Game.Particles) {
        const int size = static_cast<int>(std::lround(p.size));
        platform::DrawOptions options;
        options.width = size;
        options.height = size;
        options.intensity = static_cast<int>(std::lround(p.alpha));
        options.tint = (channel(p.red) << 16) | (channel(p.green) << 8) | channel(p.blue);
        platform::DrawSprite(static_cast<int>(std::lround(p.sprite)), static_cast<int>(std::lround(p.x)),
                             static_cast<int>(std::lround(p.y)), options);
    }
    platform::SetSpriteBlending(6, 7);
}

void RotateVector(float& x, float& y, float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    const float oldX = x, oldY = y;
    x = c * oldX - s * oldY;
    y = s * oldX + c * oldY;
}

float RandomBetween(float low, float high) {
    const float r = static_cast<float>(platform::Random(10001));
    return low + (high - low) * r / 10000.0f;
}

int64_t RandomIntBetween(int64_t low, int64_t high) { return platform::RandomRange(low, high); }

void SpawnScatterSparkle(int64_t cellX, int64_t reelY, int64_t offset) {
    Game.ParticleBlendSource = 6;
    Game.ParticleBlendDest = 1;
    const float cx = static_cast<float>(cellX);
    const float top = static_cast<float>(reelY + offset);
    // The draws happen in this order, whatever order the arguments take.
    const float sizeEnd = RandomBetween(0, 20);
    const float sizeStart = RandomBetween(0, 1);
    const float vy = RandomBetween(-10, 10);
    const float vx = RandomBetween(-10, 10);
    const float y = RandomBetween(top + 70, top + static_cast<float>(Game.CellHeight)) - 50;
    const float x = RandomBetween(cx + 30, cx + static_cast<float>(Game.CellWidth) - 30);
    const float life = RandomBetween(0.3f, 1.0f);
    AddParticle(life, 100, SpriteSparkle, SpriteSparkle, x, y, vx, vy, 2.0f, sizeStart, sizeEnd, 131, 209,
                212, 131, 209, 212, 10, 10, 255);
}
