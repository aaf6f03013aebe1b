#include "format/EntryWriter.h"

#include "format/ByteSink.h"
#include "format/FileCopy.h"
#include "format/Packer.h"
#include "format/RecordFormat.h"

namespace nbx {

namespace {

using record::kWordMax;

// Copies the rest of source, masked, as the entry's data stored as it is.
bool WriteUnpacked(platform::FileHandle& source, ByteSink& masked, DirectoryEntry& entry) {
    std::uint64_t copied = 0;
    if (!CopyToSink(source, masked, copied) || copied > kWordMax) {
        return false;
    }
    entry.storedLength = static_cast<std::int32_t>(copied);
    entry.unpackedLength = 0;
    return true;
}

// Opens the source and notes where the entry's data begins.
bool StartEntry(platform::FileHandle& content, const std::string& sourcePath,
                platform::FileHandle& source, DirectoryEntry& entry) {
    std::uint64_t start = 0;
    if (!source.Open(sourcePath, platform::FileHandle::Mode::ReadRegular) ||
        !content.SeekToEnd(start) || start > kWordMax) {
        return false;
    }
    entry.offset = static_cast<std::int32_t>(start);
    return true;
}

// Writes the entry's data and fills in its offset and lengths.
bool WriteEntryData(platform::FileHandle& content, const std::string& sourcePath,
                    DirectoryEntry& entry) {
    platform::FileHandle source;
    if (!StartEntry(content, sourcePath, source, entry)) {
        return false;
    }
    const auto start = static_cast<std::uint64_t>(entry.offset);
    const std::int64_t size = source.Size();
    if (size < 0) {
        return false;
    }

    FileSink file(content);
    MaskingSink masked(file, record::kEntryMask);
    if (static_cast<std::uint64_t>(size) >= kSmallestWorthPacking) {
        const PackStreamResult packed =
            PackStream(source, masked, static_cast<std::uint64_t>(size) - kMinPackingSaving);
        if (packed.ok && packed.inputSize >= packed.packedSize + kMinPackingSaving) {
            if (packed.packedSize > kWordMax || packed.inputSize > kWordMax) {
                return false;
            }
            entry.storedLength = static_cast<std::int32_t>(packed.packedSize);
            entry.unpackedLength = static_cast<std::int32_t>(packed.inputSize);
            return true;
        }
        // Not worth it (or a failure): take back what was written and store the file as is.
        if (!content.Truncate(start) || !content.Seek(start) || !source.Seek(0)) {
            return false;
        }
    }
    return WriteUnpacked(source, masked, entry);
}

bool WriteStoredData(platform::FileHandle& content, std::uint64_t size,
                     const std::function<bool(ByteSink&)>& write, DirectoryEntry& entry) {
    std::uint64_t start = 0;
    if (!content.SeekToEnd(start) || start > kWordMax || size > kWordMax - start) {
        return false;
    }
    entry.offset = static_cast<std::int32_t>(start);
    entry.storedLength = static_cast<std::int32_t>(size);
    entry.unpackedLength = 0;
    FileSink file(content);
    MaskingSink masked(file, record::kEntryMask);
    std::uint64_t end = 0;
    return write(masked) && content.SeekToEnd(end) && end - start == size;
}

}  // namespace

bool AppendStoredEntry(platform::FileHandle& content, std::string_view bytes, DirectoryEntry entry,
                       std::vector<DirectoryEntry>& directory) {
    return AppendStoredEntry(
        content, bytes.size(), [&](ByteSink& out) { return out.Write(bytes.data(), bytes.size()); },
        std::move(entry), directory);
}

bool AppendStoredEntry(platform::FileHandle& content, std::uint64_t size,
                       const std::function<bool(ByteSink&)>& write, DirectoryEntry entry,
                       std::vector<DirectoryEntry>& directory) {
    const bool ok = WriteStoredData(content, size, write, entry);
    directory.push_back(std::move(entry));
    return ok;
}

bool AppendEntry(platform::FileHandle& content, const std::string& sourcePath, DirectoryEntry entry,
                 std::vector<DirectoryEntry>& directory) {
    const bool ok = WriteEntryData(content, sourcePath, entry);
    directory.push_back(std::move(entry));
    return ok;
}

bool AppendEntryUnpacked(platform::FileHandle& content, const std::string& sourcePath,
                         DirectoryEntry entry, std::vector<DirectoryEntry>& directory) {
    platform::FileHandle source;
    bool ok = StartEntry(content, sourcePath, source, entry);
    if (ok) {
        FileSink file(content);
        MaskingSink masked(file, record::kEntryMask);
        ok = WriteUnpacked(source, masked, entry);
    }
    directory.push_back(std::move(entry));
    return ok;
}

}  // namespace nbx
