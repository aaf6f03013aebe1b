#include "compile/SearchIndexBuild.h"

#include "format/EntryWriter.h"
#include "format/RecordFormat.h"
#include "format/SearchIndexWriter.h"
#include "platform/RegularFile.h"
#include "project/EntryName.h"
#include "reader/SearchText.h"

namespace nbx {

std::vector<SearchIndexSource> SearchIndexSources(const Project& project) {
    std::vector<SearchIndexSource> pages;
    for (const SourceFile& file : project.files) {
        if (!file.excluded && file.searchable && IsHtmlName(file.path)) {
            pages.push_back({EntryNameOf(project, file), file.path, file.title, file.keywords,
                             file.preprocess != 0});
        }
    }
    return pages;
}

SearchIndexBuild::SearchIndexBuild(std::vector<SearchIndexSource> pages)
    : pages_(std::move(pages)), thread_([this] { Run(); }) {}

SearchIndexBuild::~SearchIndexBuild() {
    stop_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
}

void SearchIndexBuild::Run() {
    SearchIndexWriter writer;
    std::string html;
    for (const SearchIndexSource& page : pages_) {
        if (stop_) {
            return;
        }
        int error = 0;
        if (!platform::ReadRegularFile(page.path, kMaxIndexedPage, platform::Oversize::Refuse, html,
                                       error) ||
            (page.preprocess && html.find("[={") != std::string::npos)) {
            continue;
        }
        reader::AddSearchPage(writer, page.entryName, page.title, page.keywords, html);
    }
    if (!writer.Finish(bytes_)) {
        // Too large for the format's offsets: an empty index, and the reader indexes the pages.
        SearchIndexWriter().Finish(bytes_);
    }
}

bool SearchIndexBuild::AppendTo(platform::FileHandle& content,
                                std::vector<DirectoryEntry>& directory) {
    if (thread_.joinable()) {
        thread_.join();
    }
    DirectoryEntry entry;
    entry.name = record::kSearchIndexEntryName;
    const bool ok = AppendStoredEntry(content, bytes_, std::move(entry), directory);
    bytes_ = std::string();
    return ok;
}

}  // namespace nbx
