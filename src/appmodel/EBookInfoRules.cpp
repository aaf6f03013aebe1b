#include "appmodel/EBookInfoRules.h"

#include "platform/AsciiText.h"
#include "platform/Paths.h"
#include "project/Project.h"

namespace nbx {

EBookInfoValues EBookInfoOf(const Project& project) {
    return {project.title,  project.publisher,   project.copyright,
            project.author, project.authorEmail, project.authorUrl};
}

CheckResult<EBookInfoField> CheckEBookInfo(const EBookInfoValues& values) {
    if (values.title.empty()) {
        return FieldFailure<EBookInfoField>{"Your E-Book must have a Title.",
                                            EBookInfoField::Title};
    }
    if (values.copyright.empty()) {
        return FieldFailure<EBookInfoField>{"You must have a Copyright message.",
                                            EBookInfoField::Copyright};
    }
    if (values.author.empty()) {
        return FieldFailure<EBookInfoField>{"You must have enter the Author's name.",
                                            EBookInfoField::Author};
    }
    return std::nullopt;
}

void ApplyEBookInfo(const EBookInfoValues& values, Project& project) {
    project.title = values.title;
    project.publisher = values.publisher;
    project.copyright = values.copyright;
    project.author = values.author;
    project.authorEmail = values.authorEmail;
    project.authorUrl = values.authorUrl;
    project.SetModified();
}

OutputValues OutputOf(const Project& project) {
    return {project.outputExe,
            project.buildRebrander,
            project.rebranderExe,
            project.EffectiveRebranderTitle(),
            project.rebranderStartMessage,
            project.rebranderEndMessage};
}

CheckResult<OutputField> CheckOutput(const OutputValues& values) {
    using Failure = FieldFailure<OutputField>;
    if (values.outputExe.empty()) {
        return Failure{"You have not set the Output E-Book EXE.", OutputField::EBookExe};
    }
    if (!values.buildRebrander) {
        return std::nullopt;
    }
    if (values.rebranderExe.empty()) {
        return Failure{"You have not set the Output Rebrander EXE.", OutputField::RebranderExe};
    }
    if (ToLowerAscii(values.outputExe) == ToLowerAscii(values.rebranderExe)) {
        return Failure{
            "The Output E-Book EXE and the Output Rebrander EXE must be set to "
            "different file names (but be in the same folder).",
            OutputField::RebranderExe};
    }
    if (ToLowerAscii(platform::FolderPartOfPath(values.outputExe)) !=
        ToLowerAscii(platform::FolderPartOfPath(values.rebranderExe))) {
        return Failure{
            "The Output E-Book EXE and the Output Rebrander EXE must be both in the "
            "same folder.",
            OutputField::RebranderExe};
    }
    if (values.rebranderTitle.empty()) {
        return Failure{"You have not set the Rebrander Title.", OutputField::RebranderTitle};
    }
    if (values.rebranderStartMessage.empty()) {
        return Failure{"You have not set the Rebrander Start Message.", OutputField::StartMessage};
    }
    if (values.rebranderEndMessage.empty()) {
        return Failure{"You have not set the Rebrander End Message.", OutputField::EndMessage};
    }
    return std::nullopt;
}

void ApplyOutput(const OutputValues& values, Project& project) {
    project.outputExe = values.outputExe;
    project.buildRebrander = values.buildRebrander;
    project.rebranderExe = values.rebranderExe;
    project.rebranderTitle = values.rebranderTitle;
    project.rebranderStartMessage = values.rebranderStartMessage;
    project.rebranderEndMessage = values.rebranderEndMessage;
    project.SetModified();
}

std::string OutputBrowseStart(const std::string& own, const std::string& other) {
    return own.empty() ? platform::FolderPartOfPath(other) : own;
}

}  // namespace nbx
