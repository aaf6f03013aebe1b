#include "format/ArchiveReader.h"

#include "format/ArchiveRecordReader.h"
#include "format/PackedFormat.h"
#include "format/RecordFormat.h"
#include "format/RecordStreamReader.h"
#include "format/Unpacker.h"
#include "platform/SystemError.h"

namespace nbx {

namespace {

// A stored word as an offset or length: a negative one becomes too large for every bound.
std::uint64_t AsUnsigned(std::int32_t v) {
    return static_cast<std::uint64_t>(v);
}

// The bytes of an entry stored as it is, where they lie in the e-book.
class StoredEntryData final : public RandomAccessInput {
public:
    StoredEntryData(RandomAccessInput& file, std::uint64_t start, std::uint64_t size)
        : file_(file), start_(start), size_(size) {}
    std::uint64_t Size() const override { return size_; }
    bool ReadAt(std::uint64_t offset, void* data, std::size_t size) override {
        if (offset > size_ || size > size_ - offset || !file_.ReadAt(start_ + offset, data, size)) {
            return false;
        }
        auto* bytes = static_cast<unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) {
            bytes[i] ^= record::kEntryMask;
        }
        return true;
    }

private:
    RandomAccessInput& file_;
    std::uint64_t start_;
    std::uint64_t size_;
};

}  // namespace

bool ArchiveReader::Fail(std::string message) {
    error_ = std::move(message);
    return false;
}

bool ArchiveReader::Open(const std::string& path) {
    auto file = std::make_unique<FileInput>();
    if (!file->Open(path)) {
        return Fail("cannot open " + path + ": " + platform::SystemErrorText(file->error()));
    }
    return Open(std::move(file));
}

bool ArchiveReader::Open(std::unique_ptr<RandomAccessInput> input) {
    input_ = std::move(input);
    trailer_ = {};
    settings_ = {};
    directory_.clear();
    variables_.clear();
    error_.clear();

    const std::uint64_t size = input_->Size();
    if (size < record::kTrailerLength) {
        return Fail("not an e-book: the file is only " + std::to_string(size) + " bytes long");
    }
    const std::uint64_t archiveEnd = size - record::kTrailerLength;
    {
        RecordStreamReader r(*input_, archiveEnd, record::kTrailerLength);
        if (!ReadArchiveTrailer(r, trailer_)) {
            return Fail("not an e-book: no trailer in the last 136 bytes (" + r.error() + ")");
        }
    }
    if (trailer_.length != static_cast<std::int32_t>(record::kTrailerLength)) {
        return Fail("not an e-book: the trailer gives its length as " +
                    std::to_string(trailer_.length));
    }
    if (trailer_.version != record::kFormatVersion) {
        return Fail("the e-book has format version " + std::to_string(trailer_.version) +
                    "; only " + std::to_string(record::kFormatVersion) + " can be read");
    }

    // The sections follow each other in this order, each within the file.
    const ArchiveTrailer& t = trailer_;
    const bool splash = t.splashOffset != 0 || t.splashLength != 0;
    if (t.settingsOffset < 0 || t.directoryOffset < t.settingsOffset ||
        t.contentOffset < t.directoryOffset || AsUnsigned(t.variablesOffset) > archiveEnd ||
        (splash && (t.splashOffset < t.contentOffset || t.splashLength <= 0 ||
                    AsUnsigned(t.splashOffset) + AsUnsigned(t.splashLength) >
                        AsUnsigned(t.variablesOffset))) ||
        (!splash && t.variablesOffset < t.contentOffset)) {
        return Fail(
            "damaged e-book: the trailer's section offsets are out of order or past the "
            "end of the file");
    }
    contentEnd_ = AsUnsigned(splash ? t.splashOffset : t.variablesOffset);

    {
        RecordStreamReader r(*input_, AsUnsigned(t.settingsOffset),
                             AsUnsigned(t.directoryOffset - t.settingsOffset));
        if (!ReadSettingsRecord(r, settings_)) {
            return Fail("damaged e-book: settings record: " + r.error());
        }
    }
    {
        RecordStreamReader r(*input_, AsUnsigned(t.directoryOffset),
                             AsUnsigned(t.contentOffset - t.directoryOffset));
        if (!ReadDirectory(r, directory_)) {
            return Fail("damaged e-book: directory: " + r.error());
        }
    }
    if (AsUnsigned(settings_.entryCount) != directory_.size()) {
        return Fail("damaged e-book: the settings record counts " +
                    std::to_string(settings_.entryCount) + " entries, the directory " +
                    std::to_string(directory_.size()));
    }
    const std::uint64_t contentLength = contentEnd_ - AsUnsigned(t.contentOffset);
    for (const auto& e : directory_) {
        if (e.offset < 0 || e.storedLength < 0 || e.unpackedLength < 0 ||
            AsUnsigned(e.offset) + AsUnsigned(e.storedLength) > contentLength) {
            return Fail("damaged e-book: the data of entry '" + e.name +
                        "' lies outside the content data");
        }
        if (e.unpackedLength > 0 &&
            AsUnsigned(e.unpackedLength) > packed::MaxUnpackedLength(AsUnsigned(e.storedLength))) {
            return Fail("damaged e-book: entry '" + e.name + "' claims " +
                        std::to_string(e.unpackedLength) + " bytes from " +
                        std::to_string(e.storedLength) + " packed bytes");
        }
    }
    {
        RecordStreamReader r(*input_, AsUnsigned(t.variablesOffset),
                             archiveEnd - AsUnsigned(t.variablesOffset));
        if (!ReadVariablesTable(r, variables_)) {
            return Fail("damaged e-book: variables table: " + r.error());
        }
    }
    return true;
}

