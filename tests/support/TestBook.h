#pragma once
// Builds an e-book the way the build does (AppendEntry for each file, then Assemble), for
// tests that need a real one.

#include <string>
#include <vector>

#include "format/ArchiveVariable.h"
#include "format/BuildSettings.h"
#include "support/TempDir.h"

namespace nbx::test {

struct TestBookFile {
    std::string name;
    std::string data;
    std::string title;
    // Left out of an initializer, these take the values below.
    std::string orderKey{};
    std::int32_t inContents = 0;
    std::int32_t preprocess = 0;
    std::string description{};
    std::int32_t searchable = 1;
};

struct TestBookSplash {
    std::string bitmapPath;  // empty: no splash image
    std::int32_t extraDelay = 0;
    std::int32_t percentageBar = 0;
};

// Writes the e-book at outputPath from the stub file at stubPath, using dir for working
// files. Returns the assembler's error, empty on success.
std::string WriteTestBook(const TempDir& dir, const std::string& stubPath,
                          const std::string& outputPath, const BuildSettings& settings,
                          const std::vector<TestBookFile>& files,
                          const std::vector<ArchiveVariable>& variables = {},
                          std::uint32_t buildTime = 0, const TestBookSplash& splash = {});

// The two entries every built book begins with, "__lang.lng" and "__tool.tb", from the
// program folder's English.lng (or the language named) and toolbar.tb.
std::vector<TestBookFile> ReaderDataFiles(const std::string& programDir,
                                          const std::string& language = "English");

}  // namespace nbx::test
