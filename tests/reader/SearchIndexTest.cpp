#include "reader/SearchIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "reader/HtmlText.h"
#include "reader/SearchText.h"

namespace nbx::reader {
namespace {

TEST(HtmlTextTest, KeepsOnlyWhatAReaderSees) {
    EXPECT_EQ(VisibleText("<p>Fish&amp;Chips</p><!-- hidden --><script>var x = 'no';</script>"
                          "<style>p{}</style>caf&#233; &#x41;&bogus; &")
                  .text,
              " Fish&Chips     café A&bogus; &");
    EXPECT_EQ(VisibleText("<b").text, "");
    EXPECT_EQ(VisibleText("<SCRIPT>never closed").text, " ");
    EXPECT_EQ(VisibleText("<head><title>Not shown</title></head>x").text, "    x");
}

TEST(HtmlTextTest, CopiesTheTextBetweenTagsAndReferencesWhole) {
    const std::pair<std::string, std::string> cases[] = {
        {"a&amp;b<i>c</i>&lt;d", "a&b c <d"},
        {"&&&x&amp;&", "&&&x&&"},
        {"<<a>b", " b"},
        {"text & more <b>bold</b> end &amp", "text & more  bold  end &amp"},
        // Long stretches of references without a tag, and of tags without a reference.
        {std::string(5000, 'x') + std::string(20000, '&') + "&amp;y",
         std::string(5000, 'x') + std::string(20000, '&') + "&y"},
        {std::string(3000, '<') + ">z", " z"},
    };
    for (const auto& [html, text] : cases) {
        EXPECT_EQ(VisibleText(html).text, text) << html.substr(0, 40);
    }
}

TEST(HtmlTextTest, MarksHeadings) {
    const PageText page =
        VisibleText("a<H1 class=x>Top <b>one</b></H1>b<h2>two</h2><h7>no</h7><h3>open");
    const auto heading = [&](std::size_t i) {
        return page.text.substr(page.headings[i].first,
                                page.headings[i].second - page.headings[i].first);
    };
    ASSERT_EQ(page.headings.size(), 3u);
    EXPECT_EQ(heading(0), "Top  one  ");
    EXPECT_EQ(heading(1), "two ");
    EXPECT_EQ(heading(2), "open");
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

// Terms as "text" (a word), "text/position" (a part) or "text@position+span" (an identifier).
std::string Cut(std::string text) {
    LowerSearchText(text);
    std::vector<SearchTerm> terms;
    CutSearchTerms(text, 0, terms);
    std::string out;
    for (const SearchTerm& t : terms) {
        const SearchIndexWriter::TermKey key = SearchIndexWriter::KeyOf(t.text);
        EXPECT_EQ(t.key.head, key.head) << t.text;
        EXPECT_EQ(t.key.tail, key.tail) << t.text;
        out += out.empty() ? "" : " ";
        out += t.text;
        if (t.kind == TermKind::Identifier) {
            out += "@" + std::to_string(t.position) + "+" + std::to_string(t.span);
        } else if (t.kind == TermKind::Part) {
            out += "/" + std::to_string(t.position);
        }
    }
    return out;
}

TEST(SearchTextTest, CutsWordsAndIdentifiers) {
    const std::pair<const char*, const char*> cases[] = {
        {"Hello, WORLD 42", "hello world 42"},
        {"CAFÉ Ærø café", "café ærø café"},
        {"CONFIG_OUTPUT_NAME=1", "config_output_name@0+3 config/0 output/1 name/2 1"},
        {"os.path.join() then", "os.path.join@0+3 os/0 path/1 join/2 then"},
        {"std::vector<int>", "std::vector@0+2 std/0 vector/1 int"},
        {"__init__ and _", "__init__@0+1 init/0 and"},
        {"e.g. the end.", "e.g@0+2 e/0 g/1 the end"},
        {"a::b:c a..b a. .b", "a::b@0+2 a/0 b/1 c a b a b"},
        {"3.14", "3.14@0+2 3/0 14/1"},
        // Punctuation and spaces beyond ASCII separate words; other characters are letters.
        {"one\u2014two\u00A0three\u00B6 four\u00D7five \u3001six", "one two three four five six"},
        {"na\u00EFve \u0436\u0443\u043A", "na\u00EFve \u0436\u0443\u043A"},
        // Words of eight bytes and more, and the characters next to letters and digits.
        {"abcdefgh ijklmnopqrstuvwxyz0123456789 ABCDEFGHIJKLMNOPQRSTUVWXYZ longword12",
         "abcdefgh ijklmnopqrstuvwxyz0123456789 abcdefghijklmnopqrstuvwxyz longword12"},
        {"`at` {brace}[SQUARE] @mail /path: 09 Z~x\x7F\x01y", "at brace square mail path 09 z x y"},
        {"\u00C0BCDEFGHIJ_KLMNOPQ \u00D6LKLMNOPQRS",
         "\u00E0bcdefghij_klmnopq@0+2 \u00E0bcdefghij/0 "
         "klmnopq/1 \u00F6lklmnopqrs"},
    };
    for (const auto& [text, terms] : cases) {
        EXPECT_EQ(Cut(text), terms) << text;
    }
}

// Sixteen, eight and one byte at a time: every ASCII byte in every place of a text that takes
// each step, and a Latin-1 capital that stops the wider ones.
TEST(SearchTextTest, LowersEveryCapitalWhereverItIs) {
    for (std::size_t at = 0; at < 40; ++at) {
        for (int value = 1; value < 128; ++value) {
            std::string text = "The Quick BROWN fox JUMPS over 9 LAZY Dogs";
            text[at] = static_cast<char>(value);
            std::string expected = text;
            for (char& c : expected) {
                c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
            }
            LowerSearchText(text);
            ASSERT_EQ(text, expected) << at << " " << value;
        }
    }
    std::string latin = "ABCDEFGHIJKLMNOPQ\u00C0RSTUVWXYZ ABCDEFGH\u00D6";
    LowerSearchText(latin);
    EXPECT_EQ(latin, "abcdefghijklmnopq\u00E0rstuvwxyz abcdefgh\u00F6");
}

// Words of every length up to 40, each after every separator, cut as plain runs of letters
// and digits are: the texts end at each length too, where fewer than 16 bytes are left.
TEST(SearchTextTest, CutsWordsOfEveryLengthAnywhereInTheText) {
    const char* const separators[] = {" ", ", ", "\n\t", "-", "!?", "\"", "("};
    std::string text, words;
    for (std::size_t length = 1; length <= 40; ++length) {
        for (const char* separator : separators) {
            std::string word;
            for (std::size_t i = 0; i < length; ++i) {
                word += "abcdefghijklmnopqrstuvwxyz0123456789"[(length * 7 + i) % 36];
            }
            text += separator + word;
            words += (words.empty() ? "" : " ") + word;
            EXPECT_EQ(Cut(text), words) << text.substr(text.size() - length - 2);
        }
    }
}

// The cutter's sixteen-byte step, in SSE2 and in plain 64-bit arithmetic, against one byte at a
// time: every byte value in every place, among word bytes.
TEST(SearchTextTest, FindsTheBytesThatEndAWordSixteenAtATime) {
    for (std::size_t at = 0; at < 16; ++at) {
        for (int value = 0; value < 256; ++value) {
            char bytes[16];
            std::memcpy(bytes, "qz09amxy5tbc8wvd", 16);
            bytes[at] = static_cast<char>(value);
            unsigned expected = 0;
            for (unsigned k = 0; k < 16; ++k) {
                expected |=
                    detail::kWordBytes.is[static_cast<unsigned char>(bytes[k])] ? 0 : 1u << k;
            }
            EXPECT_EQ(detail::StopBits16(bytes), expected) << at << " " << value;
            EXPECT_EQ(detail::StopBits16Portable(bytes), expected) << at << " " << value;
        }
    }
}

// Items as their terms with offsets: "a b+1 | c".
std::string Parse(std::string_view query) {
    std::string out;
    for (const QueryItem& item : ParseSearchQuery(query)) {
        out += out.empty() ? "" : " | ";
        for (std::size_t k = 0; k < item.terms.size(); ++k) {
            out += (k ? " " : "") + item.terms[k].text;
            if (item.terms[k].offset) {
                out += "+" + std::to_string(item.terms[k].offset);
            }
        }
        out += " (" + std::to_string(item.span) + ")";
    }
    return out;
}

TEST(SearchTextTest, ParsesQueries) {
    const std::pair<const char*, const char*> cases[] = {
        {"Reading order", "reading (1) | order (1)"},
        {"\"reading order\" search", "reading order+1 (2) | search (1)"},
        {"\u201Creading order\u201D", "reading order+1 (2)"},
        {"CONFIG_NAME", "config_name (2)"},
        {"\"call os.path.join now\"", "call os.path.join+1 now+4 (5)"},
        {"a A a", "a (1)"},
        {"\"single\" single", "single (1)"},
        {"\"unclosed phrase", "unclosed phrase+1 (2)"},
        {"\"\" ,.; \"", ""},
    };
    for (const auto& [query, items] : cases) {
        EXPECT_EQ(Parse(query), items) << query;
    }
    EXPECT_EQ(ItemMarkText(ParseSearchQuery("\"os.path.join now\"")[0]), "os.path.join now");
}

struct TestPage {
    const char* title;
    const char* html;
    const char* keywords = "";
};

// A small manual: one page titled by each name that the ranking cases search for.
const TestPage kManual[] = {
    /* 0 */ {"Welcome", "<h1>Welcome</h1><p>This manual covers reading order and search.</p>"},
    /* 1 */ {"Reading order", "<p>The order in which pages are read.</p>"},
    /* 2 */
    {"Guide",
     "<h2>Reading order</h2><p>Pages in reading order follow the links; keep to reading "
     "order when you write, and every book has one reading order only.</p>"},
    /* 3 */ {"Words", "<p>order reading</p>"},
    /* 4 */
    {"Configuration",
     "<p>Set CONFIG_OUTPUT_NAME to name the output. Call os.path.join now, and keep a "
     "std::vector.</p>"},
    /* 5 */ {"printf", "<p>printf writes formatted output.</p>"},
    /* 6 */
    {"Standard input &amp; output",
     "<h2>printf</h2><p>printf, scanf and friends. printf printf printf.</p>"},
    /* 7 */
    {"Miscellany",
     "<p>We mention printf once among many other words, here and there, in a text that "
     "goes on about other things for a while.</p>"},
    /* 8 */ {"Caf&eacute; notes", "<p>No scripts here.</p><script>printf</script>", "espresso"},
};

class SearchIndexTest : public ::testing::Test {
protected:
    void SetUp() override {
        SearchIndexMaker maker;
        std::vector<SearchIndex::Page> pages;
        for (std::size_t i = 0; i < std::size(kManual); ++i) {
            maker.Add("p" + std::to_string(i), kManual[i].title, kManual[i].keywords,
                      kManual[i].html);
            pages.push_back({i, i});
        }
        SearchIndexReader reader;
        ASSERT_TRUE(maker.Finish(reader));
        ASSERT_TRUE(index.Add(std::move(reader), pages));
    }
    std::vector<std::size_t> Found(std::string_view query) {
        std::vector<SearchHit> hits;
        EXPECT_TRUE(index.Search(query, hits)) << index.error();
        std::vector<std::size_t> pages;
        for (const SearchHit& h : hits) {
            pages.push_back(h.page);
            EXPECT_GE(h.percent, 1);
            EXPECT_LE(h.percent, 100);
        }
        if (!hits.empty()) {
            EXPECT_EQ(hits[0].percent, 100);
        }
        return pages;
    }
    SearchIndex index;
};

TEST_F(SearchIndexTest, FindsPagesHoldingEveryItem) {
    using Pages = std::vector<std::size_t>;
    struct Case {
        const char* query;
        Pages found;  // the best first; the order of the rest is RanksTheTitle...'s business
    };
    const Case cases[] = {
        // All of the words, wherever they are on the page.
        {"reading order", {1, 2, 0, 3}},
        {"zyzzyva order", {}},
        {"order zyzzyva", {}},
        {"  ,.; ", {}},
        // A phrase: its words in a row, not across the title and the text.
        {"\"reading order\"", {1, 2, 0}},
        {"\"order reading\"", {3}},
        {"\"order the\"", {}},
        {"\"reading order\" welcome", {0}},
        // An identifier is a term, and so is each of its words.
        {"CONFIG_OUTPUT_NAME", {4}},
        {"config_output", {}},
        {"os.path.join", {4}},
        {"\"call os.path.join now\"", {4}},
        {"\"call os.path now\"", {}},
        {"path", {4}},
        {"std::vector", {4}},
        {"vector std", {4}},
        // Titles with their references decoded, keywords, and no script text.
        {"café", {8}},
        {"\"standard input & output\"", {6}},
        {"espresso", {8}},
        {"scripts printf", {}},
    };
    for (const Case& c : cases) {
        const Pages found = Found(c.query);
        EXPECT_TRUE(found.size() == c.found.size() &&
                    std::is_permutation(found.begin(), found.end(), c.found.begin()))
            << c.query << ": " << testing::PrintToString(found);
        if (!found.empty() && !c.found.empty()) {
            EXPECT_EQ(found[0], c.found[0]) << c.query;
        }
    }
}

TEST_F(SearchIndexTest, RanksTheTitleThenHeadingsThenText) {
    // The page titled by the name first, then the one with it in a heading and often in its
    // text, then a long page that mentions it once.
    EXPECT_EQ(Found("printf"), (std::vector<std::size_t>{5, 6, 7}));
    EXPECT_EQ(Found("PrintF"), (std::vector<std::size_t>{5, 6, 7}));
    // Two words: the page titled by both beats the one that repeats them under a heading,
    // which beats those that hold them once.
    for (const char* query : {"reading order", "order reading"}) {
        const std::vector<std::size_t> found = Found(query);
        ASSERT_EQ(found.size(), 4u);
        EXPECT_EQ(found[0], 1u) << query;
        EXPECT_EQ(found[1], 2u) << query;
    }
    // A title that holds the words among others comes after one that is only them.
    EXPECT_EQ(Found("output").front(), 6u);
}

TEST(SearchIndexPartsTest, SearchesEveryIndexAndWeighsWordsOverAll) {
    SearchIndex index;
    for (std::size_t part = 0; part < 2; ++part) {
        SearchIndexMaker maker;
        std::vector<SearchIndex::Page> pages;
        for (std::size_t i = 0; i < 3; ++i) {
            const std::size_t entry = part * 10 + i;
            const std::string body =
                i == 0 ? "<p>boats and sails</p>" : "<p>boats, boats and engines</p>";
            maker.Add("e" + std::to_string(entry), "", "", body);
            pages.push_back({entry, 5 - entry % 10 - part});  // later parts earlier in order
        }
        SearchIndexReader reader;
        ASSERT_TRUE(maker.Finish(reader));
        EXPECT_FALSE(index.Add(SearchIndexReader(), pages));  // counts differ
        ASSERT_TRUE(index.Add(std::move(reader), pages));
    }
    std::vector<SearchHit> hits;
    ASSERT_TRUE(index.Search("sails boats", hits));
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].page, 10u);  // equal scores: reading order
    EXPECT_EQ(hits[1].page, 0u);
    EXPECT_EQ(hits[1].percent, 100);
    ASSERT_TRUE(index.Search("engines", hits));
    EXPECT_EQ(hits.size(), 4u);
    index.RemoveFirst();
    ASSERT_TRUE(index.Search("engines", hits));
    EXPECT_EQ(hits.size(), 2u);
}

}  // namespace
}  // namespace nbx::reader