bool ArchiveReader::ReadStored(std::uint64_t offset, std::uint64_t length, std::string& bytes) {
    bytes.resize(static_cast<std::size_t>(length));
    if (!input_->ReadAt(offset, bytes.data(), bytes.size())) {
        return false;
    }
    for (char& c : bytes) {
        c = static_cast<char>(c ^ record::kEntryMask);
    }
    return true;
}

bool ArchiveReader::ReadEntry(std::size_t index, std::string& bytes) {
    bytes.clear();
    if (!input_ || index >= directory_.size()) {
        return Fail("no entry " + std::to_string(index));
    }
    const DirectoryEntry& e = directory_[index];
    const std::uint64_t offset = AsUnsigned(trailer_.contentOffset) + AsUnsigned(e.offset);
    if (e.unpackedLength == 0) {
        if (!ReadStored(offset, AsUnsigned(e.storedLength), bytes)) {
            bytes.clear();
            return Fail("cannot read the data of entry '" + e.name + "'");
        }
        return true;
    }
    // The packed bytes come a piece at a time: a large entry is held once, unpacked.
    std::uint64_t at = offset;
    const PackedSource source = [&](char* buffer, std::size_t size) -> std::size_t {
        if (!input_->ReadAt(at, buffer, size)) {
            return 0;
        }
        at += size;
        for (std::size_t i = 0; i < size; ++i) {
            buffer[i] = static_cast<char>(buffer[i] ^ record::kEntryMask);
        }
        return size;
    };
    std::string why;
    if (!Unpack(source, AsUnsigned(e.storedLength), AsUnsigned(e.unpackedLength), bytes, why)) {
        bytes.clear();
        return Fail("damaged e-book: entry '" + e.name + "' does not unpack: " + why);
    }
    return true;
}

std::unique_ptr<RandomAccessInput> ArchiveReader::StoredEntryInput(std::size_t index) {
    if (!input_ || index >= directory_.size() || directory_[index].unpackedLength != 0) {
        return nullptr;
    }
    const DirectoryEntry& e = directory_[index];
    return std::make_unique<StoredEntryData>(
        *input_, AsUnsigned(trailer_.contentOffset) + AsUnsigned(e.offset),
        AsUnsigned(e.storedLength));
}

bool ArchiveReader::ReadSplash(std::string& bytes) {
    bytes.clear();
    if (!input_ || !hasSplash()) {
        return Fail("the e-book has no splash image");
    }
    std::string stored;
    if (!ReadStored(AsUnsigned(trailer_.splashOffset), AsUnsigned(trailer_.splashLength), stored)) {
        return Fail("cannot read the splash image");
    }
    std::string why;
    if (!Unpack(stored, std::nullopt, bytes, why)) {
        bytes.clear();
        return Fail("damaged e-book: the splash image does not unpack: " + why);
    }
    return true;
}

long ArchiveReader::FindEntry(std::string_view name) const {
    for (std::size_t i = 0; i < directory_.size(); ++i) {
        if (directory_[i].name == name) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

}  // namespace nbx
