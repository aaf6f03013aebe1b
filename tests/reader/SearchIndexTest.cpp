#include "reader/SearchIndex.h"

#include <gtest/gtest.h>

#include "reader/HtmlText.h"

namespace nbx::reader {
namespace {

std::vector<std::size_t> Pages(const std::vector<SearchHit>& hits) {
    std::vector<std::size_t> out;
    for (const auto& h : hits)
        out.push_back(h.page);
    return out;
}

TEST(HtmlTextTest, KeepsOnlyWhatAReaderSees) {
    EXPECT_EQ(VisibleText("<p>Fish&amp;Chips</p><!-- hidden --><script>var x = 'no';</script>"
                          "<style>p{}</style>caf&#233; &#x41;&bogus; &"),
              " Fish&Chips     café A&bogus; &");
    EXPECT_EQ(VisibleText("<b"), "");
    EXPECT_EQ(VisibleText("<SCRIPT>never closed"), " ");
    EXPECT_EQ(WordsOf("Hello, WORLD 42 café!"),
              (std::vector<std::string>{"hello", "world", "42", "café"}));
}

TEST(HtmlTextTest, MarksUntypedStyleSheetLinks) {
    const std::pair<const char*, const char*> cases[] = {
        {"<head><LINK rel=stylesheet href=a.css></head>",
         "<head><LINK type=\"text/css\" rel=stylesheet href=a.css></head>"},
        {"<link rel=\"stylesheet\" type=\"text/css\" href=\"a.css\">",
         "<link rel=\"stylesheet\" type=\"text/css\" href=\"a.css\">"},
        {"<link rel=\"icon\" href=\"i.png\"><linkx>", "<link rel=\"icon\" href=\"i.png\"><linkx>"},
        {"<link rel=stylesheet", "<link rel=stylesheet"},
        {"no tags", "no tags"},
    };
    for (const auto& [html, typed] : cases) {
        EXPECT_EQ(TypeStyleSheetLinks(html), typed) << html;
    }
}

class SearchIndexTest : public ::testing::Test {
protected:
    void SetUp() override {
        index.AddPage(0, "Welcome", "<p>An introduction to sailing boats.</p>");
        index.AddPage(1, "Sailing", "<p>Sailing, sailing and more sailing with boats.</p>");
        index.AddPage(2, "Engines", "<p>Motor boats have engines.</p>");
        index.AddPage(3, "Knots", "<script>sailing</script><p>Tie a bowline.</p>");
    }
    SearchIndex index;
};

TEST_F(SearchIndexTest, RanksPagesHoldingEveryWord) {
    const auto hits = index.Search("Sailing");
    EXPECT_EQ(Pages(hits), (std::vector<std::size_t>{1, 0}));  // script text is not searched
    EXPECT_EQ(hits[0].percent, 100);
    EXPECT_LT(hits[1].percent, 100);
    EXPECT_GE(hits[1].percent, 1);
    EXPECT_EQ(Pages(index.Search("boats engines")), (std::vector<std::size_t>{2}));
}

TEST_F(SearchIndexTest, FallsBackToAnyWordAndIgnoresEmptyQueries) {
    const auto hits = index.Search("bowline submarine");
    EXPECT_EQ(Pages(hits), (std::vector<std::size_t>{3}));
    EXPECT_LE(hits[0].percent, 50);  // half of the words found
    EXPECT_TRUE(index.Search("  ,.; ").empty());
    EXPECT_TRUE(index.Search("zeppelin").empty());
}

}  // namespace
}  // namespace nbx::reader
