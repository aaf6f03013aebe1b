#include "platform/LargeMemory.h"

#ifdef _WIN32
#include <malloc.h>
#else
#include <sys/mman.h>

#include <cstdlib>
#endif

namespace nbx::platform {

void FreeLargeMemory::operator()(char* memory) const {
#ifdef _WIN32
    ::_aligned_free(memory);
#else
    std::free(memory);
#endif
}

LargeMemory AllocateLargeMemory(std::size_t size) {
    const bool whole = size > 0 && size % kLargePage == 0;
#ifdef _WIN32
    // Large pages there need a privilege a reader does not have: aligned only.
    return LargeMemory(static_cast<char*>(
        ::_aligned_malloc(size == 0 ? 1 : size, whole ? kLargePage : alignof(std::max_align_t))));
#else
    if (!whole) {
        return LargeMemory(static_cast<char*>(std::malloc(size == 0 ? 1 : size)));
    }
    auto* memory = static_cast<char*>(std::aligned_alloc(kLargePage, size));
    if (memory != nullptr) {
        // A request only: where the system declines, the pages stay small.
        ::madvise(memory, size, MADV_HUGEPAGE);
    }
    return LargeMemory(memory);
#endif
}

}  // namespace nbx::platform
