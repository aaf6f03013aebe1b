#include "project/FileListCommands.h"
#include "project/EntryName.h"

#include "common/Prompter.h"
#include "platform/Paths.h"

namespace nbx {

namespace {

// Flips one flag of an HTML file after the checks common to three toggles.
bool ToggleHtmlFlag(Project& project, std::size_t index, Prompter& prompter,
                    std::int32_t SourceFile::*flag, const char* notHtmlMessage,
                    const char* noTitleMessage) {
    if (index >= project.files.size()) {
        return false;
    }
    SourceFile& f = project.files[index];
    if (!IsHtmlName(f.path)) {
        prompter.Show(notHtmlMessage);
        return false;
    }
    if (noTitleMessage && f.title.empty()) {
        prompter.Show(noTitleMessage);
        return false;
    }
    f.*flag = f.*flag ? 0 : 1;
    project.SetModified();
    return true;
}

struct AllFilesRule {
    const char* question;
    std::int32_t SourceFile::*flag;
    std::int32_t value;
    bool htmlOnly;
    bool needsTitle;
    const char* untitledMessage;  // null when untitled files are not listed
};

AllFilesRule RuleOf(AllFilesCommand command) {
    switch (command) {
        case AllFilesCommand::MakeSearchable:
            return {"Are you sure that you want to make all your HTML files searchable?",
                    &SourceFile::searchable,
                    1,
                    true,
                    true,
                    "The following HTML file(s) could not be made searchable because they do "
                    "not have a title:"};
        case AllFilesCommand::RemoveSearchable:
            return {"Are you sure that you want to remove searching from all your files?",
                    &SourceFile::searchable,
                    0,
                    false,
                    false,
                    nullptr};
        case AllFilesCommand::ListInContents:
            return {
                "Are you sure that you want to include all your HTML files to the Table Of "
                "Contents?",
                &SourceFile::inContents,
                1,
                true,
                true,
                "The following HTML file(s) could not be put into the Table Of Contents "
                "because they do not have a title:"};
        case AllFilesCommand::RemoveFromContents:
            return {"Are you sure that you want to take all files out of the Table Of Contents?",
                    &SourceFile::inContents,
                    0,
                    false,
                    false,
                    nullptr};
        case AllFilesCommand::PreprocessorOn:
            return {
                "Are you sure that you want to turn on the PreProcessor for all your HTML "
                "files?",
                &SourceFile::preprocess,
                1,
                true,
                false,
                nullptr};
        case AllFilesCommand::PreprocessorOff:
            return {
                "Are you sure that you want to turn off the PreProcessor for all your HTML "
                "files?",
                &SourceFile::preprocess,
                0,
                true,
                false,
                nullptr};
    }
    return {};
}

}  // namespace

bool ToggleExcluded(Project& project, std::size_t index) {
    if (index >= project.files.size()) {
        return false;
    }
    SourceFile& f = project.files[index];
    f.excluded = f.excluded ? 0 : 1;
    project.SetModified();
    return true;
}

bool ToggleSearchable(Project& project, std::size_t index, Prompter& prompter) {
    return ToggleHtmlFlag(project, index, prompter, &SourceFile::searchable,
                          "Only HTML files can be made Searchable",
                          "You must first add a title before you can make this file Searchable.");
}

bool ToggleInContents(Project& project, std::size_t index, Prompter& prompter) {
    return ToggleHtmlFlag(project, index, prompter, &SourceFile::inContents,
                          "Only HTML files can be the Table Of Contents",
                          "You must first add a title before you can include this file in the "
                          "Table Of Contents.");
}

bool TogglePreprocess(Project& project, std::size_t index, Prompter& prompter) {
    return ToggleHtmlFlag(project, index, prompter, &SourceFile::preprocess,
                          "Only HTML files can be PreProcessed", nullptr);
}

bool RunAllFilesCommand(Project& project, AllFilesCommand command, Prompter& prompter,
                        const std::function<void()>& redraw) {
    if (project.files.empty()) {
        return false;
    }
    const AllFilesRule rule = RuleOf(command);
    if (prompter.Ask(rule.question, Buttons::YesNo, Answer::No, MessageIcon::Question) !=
        Answer::Yes) {
        return false;
    }
    std::string untitled;
    for (SourceFile& f : project.files) {
        if (rule.htmlOnly && !IsHtmlName(f.path)) {
            continue;
        }
        if (rule.needsTitle && f.title.empty()) {
            untitled += ' ';
            untitled += EntryNameOf(project, f);
            continue;
        }
        f.*rule.flag = rule.value;
    }
    project.SetModified();
    if (redraw) {
        redraw();
    }
    if (rule.untitledMessage && !untitled.empty()) {
        prompter.Show(rule.untitledMessage + untitled);
    }
    return true;
}

std::optional<std::string> CheckFileProperties(const SourceFile& edited) {
    if (!IsHtmlName(edited.path) || !edited.title.empty()) {
        return std::nullopt;
    }
    if (edited.searchable && edited.inContents) {
        return "You must have a title if you want this file to be searchable or in the Table Of "
               "Contents.";
    }
    if (edited.inContents) {
        return "You must have a title if you want this file to be in the Table of Contents.";
    }
    if (edited.searchable) {
        return "You must have a title if you want this file to be searchable.";
    }
    return std::nullopt;
}

void StoreFileProperties(Project& project, std::size_t index, const SourceFile& edited) {
    if (index >= project.files.size()) {
        return;
    }
    SourceFile& f = project.files[index];
    f.title = edited.title;
    f.description = edited.description;
    f.keywords = edited.keywords;
    f.searchable = edited.searchable;
    f.inContents = edited.inContents;
    f.excluded = edited.excluded;
    f.preprocess = edited.preprocess;
    project.SetModified();
}

}  // namespace nbx
