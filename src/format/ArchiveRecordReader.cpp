#include "format/ArchiveRecordReader.h"

namespace nbx {

namespace {

// Reads whatever a Visit... function hands it; the reader's first failure sticks.
class ItemReader {
public:
    explicit ItemReader(RecordStreamReader& r) : r_(r) {}
    void Magic(std::uint32_t expected) { r_.ReadMagic(expected); }
    void Item(const char*, std::int32_t& value) { r_.ReadWord(value); }
    void Item(const char*, std::uint32_t& value) { r_.ReadWord(value); }
    void Item(const char*, std::string& value) { r_.ReadString(value); }
    template <class T, std::size_t N>
    void Item(const char* name, std::array<T, N>& values) {
        for (T& v : values) {
            Item(name, v);
        }
    }
    template <std::size_t N>
    void Block(const char*, std::array<std::uint8_t, N>& bytes) {
        r_.ReadBlock(bytes.data(), N);
    }

private:
    RecordStreamReader& r_;
};

// Reads a count and checks that the bytes left could hold that many items.
bool ReadCount(RecordStreamReader& reader, std::uint64_t minItemBytes, const char* what,
               std::int32_t& count) {
    const std::uint64_t at = reader.position();
    if (!reader.ReadWord(count)) {
        return false;
    }
    if (count < 0 || static_cast<std::uint64_t>(count) > reader.remaining() / minItemBytes) {
        return reader.Fail(std::string("a count of ") + std::to_string(count) + " " + what +
                           " at offset " + std::to_string(at) + " does not fit in the " +
                           std::to_string(reader.remaining()) + " bytes that follow");
    }
    return true;
}

// Reads count items of a table, each through visit; count was checked against the bytes left.
template <class T, class Visit>
bool ReadItems(RecordStreamReader& reader, std::int32_t count, std::vector<T>& items, Visit visit) {
    items.resize(static_cast<std::size_t>(count));
    ItemReader v(reader);
    for (auto& item : items) {
        visit(item, v);
        if (!reader.ok()) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool ReadSettingsRecord(RecordStreamReader& reader, BuildSettings& settings) {
    ItemReader v(reader);
    VisitSettingsRecord(settings, v);
    return reader.ok();
}

bool ReadDirectory(RecordStreamReader& reader, std::vector<DirectoryEntry>& entries) {
    entries.clear();
    std::int32_t count = 0;
    return reader.ReadMagic(record::kDirectoryBegin) &&
           ReadCount(reader, kMinDirectoryEntryBytes, "entries", count) &&
           ReadItems(reader, count, entries, [](auto& e, auto& v) { VisitDirectoryEntry(e, v); });
}

bool ReadVariablesTable(RecordStreamReader& reader, std::vector<ArchiveVariable>& variables) {
    variables.clear();
    std::int32_t reserved = 0, count = 0;
    return reader.ReadMagic(record::kVariablesBegin) && reader.ReadWord(reserved) &&
           ReadCount(reader, kMinArchiveVariableBytes, "variables", count) &&
           ReadItems(reader, count, variables,
                     [](auto& var, auto& v) { VisitArchiveVariable(var, v); });
}

bool ReadArchiveTrailer(RecordStreamReader& reader, ArchiveTrailer& trailer) {
    ItemReader v(reader);
    VisitArchiveTrailer(trailer, v);
    return reader.ok();
}

bool ReadRebranderRecord(RecordStreamReader& reader, RebranderRecord& record) {
    ItemReader v(reader);
    VisitRebranderRecord(record, v);
    return reader.ok();
}

bool ReadRebranderTrailer(RecordStreamReader& reader, RebranderTrailer& trailer) {
    ItemReader v(reader);
    VisitRebranderTrailer(trailer, v);
    return reader.ok();
}

}  // namespace nbx
