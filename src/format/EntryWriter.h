#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "format/DirectoryEntry.h"
#include "platform/FileHandle.h"

namespace nbx {

class ByteSink;

// Packing must save at least this many bytes for an entry to be stored packed.
inline constexpr std::uint64_t kMinPackingSaving = 26;
// Packed data is never shorter than the end mark, so below this size packing cannot win.
inline constexpr std::uint64_t kSmallestWorthPacking = kMinPackingSaving + 3;

// Appends the file at sourcePath to the end of the content working file: packed when that
// is at least 26 bytes shorter than the file, else as it is, and masked with the entry mask
// either way. `entry` brings the name, flags and texts; its offset and lengths are filled in
// here, and it is added to directory in every case. True when the data was written whole;
// false when the source cannot be read, a write fails, or the content data would pass what
// a word can address (2 GB).
bool AppendEntry(platform::FileHandle& content, const std::string& sourcePath, DirectoryEntry entry,
                 std::vector<DirectoryEntry>& directory);

// AppendEntry for a file whose packed form is already known not to save enough: the file as
// it is, masked.
bool AppendEntryUnpacked(platform::FileHandle& content, const std::string& sourcePath,
                         DirectoryEntry entry, std::vector<DirectoryEntry>& directory);

// Appends bytes to the content working file as they are (masked, never packed), so that the
// reader can read them a piece at a time where they lie; otherwise like AppendEntry.
bool AppendStoredEntry(platform::FileHandle& content, std::string_view bytes, DirectoryEntry entry,
                       std::vector<DirectoryEntry>& directory);
// The same for size bytes that write gives to a sink, for data not held whole in memory.
// False also when write fails or gives another number of bytes.
bool AppendStoredEntry(platform::FileHandle& content, std::uint64_t size,
                       const std::function<bool(ByteSink&)>& write, DirectoryEntry entry,
                       std::vector<DirectoryEntry>& directory);

}  // namespace nbx
