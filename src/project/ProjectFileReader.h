#pragma once
// Reads project files: the layout "4.20" and the older "4.00", "3.00" and "2.01", whose
// missing fields get fixed values, and the import layout "IDT-4.00" that the wizard writes.

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "project/Project.h"

namespace nbx {

class InstalledExtensions;
class Prompter;

enum class ProjectDecodeStatus {
    Ok,
    UnknownVersion,  // the header string is none of the known versions
    Malformed,       // the bytes end early or a length does not fit them
};

struct ProjectDecodeResult {
    ProjectDecodeStatus status = ProjectDecodeStatus::Malformed;
    std::string version;  // the header string as read, also when it is unknown
};

// Decodes a whole file into project, which must hold the new-project defaults on entry.
// Touches neither the disk nor the person: records of "2.01" keep only their paths (the rest
// blank, as FillFromDisk starts), the import layout leaves the file list empty, and paths
// stay as stored. Bytes after the last field are ignored. On failure project holds whatever
// was read so far.
ProjectDecodeResult DecodeProjectFile(std::string_view bytes, ProjectSettings& project);

// The messages refusing a file by its name (web pages, programs, Word and PowerPoint files)
// before anything is read; empty when the name is acceptable.
std::vector<std::string> RefusedNameMessages(std::string_view path);

// Paths stored relative to the project file (the source folder, output paths, splash and
// icon files, file paths and the files of include variables) made absolute against folder.
// wasRelative, when given, receives every path that was relative, as resolved.
void ResolveRelativePaths(ProjectSettings& project, const std::string& folder,
                          std::set<std::string>* wasRelative = nullptr);

// Far more than the largest project (tens of thousands of pages with their titles, descriptions
// and keywords): a larger file is refused before it is read.
inline constexpr std::uint64_t kMaxProjectFileSize = 256u << 20;

enum class ProjectLoadStatus {
    Loaded,
    Rejected,    // refused name, unknown version or malformed bytes; the specific messages
                 // are shown, the generic one is left to the caller
    CannotRead,  // the file could not be opened or read; errorCode tells why
};

struct ProjectLoadResult {
    ProjectLoadStatus status = ProjectLoadStatus::Rejected;
    int errorCode = 0;
};

// Opens the file at path into project: name check, decoding from the new-project defaults,
// the version message, relative paths resolved against the file's folder, "2.01" records
// completed from disk, the import layout's file list scanned from its source folder, and
// the notice naming selected extensions that are not installed. Leaves the modified flag to
// the caller. After Rejected project holds partial data; after CannotRead it is untouched.
ProjectLoadResult LoadProjectFile(const std::string& path, Project& project, Prompter& prompter,
                                  const InstalledExtensions& installed);

}  // namespace nbx
