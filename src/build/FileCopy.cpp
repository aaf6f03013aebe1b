#include "build/FileCopy.h"

#include <vector>

namespace nbx {

bool CopyToSink(platform::FileHandle& source, ByteSink& sink, std::uint64_t& copied) {
    constexpr std::size_t kChunk = 256000;
    std::vector<char> chunk(kChunk);
    copied = 0;
    for (;;) {
        const std::int64_t n = source.Read(chunk.data(), chunk.size());
        if (n < 0) {
            return false;
        }
        if (n == 0) {
            return true;
        }
        if (!sink.Write(chunk.data(), static_cast<std::size_t>(n))) {
            return false;
        }
        copied += static_cast<std::uint64_t>(n);
    }
}

}  // namespace nbx
