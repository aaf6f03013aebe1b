#include "compile/SearchIndexBuild.h"

#include <algorithm>
#include <fstream>

#include <gtest/gtest.h>

#include "compile/BuildEBookFixture.h"
#include "format/ArchiveReader.h"
#include "format/RecordFormat.h"
#include "format/SearchIndexReader.h"
#include "reader/BookSearch.h"

namespace nbx {
namespace {

class SearchIndexBuildTest : public BuildEBookTest {
public:
    void SetUp() override {
        BuildEBookTest::SetUp();
        auto add = [&](const char* name, const char* html, int preprocess, int searchable) {
            SourceFile f;
            f.path = dir.Write(std::string("src/") + name, html);
            f.title = name;
            f.preprocess = preprocess;
            f.searchable = searchable;
            project.files.push_back(f);
        };
        add("vars.htm", "<p>Sold by [={Reseller}] at the harbour</p>", 1, 1);
        add("plain.htm", "<p>Harbour lights</p>", 1, 1);
        add("hidden.htm", "<p>harbour</p>", 0, 0);
        project.SortFiles();
    }

    // The names of the pages found for query, best first, and whether the book's own index
    // answered.
    std::vector<std::string> Found(std::string_view query, bool& carried) {
        reader::ReaderBook book;
        EXPECT_TRUE(book.Open(project.outputExe)) << book.error();
        reader::BookSearch search(book);
        std::vector<std::string> names;
        for (const reader::SearchResultRow& row : search.Search(query, {})) {
            names.push_back(book.directory()[row.entry].name);
        }
        carried = search.carriedIndex();
        return names;
    }

