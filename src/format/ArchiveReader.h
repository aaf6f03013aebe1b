#pragma once
// Reads an e-book: finds the trailer in the last 136 bytes, then reads the settings record,
// the directory and the variables table. Entry data is read only when asked for, so opening
// a large e-book reads a few records and nothing else.
//
// The file is not trusted. Every offset, length and count is checked against the file's size
// and the section it lies in before it is used; sections must follow each other in their
// order; a damaged file makes Open or ReadEntry return false with a message in error(),
// never a crash or an allocation beyond what the file can hold.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "format/ArchiveTrailer.h"
#include "format/ArchiveVariable.h"
#include "format/BuildSettings.h"
#include "format/DirectoryEntry.h"
#include "format/RandomAccessInput.h"

namespace nbx {

class ArchiveReader {
public:
    // Opens the e-book at path. False with error() set.
    bool Open(const std::string& path);
    // Reads from an input already open (memory in tests and the fuzzer); takes ownership.
    bool Open(std::unique_ptr<RandomAccessInput> input);

    const std::string& error() const { return error_; }

    // Valid after a successful Open.
    const ArchiveTrailer& trailer() const { return trailer_; }
    const BuildSettings& settings() const { return settings_; }
    const std::vector<DirectoryEntry>& directory() const { return directory_; }
    const std::vector<ArchiveVariable>& variables() const { return variables_; }
    bool hasSplash() const { return trailer_.splashLength > 0; }
    // Bytes before the archive: the length of the reader program the archive was joined to.
    std::uint64_t stubLength() const { return static_cast<std::uint64_t>(trailer_.settingsOffset); }

    // The data of entry index, unmasked and unpacked. False with error() set when the data
    // is damaged.
    bool ReadEntry(std::size_t index, std::string& bytes);
    // The data of entry index, unmasked, read a piece at a time where it lies in the e-book;
    // nullptr when there is no such entry or it is stored packed. REQUIRES: this reader
    // outlives the input and is not opened again while it is used.
    std::unique_ptr<RandomAccessInput> StoredEntryInput(std::size_t index);
    // The splash image, unmasked and unpacked; false when there is none or it is damaged.
    bool ReadSplash(std::string& bytes);
    // Position of the first entry called name, or -1.
    long FindEntry(std::string_view name) const;

private:
    bool Fail(std::string message);
    bool ReadStored(std::uint64_t offset, std::uint64_t length, std::string& bytes);

    std::unique_ptr<RandomAccessInput> input_;
    ArchiveTrailer trailer_;
    BuildSettings settings_;
    std::vector<DirectoryEntry> directory_;
    std::vector<ArchiveVariable> variables_;
    std::uint64_t contentEnd_ = 0;  // the content data ends where the next section begins
    std::string error_;
};

}  // namespace nbx
