#include "format/ArchiveRecordWriter.h"

#include <initializer_list>
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

// The header words, the count, then every item through visit; false for more items than a
// word can count.
template <class T, class Visit>
bool WriteTable(RecordStreamWriter& writer, std::initializer_list<std::uint32_t> header,
                const std::vector<T>& items, Visit visit) {
    if (items.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        return false;
    }
    for (std::uint32_t word : header) {
        writer.WriteMagic(word);
    }
    writer.WriteWord(static_cast<std::int32_t>(items.size()));
    ItemWriter v(writer);
    for (const auto& item : items) {
        visit(item, v);
    }
    return writer.ok();
}

}  // namespace

bool WriteSettingsRecord(RecordStreamWriter& writer, const BuildSettings& settings) {
    ItemWriter v(writer);
    VisitSettingsRecord(settings, v);
    return writer.ok();
}

bool WriteDirectory(RecordStreamWriter& writer, const std::vector<DirectoryEntry>& entries) {
    return WriteTable(writer, {record::kDirectoryBegin}, entries,
                      [](const auto& e, auto& v) { VisitDirectoryEntry(e, v); });
}

bool WriteVariablesTable(RecordStreamWriter& writer,
                         const std::vector<ArchiveVariable>& variables) {
    return WriteTable(writer, {record::kVariablesBegin, 0}, variables,
                      [](const auto& var, auto& v) { VisitArchiveVariable(var, v); });
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
