#include "variables/IncludeFile.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "common/Prompter.h"
#include "common/TextToHtml.h"
#include "platform/RegularFile.h"
#include "variables/VariableKind.h"

namespace nbx {

namespace {

constexpr std::size_t kCheckedBytes = 4095;

bool IsControlByte(unsigned char c) {
    return c < 32 && c != '\t' && c != '\n' && c != '\r';
}

}  // namespace

IncludeFileCheck CheckIncludeFile(const std::string& path) {
    std::string head;
    int error = 0;
    if (!platform::ReadRegularFile(path, kCheckedBytes, platform::Oversize::ReadPrefix, head,
                                   error)) {
        // Opened but not readable: the build will say so; the dialog lets it pass.
        const int opened = platform::OpenRegularFile(path, error);
        if (opened < 0) {
            return kIncludeFileCannotOpen;
        }
        ::close(opened);
        return kIncludeFileOk;
    }
    if (head.empty()) {
        return kIncludeFileEmpty;
    }
    const bool text = std::none_of(head.begin(), head.end(), [](char c) {
        return IsControlByte(static_cast<unsigned char>(c));
    });
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
    std::string buffer;
    int error = 0;
    if (!platform::ReadRegularFile(path, kMaxIncludeFileSize, platform::Oversize::Refuse, buffer,
                                   error) ||
        buffer.empty()) {
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
