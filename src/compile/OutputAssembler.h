#pragma once
// Joins a reader stub and a content archive into the output e-book: the stub copy, the
// settings record, the directory, the content data, the splash image (packed and masked; left
// out when there is none), the variables table and the 136-byte trailer, with no gaps.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "format/ArchiveTrailer.h"
#include "format/ArchiveVariable.h"
#include "format/BuildSettings.h"
#include "format/DirectoryEntry.h"
#include "format/RecordStreamWriter.h"
#include "platform/FileHandle.h"

namespace nbx {

// The message pair the build shows when Assemble fails.
inline constexpr const char* kAssembleErrorTitle =
    "Error combining segments. Out of disk space or file handles?";
inline constexpr const char* kAssembleErrorAdvice =
    "Free some disk space on the drive where the output file is stored. Close other "
    "applications. Consider saving your work and rebooting.";

struct AssemblyParts {
    std::string outputPath;
    std::string stubPath;  // the stub working copy, icon already patched
    const BuildSettings* settings = nullptr;
    const std::vector<DirectoryEntry>* directory = nullptr;
    const std::vector<ArchiveVariable>* variables = nullptr;
    std::uint32_t buildTime = 0;     // seconds since 1970, UTC
    std::string contentPath;         // the content working file, or:
    std::uint64_t contentStart = 0;  // not 0: outputPath holds the content from here on
    std::string splashPath;          // empty: no splash image
    std::int32_t splashExtraDelay = 0;
    std::int32_t splashPercentageBar = 0;
};

// Where the sections of an assembled e-book lie. Everything before the variables table (stub,
// settings record, directory, content, splash) is what the items of a Build Series share;
// only the settings record (dated), the variables table and the trailer differ.
struct AssembledLayout {
    ArchiveTrailer trailer;
    std::uint64_t settingsLength = 0;
    std::int32_t entryCount = 0;

    std::uint64_t sharedLength() const {
        return static_cast<std::uint64_t>(trailer.variablesOffset);
    }
};

class OutputAssembler {
public:
    OutputAssembler() = default;
    OutputAssembler(const OutputAssembler&) = delete;
    OutputAssembler& operator=(const OutputAssembler&) = delete;

    // Where the content data of an e-book begins: after a stub of stubLength bytes, this
    // settings record and a directory of these entries (their offsets and lengths, being
    // words, do not change it).
    static std::uint64_t ContentStart(std::uint64_t stubLength, const BuildSettings& settings,
                                      const std::vector<DirectoryEntry>& directory);

    // Creates (truncating) the output and writes every section and the trailer. The entry
    // count written is the directory's. With parts.contentStart set, the output already
    // holds the content from there on, and the stub and the records must fill the room
    // before it exactly. On success the output is closed and made executable. False at the
    // first failure, with what failed in error(); the partial output stays on disk, closed
    // when the assembler is destroyed. Fails too when the e-book would pass the 2 GB that
    // the trailer's words can address.
    bool Assemble(const AssemblyParts& parts);

    // Writes the output from sharedPath, a file holding exactly the first
    // layout.sharedLength() bytes of an e-book assembled from the same stub, directory,
    // content and splash: those bytes (sharing the file's blocks where the file system can),
    // this build's settings record in place of the one there, the variables table and the
    // trailer. parts' stub, directory, content and splash are not used. Fails when the shared
    // file is not that long, or when the settings record's length differs from the shared one.
    bool AssembleFromShared(const AssemblyParts& parts, const std::string& sharedPath,
                            const AssembledLayout& layout);

    // Valid after a successful Assemble or AssembleFromShared.
    const AssembledLayout& layout() const { return layout_; }
    const std::string& error() const { return error_; }

private:
    bool Fail(std::string message);
    bool Start(const AssemblyParts& parts, bool whole);
    bool CopyFileIn(const std::string& path, const char* what);
    bool Position(std::int32_t& offset);
    bool WriteRecord(std::int32_t* offset, const char* what,
                     const std::function<bool(RecordStreamWriter&)>& write);
    // The variables table, the trailer, the execute bits; closes the output.
    bool Finish(const AssemblyParts& parts, ArchiveTrailer& trailer);

    platform::FileHandle output_;
    std::uint64_t written_ = 0;
    AssembledLayout layout_;
    std::string error_;
};

}  // namespace nbx
