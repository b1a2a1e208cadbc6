#include "slot/cell_effects.h"

#include "assets/catalogue_numbers.h"
#include "core/particles.h"
#include "core/reel_window.h"

void AddCellAnimation(std::vector<SpriteAnimation>& list, int64_t sprite, int64_t cell, int64_t frameCount,
                      int64_t columns) {
    SpriteAnimation animation;
    animation.sprite = sprite;
    animation.x = CellX(cell);
    animation.y = CellY(cell);
    animation.startTime = Game.FrameTime;
    animation.frameDuration = 40;
    animation.frameCount = frameCount;
    animation.columns = columns;
    animation.frameWidth = Game.CellWidth;
    animation.frameHeight = Game.CellHeight;
    list.push_back(animation);
}

void SpawnCellSparkle(int64_t cell, int64_t limit, int64_t n, int64_t red, int64_t green, int64_t blue) {
    Game.ParticleBlendSource = 6;
    Game.ParticleBlendDest = 1;
    const float x = static_cast<float>(CellX(cell));
    const float y = static_cast<float>(CellY(cell));
    const float width = static_cast<float>(Game.CellWidth);
    const float height = static_cast<float>(Game.CellHeight);
    for (int64_t k = 0; k <= n; ++k) {
        // A full particle budget drops the request without drawing random numbers.
        if (Game.ParticleCount >= limit) return;
        const float life = RandomBetween(1, 3);
        const float px = RandomBetween(x + 20, x + width - 20);
        const float py = RandomBetween(y + 10, y + height - 20);
        // Slow drift, a small glint that grows, fading to black: with the
        // additive particle blending that is a fade-out within the life.
        const float vx = RandomBetween(-20, 20);
        const float vy = RandomBetween(-20, 20);
        const float sizeStart = RandomBetween(0, 1);
        const float sizeEnd = RandomBetween(0, 20);
        const float turnEnd = RandomBetween(0, 1);
        AddParticle(life, limit, SpriteSparkle, SpriteSparkle, px, py, vx, vy, 0, sizeStart, sizeEnd, red,
                    green, blue, 0, 0, 0, 0, turnEnd, 255);
    }
}
