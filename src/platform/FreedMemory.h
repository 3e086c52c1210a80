// How much freed memory the programs keep for reuse.
#pragma once

namespace vennart::platform {

// Keeps up to 512 MB of freed memory, the heap of a folder of some 200,000 songs, for the next
// allocations instead of handing it back to the system. The C library gives back the free top of its
// heap once 128 KB of it are free: at every rescan, and after every folder of a tree, the tag objects
// of the next folder then fault the same memory in again page by page, which cost a fifth of the
// time of reading a folder. Memory stays at what the largest folder needs. Call once, at the start of
// a program.
void KeepFreedMemory();

} // namespace vennart::platform
