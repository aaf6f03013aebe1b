#pragma once
// The texts of the build's error reports that more than one step (or the console) shows, in
// one place so that they stay word for word the same. The advice about a variable is
// kVariableEditAdvice (variables/VariablePreparation.h).

namespace nbx::build_message {

inline constexpr const char* kLanguageFileBroken =
    "The language file is corrupt, missing, or intended for use with a different version of "
    "Nimbrel E-Book Compiler.";
inline constexpr const char* kLanguageFileAdvice =
    "Go to 'User Interface' on the 'Edit' menu, and select a different language file.";
inline constexpr const char* kNoRebranderExe = "No Output Rebrander EXE selected.";
inline constexpr const char* kTemporaryWriteFailed =
    "Error writing to temporary binary file. Out of disk space?";
// Followed by "SOURCE to DESTINATION".
inline constexpr const char* kCopyingTemporaryFile = "Attempting to copy temporary file: ";

}  // namespace nbx::build_message
