#include "platform/LargeMemory.h"

#include <sys/mman.h>

#include <cstdlib>

namespace nbx::platform {

void FreeLargeMemory::operator()(char* memory) const {
    std::free(memory);
}

LargeMemory AllocateLargeMemory(std::size_t size) {
    if (size == 0 || size % kLargePage != 0) {
        return LargeMemory(static_cast<char*>(std::malloc(size == 0 ? 1 : size)));
    }
    auto* memory = static_cast<char*>(std::aligned_alloc(kLargePage, size));
    if (memory != nullptr) {
        // A request only: where the system declines, the pages stay small.
        ::madvise(memory, size, MADV_HUGEPAGE);
    }
    return LargeMemory(memory);
}

}  // namespace nbx::platform
