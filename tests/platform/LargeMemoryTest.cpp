#include "platform/LargeMemory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace nbx::platform {
namespace {

// Every byte asked for can be written and read back, whole large pages lie on their
// boundaries (where the system can map them as such), and other sizes still get memory.
TEST(LargeMemoryTest, GivesTheBytesAskedFor) {
    for (const std::size_t size : {kLargePage, 3 * kLargePage, std::size_t{1000}, std::size_t{0}}) {
        const LargeMemory memory = AllocateLargeMemory(size);
        ASSERT_NE(memory, nullptr) << size;
        if (size % kLargePage == 0 && size > 0) {
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(memory.get()) % kLargePage, 0u) << size;
        }
        std::memset(memory.get(), 0x5A, size);
        EXPECT_TRUE(size == 0 || (memory[0] == 0x5A && memory[size - 1] == 0x5A)) << size;
    }
}

}  // namespace
}  // namespace nbx::platform
