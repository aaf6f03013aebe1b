#pragma once
// Working-file names: prefix + process id + counter + ".tmp", created exclusively so that two
// builds at once never share a file.

#include <string>
#include <string_view>

namespace nbx::platform {

// The system temporary folder.
std::string TempFolder();

// Creates an empty file in folder. Returns its path, or an empty string with errorCode set
// to the errno of the failure.
std::string CreateUniqueFile(const std::string& folder, std::string_view prefix, int& errorCode);

// CreateUniqueFile in the system temporary folder.
std::string CreateTempFile(std::string_view prefix, int& errorCode);

// Removes a file and ignores a missing one; used by clean-up code that runs in every outcome.
void RemoveFileQuietly(const std::string& path);

}  // namespace nbx::platform
