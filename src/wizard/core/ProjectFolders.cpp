#include "wizard/core/ProjectFolders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <fstream>

#include "platform/FileHandle.h"
#include "platform/Paths.h"
#include "platform/RegularFile.h"

namespace nbx::wizard {

namespace {

// The template bitmaps are small; anything larger is not one of them.
constexpr std::uint64_t kMaxTemplateBytes = 16 * 1024 * 1024;

// Copies source to a target that must not exist yet. The bytes go to a working file beside
// the target, which takes the target's name only when complete: a failed copy leaves no
// file, and an existing target is never replaced.
bool CopyNewFile(const std::string& source, const std::string& target) {
    std::string bytes;
    int error = 0;
    if (platform::FileExists(target) ||
        !platform::ReadRegularFile(source, kMaxTemplateBytes, platform::Oversize::Refuse, bytes,
                                   error) ||
        bytes.empty()) {
        return false;
    }
    const std::string working = target + "." + std::to_string(::getpid()) + ".tmp";
    platform::FileHandle out;
    bool written = out.Open(working, platform::FileHandle::Mode::CreateTruncate) &&
                   out.Write(bytes.data(), bytes.size());
    out.Close();
    // link() refuses a target that appeared meanwhile.
    written = written && ::link(working.c_str(), target.c_str()) == 0;
    ::unlink(working.c_str());
    return written;
}

bool MakeOneFolder(const std::string& path) {
    return ::mkdir(path.c_str(), 0777) == 0 || (errno == EEXIST && platform::FolderExists(path));
}

}  // namespace

bool CreateFolderPath(const std::string& path) {
    const std::string root(1, platform::kSeparator);
    if (path.empty() || path == root || platform::FolderExists(path)) {
        return true;
    }
    const std::size_t last = path.find_last_of(platform::kSeparator);
    const std::string parent = last == std::string::npos ? std::string() : path.substr(0, last);
    if (parent == path) {
        return true;
    }
    CreateFolderPath(parent);  // a parent that cannot be made makes the path fail below
    return MakeOneFolder(path);
}

bool TestFolderCreation(const std::string& projectFolder) {
    if (!CreateFolderPath(projectFolder)) {
        return false;
    }
    const std::string testFile = platform::JoinPath(projectFolder, "test.tst");
    bool created = false;
    {
        std::ofstream file(testFile, std::ios::binary | std::ios::trunc);
        created = static_cast<bool>(file);
    }
    if (created) {
        ::unlink(testFile.c_str());
    }
    ::rmdir(projectFolder.c_str());
    return created;
}

bool CreateFolders(const ProjectPaths& paths) {
    if (!CreateFolderPath(paths.projectFolder)) {
        return false;
    }
    if (!paths.includeFolder.empty() && !CreateFolderPath(paths.includeFolder)) {
        return false;
    }
    return CreateFolderPath(paths.sourceFolder) && CreateFolderPath(paths.outputFolder);
}

const std::vector<std::string>& SplashChoiceNames() {
    static const std::vector<std::string> names = {
        "Standard Nimbrel E-Book Splash Screen",
        "No Splash Screen",
        "Create my own color Splash Screen",
        "Create my own black and white Splash Screen",
    };
    return names;
}

SplashOutcome PrepareSplash(int choice, const std::string& programFolder,
                            const ProjectPaths& paths) {
    SplashOutcome out;
    switch (choice) {
        case kSplashNone:
            out.ok = true;
            return out;
        case kSplashOwnColour:
        case kSplashOwnBlackAndWhite:
            break;
        default:
            out.ok = true;
            out.bitmapPath = platform::JoinPath(programFolder, "splash16.bmp");
            return out;
    }
    if (!CreateFolderPath(paths.splashFolder)) {
        out.message = "Splash Directory could not be created.";
        return out;
    }
    const std::string source = platform::JoinPath(
        programFolder, choice == kSplashOwnColour ? "splash16.dat" : "splash2.dat");
    const std::string target = platform::JoinPath(paths.splashFolder, "mysplash.bmp");
    if (!CopyNewFile(source, target)) {
        out.message = "Splash File could not be copied.";
        return out;
    }
    out.ok = true;
    out.bitmapPath = target;
    return out;
}

}  // namespace nbx::wizard