    long IndexEntry() {
        ArchiveReader archive;
        EXPECT_TRUE(archive.Open(project.outputExe)) << archive.error();
        return archive.FindEntry("__search.idx");
    }
};

using Names = std::vector<std::string>;

TEST_F(SearchIndexBuildTest, TheBookCarriesTheIndexOfItsSearchablePages) {
    ASSERT_TRUE(Build()) << OnlyMessage();
    ArchiveReader archive;
    ASSERT_TRUE(archive.Open(project.outputExe));
    const long at = archive.FindEntry("__search.idx");
    ASSERT_GE(at, 0);
    EXPECT_EQ(archive.directory()[at].unpackedLength, 0);  // stored as it is
    EXPECT_EQ(archive.directory()[at].searchable, 0);
    SearchIndexReader index;
    ASSERT_TRUE(index.Open(archive.StoredEntryInput(static_cast<std::size_t>(at))))
        << index.error();
    Names pages;
    for (const auto& p : index.pages()) {
        pages.push_back(p.name);
    }
    // Not the page whose variable the reader fills in, nor the one that is not searchable.
    EXPECT_EQ(pages, (Names{"index.html", "page.htm", "plain.htm"}));

    bool carried = false;
    EXPECT_EQ(Found("harbour", carried), (Names{"plain.htm", "vars.htm"}));
    EXPECT_TRUE(carried);
    EXPECT_EQ(Found("Ann", carried), (Names{"vars.htm"}));  // the variable's value
    EXPECT_EQ(Found("welcome", carried), (Names{"index.html"}));
}

TEST_F(SearchIndexBuildTest, ABookWithoutTheIndexFindsTheSame) {
    env.searchIndex = false;
    ASSERT_TRUE(Build()) << OnlyMessage();
    EXPECT_EQ(IndexEntry(), -1);
    bool carried = true;
    EXPECT_EQ(Found("harbour", carried), (Names{"plain.htm", "vars.htm"}));
    EXPECT_FALSE(carried);
}

// A small manual as a documentation tree holds it, searched through the book's own index and
// through the index the reader makes for a book without one: the same pages, in the same
// order, and the page titled by the searched name first.
TEST_F(SearchIndexBuildTest, ThePageTitledByTheSearchedNameComesFirst) {
    const std::pair<const char*, const char*> pages[] = {
        {"Tools", "<h1>Tools</h1><p>grep, find and the reading order of this manual.</p>"},
        {"find", "<p>find lists files; pipe them to grep, or grep -v, or grep -l: grep.</p>"},
        {"grep", "<p>grep prints the lines that match a pattern.</p>"},
        {"Links",
         "<h2>Reading order</h2><p>Reading order follows the links. Keep reading order in "
         "mind; the reading order of a manual is its author's.</p>"},
        {"Reading order", "<p>How pages follow each other.</p>"},
        {"Configuration", "<p>Set CONFIG_OUTPUT_NAME, call os.path.join, use std::vector.</p>"},
    };
    project.files.clear();
    for (std::size_t i = 0; i < std::size(pages); ++i) {
        SourceFile f;
        f.path = dir.Write(i == 0 ? "src/index.html" : "src/p" + std::to_string(i) + ".htm",
                           std::string("<html><head><title>") + pages[i].first +
                               "</title></head><body>" + pages[i].second + "</body></html>");
        f.title = pages[i].first;
        project.files.push_back(f);
    }
    project.SortFiles();
    struct Case {
        const char* query;
        Names found;  // the first, then the others in any order
    };
    const Case cases[] = {
        {"grep", {"p2.htm", "p1.htm", "index.html"}},
        {"reading order", {"p4.htm", "p3.htm", "index.html"}},
        {"\"reading order\"", {"p4.htm", "p3.htm", "index.html"}},
        {"\"reading links\"", {}},
        {"grep zyzzyva", {}},
        {"config_output_name", {"p5.htm"}},
        {"os.path.join", {"p5.htm"}},
        {"std::vector", {"p5.htm"}},
        {"\"call os.path.join\"", {"p5.htm"}},
        {"output", {"p5.htm"}},
    };
    for (const bool index : {true, false}) {
        env.searchIndex = index;
        ASSERT_TRUE(Build()) << OnlyMessage();
        for (const Case& c : cases) {
            bool carried = !index;
            const Names found = Found(c.query, carried);
            EXPECT_EQ(carried, index) << c.query;
            ASSERT_EQ(found.size(), c.found.size()) << c.query << " " << index;
            if (!found.empty()) {
                EXPECT_EQ(found[0], c.found[0]) << c.query << " " << index;
                EXPECT_TRUE(std::is_permutation(found.begin(), found.end(), c.found.begin()))
                    << c.query << " " << index;
            }
        }
    }
}

// The build plans the index's entry before it packs the pages, so the entry is there whenever
// a page is to be indexed, even when none could be (its variables are filled in by the
// reader), and the book stays whole either way.
TEST_F(SearchIndexBuildTest, ABookWithNothingToIndexBuildsAndFinds) {
    struct Case {
        std::string searchable;  // the only searchable page; empty: none
        bool entry;              // an index without pages, which the reader fills in
        Names found;             // for "harbour"
    };
    const Case cases[] = {
        {"vars.htm", true, {"vars.htm"}},
        {"", false, {}},
    };
    for (const Case& c : cases) {
        for (SourceFile& file : project.files) {
            file.searchable = !c.searchable.empty() && file.path.ends_with(c.searchable) ? 1 : 0;
        }
        ASSERT_TRUE(Build()) << OnlyMessage();
        ArchiveReader archive;
        ASSERT_TRUE(archive.Open(project.outputExe)) << archive.error();
        const long at = archive.FindEntry("__search.idx");
        EXPECT_EQ(at >= 0, c.entry) << c.searchable;
        if (at >= 0) {
            SearchIndexReader index;
            ASSERT_TRUE(index.Open(archive.StoredEntryInput(static_cast<std::size_t>(at))))
                << index.error();
            EXPECT_TRUE(index.pages().empty());
        }
        bool carried = false;
        EXPECT_EQ(Found("harbour", carried), c.found) << c.searchable;
        EXPECT_EQ(Found("welcome", carried), Names{}) << c.searchable;
    }
}

TEST_F(SearchIndexBuildTest, ADamagedIndexIsPutAsideAndThePagesSearched) {
    ASSERT_TRUE(Build()) << OnlyMessage();
    ArchiveReader archive;
    ASSERT_TRUE(archive.Open(project.outputExe));
    const long at = IndexEntry();
    ASSERT_GE(at, 0);
    const std::uint64_t start = static_cast<std::uint64_t>(archive.trailer().contentOffset) +
                                archive.directory()[at].offset;
    std::string index;
    ASSERT_TRUE(archive.ReadEntry(static_cast<std::size_t>(at), index));
    const auto word = [&](std::size_t offset) { return searchindex::Le32(&index[offset]); };
    const std::size_t termsAt = searchindex::kHeaderSize + word(12) * searchindex::kPageRecordSize;
    const std::size_t postingsAt =
        termsAt + word(16) * searchindex::kTermRecordSize + word(20) + word(24);
    struct Case {
        const char* what;
        std::size_t offset;  // in the index
        std::size_t length;
    };
    const Case cases[] = {
        {"its signature", 0, 8},
        {"its page list", searchindex::kHeaderSize, termsAt - searchindex::kHeaderSize},
        {"its terms", termsAt, word(16) * searchindex::kTermRecordSize},
        {"its postings", postingsAt, word(28)},
    };
    std::string original;
    {
        std::ifstream in(project.outputExe, std::ios::binary);
        original.assign(std::istreambuf_iterator<char>(in), {});
    }
    for (const Case& c : cases) {
        std::string damaged = original;
        for (std::size_t i = 0; i < c.length; ++i) {
            damaged[start + c.offset + i] = static_cast<char>(0xFF);
        }
        std::ofstream(project.outputExe, std::ios::binary | std::ios::trunc) << damaged;
        bool carried = true;
        EXPECT_EQ(Found("harbour", carried), (Names{"plain.htm", "vars.htm"})) << c.what;
        EXPECT_FALSE(carried) << c.what;
        EXPECT_EQ(Found("zeppelin", carried), Names{}) << c.what;
        EXPECT_EQ(Found("welcome", carried), (Names{"index.html"})) << c.what;
    }
}

// The index goes in where the content leaves it room below 2 GB; a book that nearly fills
// that room still builds, its entry holding an index without pages (the reader indexes them).
TEST_F(SearchIndexBuildTest, ABookNearTwoGigabytesKeepsItsRoomForThePages) {
    // Appends the index to a sparse content file of contentEnd bytes: its page count, and the
    // size of its entry.
    const auto append = [&](std::uint64_t contentEnd, std::uint32_t& pages) -> std::uint64_t {
        platform::FileHandle content;
        EXPECT_TRUE(content.Open(dir.File("content"), platform::FileHandle::Mode::CreateTruncate));
        EXPECT_TRUE(content.Truncate(contentEnd));
        SearchIndexBuild index(SearchIndexSources(project));
        std::vector<DirectoryEntry> directory;
        EXPECT_TRUE(index.AppendTo(content, directory)) << contentEnd;
        if (directory.size() != 1) {
            ADD_FAILURE() << "no index entry at " << contentEnd;
            return 0;
        }
        EXPECT_EQ(static_cast<std::uint64_t>(directory[0].offset), contentEnd);
        std::string header(searchindex::kHeaderSize, '\0');
        EXPECT_TRUE(content.ReadAt(contentEnd, header.data(), header.size()));
        for (char& b : header) {
            b = static_cast<char>(b ^ record::kEntryMask);
        }
        pages = searchindex::Le32(&header[12]);
        return static_cast<std::uint64_t>(directory[0].storedLength);
    };
    std::uint32_t pages = 0;
    const std::uint64_t size = append(0, pages);
    EXPECT_EQ(pages, 3u);
    struct Case {
        std::uint64_t room;  // below 2 GB, after the content
        std::uint32_t pages;
    };
    for (const Case& c : {Case{size, 3}, Case{size - 1, 0}, Case{searchindex::kHeaderSize, 0}}) {
        const std::uint64_t stored = append(record::kWordMax - c.room, pages);
        EXPECT_EQ(pages, c.pages) << c.room;
        EXPECT_LE(stored, c.room);
    }
}

}  // namespace
}  // namespace nbx
