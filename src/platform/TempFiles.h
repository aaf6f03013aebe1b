#pragma once
// Working-file names: prefix + process id + counter + ".tmp", created exclusively so that two
// builds at once never share a file.

#include <string>
#include <string_view>

namespace nbx::platform {

// The system temporary folder.
std::string TempFolder();

// Creates an empty file in folder with mode (filtered by the umask). Returns its path, or an
// empty string with errorCode set to the errno of the failure.
std::string CreateUniqueFile(const std::string& folder, std::string_view prefix, int& errorCode,
                             unsigned mode = 0644);

// CreateUniqueFile in the system temporary folder.
std::string CreateTempFile(std::string_view prefix, int& errorCode, unsigned mode = 0644);

// The prefix of the working files written beside a file named name: hidden, and short enough
// that prefix + process id + counter + ".tmp" stays within the system's name limit even for
// the longest names.
std::string SiblingWorkingFilePrefix(std::string_view name);

// Removes this user's files in folder named prefix + process id + "_" + counter + ".tmp" whose
// process no longer runs and that nobody holds a WorkingFileLock on: what a killed build or
// rewrite left behind.
void RemoveAbandonedWorkingFiles(const std::string& folder, std::string_view prefix);

// Removes this user's folders in folder named prefix + process id + "_" + more whose process
// no longer runs, with everything in them: what a reader that ended left for other programs.
void RemoveAbandonedFolders(const std::string& folder, std::string_view prefix);

// An advisory lock on a working file for as long as it lives. In a folder that other machines
// share (a series split over a cluster), a process id names nobody, so the lock is what tells
// RemoveAbandonedWorkingFiles that a live writer still has the file.
class WorkingFileLock {
public:
    WorkingFileLock() = default;
    explicit WorkingFileLock(const std::string& path) { Lock(path); }
    ~WorkingFileLock() { Release(); }
    WorkingFileLock(const WorkingFileLock&) = delete;
    WorkingFileLock& operator=(const WorkingFileLock&) = delete;

    // Locks path (releasing any file locked before); false when it cannot be opened.
    bool Lock(const std::string& path);
    void Release();

private:
    int fd_ = -1;
};

// Removes a file and ignores a missing one; used by clean-up code that runs in every outcome.
void RemoveFileQuietly(const std::string& path);

}  // namespace nbx::platform
