#include "compile/BuildEBook.h"

#include <filesystem>
#include <optional>

#include "common/ProgramFolderPath.h"
#include "common/Prompter.h"
#include "compile/BuildChecks.h"
#include "compile/BuildClock.h"
#include "compile/BuildMessages.h"
#include "compile/BuildSession.h"
#include "compile/EntryPreparer.h"
#include "compile/FillBuildSettings.h"
#include "compile/IconCustomiser.h"
#include "compile/OutputAssembler.h"
#include "compile/OutputFile.h"
#include "compile/ProgramTarget.h"
#include "compile/SearchIndexBuild.h"
#include "compile/SeriesTemplate.h"
#include "extensions/ExtensionBuildSteps.h"
#include "extensions/ExtensionRegistry.h"
#include "format/ArchiveVariable.h"
#include "format/BuildSettings.h"
#include "format/EntryWriter.h"
#include "format/FileCopy.h"
#include "format/RecordFormat.h"
#include "platform/AtomicFileWriter.h"
#include "platform/Clock.h"
#include "platform/ExecutablePath.h"
#include "platform/FileHandle.h"
#include "platform/Paths.h"
#include "platform/TempFiles.h"
#include "project/EntryName.h"
#include "variables/VariablePreparation.h"
#include "viewerfiles/LanguageFileCheck.h"

namespace nbx {

namespace {

constexpr int kSharingRetries = 8;
constexpr int kMaxPopupItems = 20;

constexpr const char* kDiskAdvice =
    "Free some disk space on the drive where your temporary files are stored. Close other "
    "applications. Consider saving your work and rebooting.";
constexpr const char* kTempSolution =
    "1. Free some disk space on the drive where your temporary files are stored.\n2. Close "
    "other applications.\n3. Try saving your work and rebooting.";

// Passes messages on after closing the build's displays, so that failures reported by the
// pieces the build calls look like the build's own reports.
class ReportingPrompter final : public Prompter {
public:
    explicit ReportingPrompter(BuildUi& ui) : ui_(ui) {}
    void Show(std::string_view text, MessageIcon icon) override {
        CloseBuildDisplays(ui_);
        ui_.prompter.Show(text, icon);
    }
    Answer Ask(std::string_view text, Buttons buttons, Answer defaultAnswer,
               MessageIcon icon) override {
        return ui_.prompter.Ask(text, buttons, defaultAnswer, icon);
    }

private:
    BuildUi& ui_;
};

// Deletes the working files and ends the progress display however the build ends; undoes
// the output claim unless the build finished.
class BuildCleanup {
public:
    explicit BuildCleanup(BuildUi& ui) : ui_(ui) {}
    ~BuildCleanup() {
        platform::RemoveFileQuietly(stubCopyPath);
        if (!succeeded) {
            ReleaseOutputClaim(outputPath, claim);
        }
        ui_.progress.EndProgress();
    }

