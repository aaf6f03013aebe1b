#pragma once
// One entry of an e-book's directory: a file placed in the content data.

#include <cstdint>
#include <string>

#include "format/RecordFormat.h"

namespace nbx {

struct DirectoryEntry {
    std::string name;
    std::int32_t reserved = 0;
    std::int32_t offset = 0;  // from the start of the content data
    std::int32_t storedLength = 0;
    std::int32_t searchable = 0;
    std::int32_t inContents = 0;
    std::int32_t unpackedLength = 0;  // 0 when the data is stored unpacked
    std::string title;
    std::string description;
    std::string keywords;
    std::string orderKey;
    std::int32_t preprocess = 0;

    bool operator==(const DirectoryEntry&) const = default;
};

// Calls v.Magic and v.Item(name, field) for the items of one entry, in stream order.
template <class Entry, class Visitor>
void VisitDirectoryEntry(Entry& e, Visitor& v) {
    v.Magic(record::kDirectoryEntry);
    v.Item("name", e.name);
    v.Item("reserved", e.reserved);
    v.Item("offset", e.offset);
    v.Item("storedLength", e.storedLength);
    v.Item("searchable", e.searchable);
    v.Item("inContents", e.inContents);
    v.Item("unpackedLength", e.unpackedLength);
    v.Item("title", e.title);
    v.Item("description", e.description);
    v.Item("keywords", e.keywords);
    v.Item("orderKey", e.orderKey);
    v.Item("preprocess", e.preprocess);
}

// The smallest stored entry: the mark, five strings' lengths and seven words.
inline constexpr std::uint64_t kMinDirectoryEntryBytes = 4 * 13;

}  // namespace nbx
