#pragma once
// Large blocks of memory go back to the system as soon as they are freed.
//
// The C library maps each large block on its own and unmaps it when it is
// freed, but once such a block has been freed it raises the size it maps
// from to that block's (up to 32 MiB) and keeps later blocks below it in its
// heap, where freed memory goes back only when more than twice as much
// collects at the heap's end. Reading a large text, converted a piece at a
// time, then left between 1 and 6 MiB that nothing used any more, differing
// from one run to the next. A fixed size keeps the library from moving it.
// Called once, early; does nothing where the C library has no such setting.

namespace kelmio {

inline constexpr int kSmallestMappedBlock = 512 * 1024;

void ReleaseLargeBlocksWhenFreed();

}  // namespace kelmio
