#include "platform/memory_release.h"

#include <cstdlib>  // names the C library (__GLIBC__)

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace kelmio {

bool ReturnFreedMemory() {
#ifdef __GLIBC__
    return malloc_trim(0) == 1;
#else
    return false;
#endif
}

}  // namespace kelmio
