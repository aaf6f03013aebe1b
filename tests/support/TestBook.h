#pragma once
// Builds an e-book the way the build does (AppendEntry for each file, then Assemble), for
// tests that need a real one.

#include <string>
#include <vector>

#include "build/ArchiveVariable.h"
#include "build/BuildSettings.h"
#include "support/TempDir.h"

namespace nbx::test {

struct TestBookFile {
    std::string name;
    std::string data;
    std::string title;
};

// Writes the e-book at outputPath from the stub file at stubPath, using dir for working
// files. Returns the assembler's error, empty on success.
std::string WriteTestBook(const TempDir& dir, const std::string& stubPath,
                          const std::string& outputPath, const BuildSettings& settings,
                          const std::vector<TestBookFile>& files,
                          const std::vector<ArchiveVariable>& variables = {},
                          std::uint32_t buildTime = 0);

}  // namespace nbx::test
