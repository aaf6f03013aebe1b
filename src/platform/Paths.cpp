#include "platform/Paths.h"

#include <sys/stat.h>

#include "platform/OpenDescriptor.h"

namespace nbx::platform {

std::string DisplayName(std::string_view path) {
    const auto pos = path.rfind(kSeparator);
    if (pos == std::string_view::npos) {
        return "ERROR";
    }
    return std::string(path.substr(pos + 1));
}

std::string FileNameOfPath(std::string_view path) {
    const auto pos = path.rfind(kSeparator);
    return std::string(pos == std::string_view::npos ? path : path.substr(pos + 1));
}

std::string FolderPartOfPath(std::string_view path) {
    const auto pos = path.rfind(kSeparator);
    return pos == std::string_view::npos ? std::string() : std::string(path.substr(0, pos + 1));
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string out(folder);
    if (!out.empty() && out.back() != kSeparator) {
        out += kSeparator;
    }
    out += name;
    return out;
}

bool IsAbsolutePath(std::string_view path) {
#ifdef _WIN32
    return path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
#else
    return !path.empty() && path.front() == '/';
#endif
}

bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\\\0", 3)) == name.npos;
}

bool IsPlainRelativePath(std::string_view path) {
    std::size_t start = 0;
    while (true) {
        const std::size_t slash = path.find('/', start);
        const std::string_view part = path.substr(
            start, slash == std::string_view::npos ? std::string_view::npos : slash - start);
        if (!IsPlainFileName(part)) {
            return false;
        }
        if (slash == std::string_view::npos) {
            return true;
        }
        start = slash + 1;
    }
}

std::string NativeSeparators(std::string_view path) {
    std::string out(path);
    for (char& c : out) {
        if (c == '\\' || c == '/') {
            c = kSeparator;
        }
    }
    return out;
}

#ifdef _WIN32

bool FileExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(Utf8ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(Utf8ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool SameFile(const std::string& a, const std::string& b) {
    if (a == b) {
        return true;
    }
    const int fa = OpenDescriptor(a, O_RDONLY);
    const int fb = fa < 0 ? -1 : OpenDescriptor(b, O_RDONLY);
    const bool same = fa >= 0 && fb >= 0 && SameOpenFile(fa, fb);
    for (const int fd : {fa, fb}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    return same;
}

#else

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FolderExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool SameFile(const std::string& a, const std::string& b) {
    if (a == b) {
        return true;
    }
    struct stat sa {};
    struct stat sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

#endif

}  // namespace nbx::platform