    std::string stubCopyPath;
    std::string outputPath;
    OutputClaim claim;
    bool succeeded = false;

private:
    BuildUi& ui_;
};

int LinkingPercent(long long step, long long fileCount) {
    return static_cast<int>(step / (fileCount + 3) + 15);
}

std::string WithoutLineFeeds(std::string text) {
    std::erase(text, '\n');
    return text;
}

void ReportUnwritableOutput(BuildUi& ui, int error, const std::string& path) {
    ReportBuildError(
        ui,
        "Unable to write to Output E-Book EXE: " + WithoutLineFeeds(SystemMessageForReport(error)),
        "Click 'Output' on the 'Edit' menu and try browsing a different file name "
        "for the Output E-Book EXE to create." +
            MissingOutputFolderNote(path));
}

// Shows a stage unless the person stopped the build; a stopped build ends silently.
bool BeginStage(BuildUi& ui, std::string_view text, int percent) {
    ui.progress.ReportStage(text, percent);
    return !ui.progress.CancelRequested();
}

// More than 20 pages in the Table Of Contents with the pop-up list on. False when
// the author cancelled the build.
bool SettleContentsPopup(BuildSettings& settings, const FileCensus& census, bool seriesFlag,
                         BuildUi& ui) {
    if (census.contentsCount <= kMaxPopupItems || !settings.contentsPopupList) {
        return true;
    }
    if (seriesFlag) {
        const bool keep = ui.session && ui.session->contentsPopupAnswer.value_or(false);
        settings.contentsPopupList = keep ? 1 : 0;
        return true;
    }
    const Answer answer = ui.prompter.Ask(
        "You have chosen to have a Pop-up list for the Table Of Contents button, but there are "
        "more than 20 (the maximum allowed items) in the list.\n\nWould you like to turn off the "
        "Pop-up list?\n\nYes = Yes, turn off the Pop-up list.\nNo = No, keep the Pop-up list, "
        "but limit it to the first 20 items.\nCancel = Don't compile.",
        Buttons::YesNoCancel, Answer::Yes, MessageIcon::Question);
    if (answer == Answer::Cancel) {
        return false;
    }
    settings.contentsPopupList = answer == Answer::Yes ? 0 : 1;
    if (ui.session) {
        ui.session->contentsPopupAnswer = settings.contentsPopupList != 0;
    }
    return true;
}

// What the linking needs besides the project.
struct LinkInputs {
    std::string languagePath;
    std::string toolbarPath;
    std::vector<EmbeddedLibrary> libraries;
    unsigned packingWorkers = 0;
    bool searchIndex = false;  // the index of the searchable pages goes in after them
};

// The pages the build indexes: none without the index.
std::vector<SearchIndexSource> IndexedPages(const Project& project, const LinkInputs& in) {
    return in.searchIndex ? SearchIndexSources(project) : std::vector<SearchIndexSource>();
}

// Disk writes of the content are started every so often while it is packed, so that the
// flush at the end finds little left to write.
constexpr std::uint64_t kWriteBackStep = 16 << 20;

// A source file's directory entry, before its data is written.
DirectoryEntry EntryOf(const Project& project, const SourceFile& file) {
    DirectoryEntry entry;
    entry.name = EntryNameOf(project, file);
    entry.searchable = file.searchable;
    entry.inContents = file.inContents;
    entry.preprocess = file.preprocess;
    entry.title = file.title;
    entry.description = file.description;
    entry.keywords = file.keywords;
    entry.orderKey = file.orderKey;
    return entry;
}

// The directory the linking will write, without the offsets and lengths, which do not change
// its length.
std::vector<DirectoryEntry> PlannedDirectory(const Project& project, const LinkInputs& in) {
    std::vector<DirectoryEntry> planned(2);
    planned[0].name = record::kLanguageEntryName;
    planned[1].name = record::kToolbarEntryName;
    for (const SourceFile& file : project.files) {
        if (!file.excluded) {
            planned.push_back(EntryOf(project, file));
        }
    }
    if (!IndexedPages(project, in).empty()) {
        planned.emplace_back().name = record::kSearchIndexEntryName;
    }
    for (const auto& library : in.libraries) {
        planned.emplace_back().name = library.entryName;
    }
    return planned;
}

// For a series item written from the series' shared part, which stands in for the content:
// the linking stages pass as a build's would. False when the build was stopped.
bool PassLinkingStages(const Project& project, BuildUi& ui) {
    const long long fileCount = static_cast<long long>(project.files.size());
    if (!BeginStage(ui, "Linking contents", LinkingPercent(65, fileCount)) ||
        !BeginStage(ui, "Linking contents", LinkingPercent(130, fileCount))) {
        return false;
    }
    for (long long i = 0; i < fileCount; ++i) {
        if (!project.files[static_cast<std::size_t>(i)].excluded &&
            !BeginStage(ui, "Linking contents", LinkingPercent(195 + 65 * i, fileCount))) {
            return false;
        }
    }
    return true;
}

// The included source files packed into content in list order, each with its stage; after
// each, writtenOut() may start the disk writes. False after the failure has been reported.
template <typename WrittenOut>
bool AppendSourceFiles(const Project& project, BuildUi& ui, unsigned packingWorkers,
                       platform::FileHandle& content, std::vector<DirectoryEntry>& directory,
                       const WrittenOut& writtenOut) {
    std::vector<std::string> included;
    for (const SourceFile& file : project.files) {
        if (!file.excluded) {
            included.push_back(file.path);
        }
    }
    const long long fileCount = static_cast<long long>(project.files.size());
    EntryPreparer preparer(included, packingWorkers);
    std::size_t next = 0;
    for (long long i = 0; i < fileCount; ++i) {
        const SourceFile& file = project.files[static_cast<std::size_t>(i)];
        if (file.excluded) {
            continue;
        }
        if (!BeginStage(ui, "Linking contents", LinkingPercent(195 + 65 * i, fileCount))) {
            return false;
        }
        if (!preparer.Append(next++, content, EntryOf(project, file), directory)) {
            ReportBuildError(ui, build_message::kTemporaryWriteFailed, kDiskAdvice);
            return false;
        }
        writtenOut();
    }
    return true;
}

// "Preparing contents" and "Linking contents": every entry packed into the new e-book itself
// (output), from contentStart on, where it will stay: the stub and the records before it are
// filled in by the assembly. Offsets in directory are from contentStart. Without an output,
// for a series item written from the series' shared part, only the stages are shown. False
// after the failure has been reported.
bool LinkContent(const Project& project, BuildUi& ui, const LinkInputs& in,
                 platform::AtomicFileWriter* output, std::uint64_t contentStart,
                 std::vector<DirectoryEntry>& directory) {
    if (!BeginStage(ui, "Preparing contents", 10)) {
        return false;
    }
    if (!output) {
        return PassLinkingStages(project, ui);
    }
    const long long fileCount = static_cast<long long>(project.files.size());
    // The search index is made beside the linking, from the same files.
    std::optional<SearchIndexBuild> searchIndex;
    if (std::vector<SearchIndexSource> pages = IndexedPages(project, in); !pages.empty()) {
        searchIndex.emplace(std::move(pages));
    }
    if (!output->Open()) {
        ReportUnwritableOutput(ui, output->error(), project.outputExe);
        return false;
    }
    platform::FileHandle content;
    if (!content.Open(output->tempPath(), platform::FileHandle::Mode::ReadWrite) ||
        !content.Truncate(contentStart)) {
        ReportSystemError(ui, "Error creating temporary binary file.",
                          "Attempting to create temporary file: " + output->tempPath(),
                          content.error(), kTempSolution);
        return false;
    }
    std::uint64_t writtenBack = contentStart;
    const auto startWriteBack = [&] {
        const DirectoryEntry& last = directory.back();
        const std::uint64_t end =
            static_cast<std::uint64_t>(last.offset) + static_cast<std::uint64_t>(last.storedLength);
        if (end >= writtenBack + kWriteBackStep) {
            content.StartWriteBack(writtenBack, end - writtenBack);
            writtenBack = end;
        }
    };

    // Linking: the reader's data, the pages and pictures, the extensions' libraries.
    if (!BeginStage(ui, "Linking contents", LinkingPercent(65, fileCount))) {
        return false;
    }
    // The reader's own data goes first, under hidden names; what failed names the message.
    const auto appendReaderData = [&](const char* name, const std::string& path, const char* what) {
        DirectoryEntry entry;
        entry.name = name;
        if (AppendEntry(content, path, entry, directory)) {
            return true;
        }
        ReportBuildError(ui,
                         std::string("Error writing ") + what +
                             " data to temporary binary file. Out of disk space?",
                         kDiskAdvice);
        return false;
    };
    if (!appendReaderData(record::kLanguageEntryName, in.languagePath, "language")) {
        return false;
    }
    if (!BeginStage(ui, "Linking contents", LinkingPercent(130, fileCount))) {
        return false;
    }
    if (!appendReaderData(record::kToolbarEntryName, in.toolbarPath, "toolbar")) {
        return false;
    }
    if (!AppendSourceFiles(project, ui, in.packingWorkers, content, directory, startWriteBack)) {
        return false;
    }
    if (searchIndex && !searchIndex->AppendTo(content, directory)) {
        ReportBuildError(ui,
                         "Error writing search index data to temporary binary file. Out of "
                         "disk space?",
                         kDiskAdvice);
        return false;
    }
    for (const auto& library : in.libraries) {
        DirectoryEntry entry;
        entry.name = library.entryName;
        if (!AppendEntry(content, library.path, entry, directory)) {
            ReportBuildError(ui, build_message::kTemporaryWriteFailed, kDiskAdvice);
            return false;
        }
    }
    content.Close();
    for (DirectoryEntry& entry : directory) {
        entry.offset -= static_cast<std::int32_t>(contentStart);
    }
    return true;
}

}  // namespace

BuildEnvironment BuildEnvironment::ForThisProgram() {
    BuildEnvironment env;
    env.compilerPath = platform::ExecutablePath();
    env.compilerFolder = platform::FolderPartOfPath(env.compilerPath);
    env.extensions = ProcessExtensionRegistry();
    env.packingWorkers = PackingWorkersFor();
    return env;
}

namespace {

// The language file, before anything is touched; then the output, proven writable while
// waiting for an old e-book that is still running. False after the report, or when the
// build was stopped.
bool ClaimOutput(const Project& project, BuildUi& ui, const std::string& languagePath,
                 BuildCleanup& cleanup) {
    if (!CheckLanguageFile(languagePath)) {
        ReportBuildError(ui, build_message::kLanguageFileBroken,
                         build_message::kLanguageFileAdvice);
        return false;
    }
    if (project.outputExe.empty()) {
        ReportBuildError(ui, "No Output E-Book EXE selected.",
                         "Click 'Output' on the 'Edit' menu and select the name of the Output "
                         "E-Book EXE to create.");
        return false;
    }
    if (!BeginStage(ui, "Creating E-Book EXE", 1)) {
        return false;
    }
    cleanup.outputPath = project.outputExe;
    cleanup.claim = ClaimOutputFile(project.outputExe, kSharingRetries, ui);
    if (cleanup.claim.cancelled) {
        return false;
    }
    if (!cleanup.claim.ok) {
        if (cleanup.claim.sharingViolation) {
            ReportBuildError(ui, "Sharing Violation.",
                             "Your E-Book is already running. Please close it down before try to "
                             "rebuild it.");
        } else {
            ReportUnwritableOutput(ui, cleanup.claim.error, project.outputExe);
        }
        return false;
    }
    return true;
}

// The checks of the settings and the files, first failure wins. False after the report, or
// when the build was stopped.
bool CheckBuildInputs(const Project& project, BuildUi& ui, BuildSettings& settings, bool seriesFlag,
                      const ExtensionRegistry& registry) {
    if (auto problem = SettingsAndFilesProblem(project)) {
        ReportBuildError(ui, *problem);
        return false;
    }
    if (!BeginStage(ui, "Checking files", 5)) {
        return false;
    }
    const FileCensus census = TakeFileCensus(project);
    if (auto problem = CensusProblem(project, census)) {
        ReportBuildError(ui, *problem);
        return false;
    }
    if (!SettleContentsPopup(settings, census, seriesFlag, ui)) {
        return false;
    }
    if (!project.splashBitmap.empty() && !platform::FileExists(project.splashBitmap)) {
        ReportBuildError(ui, "Missing Splash File.",
                         "The project includes a Splash bitmap that does not exist.  Click 'Start "
                         "Up' on the 'Edit' menu and change to a file that does exist or empty the "
                         "field.");
        return false;
    }
    if (!AllSelectedExtensionsInstalled(project.extensions, registry)) {
        ReportBuildError(ui, kMissingExtensionsTitle, kMissingExtensionsAdvice);
        return false;
    }
    return true;
}

// The variables as the output stores them. False after the report, or when the build was
// stopped.
bool PrepareVariables(const Project& project, BuildUi& ui,
                      std::vector<ArchiveVariable>& variables) {
    if (!BeginStage(ui, kPrepareVariablesStage, kPrepareVariablesPercent)) {
        return false;
    }
    VariablePreparation prepared = PrepareBuildVariables(project.variables);
    if (!prepared.ok) {
        ReportBuildError(ui, prepared.errorTitle, prepared.errorAdvice);
        return false;
    }
    variables.reserve(prepared.variables.size());
    for (auto& v : prepared.variables) {
        variables.push_back({std::move(v.name), std::move(v.description), std::move(v.value),
                             v.canRebrand, v.kind});
    }
    return true;
}

// A working copy of the stub with the book's icon in it (cleanup.stubCopyPath). False after
// the report.
bool CopyStubWithIcon(BuildUi& ui, const std::string& stubPath, const std::string& iconPath,
                      const std::string& compilerFolder, Prompter& reporting,
                      BuildCleanup& cleanup) {
    int error = 0;
    platform::RemoveAbandonedWorkingFiles(platform::TempFolder(), "vmt");  // of killed builds
    cleanup.stubCopyPath = platform::CreateTempFile("vmt", error);
    if (cleanup.stubCopyPath.empty() || !CopyWholeFile(stubPath, cleanup.stubCopyPath, error)) {
        ReportSystemError(
            ui, "Error copying temporary file.",
            build_message::kCopyingTemporaryFile + stubPath + " to " + cleanup.stubCopyPath, error,
            kTempSolution);
        return false;
    }
    return CustomiseIcon(cleanup.stubCopyPath, iconPath, compilerFolder, reporting);
}

}  // namespace

bool BuildEBook(const Project& project, BuildUi& ui, std::int64_t buildTime, bool seriesFlag,
                const BuildEnvironment& env) {
    BuildCleanup cleanup(ui);
    ReportingPrompter reporting(ui);

    const std::string languagePath =
        platform::JoinPath(env.compilerFolder, project.language + ".lng");
    const std::string toolbarPath = platform::JoinPath(env.compilerFolder, "toolbar.tb");
    // The stub of the system the output name asks for: "book.exe" is a Windows book.
    const ProgramTarget target = TargetOfOutputName(project.outputExe);
    const std::string stubPath =
        platform::JoinPath(env.compilerFolder, StubFileName("eview", target));
    if (target == ProgramTarget::Windows && !platform::FileExists(stubPath)) {
        ReportBuildError(ui, MissingWindowsStubMessage(stubPath),
                         "Click 'Output' on the 'Edit' menu and choose the name of the Output "
                         "E-Book EXE: a name ending in \".exe\" builds a Windows e-book, any "
                         "other a Linux one.");
        return false;
    }
    if (!ClaimOutput(project, ui, languagePath, cleanup)) {
        return false;
    }

    // The settings record, then the checks.
    BuildSettings settings =
        FillBuildSettings(project, env.compilerPath, stubPath, BuildCalendarTime(buildTime));
    static const ExtensionRegistry kNoExtensions;
    const ExtensionRegistry& registry = env.extensions ? *env.extensions : kNoExtensions;
    if (!CheckBuildInputs(project, ui, settings, seriesFlag, registry)) {
        return false;
    }

    // What the e-book shares with the other items of a Build Series: when the series has kept
    // it for these very inputs, nothing is packed again.
    const std::string stockIconPath =
        platform::JoinPath(env.compilerFolder, "icons/Books/idr_main.ico");
    const std::string iconPath = project.iconFile.empty() ? stockIconPath : project.iconFile;
    const LinkInputs link{languagePath, toolbarPath,
                          RuntimeLibrariesToEmbed(project.extensions, registry, env.mainWindow),
                          env.packingWorkers, env.searchIndex};
    const SharedPartFiles shared{stubPath,     iconPath,    stockIconPath,
                                 languagePath, toolbarPath, link.libraries};
    std::string fingerprint;
    if (env.seriesTemplate) {
        fingerprint = SharedPartFingerprint(project, shared, settings);
    }
    const bool reuse = env.seriesTemplate && env.seriesTemplate->Matches(fingerprint);

    // The new e-book, written beside the old one and put in its place when complete.
    platform::AtomicFileWriter output(project.outputExe, platform::AtomicFileWriter::Kind::Program);
    std::error_code noSize;  // a stub that cannot be read fails when it is copied
    const std::uint64_t contentStart = OutputAssembler::ContentStart(
        std::filesystem::file_size(stubPath, noSize), settings, PlannedDirectory(project, link));
    std::vector<DirectoryEntry> directory;
    if (!LinkContent(project, ui, link, reuse ? nullptr : &output, contentStart, directory)) {
        return false;
    }

    std::vector<ArchiveVariable> variables;
    if (!PrepareVariables(project, ui, variables)) {
        return false;
    }
    // The icon goes into a working copy of the stub (already in the series' shared part).
    if (!BeginStage(ui, "Customizing Icon", 90)) {
        return false;
    }
    if (!reuse &&
        !CopyStubWithIcon(ui, stubPath, iconPath, env.compilerFolder, reporting, cleanup)) {
        return false;
    }

    // The stub and the records before the content, the rest after it.
    if (!BeginStage(ui, "Building Output", 95)) {
        return false;
    }
    AssemblyParts parts;
    parts.stubPath = cleanup.stubCopyPath;
    parts.settings = &settings;
    parts.directory = &directory;
    parts.variables = &variables;
    parts.buildTime = static_cast<std::uint32_t>(buildTime);
    parts.contentStart = contentStart;
    parts.splashPath = project.splashBitmap;
    parts.splashExtraDelay = project.splashExtraDelay;
    parts.splashPercentageBar = project.splashPercentageBar;
    OutputAssembler assembler;
    if (reuse && !output.Open()) {
        ReportUnwritableOutput(ui, output.error(), project.outputExe);
        return false;
    }
    parts.outputPath = output.tempPath();
    const bool assembled = reuse ? assembler.AssembleFromShared(parts, env.seriesTemplate->path(),
                                                                env.seriesTemplate->layout())
                                 : assembler.Assemble(parts);
    // Kept for the next items only when no input changed while it was read.
    if (assembled && !reuse && env.seriesTemplate &&
        SharedPartFingerprint(project, shared, settings) == fingerprint) {
        env.seriesTemplate->Keep(output.tempPath(), assembler.layout(), std::move(fingerprint));
    }
    if (seriesFlag) {
        output.DeferDiskFlush();  // many books in a row: none waits for the disk
    }
    if (!assembled || !output.Commit()) {
        ReportBuildError(ui, kAssembleErrorTitle, kAssembleErrorAdvice);
        return false;
    }
    cleanup.succeeded = true;
    return true;
}

}  // namespace nbx
