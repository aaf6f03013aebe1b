// A book built the way the compiler builds one, opened as the reader opens it.

#include "compile/FillBuildSettings.h"
#include "reader/ReaderBook.h"

#include <gtest/gtest.h>

#include "project/ProjectSettings.h"
#include "reader/BookPages.h"
#include "reader/BookSearch.h"
#include "support/TestBook.h"

namespace nbx::reader {
namespace {

const std::string kProgramDir = NBX_PROGRAM_DIR;

class ReaderBookTest : public ::testing::Test {
protected:
    // Writes a book of files (after the language and toolbar entries) and opens it.
    void Build(std::vector<test::TestBookFile> pages, std::vector<ArchiveVariable> variables = {}) {
        ProjectSettings project;
        project.title = "Tom & Jerry";
        project.author = "Ann Author";
        settings = FillBuildSettings(project, "/opt/tamsel", kProgramDir + "/eview.dat",
                                     {2024, 3, 9, 14, 5, 7, 6});
        std::vector<test::TestBookFile> files = test::ReaderDataFiles(kProgramDir);
        files.insert(files.end(), pages.begin(), pages.end());
        path = dir.File("book");
        ASSERT_EQ(
            test::WriteTestBook(dir, kProgramDir + "/eview.dat", path, settings, files, variables),
            "");
        ASSERT_TRUE(book.Open(path)) << book.error();
    }

    long Entry(const std::string& name) { return book.FindLinked(name); }

