#include "reader/ReaderBook.h"

#include "format/RecordFormat.h"
#include "reader/PagePreprocessor.h"
#include "viewerfiles/LanguageFormat.h"

namespace nbx::reader {

bool ReaderBook::Fail(std::string message) {
    error_ = std::move(message);
    return false;
}

bool ReaderBook::Open(const std::string& path) {
    path_ = path;
    error_.clear();
    hasToolbar_ = false;
    if (!archive_.Open(path)) {
        return Fail(archive_.error());
    }
    const long lang = archive_.FindEntry(record::kLanguageEntryName);
    std::string bytes;
    if (lang < 0) {
        return Fail("damaged e-book: it has no language file");
    }
    const DirectoryEntry& entry = directory()[static_cast<std::size_t>(lang)];
    const auto length = static_cast<std::uint64_t>(entry.unpackedLength > 0 ? entry.unpackedLength
                                                                            : entry.storedLength);
    if (length > lang::kMaxFileSize) {
        return Fail("damaged e-book: its language file holds " + std::to_string(length) +
                    " bytes; a language file holds at most " + std::to_string(lang::kMaxFileSize));
    }
    if (!archive_.ReadEntry(static_cast<std::size_t>(lang), bytes)) {
        return Fail(archive_.error());
    }
    std::string why;
    if (!texts_.Load(bytes, why)) {
        return Fail("damaged e-book: its language file does not read: " + why);
    }
    const long tool = archive_.FindEntry(record::kToolbarEntryName);
    if (tool >= 0 && archive_.ReadEntry(static_cast<std::size_t>(tool), bytes)) {
        hasToolbar_ = ReadToolbarFile(bytes, toolbar_, why);
    }
    order_ = PageOrder(archive_.directory());
    return true;
}

bool ReaderBook::ReadEntry(std::size_t entry, std::string& bytes) {
    return archive_.ReadEntry(entry, bytes);
}

std::unique_ptr<RandomAccessInput> ReaderBook::EntryInput(std::size_t entry) {
    if (std::unique_ptr<RandomAccessInput> stored = archive_.StoredEntryInput(entry)) {
        return stored;
    }
    std::string bytes;
    if (!archive_.ReadEntry(entry, bytes)) {
        return nullptr;
    }
    return std::make_unique<StringInput>(std::move(bytes));
}

bool ReaderBook::ReadPage(std::size_t entry, ReaderContext context, std::string& html) {
    if (!archive_.ReadEntry(entry, html)) {
        return false;
    }
    const DirectoryEntry& e = directory()[entry];
    // Most pages name no variable: they are served as they were unpacked, never copied.
    if (e.preprocess != 0 && html.find("[={") != std::string::npos) {
        context.pageName = e.name;
        html = PreprocessPage(html, [&](std::string_view name) {
            return LookupBookValue(name, variables(), settings(), context);
        });
    }
    return true;
}

}  // namespace nbx::reader
