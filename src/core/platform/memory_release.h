#pragma once
// Memory the program has freed, given back to the system.
//
// The C library keeps freed blocks in its heap for the next allocations and
// gives back only what collects at the heap's end. After a large text was
// read and converted a piece at a time, the pieces (and the toolkit's own
// copies of them) left between 1 and 6 MiB that nothing used any more,
// differing from one run to the next. Called once such work is done; true
// when anything went back. Does nothing where the C library cannot.

namespace kelmio {

bool ReturnFreedMemory();

}  // namespace kelmio
