#pragma once
// Bytes that can be read at any offset: a file or a block of memory. The readers of the
// e-book format take their input through this so that tests and the fuzzer run in memory.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "platform/FileHandle.h"

namespace nbx {

class RandomAccessInput {
public:
    virtual ~RandomAccessInput() = default;
    virtual std::uint64_t Size() const = 0;
    // Reads exactly size bytes at offset; false when they are not all there or the read fails.
    virtual bool ReadAt(std::uint64_t offset, void* data, std::size_t size) = 0;
};

// Bytes owned by the caller, which must outlive the input.
class MemoryInput final : public RandomAccessInput {
public:
    explicit MemoryInput(std::string_view bytes) : bytes_(bytes) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    bool ReadAt(std::uint64_t offset, void* data, std::size_t size) override;

private:
    std::string_view bytes_;
};

// Bytes the input owns.
class StringInput final : public RandomAccessInput {
public:
    explicit StringInput(std::string bytes) : bytes_(std::move(bytes)), input_(bytes_) {}
    StringInput(const StringInput&) = delete;
    StringInput& operator=(const StringInput&) = delete;
    std::uint64_t Size() const override { return input_.Size(); }
    bool ReadAt(std::uint64_t offset, void* data, std::size_t size) override {
        return input_.ReadAt(offset, data, size);
    }

private:
    std::string bytes_;
    MemoryInput input_;
};

// A file opened read-only; its size is taken once, when it is opened.
class FileInput final : public RandomAccessInput {
public:
    // False with error() set when the file cannot be opened or its size read.
    bool Open(const std::string& path);
    std::uint64_t Size() const override { return size_; }
    bool ReadAt(std::uint64_t offset, void* data, std::size_t size) override;
    int error() const { return file_.error(); }
    // The open file, for copies made by the system (AtomicFileWriter::CopyFrom).
    platform::FileHandle& file() { return file_; }

private:
    platform::FileHandle file_;
    std::uint64_t size_ = 0;
};

}  // namespace nbx
