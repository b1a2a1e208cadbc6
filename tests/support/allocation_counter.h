// Counts the heap allocations of this test program, so that a test can check
// that steady frames allocate nothing.
#pragma once

#include <cstdint>

// Allocations (operator new calls) since the program started.
uint64_t AllocationCount();
