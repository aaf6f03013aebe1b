#include "viewerfiles/LanguageEditFlow.h"

#include "platform/AsciiText.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FileHandle.h"
#include "platform/Paths.h"
#include "viewerfiles/LanguageFileCheck.h"
#include "viewerfiles/LanguageFiles.h"
#include "viewerfiles/LanguageList.h"

namespace nbx {

namespace {

bool IsLetterOrDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Two language paths name the same file when the file system would say so: exactly here,
// ignoring case where file names ignore case.
bool SameLanguagePath(const std::string& a, const std::string& b) {
#ifdef _WIN32
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
#else
    return a == b;
#endif
}

}  // namespace

bool LanguageNameOkEnabled(std::string_view typed) {
    return !TrimAsciiWhiteSpace(typed).empty();
}

std::string InstalledLanguageSpelling(std::string_view typed) {
    const std::string folder = platform::FolderPartOfPath(LanguagePath(typed));
    const LanguageList installed = ListLanguagesIn(folder.empty() ? "." : folder, typed);
    if (installed.selected >= 0) {
        const std::string& name = installed.names[static_cast<std::size_t>(installed.selected)];
        if (ToLowerAscii(name) == ToLowerAscii(std::string(typed))) {
            return name;
        }
    }
    return std::string(typed);
}

LanguageNameCheck CheckLanguageName(std::string_view typed, std::string_view startName,
                                    Prompter& prompter) {
    LanguageNameCheck check;
    if (TrimAsciiWhiteSpace(typed).empty()) {
        check.message = "You must enter a name.";
        return check;
    }
    for (const char c : typed) {
        if (!IsLetterOrDigit(c)) {
            check.message = "Please use only letters and numbers in the name.";
            return check;
        }
    }
    const std::string name = InstalledLanguageSpelling(typed);
    if (ToLowerAscii(name) == ToLowerAscii(kDefaultLanguage)) {
        check.message =
            std::string("Please use a different name, you can not overwrite the default ") +
            kDefaultLanguage + " language file.";
        return check;
    }
    if (name != startName && platform::FileExists(LanguagePath(name))) {
        const std::string question =
            "Are you sure that you want to overwrite the '" + name + "' language file?";
        if (prompter.Ask(question, Buttons::YesNo, Answer::No) != Answer::Yes) {
            return check;
        }
    }
    check.accepted = true;
    check.name = name;
    return check;
}

bool CopyLanguageFile(const std::string& fromPath, const std::string& toPath, int& errorCode) {
    errorCode = 0;
    platform::FileHandle from;
    if (!from.Open(fromPath, platform::FileHandle::Mode::Read)) {
        errorCode = from.error();
        return false;
    }
    platform::AtomicFileWriter to(toPath);
    if (!to.Open()) {
        errorCode = to.error();
        return false;
    }
    std::string chunk(64 * 1024, '\0');
    for (;;) {
        const std::int64_t n = from.Read(chunk.data(), chunk.size());
        if (n < 0) {
            errorCode = from.error();
            return false;
        }
        if (n == 0) {
            break;
        }
        if (!to.Write(chunk.data(), static_cast<std::size_t>(n))) {
            errorCode = to.error();
            return false;
        }
    }
    if (!to.Commit()) {
        errorCode = to.error();
        return false;
    }
    return true;
}

bool RunLanguageEditFlow(const std::string& shownName, LanguageEditUi& ui, Prompter& prompter) {
    const std::string oldPath = LanguagePath(shownName);
    if (!CheckLanguageFile(oldPath)) {
        prompter.Show(kCorruptLanguageMessage, MessageIcon::Error);
        return false;
    }
    const std::optional<std::string> typedName = ui.AskLanguageName(shownName);
    if (!typedName) {
        return false;
    }
    const std::optional<std::string> newName = InstalledLanguageSpelling(*typedName);
    const std::string newPath = LanguagePath(*newName);
    if (!SameLanguagePath(oldPath, newPath)) {
        int errorCode = 0;
        if (!CopyLanguageFile(oldPath, newPath, errorCode)) {
            prompter.Show(kCopyLanguageFailedMessage, MessageIcon::Error);
            return false;
        }
    }
    ui.ShowLanguageList(FillLanguageList(*newName, prompter));
    ui.EditLanguage(*newName, newPath);
    return true;
}

}  // namespace nbx
