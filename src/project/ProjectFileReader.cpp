#include "project/ProjectFileReader.h"

#include <filesystem>

#include "common/Prompter.h"
#include "common/VisibleText.h"
#include "platform/AsciiText.h"
#include "platform/Paths.h"
#include "platform/RegularFile.h"
#include "project/ByteReader.h"
#include "project/InstalledExtensions.h"
#include "project/ProjectFileFormat.h"
#include "project/SourceFolderScan.h"

namespace nbx {

using projectfile::ByteReader;

namespace {

// Versions as numbers, so that a layout can say "from 4.00 on".
constexpr int kV201 = 201;
constexpr int kV300 = 300;
constexpr int kV400 = 400;
constexpr int kV420 = 420;

int LayoutNumber(std::string_view version) {
    if (version == projectfile::kVersion420)
        return kV420;
    if (version == projectfile::kVersion400)
        return kV400;
    if (version == projectfile::kVersion300)
        return kV300;
    if (version == projectfile::kVersion201)
        return kV201;
    return 0;
}

void ReadStrings(ByteReader& r, std::initializer_list<std::string*> fields) {
    for (std::string* f : fields) {
        *f = r.ReadString();
    }
}

void ReadNumbers(ByteReader& r, std::initializer_list<std::int32_t*> fields) {
    for (std::int32_t* f : fields) {
        *f = r.ReadI32();
    }
}

void ReadSwitches(ByteReader& r, std::initializer_list<bool*> fields) {
    for (bool* f : fields) {
        *f = projectfile::SwitchOf(r.ReadI32());
    }
}

// Handlers of "3.00" held a program to run; later ones hold the command itself.
std::string RunCommandOf(const std::string& stored) {
    if (TrimAsciiWhiteSpace(stored).empty()) {
        return {};
    }
    return "##RUN('" + stored + "')";
}

void ReadImportLayout(ByteReader& r, ProjectSettings& p) {
    r.SkipStrings(1);
    ReadStrings(r, {&p.title, &p.publisher, &p.copyright, &p.author, &p.authorEmail, &p.authorUrl,
                    &p.sourceFolder, &p.outputExe});
    ReadSwitches(r, {&p.menuShown, &p.popupMenu, &p.statusBarInitially, &p.toolbarInitially});
    p.toolbarPosition = r.ReadI32();
    p.statusBarToggle = p.statusBarInitially;
    p.toolbarToggle = p.toolbarInitially;
    p.splashBitmap = r.ReadString();
    // The optional trailing word of the wizard's projects that take in sub-folders.
    if (!r.failed() && r.remaining() >= 4) {
        p.includeSubFolders = projectfile::SwitchOf(r.ReadI32());
    }
}

void ReadFiles(ByteReader& r, ProjectSettings& p, int layout) {
    const std::size_t minRecord = layout >= kV400   ? projectfile::kMinFileRecord400
                                  : layout >= kV300 ? projectfile::kMinFileRecord300
                                                    : projectfile::kMinFileRecord201;
    const std::size_t count = r.ReadCount(minRecord);
    p.files.reserve(count);
    for (std::size_t i = 0; i < count && !r.failed(); ++i) {
        SourceFile f;
        f.path = r.ReadString();
        r.SkipU32(2);
        if (layout == kV201) {
            f.searchable = 0;  // the rest comes from the file on disk
        } else {
            if (layout >= kV400) {
                f.preprocess = r.ReadI32();
            }
            ReadStrings(r, {&f.title, &f.description, &f.keywords});
            r.SkipStrings(1);  // the stored key; the list order is what counts
            ReadNumbers(r, {&f.inContents, &f.searchable, &f.excluded});
            if (IsHtmlName(f.path)) {
                f.orderKey = OrderKeyForPosition(i);
            }
        }
        p.files.push_back(std::move(f));
    }
}

void ReadExtensionsAndVariables(ByteReader& r, ProjectSettings& p) {
    const std::size_t extensions = r.ReadCount(projectfile::kMinExtensionRecord);
    p.extensions.reserve(extensions);
    for (std::size_t i = 0; i < extensions && !r.failed(); ++i) {
        p.extensions.push_back(r.ReadString());
    }
    const std::size_t variables = r.ReadCount(projectfile::kMinVariableRecord);
    p.variables.reserve(variables);
    for (std::size_t i = 0; i < variables && !r.failed(); ++i) {
        Variable v;
        ReadStrings(r, {&v.name, &v.description, &v.value});
        ReadNumbers(r, {&v.canRebrand, &v.kind});
        v.orderKey = OrderKeyForPosition(i);
        p.variables.push_back(std::move(v));
    }
}

void ReadLayout(ByteReader& r, ProjectSettings& p, int layout) {
    r.SkipStrings(1);
    ReadStrings(r, {&p.title, &p.author, &p.authorEmail, &p.authorUrl, &p.publisher, &p.copyright});
    r.SkipU32(3);
    r.SkipStrings(projectfile::kReservedStringBlock + 2);
    ReadFiles(r, p, layout);
    ReadStrings(r, {&p.outputExe, &p.sourceFolder});

    if (layout >= kV420) {
        p.splashPercentageBar = projectfile::SwitchOf(r.ReadI32());
        p.splashExtraDelay = r.ReadI32();
        ReadSwitches(r, {&p.nextButton, &p.previousButton, &p.tooltipBalloon, &p.tooltipShort,
                         &p.tooltipShowDestinations, &p.scrollbarsHidden,
                         &p.statusBarHideDestinations, &p.nextPreviousLoop, &p.exitButton});
        p.language = r.ReadString();
        r.SkipU32(6);
    } else {
        // Older books had these switched off, whatever a new project says.
        p.splashPercentageBar = false;
        p.splashExtraDelay = 0;
        p.nextButton = p.previousButton = false;
        p.tooltipBalloon = p.tooltipShort = false;
        p.tooltipShowDestinations = true;
        p.scrollbarsHidden = p.statusBarHideDestinations = p.nextPreviousLoop = false;
        p.exitButton = false;
        p.language = "English";
    }
    if (layout == kV201) {
        return;
    }

    if (layout >= kV400) {
        ReadExtensionsAndVariables(r, p);
        p.aboutPage = r.ReadI32();
        p.aboutFile = r.ReadString();
        p.contentsPage = r.ReadI32();
        p.contentsFile = r.ReadString();
        r.SkipU32(1);
        r.SkipStrings(1);
        ReadSwitches(r, {&p.popupMenu, &p.buildRebrander});
        ReadStrings(r, {&p.rebranderExe, &p.rebranderTitle, &p.rebranderStartMessage,
                        &p.rebranderEndMessage});
        p.rebranderOption = r.ReadI32();
        for (int b = kButtonBack; b <= kButtonPrint; ++b) {
            p.toolbarButtons[b] = projectfile::SwitchOf(r.ReadI32());
        }
        r.SkipU32(1);
        p.toolbarButtons[kButtonAbout] = projectfile::SwitchOf(r.ReadI32());
        p.toolbarPosition = r.ReadI32();
    }

    ReadStrings(r, {&p.affiliateNickname, &p.onStart});
    r.SkipStrings(2);
    p.onExit = r.ReadString();
    if (layout == kV300) {
        p.onStart = RunCommandOf(p.onStart);
        p.onExit = RunCommandOf(p.onExit);
    }

    r.SkipU32(1);
    p.autoOpenLinksInNewWindow = projectfile::SwitchOf(r.ReadI32());
    ReadNumbers(r, {&p.initialWidth, &p.initialHeight, &p.initialPosition});
    ReadStrings(r, {&p.startupMessage, &p.splashBitmap, &p.iconFile});
    p.installOption = r.ReadI32();
    r.SkipU32(3);
    r.SkipStrings(1);
    ReadSwitches(r, {&p.searchShowMatch, &p.searchDescriptions});
    for (std::uint32_t& c : p.colors) {
        c = r.ReadU32();
    }
    // The three copies of windowResizable are read as stored, so that a file keeps its bytes.
    ReadSwitches(r, {&p.contentsDescriptions, &p.windowResizable, &p.windowResizableCopyA,
                     &p.windowResizableCopyB, &p.alwaysOnTop, &p.menuShown, &p.toolbarInitially,
                     &p.toolbarToggle, &p.toolbarLabels, &p.statusBarInitially, &p.statusBarToggle,
                     &p.contentsPopupList});
    // The one optional trailing word: present only when sub-folders are included.
    if (layout >= kV420 && !r.failed() && r.remaining() >= 4) {
        p.includeSubFolders = projectfile::SwitchOf(r.ReadI32());
    }
}

std::string FolderOfFile(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    return ec ? platform::FolderPartOfPath(path) : full.parent_path().string();
}

}  // namespace

ProjectDecodeResult DecodeProjectFile(std::string_view bytes, ProjectSettings& project) {
    ByteReader r(bytes);
    ProjectDecodeResult result;
    result.version = r.ReadString();
    if (r.failed()) {
        return result;
    }
    if (result.version == projectfile::kImportVersion) {
        ReadImportLayout(r, project);
    } else if (const int layout = LayoutNumber(result.version)) {
        ReadLayout(r, project, layout);
    } else {
        result.status = ProjectDecodeStatus::UnknownVersion;
        return result;
    }
    result.status = r.failed() ? ProjectDecodeStatus::Malformed : ProjectDecodeStatus::Ok;
    return result;
}

std::vector<std::string> RefusedNameMessages(std::string_view path) {
    const std::string name = "XXXXX" + ToLowerAscii(platform::FileNameOfPath(path));
    const std::string_view e4 = std::string_view(name).substr(name.size() - 4);
    const std::string_view e5 = std::string_view(name).substr(name.size() - 5);
    std::vector<std::string> messages;
    if (e4 == ".htm" || e5 == ".html") {
        messages.emplace_back(
            "You can not load HTML files into Nimbrel E-Book Compiler.\n\nInstead you should "
            "save your HTML files into a folder and then use the Scan Folder option on the Edit "
            "menu.\n\nFor more detailed instructions, see the Getting Started section of the "
            "Help.");
    }
    if (e4 == ".exe") {
        messages.emplace_back(
            "You can not load EXE files into Nimbrel E-Book Compiler.\n\nIf you are trying to "
            "modify a previously created e-book, you should instead load the saved project "
            "settings file.\n\nFor more detailed instructions, see the Getting Started section "
            "of the Help.");
    }
    if (e4 == ".doc") {
        messages.emplace_back(
            "You can not load DOC (Word) files into Nimbrel E-Book Compiler.\n\nInstead you "
            "should save the Word documents into HTML/Web Page format into a folder, and then "
            "use the Scan Folder option on the Edit menu.\n\nFor more detailed instructions, see "
            "the Getting Started section of the Help.");
    }
    if (e4 == ".ppt") {
        messages.emplace_back(
            "You can not load PPT (PowerPoint) files into Nimbrel E-Book Compiler.\n\nInstead "
            "you should save the PowerPoint documents into HTML/Web Page format into a folder, "
            "and then use the Scan Folder option on the Edit menu.\n\nFor more detailed "
            "instructions, see the Getting Started section of the Help.");
    }
    return messages;
}

void ResolveRelativePaths(ProjectSettings& p, const std::string& folder,
                          std::set<std::string>* wasRelative) {
    const auto resolve = [&folder, wasRelative](std::string& path) {
        if (!path.empty() && !platform::IsAbsolutePath(path)) {
            path = std::filesystem::path(platform::JoinPath(folder, path)).lexically_normal();
            if (wasRelative) {
                wasRelative->insert(path);
            }
        }
    };
    ForEachStoredPath(p, resolve);
}

ProjectLoadResult LoadProjectFile(const std::string& path, Project& project, Prompter& prompter,
                                  const InstalledExtensions& installed) {
    const std::vector<std::string> refused = RefusedNameMessages(path);
    if (!refused.empty()) {
        for (const std::string& message : refused) {
            prompter.Show(message);
        }
        return {ProjectLoadStatus::Rejected};
    }
    std::string bytes;
    int error = 0;
    if (!platform::ReadRegularFile(path, kMaxProjectFileSize, platform::Oversize::Refuse, bytes,
                                   error)) {
        return {ProjectLoadStatus::CannotRead, error};
    }

    project.ResetToDefaults();
    const ProjectDecodeResult decoded = DecodeProjectFile(bytes, project);
    if (decoded.status == ProjectDecodeStatus::UnknownVersion) {
        // The version text is whatever the file began with: it is shown, never obeyed.
        prompter.Show(
            "Can't read file: Incorrect version information.\n\nThis file is designed for use "
            "with Nimbrel E-Book Compiler version " +
            WithVisibleControls(decoded.version) + " or later.");
    }
    if (decoded.status != ProjectDecodeStatus::Ok) {
        return {ProjectLoadStatus::Rejected};
    }

    project.pathsLoadedRelative.clear();
    ResolveRelativePaths(project, FolderOfFile(path), &project.pathsLoadedRelative);
    if (decoded.version == projectfile::kImportVersion) {
        RescanSourceFolder(project, false, prompter);
        return {ProjectLoadStatus::Loaded};
    }
    if (decoded.version == projectfile::kVersion201) {
        for (SourceFile& f : project.files) {
            FillFromDisk(f);
        }
    }
    const std::string missing = FindMissingExtensions(project, installed);
    if (!missing.empty()) {
        prompter.Show(
            "The following extensions were selected when the project was created, but are not "
            "available on this PC:\n\n" +
            missing +
            "\nPlease use 'Add-Ins' on the 'Edit' menu to select which extensions you wish to "
            "use.");
    }
    return {ProjectLoadStatus::Loaded};
}

}  // namespace nbx