    test::TempDir dir;
    BuildSettings settings;
    std::string path;
    ReaderBook book;
};

TEST_F(ReaderBookTest, ReadsItsLanguageAndToolbar) {
    Build({{"index.html", "<p>Hi</p>", "Welcome"}});
    EXPECT_EQ(book.texts().Menu(LanguageKey::MenuFilePrint).text, "&Print...");
    EXPECT_EQ(book.texts().Menu(LanguageKey::MenuFilePrint).accelerator, "Ctrl+P");
    EXPECT_EQ(book.texts().Button(LanguageKey::ButtonNext).label, "Next");
    EXPECT_EQ(book.texts().FileType(LanguageKey::FilterPdf).suffix, "pdf");
    ASSERT_NE(book.toolbar(), nullptr);
    EXPECT_GE(book.toolbar()->CellOf(toolbar::ToolbarButton::Next), 0);
    EXPECT_EQ(book.settings().title, "Tom & Jerry");
}

TEST_F(ReaderBookTest, OrdersPagesByKeyAndStartsAtTheIndexPage) {
    Build({{"c.htm", "", "C", "00001002"},
           {"pic.gif", "GIF89a", ""},
           {"INDEX.HTM", "", "Home", "00001001"},
           {"a.htm", "", "A", "00001000"},
           {"loose.htm", "", "Loose", ""},
           {"__nxa__lib.so", "", ""}});
    const long a = Entry("a.htm"), index = Entry("INDEX.HTM"), c = Entry("c.htm"),
               loose = Entry("loose.htm");
    EXPECT_EQ(book.order().pages(), (std::vector<std::size_t>{std::size_t(a), std::size_t(index),
                                                              std::size_t(c), std::size_t(loose)}));
    EXPECT_EQ(book.order().IndexPage(), index);
    const struct {
        long from;
        bool loop;
        long next;
        long previous;
    } cases[] = {
        {index, false, c, a},
        {a, false, index, -1},
        {a, true, index, loose},
        {loose, false, -1, c},
        {loose, true, a, c},
        {-1, false, a, loose},
        {Entry("pic.gif"), false, a, loose},
    };
    for (const auto& k : cases) {
        EXPECT_EQ(book.order().Next(k.from, k.loop), k.next) << k.from << " loop " << k.loop;
        EXPECT_EQ(book.order().Previous(k.from, k.loop), k.previous) << k.from << " " << k.loop;
    }
}

TEST_F(ReaderBookTest, LinksFindEntriesByTheirLastPartButNeverTheHiddenOnes) {
    Build({{"index.html", "", ""}, {"Photo.GIF", "GIF89a", ""}, {"__nxa__lib.so", "x", ""}});
    EXPECT_EQ(Entry("images/Photo.GIF"), Entry("Photo.GIF"));
    EXPECT_EQ(Entry("images\\photo.gif"), Entry("Photo.GIF"));
    EXPECT_GE(Entry("Photo.GIF"), 0);
    EXPECT_EQ(Entry("missing.htm"), -1);
    EXPECT_EQ(Entry("__lang.lng"), -1);
    EXPECT_EQ(Entry("x/__tool.tb"), -1);
    EXPECT_EQ(Entry("__NXA__LIB.SO"), -1);
    EXPECT_EQ(Entry("dir/"), -1);
}

TEST_F(ReaderBookTest, PreprocessesMarkedPagesOnly) {
    test::TestBookFile marked{"index.html",
                              "[={Greeting}] [={Plain}] [={title}] [={Missing}] [={p}]", ""};
    marked.preprocess = 1;
    Build({marked, {"raw.htm", "[={Greeting}]", ""}},
          {{"Greeting", "", "<b>Hi</b>", 1, 0}, {"Plain", "", "a < b\nc", 1, 1}});
    std::string html;
    ASSERT_TRUE(book.ReadPage(Entry("index.html"), {}, html));
    EXPECT_EQ(html, "<b>Hi</b> a &lt; b<BR>c Tom &amp; Jerry [={Missing}] index.html");
    ASSERT_TRUE(book.ReadPage(Entry("raw.htm"), {}, html));
    EXPECT_EQ(html, "[={Greeting}]");
}

TEST_F(ReaderBookTest, SearchesTheSearchablePagesIndexedAFewAtATime) {
    std::vector<test::TestBookFile> pages;
    for (int i = 0; i < 30; ++i) {
        pages.push_back(
            {"p" + std::to_string(i) + ".htm", "<p>filler text</p>", "Page " + std::to_string(i)});
    }
    pages.push_back({"boats.htm", "<p>Sailing boats and more sailing.</p>", "Boats"});
    pages.push_back({"engine.htm", "<p>Motor boats.</p>", "Engines"});
    test::TestBookFile hidden{"secret.htm", "<p>boats</p>", ""};
    hidden.searchable = 0;
    pages.push_back(hidden);
    Build(pages);

    BookSearch search(book);
    EXPECT_EQ(search.searchablePages(), 32u);
    EXPECT_FALSE(search.IndexMore(10, {}));
    EXPECT_EQ(search.indexedPages(), 10u);
    while (!search.IndexMore(10, {})) {
    }
    const auto rows = search.Search("boats", {});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].entry, std::size_t(Entry("boats.htm")));
    EXPECT_EQ(rows[0].percent, 100);
    EXPECT_EQ(rows[1].entry, std::size_t(Entry("engine.htm")));
    EXPECT_TRUE(search.Search("zeppelin", {}).empty());
}

