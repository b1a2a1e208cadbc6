#include "core/particles.h"

#include <cmath>

#include "platform/platform.h"
#include "tests/support/test_game.h"

using ParticlesTest = GameTest;

namespace {
float Add(float life, int64_t limit, float x, float speedFactor = 0) {
    return AddParticle(life, limit, 74, 74, x, 100, 10, 0, speedFactor, 4, 8, 0, 0, 0, 200, 100, 50, 0, 0,
                       255);
}
}  // namespace

TEST_F(ParticlesTest, NothingIsAddedWithoutLifeOrAboveTheLimit) {
    EXPECT_EQ(Add(0, 100, 10), 0);
    EXPECT_EQ(Add(-1, 100, 10), 0);
    EXPECT_EQ(Add(1, 1, 10), 1);
    EXPECT_EQ(Add(1, 1, 10), 0);
    EXPECT_EQ(Game.ParticleCount, 1);
}

TEST_F(ParticlesTest, ValuesReachTheirEndExactlyWhenTheLifeRunsOut) {
    Add(2, 10, 100);
    for (int i = 0; i < 19; ++i) UpdateParticles(0.1f);
    ASSERT_EQ(Game.Particles.size(), 1u);
    const Particle& p = Game.Particles[0];
    EXPECT_NEAR(p.size, 8 - 0.2f, 1e-3);
    EXPECT_NEAR(p.red, 200 - 10, 1e-2);
    EXPECT_NEAR(p.x, 100 + 1.9f * 10, 1e-3);
    UpdateParticles(0.1f);
    UpdateParticles(0.1f);
    EXPECT_TRUE(Game.Particles.empty());
    EXPECT_EQ(Game.ParticleCount, 0);
}

TEST_F(ParticlesTest, SpeedFactorTwoDoublesTheSpeedEverySecondAndOneKeepsIt) {
    Add(10, 10, 100, 2.0f);
    Add(10, 10, 100, 1.0f);
    for (int i = 0; i < 10; ++i) UpdateParticles(0.1f);
    EXPECT_NEAR(Game.Particles[0].vx, 20, 1e-3);
    EXPECT_NEAR(Game.Particles[1].vx, 10, 1e-6);
}

TEST_F(ParticlesTest, TheRightBorderKeepsAParticleAndOnePixelBeyondRemovesIt) {
    Add(1, 10, 1280);
    Add(1, 10, 1281);
    UpdateParticles(0.01f);
    ASSERT_EQ(Game.Particles.size(), 1u);
    EXPECT_GT(Game.Particles[0].x, 1280);  // it moved on; the test used the old position
    EXPECT_EQ(Game.ParticleCount, 1);
}

TEST_F(ParticlesTest, RotateVectorTurnsFromTheOldValues) {
    float x = 1, y = 0;
    RotateVector(x, y, static_cast<float>(M_PI / 2));
    EXPECT_NEAR(x, 0, 1e-6);
    EXPECT_NEAR(y, 1, 1e-6);
}

TEST_F(ParticlesTest, RandomBetweenCanOvershootByOneTenThousandth) {
    platform::RandomSeed(5);
    float lowest = 1e9f, highest = -1e9f;
    for (int i = 0; i < 200000; ++i) {
        const float v = RandomBetween(0, 10000);
        lowest = std::min(lowest, v);
        highest = std::max(highest, v);
    }
    EXPECT_EQ(lowest, 0);
    EXPECT_EQ(highest, 10001);
}

TEST_F(ParticlesTest, AScatterSparkleLeavesTheBlendingAtSixAndOne) {
    Game.ParticleBlendSource = 3;
    Game.ParticleBlendDest = 4;
    SpawnScatterSparkle(118, 145, 0);
    EXPECT_EQ(Game.ParticleBlendSource, 6);
    EXPECT_EQ(Game.ParticleBlendDest, 1);
    ASSERT_EQ(Game.Particles.size(), 1u);
    const Particle& p = Game.Particles[0];
    EXPECT_GE(p.x, 148);
    EXPECT_LE(p.x, 288.1f);
    EXPECT_GE(p.life, 0.3f);
    EXPECT_EQ(p.turnRate, 0);
}
