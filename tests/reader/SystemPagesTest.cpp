// The generated pages, filled from the real English language file.

#include "reader/SystemPages.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace nbx::reader {
namespace {

class SystemPagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(
            texts.Load(test::ReadWholeFile(std::string(NBX_PROGRAM_DIR) + "/English.lng"), why))
            << why;
        settings.title = "Ships <&> Sails";
        settings.colors = {0xCCFFFF, 0x000000, 0xFFFFFF, 0x993300, 0x993300, 0x0000FF};
        directory.resize(3);
        directory[0].name = "index.html";
        directory[1].name = "a.htm";
        directory[2].name = "b.htm";
        directory[1].title = "Anchors & Ropes";
        directory[1].description = "All about <knots>";
        directory[2].description = "";
    }

    static bool Has(const std::string& html, const std::string& part) {
        return html.find(part) != std::string::npos;
    }

    ReaderTexts texts;
    BuildSettings settings;
    std::vector<DirectoryEntry> directory;
};

TEST_F(SystemPagesTest, AboutShowsOnlyTheDetailsThatAreSet) {
    settings.author = "Ann";
    settings.authorUrl = "www.example.com/ann";
    settings.authorEmail = "ann@example.com";
    std::string html = AboutPageHtml(texts, settings);
    EXPECT_TRUE(Has(html, "<h1>Ships &lt;&amp;&gt; Sails</h1>")) << html;
    EXPECT_TRUE(Has(html, "background-color: #FFFFCC")) << html;
    EXPECT_TRUE(Has(html, "color: #003399")) << html;
    EXPECT_TRUE(Has(html, "<th>Author:</th><td class=\"value\">Ann</td>")) << html;
    EXPECT_TRUE(Has(html, "href=\"http://www.example.com/ann\"")) << html;
    EXPECT_TRUE(Has(html, "href=\"mailto:ann@example.com\"")) << html;
    EXPECT_FALSE(Has(html, "Publisher:"));
    EXPECT_FALSE(Has(html, "Compiled:"));
    EXPECT_FALSE(Has(html, "recommended"));
    EXPECT_FALSE(Has(html, "{{"));

    settings.affiliateNickname = "bob<b>";
    settings.buildYear = 2024;
    settings.buildMonth = 3;
    settings.buildDay = 9;
    settings.buildHour = 14;
    settings.buildMinute = 5;
    html = AboutPageHtml(texts, settings);
    EXPECT_TRUE(Has(html, "recommended to you by bob&lt;b&gt;")) << html;
    EXPECT_TRUE(Has(html, "2024-03-09 14:05")) << html;
}

TEST_F(SystemPagesTest, ContentsListsThePagesWithDescriptionsWhenAsked) {
    settings.contentsDescriptions = 1;
    std::string html = ContentsPageHtml(texts, settings, directory, {1, 2});
    EXPECT_TRUE(Has(html,
                    "<a href=\"ebook://page/a.htm\">Anchors &amp; Ropes</a><br>"
                    "<span class=\"description\">All about &lt;knots&gt;</span>"))
        << html;
    EXPECT_TRUE(Has(html, "<a href=\"ebook://page/b.htm\">b.htm</a></p>")) << html;
    EXPECT_FALSE(Has(html, "index.html"));

    settings.contentsDescriptions = 0;
    html = ContentsPageHtml(texts, settings, directory, {1});
    EXPECT_FALSE(Has(html, "knots"));
    html = ContentsPageHtml(texts, settings, directory, {});
    EXPECT_TRUE(Has(html, "No pages of this e-book are listed")) << html;
}

// Titles are stored as the page wrote them: decoded once for display, escaped once for the
// generated pages, so "&#8212;" shows as a dash and "&amp;" as "&".
TEST_F(SystemPagesTest, TitlesAreDecodedOnceAndEscapedOnce) {
    const struct {
        const char* stored;
        const char* shown;  // PageTitleOf: plain text
        const char* html;   // in the Contents and Search pages
    } cases[] = {
        {"Tips &#8212; more", "Tips \xE2\x80\x94 more", "Tips \xE2\x80\x94 more"},
        {"Salt &amp; Pepper", "Salt & Pepper", "Salt &amp; Pepper"},
        {"&lt;b&gt;bold?&lt;/b&gt;", "<b>bold?</b>", "&lt;b&gt;bold?&lt;/b&gt;"},
        {"Caf&eacute; &#x263A;", "Caf\xC3\xA9 \xE2\x98\xBA", "Caf\xC3\xA9 \xE2\x98\xBA"},
        {"A & B &unknown; C", "A & B &unknown; C", "A &amp; B &amp;unknown; C"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        directory[1].title = c.stored;
        EXPECT_EQ(PageTitleOf(directory[1]), c.shown);
        const std::string link = std::string("<a href=\"ebook://page/a.htm\">") + c.html + "</a>";
        EXPECT_TRUE(Has(ContentsPageHtml(texts, settings, directory, {1}), link));
        const std::string found =
            std::string("<a href=\"ebook://page/a.htm?nbx-found=x\">") + c.html + "</a>";
        EXPECT_TRUE(Has(SearchPageHtml(texts, settings, directory, true, "x", {{1, 50}}), found));
    }
}

TEST_F(SystemPagesTest, SearchShowsMatchAndDescriptionsAsTheSettingsSay) {
    const std::vector<SearchResultRow> rows = {{1, 100}, {2, 37}};
    settings.searchShowMatch = 1;
    settings.searchDescriptions = 1;
    std::string html = SearchPageHtml(texts, settings, directory, true, "<knots>", rows);
    EXPECT_TRUE(Has(html, "Pages found for <b>&lt;knots&gt;</b>: 2")) << html;
    EXPECT_TRUE(Has(html, "(100% Match)")) << html;
    EXPECT_TRUE(Has(html, "(37% Match)")) << html;
    EXPECT_TRUE(Has(html, "All about &lt;knots&gt;")) << html;
    EXPECT_LT(html.find("a.htm"), html.find("b.htm"));
    // Each result opens its page with what was found, for the page to mark.
    html = SearchPageHtml(texts, settings, directory, true, "\"Reef knot\" os.path <b>", rows);
    EXPECT_TRUE(Has(html,
                    "href=\"ebook://page/b.htm?nbx-found=reef%20knot&amp;nbx-found=os.path"
                    "&amp;nbx-found=b\""))
        << html;

    settings.searchShowMatch = 0;
    settings.searchDescriptions = 0;
    html = SearchPageHtml(texts, settings, directory, true, "knots", rows);
    EXPECT_FALSE(Has(html, "Match"));
    EXPECT_FALSE(Has(html, "All about"));

    EXPECT_TRUE(Has(SearchPageHtml(texts, settings, directory, true, "zeppelin", {}),
                    "No page contains <b>zeppelin</b>"));
    EXPECT_TRUE(
        Has(SearchPageHtml(texts, settings, directory, false, "", {}), "Type one or more words"));
    EXPECT_TRUE(Has(PageNotFoundHtml(texts, settings, "gone<.htm"), "<b>gone&lt;.htm</b>"));
}

}  // namespace
}  // namespace nbx::reader
