#pragma once
// What the items of one Build Series share: the first e-book's bytes up to its variables table
// (reader stub, settings record, directory, content, splash), kept in a hidden working file
// beside the e-book (on its file system, so that items can share its blocks). An item
// whose inputs are those of that e-book is written from it (AssembleFromShared), so it costs a
// copy, or on file systems that share blocks hardly more than its own values, instead of
// packing every file again.
//
// The inputs are named by a fingerprint: every file the shared bytes come from, by path and by
// what the file system says of it (device, inode, size, modification and change times), and
// every project field they hold. A file changed, touched or replaced between two items gives
// another fingerprint, and that item is built whole, as it would be without a series.

#include <cstdint>
#include <string>
#include <vector>

#include "compile/OutputAssembler.h"
#include "extensions/ExtensionBuildSteps.h"
#include "format/BuildSettings.h"
#include "platform/TempFiles.h"
#include "project/Project.h"

namespace nbx {

// The files the shared bytes of an e-book are made from, beside the project's own.
struct SharedPartFiles {
    std::string stubPath;
    std::string iconPath;
    std::string stockIconPath;
    std::string languagePath;
    std::string toolbarPath;
    std::vector<EmbeddedLibrary> libraries;
};

// The fingerprint of an e-book's shared bytes. settings: its settings record, whose length
// (not its values, which each item writes anew) is part of what it shares.
std::string SharedPartFingerprint(const Project& project, const SharedPartFiles& files,
                                  const BuildSettings& settings);

class SeriesTemplate {
public:
    SeriesTemplate() = default;
    ~SeriesTemplate();  // removes the working file
    SeriesTemplate(const SeriesTemplate&) = delete;
    SeriesTemplate& operator=(const SeriesTemplate&) = delete;

    // True when an e-book of this fingerprint can be written from the kept bytes.
    bool Matches(const std::string& fingerprint) const;
    // Keeps the shared bytes of the e-book just assembled at assembledPath with this layout,
    // for the fingerprint it was made from; on any failure keeps nothing (the next items
    // are then built whole).
    void Keep(const std::string& assembledPath, const AssembledLayout& layout,
              std::string fingerprint);

    const std::string& path() const { return path_; }
    const AssembledLayout& layout() const { return layout_; }

private:
    void Forget();

    std::string path_;
    platform::WorkingFileLock lock_;  // the file is ours while the series runs
    AssembledLayout layout_;
    std::string fingerprint_;
};

}  // namespace nbx
