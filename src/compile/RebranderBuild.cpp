#include "compile/RebranderBuild.h"

#include "compile/BuildChecks.h"
#include "compile/BuildMessages.h"
#include "compile/OutputFile.h"
#include "compile/ProgramTarget.h"
#include "format/ArchiveRecordWriter.h"
#include "format/ByteSink.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FileHandle.h"
#include "platform/Paths.h"
#include "platform/TempFiles.h"

namespace nbx {

namespace {

constexpr int kSharingRetries = 3;
constexpr const char* kSolution =
    "1. Free some disk space on the drive where your temporary files are stored.\n2. Close "
    "other applications.\n3. Try saving your work and rebooting.";

class RebranderCleanup {
public:
    explicit RebranderCleanup(BuildUi& ui) : ui_(ui) {}
    ~RebranderCleanup() {
        ui_.progress.EndProgress();
        // A failed build leaves no Rebrander, not even one from an earlier build.
        if (!succeeded && !outputPath.empty()) {
            platform::RemoveFileQuietly(outputPath);
        }
    }
    std::string outputPath;  // set once the path is known to be claimed
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
        ReportBuildError(ui, build_message::kNoRebranderExe,
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

    // On a disk that ignores case, two spellings that were two paths before the e-book was
    // built can now be its one file, which the Rebrander must never replace.
    if (platform::SameFile(output, project.outputExe)) {
        ReportBuildError(ui, SameOutputFilesError());
        return false;
    }

    // The stub of the system the output name asks for: "x.exe" is a Windows Rebrander.
    const ProgramTarget target = TargetOfOutputName(output);
    const std::string stub = platform::JoinPath(compilerFolder, StubFileName("rebrand", target));
    if (target == ProgramTarget::Windows && !platform::FileExists(stub)) {
        ReportBuildError(ui, MissingWindowsStubMessage(stub),
                         "Click 'Output' on the 'Edit' menu and choose the name of the Output "
                         "Rebrander EXE: a name ending in \".exe\" builds a Windows Rebrander, "
                         "any other a Linux one.");
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
                "name for the Output Rebrander EXE." +
                    MissingOutputFolderNote(output));
        }
        return false;
    }
    cleanup.outputPath = output;

    // The new Rebrander is made beside the old one and put in its place when complete.
    ui.progress.ReportStage("Generating Code", 25);
    platform::AtomicFileWriter out(output, platform::AtomicFileWriter::Kind::Program);
    platform::FileHandle stubFile;
    const bool stubOpened = stubFile.Open(stub, platform::FileHandle::Mode::ReadRegular);
    const std::int64_t stubSize = stubOpened ? stubFile.Size() : -1;
    if (stubSize < 0 || !out.Open() ||
        !out.CopyFrom(stubFile, 0, static_cast<std::uint64_t>(stubSize))) {
        const int error = stubSize < 0 ? stubFile.error() : out.error();
        ReportSystemError(ui, "Error copying Rebrander binary file.",
                          build_message::kCopyingTemporaryFile + stub + " to " + output, error,
                          kSolution);
        return false;
    }

    ui.progress.ReportStage("Preparing Data", 75);
    const auto recordOffset = static_cast<std::uint64_t>(stubSize);
    bool written = recordOffset <= 0x7FFFFFFF;

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
    AtomicFileSink sink(out);
    RecordStreamWriter writer(sink);
    written = written && WriteRebranderRecord(writer, record);
    ui.progress.ReportStage("Writing Data", 90);
    written = written && WriteRebranderTrailer(writer, trailer) && writer.Flush();
    ui.progress.ReportStage("Writing Data", 99);
    written = written && out.Commit();
    if (!written) {
        ReportBuildError(ui,
                         "Error writing Rebrander binary file. Out of disk space or file "
                         "handles?",
                         "Free some disk space on the drive where your Rebrander files are "
                         "stored. Close other applications. Consider saving your work and "
                         "rebooting.");
        return false;
    }
    cleanup.succeeded = true;
    return true;
}

}  // namespace nbx
