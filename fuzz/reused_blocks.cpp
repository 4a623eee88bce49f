// Large blocks are kept for reuse when freed, so that a run that reads the
// same pictures as the last one does not wait for the system to map and zero
// fresh pages each time: under AddressSanitizer every large allocation is a
// new mapping, which made page faults the main cost of the fuzz targets.
// A kept block stays poisoned until it is handed out again, so a use after
// free is still reported. The fuzzing engine's own blocks come from the
// sanitizer's operator new and are freed here with free(), so the check that
// pairs the two is off.
#include <sanitizer/allocator_interface.h>
#include <sanitizer/asan_interface.h>

#include <cstddef>
#include <cstdlib>
#include <mutex>
#include <new>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kLargeBlock = std::size_t{256} << 10;
constexpr std::size_t kKeptBytesMax = std::size_t{512} << 20;

struct KeptBlocks {
    std::mutex lock;
    std::vector<std::pair<std::size_t, void*>> blocks;
    std::size_t bytes = 0;
};

KeptBlocks& kept()
{
    static auto* blocks = new KeptBlocks;  // outlives every static that frees memory
    return *blocks;
}

void* take(std::size_t size)
{
    if (size >= kLargeBlock) {
        KeptBlocks& k = kept();
        const std::lock_guard guard(k.lock);
        for (auto it = k.blocks.begin(); it != k.blocks.end(); ++it) {
            if (it->first != size)
                continue;
            void* block = it->second;
            k.bytes -= size;
            k.blocks.erase(it);
            ASAN_UNPOISON_MEMORY_REGION(block, size);
            return block;
        }
    }
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

void give(void* block)
{
    if (block == nullptr)
        return;
    const std::size_t size = __sanitizer_get_allocated_size(block);
    if (size >= kLargeBlock) {
        KeptBlocks& k = kept();
        const std::lock_guard guard(k.lock);
        if (k.bytes + size <= kKeptBytesMax) {
            ASAN_POISON_MEMORY_REGION(block, size);
            k.blocks.emplace_back(size, block);
            k.bytes += size;
            return;
        }
    }
    std::free(block);
}

}  // namespace

extern "C" const char* __asan_default_options()
{
    return "alloc_dealloc_mismatch=0";
}

void* operator new(std::size_t size)
{
    return take(size);
}

void* operator new[](std::size_t size)
{
    return take(size);
}

void operator delete(void* block) noexcept
{
    give(block);
}

void operator delete[](void* block) noexcept
{
    give(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    give(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    give(block);
}
