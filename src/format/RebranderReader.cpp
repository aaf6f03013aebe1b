#include "format/RebranderReader.h"

#include "format/ArchiveRecordReader.h"
#include "format/RecordFormat.h"
#include "format/RecordStreamReader.h"

namespace nbx {

bool ReadRebranderFile(RandomAccessInput& input, RebranderTrailer& trailer, RebranderRecord& record,
                       std::string& error) {
    const std::uint64_t size = input.Size();
    if (size < record::kRebranderTrailerLength) {
        error = "not a Rebrander: the file is only " + std::to_string(size) + " bytes long";
        return false;
    }
    const std::uint64_t end = size - record::kRebranderTrailerLength;
    RecordStreamReader tail(input, end, record::kRebranderTrailerLength);
    if (!ReadRebranderTrailer(tail, trailer)) {
        error = "not a Rebrander: no trailer in the last 16 bytes (" + tail.error() + ")";
        return false;
    }
    if (trailer.recordOffset < 0 || static_cast<std::uint64_t>(trailer.recordOffset) > end) {
        error = "damaged Rebrander: its record offset " + std::to_string(trailer.recordOffset) +
                " lies outside the file";
        return false;
    }
    const auto offset = static_cast<std::uint64_t>(trailer.recordOffset);
    RecordStreamReader r(input, offset, end - offset);
    if (!ReadRebranderRecord(r, record)) {
        error = "damaged Rebrander: record: " + r.error();
        return false;
    }
    return true;
}

}  // namespace nbx
