#include "project/Project.h"

#include <algorithm>

#include "common/ProgramFolderPath.h"
#include "common/Prompter.h"
#include "platform/Clock.h"
#include "platform/ProfileFile.h"

namespace nbx {

const char* const kDefaultRebranderStartMessage =
    "The author of this E-Book has allowed you to customize it with your own personal "
    "information, by using this program.\r\n\r\nPlease ensure that the E-Book is in the same "
    "folder as this program, and is not currently running.\r\n\r\nWhen you are ready to start "
    "the customization process, press the 'Customize' button.";

const char* const kDefaultRebranderEndMessage =
    "The customization process is now complete.\r\n\r\nThe E-Book program in this folder now "
    "contains your personal information.\r\n\r\nPress 'View E-Book' to view the E-Book, or "
    "'Exit' to close this program.";

void Project::ResetToDefaults() {
    static_cast<ProjectSettings&>(*this) = ProjectSettings{};
    title = "The title of your E-Book";
    author = "Your Name";
    copyright = "Copyright (C) " + std::to_string(platform::LocalNow().year) + ", Your Company";
    affiliateNickname = platform::ReadProfileString("QUORLIN.INI", "EBook", "NickName", "", 255);
    splashBitmap = ProgramFolderPath("splash16.bmp");
    iconFile = ProgramFolderPath("icons/Books/idr_main.ico");
    rebranderStartMessage = kDefaultRebranderStartMessage;
    rebranderEndMessage = kDefaultRebranderEndMessage;
}

bool Project::IsHtmlFile(std::size_t index) const {
    return index < files.size() && IsHtmlName(files[index].path);
}

bool CompareFiles(const SourceFile& a, const SourceFile& b) {
    const bool aHtml = IsHtmlName(a.path);
    const bool bHtml = IsHtmlName(b.path);
    if (aHtml != bHtml) {
        return aHtml;
    }
    // Empty keys, titles and descriptions sort after filled ones.
    for (auto field : {&SourceFile::orderKey, &SourceFile::title, &SourceFile::description}) {
        const std::string& av = a.*field;
        const std::string& bv = b.*field;
        if (av != bv) {
            if (av.empty()) {
                return false;
            }
            if (bv.empty()) {
                return true;
            }
            return av < bv;
        }
    }
    return a.path < b.path;
}

void Project::SortFiles() {
    std::stable_sort(files.begin(), files.end(), CompareFiles);
    for (std::size_t i = 0; i < files.size(); ++i) {
        files[i].orderKey = IsHtmlName(files[i].path) ? OrderKeyForPosition(i) : std::string();
    }
}

int Project::CountExcludedFiles() const {
    return static_cast<int>(std::count_if(files.begin(), files.end(),
                                          [](const SourceFile& f) { return f.excluded == 1; }));
}

void Project::MoveFileUp(std::size_t index, Prompter& prompter) {
    if (index == 0 || !IsHtmlFile(index) || !IsHtmlFile(index - 1)) {
        prompter.Show("This file can not be moved further up.");
        return;
    }
    std::swap(files[index].orderKey, files[index - 1].orderKey);
    modified_ = true;
    SortFiles();
}

void Project::MoveFileDown(std::size_t index, Prompter& prompter) {
    if (!IsHtmlFile(index) || !IsHtmlFile(index + 1)) {
        prompter.Show("This file can not be moved further down.");
        return;
    }
    std::swap(files[index].orderKey, files[index + 1].orderKey);
    modified_ = true;
    SortFiles();
}

void Project::MoveFileToTop(std::size_t index) {
    if (!IsHtmlFile(index)) {
        return;
    }
    files[index].orderKey = "00000000";
    modified_ = true;
    SortFiles();
}

void Project::MoveFileToBottom(std::size_t index) {
    if (!IsHtmlFile(index)) {
        return;
    }
    files[index].orderKey = "99999999";
    modified_ = true;
    SortFiles();
}

int Project::FindExtension(std::string_view path) const {
    const auto it = std::find(extensions.begin(), extensions.end(), path);
    return it == extensions.end() ? -1 : static_cast<int>(it - extensions.begin());
}

std::string Project::EffectiveRebranderTitle() const {
    return rebranderTitle.empty() ? "Rebrand " + title : rebranderTitle;
}

void Project::SetOutputPaths(std::string outputPath, std::string rebranderPath) {
    outputExe = std::move(outputPath);
    rebranderExe = std::move(rebranderPath);
}

}  // namespace nbx
