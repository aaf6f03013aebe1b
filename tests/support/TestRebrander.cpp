#include "support/TestRebrander.h"

#include <sys/stat.h>

#include "format/ArchiveRecordWriter.h"
#include "format/ByteSink.h"
#include "format/RecordStreamWriter.h"
#include "platform/AtomicFileWriter.h"

namespace nbx::test {

bool WriteTestRebrander(const std::string& path, std::string_view stub,
                        const RebranderRecord& record, std::uint32_t buildTime) {
    std::string bytes(stub);
    StringSink sink(bytes);
    RecordStreamWriter writer(sink);
    RebranderTrailer trailer;
    trailer.buildTime = buildTime;
    trailer.recordOffset = static_cast<std::int32_t>(stub.size());
    if (!WriteRebranderRecord(writer, record) || !WriteRebranderTrailer(writer, trailer) ||
        !writer.Flush()) {
        return false;
    }
    int error = 0;
    return platform::WriteFileAtomically(path, bytes, error) && ::chmod(path.c_str(), 0755) == 0;
}

}  // namespace nbx::test
