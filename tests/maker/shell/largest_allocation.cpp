#include "largest_allocation.h"

#include <atomic>

namespace {

std::atomic<std::size_t> largest{0};

void note(std::size_t size)
{
    std::size_t seen = largest.load(std::memory_order_relaxed);
    while (size > seen && !largest.compare_exchange_weak(seen, size, std::memory_order_relaxed)) {
    }
}

}  // namespace

void resetLargestAllocation()
{
    largest = 0;
}

std::size_t largestAllocation()
{
    return largest;
}

#if defined(__SANITIZE_ADDRESS__)

// The sanitizer owns malloc; it reports each block through a hook.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*onMalloc)(const volatile void*, std::size_t),
                                                         void (*onFree)(const volatile void*));

namespace {

[[maybe_unused]] const int hooksInstalled = __sanitizer_install_malloc_and_free_hooks(
    [](const volatile void*, std::size_t size) { note(size); }, [](const volatile void*) {});

}  // namespace

#else

// The C library's allocator under its own names, with this program's malloc
// in front of it; free and the aligned allocations stay the library's.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);

void* malloc(std::size_t size)
{
    note(size);
    return __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size)
{
    note(count * size);
    return __libc_calloc(count, size);
}

void* realloc(void* block, std::size_t size)
{
    note(size);
    return __libc_realloc(block, size);
}
}

#endif
