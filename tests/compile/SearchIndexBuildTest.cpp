#include "compile/SearchIndexBuild.h"

#include <fstream>

#include <gtest/gtest.h>

#include "compile/BuildEBookFixture.h"
#include "format/ArchiveReader.h"
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

}  // namespace
}  // namespace nbx
