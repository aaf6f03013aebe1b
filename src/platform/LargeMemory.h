#pragma once
// Memory for large buffers that are written once and kept a while: in 2 MB pages where the
// system lends them on request. Each fresh 4 KB page otherwise costs a page fault, about 10 µs
// in a virtual machine: as much as indexing the text it holds.

#include <cstddef>
#include <memory>

namespace nbx::platform {

inline constexpr std::size_t kLargePage = 2 << 20;

struct FreeLargeMemory {
    void operator()(char* memory) const;
};
using LargeMemory = std::unique_ptr<char[], FreeLargeMemory>;

// size bytes, not cleared, aligned to kLargePage when size is a multiple of it; null when the
// system has no memory left.
LargeMemory AllocateLargeMemory(std::size_t size);

}  // namespace nbx::platform
