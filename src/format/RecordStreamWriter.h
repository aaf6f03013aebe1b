#pragma once
// Writes a record stream (format/RecordFormat.h): words, strings and byte blocks, each byte
// masked with the stream mask, through a buffer into a ByteSink.
//
// Every write returns false once any write has failed; the first failure sticks, so a record
// can be written item by item and checked once with Flush(). Flush() must be called to learn
// whether the bytes reached the sink; the destructor flushes too but cannot report.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "format/ByteSink.h"

namespace nbx {

class RecordStreamWriter {
public:
    explicit RecordStreamWriter(ByteSink& sink);
    ~RecordStreamWriter();
    RecordStreamWriter(const RecordStreamWriter&) = delete;
    RecordStreamWriter& operator=(const RecordStreamWriter&) = delete;

    bool WriteWord(std::int32_t value);
    bool WriteMagic(std::uint32_t value);
    // Fails, writing nothing, for a text longer than a word can count.
    bool WriteString(std::string_view text);
    bool WriteBlock(const void* data, std::size_t size);

    // Passes everything buffered to the sink; true when every write so far succeeded.
    bool Flush();

    bool ok() const { return ok_; }
    // Bytes accepted so far, buffered or not.
    std::uint64_t bytesWritten() const { return written_; }

private:
    void Append(const void* data, std::size_t size);

    ByteSink& sink_;
    std::string buffer_;
    std::uint64_t written_ = 0;
    bool ok_ = true;
};

}  // namespace nbx
