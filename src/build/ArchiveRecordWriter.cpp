#include "build/ArchiveRecordWriter.h"

#include <limits>

namespace nbx {

namespace {

// Writes whatever a Visit... function hands it.
class ItemWriter {
public:
    explicit ItemWriter(RecordStreamWriter& w) : w_(w) {}
    void Magic(std::uint32_t value) { w_.WriteMagic(value); }
    void Item(const char*, std::int32_t value) { w_.WriteWord(value); }
    void Item(const char*, std::uint32_t value) { w_.WriteMagic(value); }
    void Item(const char*, const std::string& value) { w_.WriteString(value); }
    template <class T, std::size_t N>
    void Item(const char* name, const std::array<T, N>& values) {
        for (const T& v : values) {
            Item(name, v);
        }
    }
    template <std::size_t N>
    void Block(const char*, const std::array<std::uint8_t, N>& bytes) {
        w_.WriteBlock(bytes.data(), N);
    }

private:
    RecordStreamWriter& w_;
};

template <class T>
bool CountFits(const std::vector<T>& items) {
    return items.size() <= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
}

}  // namespace

bool WriteSettingsRecord(RecordStreamWriter& writer, const BuildSettings& settings) {
    ItemWriter v(writer);
    VisitSettingsRecord(settings, v);
    return writer.ok();
}

bool WriteDirectory(RecordStreamWriter& writer, const std::vector<DirectoryEntry>& entries) {
    if (!CountFits(entries)) {
        return false;
    }
    ItemWriter v(writer);
    writer.WriteMagic(record::kDirectoryBegin);
    writer.WriteWord(static_cast<std::int32_t>(entries.size()));
    for (const auto& e : entries) {
        VisitDirectoryEntry(e, v);
    }
    return writer.ok();
}

bool WriteVariablesTable(RecordStreamWriter& writer,
                         const std::vector<ArchiveVariable>& variables) {
    if (!CountFits(variables)) {
        return false;
    }
    ItemWriter v(writer);
    writer.WriteMagic(record::kVariablesBegin);
    writer.WriteWord(0);
    writer.WriteWord(static_cast<std::int32_t>(variables.size()));
    for (const auto& var : variables) {
        VisitArchiveVariable(var, v);
    }
    return writer.ok();
}

bool WriteArchiveTrailer(RecordStreamWriter& writer, const ArchiveTrailer& trailer) {
    ItemWriter v(writer);
    VisitArchiveTrailer(trailer, v);
    return writer.ok();
}

bool WriteRebranderRecord(RecordStreamWriter& writer, const RebranderRecord& record) {
    ItemWriter v(writer);
    VisitRebranderRecord(record, v);
    return writer.ok();
}

bool WriteRebranderTrailer(RecordStreamWriter& writer, const RebranderTrailer& trailer) {
    ItemWriter v(writer);
    VisitRebranderTrailer(trailer, v);
    return writer.ok();
}

}  // namespace nbx
