#pragma once
// Where written bytes go: a string in memory or an open file. Write returns false on the
// first failure; the bytes of a failed write may be partly written.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/AtomicFileWriter.h"
#include "platform/FileHandle.h"

namespace nbx {

class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual bool Write(const void* data, std::size_t size) = 0;
};

// Appends to a string owned by the caller, which must outlive the sink.
class StringSink final : public ByteSink {
public:
    explicit StringSink(std::string& out) : out_(out) {}
    bool Write(const void* data, std::size_t size) override {
        out_.append(static_cast<const char*>(data), size);
        return true;
    }

private:
    std::string& out_;
};

// Writes at the file's current position. The file must stay open while the sink is used.
class FileSink final : public ByteSink {
public:
    explicit FileSink(platform::FileHandle& file) : file_(file) {}
    bool Write(const void* data, std::size_t size) override { return file_.Write(data, size); }

private:
    platform::FileHandle& file_;
};

// Writes into a file that replaces its target only when committed. The writer must be open
// and outlive the sink.
class AtomicFileSink final : public ByteSink {
public:
    explicit AtomicFileSink(platform::AtomicFileWriter& writer) : writer_(writer) {}
    bool Write(const void* data, std::size_t size) override { return writer_.Write(data, size); }

private:
    platform::AtomicFileWriter& writer_;
};

// XORs every byte with a mask on its way to another sink, which must outlive this one.
class MaskingSink final : public ByteSink {
public:
    MaskingSink(ByteSink& inner, std::uint8_t mask) : inner_(inner), mask_(mask) {}
    bool Write(const void* data, std::size_t size) override;

private:
    ByteSink& inner_;
    std::uint8_t mask_;
    std::string buffer_;
};

}  // namespace nbx
