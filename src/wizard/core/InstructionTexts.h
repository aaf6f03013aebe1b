#pragma once
// The long passages of the instructions page, in HTML. Paths given to these functions must
// already be escaped for HTML.

#include <string>

#include "wizard/core/ProjectType.h"

namespace nbx::wizard {

inline constexpr const char* kCopyrightNotice = "Copyright (C) 2026 the Nimbrel developers.";

// "Creating Your E-Book's Source Files" for the kind of software, naming the source folder.
std::string SourceFilesSection(SourceSoftware software, const std::string& sourceFolder);

// "The Include Folder".
std::string IncludeFolderSection(const std::string& includeFolder);

// "Your Splash Screen" for a splash choice.
std::string SplashSection(int splash, const std::string& projectFolder,
                          const std::string& projectFileName, const std::string& splashFolder);

// The part of "Using Nimbrel E-Book Compiler" after its first sentence.
std::string UsingCompilerSteps(bool launched, bool ownSplash, const std::string& projectFolder,
                               const std::string& projectFileName);

}  // namespace nbx::wizard
