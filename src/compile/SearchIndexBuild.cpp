#include "compile/SearchIndexBuild.h"

#include <limits>

#include "format/ByteSink.h"
#include "format/EntryWriter.h"
#include "format/RecordFormat.h"
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
    std::string html;
    reader::PageText text;
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
        reader::AddSearchPage(writer_, page.entryName, page.title, page.keywords, html, text);
    }
    if (writer_.FinishedSize() > std::numeric_limits<std::uint32_t>::max()) {
        // Too large for the format's offsets: an empty index, and the reader indexes the pages.
        writer_ = SearchIndexWriter();
    }
}

bool SearchIndexBuild::AppendTo(platform::FileHandle& content,
                                std::vector<DirectoryEntry>& directory) {
    if (thread_.joinable()) {
        thread_.join();
    }
    // A book near the content's 2 GB builds without the pages' index rather than failing for
    // it: the entry then holds an index without pages, and the reader indexes them itself.
    std::uint64_t end = 0;
    if (content.SeekToEnd(end) &&
        (end > record::kWordMax || writer_.FinishedSize() > record::kWordMax - end)) {
        writer_ = SearchIndexWriter();
    }
    DirectoryEntry entry;
    entry.name = record::kSearchIndexEntryName;
    // Written straight from the writer's lists: the index whole in memory would be as much
    // fresh memory again.
    const bool ok = AppendStoredEntry(
        content, writer_.FinishedSize(), [this](ByteSink& out) { return writer_.Finish(out); },
        std::move(entry), directory);
    writer_ = SearchIndexWriter();
    return ok;
}

}  // namespace nbx
