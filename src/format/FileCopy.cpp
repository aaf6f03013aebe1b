#include "format/FileCopy.h"

#include <vector>

#include "platform/FileRangeCopy.h"

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

namespace nbx {

bool CopyWholeFile(const std::string& from, const std::string& to, int& errorCode) {
    platform::FileHandle source;
    if (!source.Open(from, platform::FileHandle::Mode::ReadRegular)) {
        errorCode = source.error();
        return false;
    }
    const std::int64_t size = source.Size();
    platform::FileHandle target;
    if (size < 0 || !target.Open(to, platform::FileHandle::Mode::CreateTruncate)) {
        errorCode = size < 0 ? source.error() : target.error();
        return false;
    }
    return platform::CopyFileRange(source.descriptor(), 0, target.descriptor(),
                                   static_cast<std::uint64_t>(size), errorCode);
}

}  // namespace nbx
