#include "platform/memory_release.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

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
TEST(MemoryReleaseTest, FreedBlocksInTheMiddleOfTheHeapGoBack) {
    if (kOwnAllocator) GTEST_SKIP() << "the sanitizer's allocator stands in for the C library's";
    // Heap blocks freed below one still in use: the heap's end cannot shrink.
    std::vector<void*> blocks;
    for (int i = 0; i < 256; ++i) blocks.push_back(Allocate(32 * 1024));
    void* pin = Allocate(64);
    for (void* block : blocks) {
        static_cast<char*>(block)[4096] = 1;  // the pages are in use
        Free(block);
    }
    EXPECT_TRUE(ReturnFreedMemory());
    Free(pin);
}
#endif

}  // namespace
}  // namespace kelmio
