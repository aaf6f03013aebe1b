#include "variables/IncludeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/Prompter.h"
#include "common/TextToHtml.h"
#include "variables/VariableKind.h"

namespace nbx {

namespace {

constexpr std::size_t kCheckedBytes = 4095;

// An open, read-only descriptor of a regular file, closed with the object.
class IncludeFileHandle {
public:
    explicit IncludeFileHandle(const std::string& path) {
        // Non-blocking so that opening a pipe never waits for a writer; it is refused below.
        fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd_ < 0) {
            return;
        }
        struct stat info {};
        if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
            Close();
            return;
        }
        size_ = static_cast<std::uint64_t>(info.st_size);
    }
    ~IncludeFileHandle() { Close(); }
    IncludeFileHandle(const IncludeFileHandle&) = delete;
    IncludeFileHandle& operator=(const IncludeFileHandle&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    std::uint64_t Size() const { return size_; }

    // Reads up to count bytes, fewer only at the end of the file. -1 on a read error.
    long long ReadUpTo(char* buffer, std::size_t count) {
        std::size_t done = 0;
        while (done < count) {
            const ssize_t n = ::read(fd_, buffer + done, count - done);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                return -1;
            }
            if (n == 0) {
                break;
            }
            done += static_cast<std::size_t>(n);
        }
        return static_cast<long long>(done);
    }

private:
    void Close() {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }

    int fd_ = -1;
    std::uint64_t size_ = 0;
};

bool IsControlByte(unsigned char c) {
    return c < 32 && c != '\t' && c != '\n' && c != '\r';
}

}  // namespace

IncludeFileCheck CheckIncludeFile(const std::string& path) {
    IncludeFileHandle file(path);
    if (!file.IsOpen()) {
        return kIncludeFileCannotOpen;
    }
    char buffer[kCheckedBytes];
    const long long got = file.ReadUpTo(buffer, sizeof buffer);
    if (got < 0) {
        return kIncludeFileOk;
    }
    if (got == 0) {
        return kIncludeFileEmpty;
    }
    const bool text = std::none_of(
        buffer, buffer + got, [](char c) { return IsControlByte(static_cast<unsigned char>(c)); });
    return text ? kIncludeFileOk : kIncludeFileNotText;
}

std::string_view IncludeFileMessage(IncludeFileCheck check) {
    switch (check) {
        case kIncludeFileCannotOpen:
            return "File does not exist.";
        case kIncludeFileNotText:
            return "The file does not appear to contain text or HTML data. You can include it "
                   "anyway, but if you do, the invalid characters will be converted to "
                   "spaces.\n\nInclude this file?";
        case kIncludeFileEmpty:
            return "The file is empty, include it anyway?";
        case kIncludeFileOk:
            break;
    }
    return {};
}

bool ConfirmIncludeFileCheck(IncludeFileCheck check, Prompter& prompter) {
    switch (check) {
        case kIncludeFileOk:
            return true;
        case kIncludeFileCannotOpen:
            prompter.Show(IncludeFileMessage(check));
            return false;
        case kIncludeFileNotText:
        case kIncludeFileEmpty:
            break;
    }
    return prompter.Ask(IncludeFileMessage(check), Buttons::YesNo, Answer::No,
                        MessageIcon::Question) == Answer::Yes;
}

bool ConfirmIncludeFile(const std::string& path, Prompter& prompter) {
    return ConfirmIncludeFileCheck(CheckIncludeFile(path), prompter);
}

bool ReadIncludeFile(const std::string& path, std::string& text) {
    text.clear();
    IncludeFileHandle file(path);
    if (!file.IsOpen() || file.Size() == 0 || file.Size() > kMaxIncludeFileSize) {
        return false;
    }
    std::string buffer(static_cast<std::size_t>(file.Size()), '\0');
    if (file.ReadUpTo(buffer.data(), buffer.size()) != static_cast<long long>(buffer.size())) {
        return false;
    }
    std::size_t tabs = 0;
    for (char& c : buffer) {
        if (IsControlByte(static_cast<unsigned char>(c))) {
            c = ' ';
        } else if (c == '\t') {
            ++tabs;
        }
    }
    if (buffer.size() + 3 * tabs > kMaxIncludeFileSize) {
        return false;
    }
    if (tabs == 0) {
        text = std::move(buffer);
        return true;
    }
    text.resize(buffer.size() + 3 * tabs);
    char* out = text.data();
    const char* p = buffer.data();
    const char* const end = p + buffer.size();
    while (p < end) {
        const void* tab = std::memchr(p, '\t', static_cast<std::size_t>(end - p));
        const char* const stop = tab ? static_cast<const char*>(tab) : end;
        out = std::copy(p, stop, out);
        if (!tab) {
            break;
        }
        out = std::fill_n(out, 4, ' ');
        p = stop + 1;
    }
    return true;
}

bool ResolveVariableValue(std::int32_t kind, const std::string& storedValue,
                          std::string& resolved) {
    // Built aside, so that resolved may be the stored value itself.
    std::string value;
    if (IsRebrandableKind(kind)) {
        value = storedValue;
    } else if (!IsIncludeKind(kind) || !ReadIncludeFile(storedValue, value)) {
        resolved.clear();
        return false;
    } else if (kind == kIncludeTextToHtml) {
        ConvertTextToHtml(value);
    }
    resolved = std::move(value);
    return true;
}

}  // namespace nbx
