#include "platform/memory_release.h"

#include <cstdlib>  // names the C library (__GLIBC__)

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace kelmio {

void ReleaseLargeBlocksWhenFreed() {
#ifdef __GLIBC__
    // A size set also stops the library raising the heap's trim threshold.
    mallopt(M_MMAP_THRESHOLD, kSmallestMappedBlock);
#endif
}

}  // namespace kelmio
