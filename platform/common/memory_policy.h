// How the process's heap treats large blocks, set once at start-up by each backend.
#pragma once

namespace platform {

// Every block of 256 KiB or more (pictures being decoded, textures, clips)
// gets pages of its own that go back to the system when it is freed. By
// default the C library raises that limit after the first large block is
// freed and keeps later ones in its heaps, where a picture freed on one
// thread is never reused by another: resident memory would stay at its peak.
void ReturnLargeBlocksToTheSystem();

}  // namespace platform
