#include "compile/RebranderBuild.h"

#include <sys/stat.h>

#include <cstdio>

#include "compile/OutputFile.h"
#include "format/ArchiveRecordWriter.h"
#include "format/ByteSink.h"
#include "format/FileCopy.h"
#include "platform/FileHandle.h"
#include "platform/Paths.h"
#include "platform/TempFiles.h"

namespace nbx {

namespace {

constexpr int kSharingRetries = 3;
constexpr const char* kSolution =
    "1. Free some disk space on the drive where your temporary files are stored.\n2. Close "
    "other Windows applications.\n3. Try saving your work and rebooting.";

class RebranderCleanup {
public:
    explicit RebranderCleanup(BuildUi& ui) : ui_(ui) {}
    ~RebranderCleanup() {
        ui_.progress.EndProgress();
        platform::RemoveFileQuietly(tempPath);
        if (!succeeded && !outputPath.empty()) {
            platform::RemoveFileQuietly(outputPath);
        }
    }
    std::string outputPath;  // set once the path is known to be claimed
    std::string tempPath;
    bool succeeded = false;

private:
    BuildUi& ui_;
};

}  // namespace

bool BuildRebrander(const Project& project, BuildUi& ui, std::int64_t buildTime,
                    const std::string& compilerFolder) {
    RebranderCleanup cleanup(ui);
    const std::string& output = project.rebranderExe;
    if (output.empty()) {
        ReportBuildError(ui, "No Output Rebrander EXE selected.",
                         "Click 'Output' on the 'Edit' menu and select the name of the Output "
                         "Rebrander EXE file to create or turn off building a Rebrander.");
        return false;
    }
    const std::string ebookName = platform::FileNameOfPath(project.outputExe);
    if (platform::FolderPartOfPath(project.outputExe).empty() || ebookName.empty()) {
        ReportBuildError(ui, "Can't find Output E-Book EXE Path.",
                         "Ensure a full path is entered for this parameter on the dialog shown "
                         "when you click 'Output' on the 'Edit' menu.");
        return false;
    }

    ui.progress.ReportStage("Creating Rebrander EXE", 1);
    const OutputClaim claim = ClaimOutputFile(output, kSharingRetries, ui);
    if (claim.cancelled) {
        return false;
    }
    if (!claim.ok) {
        if (claim.sharingViolation) {
            ReportBuildError(ui, "Sharing Violation.",
                             "Your Rebrander is already running. Please close it down before try "
                             "to rebuild it.");
        } else {
            ReportBuildError(
                ui,
                "Unable to write to Output Rebrander EXE: " + SystemMessageForReport(claim.error),
                "Click 'Output' on the 'Edit' menu and try browsing a different file "
                "name for the Output Rebrander EXE.");
        }
        return false;
    }
    cleanup.outputPath = output;

    // The new Rebrander is made beside the old one and renamed over it when complete.
    ui.progress.ReportStage("Generating Code", 25);
    const std::string stub = platform::JoinPath(compilerFolder, "rebrand.dat");
    int error = 0;
    cleanup.tempPath = CreateSiblingTempFile(output, error);
    if (cleanup.tempPath.empty() || !CopyWholeFile(stub, cleanup.tempPath, error)) {
        ReportSystemError(ui, "Error copying Rebrander binary file.",
                          "Attempting to copy temporary file: " + stub + " to " + output, error,
                          kSolution);
        return false;
    }

    ui.progress.ReportStage("Preparing Data", 75);
    platform::FileHandle file;
    if (!file.Open(cleanup.tempPath, platform::FileHandle::Mode::ReadWrite)) {
        ReportSystemError(ui, "Error opening Rebrander binary file.",
                          "Attempting to open file: " + output, file.error(), kSolution);
        return false;
    }
    std::uint64_t recordOffset = 0;
    bool written = file.SeekToEnd(recordOffset) && recordOffset <= 0x7FFFFFFF;

    RebranderRecord record;
    record.ebookFileName = ebookName;
    record.title = project.title;
    record.rebranderTitle = project.EffectiveRebranderTitle();
    record.rebranderStartMessage = project.rebranderStartMessage;
    record.rebranderEndMessage = project.rebranderEndMessage;
    record.rebranderOption = project.rebranderOption;
    RebranderTrailer trailer;
    trailer.buildTime = static_cast<std::uint32_t>(buildTime);
    trailer.recordOffset = static_cast<std::int32_t>(recordOffset);

    ui.progress.ReportStage("Writing Data", 80);
    FileSink sink(file);
    RecordStreamWriter writer(sink);
    written = written && WriteRebranderRecord(writer, record);
    ui.progress.ReportStage("Writing Data", 90);
    written = written && WriteRebranderTrailer(writer, trailer) && writer.Flush();
    ui.progress.ReportStage("Writing Data", 99);
    file.Close();
    written = written && ::chmod(cleanup.tempPath.c_str(), 0755) == 0 &&
              std::rename(cleanup.tempPath.c_str(), output.c_str()) == 0;
    if (!written) {
        ReportBuildError(ui,
                         "Error writing Rebrander binary file. Out of disk space or file "
                         "handles?",
                         "Free some disk space on the drive where your Rebrander files are "
                         "stored. Close other Windows applications. Consider saving your work and "
                         "rebooting.");
        return false;
    }
    cleanup.tempPath.clear();
    cleanup.succeeded = true;
    return true;
}

}  // namespace nbx
