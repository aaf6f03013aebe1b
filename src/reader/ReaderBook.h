#pragma once
// An e-book opened for reading: its archive (pages are read only when shown), its language
// file, its toolbar images and its reading order. The window draws what this gives.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "format/ArchiveReader.h"
#include "format/ToolbarFile.h"
#include "reader/BookLinks.h"
#include "reader/BookValues.h"
#include "reader/PageOrder.h"
#include "reader/ReaderTexts.h"

namespace nbx::reader {

class ReaderBook {
public:
    // Opens the e-book at path: the archive's records, then "__lang.lng". False with error()
    // set, in English (the language file may be what failed), when either does not read.
    // A missing or damaged "__tool.tb" is no error: the buttons then have no pictures.
    bool Open(const std::string& path);

    const std::string& error() const { return error_; }
    const std::string& path() const { return path_; }

    const BuildSettings& settings() const { return archive_.settings(); }
    const std::vector<DirectoryEntry>& directory() const { return archive_.directory(); }
    const std::vector<ArchiveVariable>& variables() const { return archive_.variables(); }
    const ReaderTexts& texts() const { return texts_; }
    const PageOrder& order() const { return order_; }
    // nullptr when the book carries no readable toolbar images.
    const ToolbarFile* toolbar() const { return hasToolbar_ ? &toolbar_ : nullptr; }
    const ArchiveTrailer& trailer() const { return archive_.trailer(); }

    // The entry a link's path names, or -1 (see FindLinkedEntry).
    long FindLinked(std::string_view path) const { return FindLinkedEntry(directory(), path); }

    // The bytes of an entry. False when its data is damaged.
    bool ReadEntry(std::size_t entry, std::string& bytes);
    // The bytes of an entry to read a piece at a time: where they lie in the book when stored
    // as they are, else unpacked into memory. nullptr when its data is damaged. Valid while
    // the book stays open.
    std::unique_ptr<RandomAccessInput> EntryInput(std::size_t entry);
    // A page as it is shown: for a page marked for the preprocessor, every "[={Name}]" is
    // replaced (context.pageName is set to the page's name here). False when damaged.
    bool ReadPage(std::size_t entry, ReaderContext context, std::string& html);
    bool ReadSplash(std::string& bytes) { return archive_.ReadSplash(bytes); }

private:
    bool Fail(std::string message);

    ArchiveReader archive_;
    ReaderTexts texts_;
    ToolbarFile toolbar_;
    bool hasToolbar_ = false;
    PageOrder order_;
    std::string path_;
    std::string error_;
};

}  // namespace nbx::reader
