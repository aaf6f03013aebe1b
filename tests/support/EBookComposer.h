#pragma once
// Lays out an e-book in memory from its parts, section after section, independently of
// OutputAssembler: the tests compare the two and damage what this one builds.

#include <functional>
#include <string>
#include <vector>

#include "format/ArchiveTrailer.h"
#include "format/ArchiveVariable.h"
#include "format/BuildSettings.h"
#include "format/DirectoryEntry.h"

namespace nbx::test {

struct EBookParts {
    std::string stub;
    BuildSettings settings;
    std::vector<DirectoryEntry> directory;
    std::string content;  // the content data as stored (masked)
    std::string splash;   // the splash image as stored (packed and masked); empty: none
    std::int32_t splashExtraDelay = 0;
    std::int32_t splashPercentageBar = 0;
    std::vector<ArchiveVariable> variables;
    std::uint32_t buildTime = 0;
};

// The sections of a composed e-book.
struct EBookLayout {
    std::string bytes;
    ArchiveTrailer trailer;
};

// tweak, when given, may change the trailer before it is written.
EBookLayout ComposeEBook(const EBookParts& parts,
                         const std::function<void(ArchiveTrailer&)>& tweak = {});

// Adds entry data to parts: masked, packed when that saves 26 bytes or more.
void AddEntry(EBookParts& parts, const std::string& name, const std::string& data);

std::string Xor(std::string bytes, unsigned char mask);

}  // namespace nbx::test
