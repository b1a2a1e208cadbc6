// Sparkles and glitter: short-lived sprites that move, grow, change colour
// and turn, advanced and drawn once per frame by the main loop.
#pragma once

#include <cstdint>

// Adds one particle unless life <= 0 or `limit` particles are alive; returns
// the number alive afterwards, or 0 when nothing was added.
float AddParticle(float life, int64_t limit, int64_t spriteStart, int64_t spriteEnd, float x, float y,
                  float vx, float vy, float speedFactor, float sizeStart, float sizeEnd, int64_t redStart,
                  int64_t greenStart, int64_t blueStart, int64_t redEnd, int64_t greenEnd, int64_t blueEnd,
                  float turnStart, float turnEnd, int64_t alpha);

// Ages, moves and turns every particle by `dt` seconds; removes the dead and
// those that left the screen.
void UpdateParticles(float dt);

// Draws every particle with the particle blending, then restores (6, 7).
void DrawParticles();

// Turns (x, y) by `angle` radians in place.
void RotateVector(float& x, float& y, float angle);

// low + (high - low) x R / 10000 with R from the fast source in 0..10001.
float RandomBetween(float low, float high);

// Uniform whole number between low and high inclusive (either order), fast source.
int64_t RandomIntBetween(int64_t low, int64_t high);

// One sparkle on a scatter of a stopped reel while others still spin.
void SpawnScatterSparkle(int64_t cellX, int64_t reelY, int64_t offset);
