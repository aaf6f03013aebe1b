#include "project/ProjectFileWriter.h"

#include <filesystem>

#include "platform/AtomicFileWriter.h"
#include "platform/Paths.h"
#include "project/ByteWriter.h"
#include "project/ProjectFileFormat.h"
#include "project/Variable.h"

namespace nbx {

using projectfile::ByteWriter;

namespace {

void WriteNumbers(ByteWriter& w, std::initializer_list<std::int32_t> values) {
    for (const std::int32_t v : values) {
        w.WriteI32(v);
    }
}

void WriteSwitches(ByteWriter& w, std::initializer_list<bool> values) {
    for (const bool on : values) {
        w.WriteI32(projectfile::StoredSwitch(on));
    }
}

void WriteStrings(ByteWriter& w, std::initializer_list<const std::string*> values) {
    for (const std::string* s : values) {
        w.WriteString(*s);
    }
}

void WriteSourceFile(ByteWriter& w, const SourceFile& f) {
    w.WriteString(f.path);
    w.WriteZeros(2);
    w.WriteI32(f.preprocess);
    WriteStrings(w, {&f.title, &f.description, &f.keywords, &f.orderKey});
    WriteNumbers(w, {f.inContents, f.searchable, f.excluded});
}

void WriteVariable(ByteWriter& w, const Variable& v) {
    WriteStrings(w, {&v.name, &v.description, &v.value});
    WriteNumbers(w, {v.canRebrand, v.kind});
}

}  // namespace

std::string EncodeProjectFile(const ProjectSettings& p) {
    ByteWriter w;
    w.WriteString(projectfile::kVersion420);
    w.WriteEmptyStrings(1);
    WriteStrings(w,
                 {&p.title, &p.author, &p.authorEmail, &p.authorUrl, &p.publisher, &p.copyright});
    w.WriteZeros(3);
    w.WriteEmptyStrings(projectfile::kReservedStringBlock + 2);

    w.WriteI32(static_cast<std::int32_t>(p.files.size()));
    for (const SourceFile& f : p.files) {
        WriteSourceFile(w, f);
    }
    WriteStrings(w, {&p.outputExe, &p.sourceFolder});

    WriteSwitches(w, {p.splashPercentageBar});
    w.WriteI32(p.splashExtraDelay);
    WriteSwitches(w, {p.nextButton, p.previousButton, p.tooltipBalloon, p.tooltipShort,
                      p.tooltipShowDestinations, p.scrollbarsHidden, p.statusBarHideDestinations,
                      p.nextPreviousLoop, p.exitButton});
    w.WriteString(p.language);
    w.WriteZeros(6);

    w.WriteI32(static_cast<std::int32_t>(p.extensions.size()));
    for (const std::string& e : p.extensions) {
        w.WriteString(e);
    }
    w.WriteI32(static_cast<std::int32_t>(p.variables.size()));
    for (const Variable& v : p.variables) {
        WriteVariable(w, v);
    }

    w.WriteI32(p.aboutPage);
    w.WriteString(p.aboutFile);
    w.WriteI32(p.contentsPage);
    w.WriteString(p.contentsFile);
    w.WriteZeros(1);
    w.WriteEmptyStrings(1);
    WriteSwitches(w, {p.popupMenu, p.buildRebrander});
    WriteStrings(
        w, {&p.rebranderExe, &p.rebranderTitle, &p.rebranderStartMessage, &p.rebranderEndMessage});
    w.WriteI32(p.rebranderOption);

    // Back ... Print, a reserved word, then About.
    for (int b = kButtonBack; b <= kButtonPrint; ++b) {
        WriteSwitches(w, {p.toolbarButtons[b]});
    }
    w.WriteZeros(1);
    WriteSwitches(w, {p.toolbarButtons[kButtonAbout]});
    w.WriteI32(p.toolbarPosition);

    WriteStrings(w, {&p.affiliateNickname, &p.onStart});
    w.WriteEmptyStrings(2);
    w.WriteString(p.onExit);

    w.WriteZeros(1);
    WriteSwitches(w, {p.autoOpenLinksInNewWindow});
    WriteNumbers(w, {p.initialWidth, p.initialHeight, p.initialPosition});
    WriteStrings(w, {&p.startupMessage, &p.splashBitmap, &p.iconFile});
    w.WriteI32(p.installOption);
    w.WriteZeros(3);
    w.WriteEmptyStrings(1);

    WriteSwitches(w, {p.searchShowMatch, p.searchDescriptions});
    for (const std::uint32_t c : p.colors) {
        w.WriteU32(c);
    }
    WriteSwitches(
        w, {p.contentsDescriptions, p.windowResizable, p.windowResizableCopyA,
            p.windowResizableCopyB, p.alwaysOnTop, p.menuShown, p.toolbarInitially, p.toolbarToggle,
            p.toolbarLabels, p.statusBarInitially, p.statusBarToggle, p.contentsPopupList});
    // Written only when on, so that every other project keeps its bytes and older readers,
    // which stop after the last item above, still open the file.
    if (p.includeSubFolders) {
        w.WriteI32(projectfile::StoredSwitch(true));
    }
    return w.TakeBytes();
}

ProjectSettings WithPathsRelativeAgain(const Project& project, const std::string& folder) {
    ProjectSettings p = project;
    const auto& relative = project.pathsLoadedRelative;
    if (relative.empty()) {
        return p;
    }
    const bool sourceRelative = relative.count(project.sourceFolder) != 0;
    const std::string sourcePrefix = platform::JoinPath(project.sourceFolder, "");
    const std::filesystem::path base = std::filesystem::path(folder).lexically_normal();
    const auto again = [&](std::string& path) {
        const bool wasRelative =
            relative.count(path) != 0 || (sourceRelative && path.rfind(sourcePrefix, 0) == 0);
        if (!wasRelative) {
            return;
        }
        const std::string shorter = std::filesystem::path(path).lexically_relative(base).string();
        if (!shorter.empty()) {
            path = shorter;
        }
    };
    ForEachStoredPath(p, again);
    return p;
}

void KeepPathsRelativeBelow(Project& project, const std::string& folder) {
    const std::filesystem::path base = std::filesystem::path(folder).lexically_normal();
    std::set<std::string>& relative = project.pathsLoadedRelative;
    ForEachStoredPath(project, [&](const std::string& path) {
        if (path.empty() || !platform::IsAbsolutePath(path)) {
            return;
        }
        const std::filesystem::path shorter =
            std::filesystem::path(path).lexically_normal().lexically_relative(base);
        // The folder itself stays absolute: "." would come back with a trailing separator.
        if (!shorter.empty() && shorter != "." && *shorter.begin() != "..") {
            relative.insert(path);
        }
    });
}

bool SaveProjectFile(const std::string& path, const ProjectSettings& project, int& errorCode) {
    return platform::WriteFileAtomically(path, EncodeProjectFile(project), errorCode);
}

}  // namespace nbx
