#include "platform/memory_release.h"

#include <gtest/gtest.h>

#include <cstdlib>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace kelmio {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kOwnAllocator = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kOwnAllocator = true;
#else
constexpr bool kOwnAllocator = false;
#endif
#else
constexpr bool kOwnAllocator = false;
#endif

// Through pointers the compiler cannot see through, so that it leaves no
// allocation out.
void* (*volatile Allocate)(std::size_t) = std::malloc;
void (*volatile Free)(void*) = std::free;

#ifdef __GLIBC__
TEST(MemoryReleaseTest, ALargeBlockFreedDoesNotMakeTheNextOneStayInTheHeap) {
    if (kOwnAllocator) GTEST_SKIP() << "the sanitizer's allocator stands in for the C library's";
    ReleaseLargeBlocksWhenFreed();
    constexpr std::size_t kBlock = std::size_t{4} << 20;
    Free(Allocate(kBlock));  // would raise the mapping threshold to 4 MiB
    const std::size_t mapped = mallinfo2().hblks;
    void* next = Allocate(kBlock);
    EXPECT_EQ(mallinfo2().hblks, mapped + 1);  // mapped on its own, so given back when freed
    Free(next);
    EXPECT_EQ(mallinfo2().hblks, mapped);
}
#endif

}  // namespace
}  // namespace kelmio
