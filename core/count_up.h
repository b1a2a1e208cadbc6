// Count-ups: amounts that flow into a counter over time, one after another.
#pragma once

#include <cstdint>

// Queues a transfer of `amount` into `target` over `duration` ms; it starts
// when the transfers already queued have finished.
void StartCountUp(int64_t* target, int64_t amount, int64_t duration);

// Advances the running transfer once; writes the sum still to come into
// `display` (when any transfer is queued) and returns 1 while any runs.
int64_t StepCountUps(int64_t* display);