TEST_F(ReaderBookTest, ServesEveryAddressOfTheBook) {
    test::TestBookFile page{
        "index.html",
        "<link rel=stylesheet href=s.css><p>[={title}] " + std::string(3000, 'x') + "</p>", "Home"};
    page.preprocess = 1;
    page.inContents = 1;
    Build({page, {"notes.txt", "a < b", ""}, {"s.css", "p {}", ""}, {"pic.gif", "GIF89a", ""}});
    BookPages pages(book);
    auto html = [&](std::string_view host, std::string_view path,
                    std::optional<std::string> query = std::nullopt) {
        return pages.Html(host, path, query, {}).html;
    };
    const std::string index = html("page", "/index.html");
    EXPECT_TRUE(
        index.starts_with("<link type=\"text/css\" rel=stylesheet href=s.css><p>Tom &amp; "
                          "Jerry xxx"))
        << index.substr(0, 80);
    EXPECT_EQ(html("page", "/docs/notes.txt"), "<html><body><pre>a &lt; b</pre></body></html>");
    EXPECT_NE(html("page", "/pic.gif").find("<img src=\"ebook://page/pic.gif\">"),
              std::string::npos);
    EXPECT_NE(html("page", "/gone.htm").find("<b>gone.htm</b> is not part"), std::string::npos);
    EXPECT_NE(html("system", "/about").find("Ann Author"), std::string::npos);
    EXPECT_NE(html("system", "/contents").find(">Home</a>"), std::string::npos);
    EXPECT_NE(html("system", "/search").find("Type one or more words"), std::string::npos);
    EXPECT_NE(html("system", "/nothing").find("<b>nothing</b> is not part"), std::string::npos);
    const PageOutcome found = pages.Html("system", "/search", "jerry", {});
    EXPECT_EQ(found.found, 1);
    EXPECT_NE(found.html.find(">Home</a>"), std::string::npos);
    EXPECT_EQ(pages.Resource("css/s.css"), "p {}");
    EXPECT_FALSE(pages.Resource("__lang.lng").has_value());
    EXPECT_FALSE(pages.Resource("missing.gif").has_value());

    // A page whose data is damaged: no page, and its name for the message.
    ArchiveReader archive;
    ASSERT_TRUE(archive.Open(path));
    const DirectoryEntry& stored = archive.directory()[archive.FindEntry("index.html")];
    ASSERT_GT(stored.unpackedLength, 0);  // packed, so damage shows when it is unpacked
    std::string bytes = test::ReadWholeFile(path);
    for (int i = 0; i < 8; ++i) {
        bytes[archive.trailer().contentOffset + stored.offset + stored.storedLength / 2 + i] ^=
            0x5A;
    }
    const std::string damagedPath = dir.Write("damaged", bytes);
    ReaderBook damaged;
    ASSERT_TRUE(damaged.Open(damagedPath)) << damaged.error();
    BookPages damagedPages(damaged);
    const PageOutcome outcome = damagedPages.Html("page", "/index.html", std::nullopt, {});
    EXPECT_EQ(outcome.damagedEntry, "index.html");
    EXPECT_EQ(outcome.html, "");
}

TEST_F(ReaderBookTest, RefusesABookWithoutALanguageFileButNotOneWithoutToolbarImages) {
    settings.entryCount = 0;
    const std::string noToolbar = dir.File("no-toolbar");
    std::vector<test::TestBookFile> files = test::ReaderDataFiles(kProgramDir);
    files.pop_back();
    files.push_back({"index.html", "<p>x</p>", ""});
    ASSERT_EQ(test::WriteTestBook(dir, kProgramDir + "/eview.dat", noToolbar, settings, files), "");
    ReaderBook ok;
    ASSERT_TRUE(ok.Open(noToolbar)) << ok.error();
    EXPECT_EQ(ok.toolbar(), nullptr);

    files.erase(files.begin());
    const std::string noLanguage = dir.File("no-language");
    ASSERT_EQ(test::WriteTestBook(dir, kProgramDir + "/eview.dat", noLanguage, settings, files),
              "");
    ReaderBook bad;
    EXPECT_FALSE(bad.Open(noLanguage));
    EXPECT_NE(bad.error().find("language"), std::string::npos) << bad.error();

    files.insert(files.begin(), {"__lang.lng", "not a language file", ""});
    const std::string badLanguage = dir.File("bad-language");
    ASSERT_EQ(test::WriteTestBook(dir, kProgramDir + "/eview.dat", badLanguage, settings, files),
              "");
    EXPECT_FALSE(bad.Open(badLanguage));
    EXPECT_FALSE(bad.Open(dir.File("missing")));
}

}  // namespace
}  // namespace nbx::reader
