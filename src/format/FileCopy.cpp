#include "format/FileCopy.h"

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

namespace nbx {

bool CopyWholeFile(const std::string& from, const std::string& to, int& errorCode) {
    platform::FileHandle source;
    if (!source.Open(from, platform::FileHandle::Mode::ReadRegular)) {
        errorCode = source.error();
        return false;
    }
    platform::FileHandle target;
    if (!target.Open(to, platform::FileHandle::Mode::CreateTruncate)) {
        errorCode = target.error();
        return false;
    }
    FileSink sink(target);
    std::uint64_t copied = 0;
    if (!CopyToSink(source, sink, copied)) {
        errorCode = source.error() ? source.error() : target.error();
        return false;
    }
    errorCode = 0;
    return true;
}

}  // namespace nbx
