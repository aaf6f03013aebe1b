// The order of a book's pages as their author linked them: rel="next" chains, a table of
// contents followed depth-first, the two together, and the pages nothing reaches.

#include "reader/LinkOrder.h"

#include <gtest/gtest.h>

#include <map>

namespace nbx::reader {
namespace {

using Names = std::vector<std::string>;

// A book held in memory: entry name -> page text, in directory order.
struct Book {
    std::vector<std::pair<std::string, std::string>> files;

    std::vector<DirectoryEntry> Directory() const {
        std::vector<DirectoryEntry> directory;
        for (const auto& [name, text] : files) {
            DirectoryEntry e;
            e.name = name;
            directory.push_back(e);
        }
        return directory;
    }

    // The order's page names; reads counts how often each page was read.
    Names Order(std::map<std::string, int>* reads = nullptr, LinkOrder* result = nullptr) const {
        const std::vector<DirectoryEntry> directory = Directory();
        const LinkOrder order = OrderPagesByLinks(directory, [&](std::size_t i) {
            if (reads) {
                ++(*reads)[files[i].first];
            }
            return std::string_view(files[i].second);
        });
        Names names;
        for (const std::size_t page : order.pages) {
            names.push_back(directory[page].name);
        }
        if (result) {
            *result = order;
        }
        return names;
    }
};

std::string Links(std::initializer_list<const char*> targets) {
    std::string html;
    for (const char* target : targets) {
        html += std::string("<a href=\"") + target + "\">x</a>\n";
    }
    return html;
}

std::string Next(const char* target) {
    return std::string("<link rel=\"next\" href=\"") + target + "\">";
}

// Every page carries a bar linking the contents and every chapter before its own links: the
// bar must not pull the next chapter in ahead of this chapter's sections.
std::string Bar() {
    return Links({"../index.html", "../one/one.html", "../two/two.html"});
}

TEST(LinkOrderTest, PagesFollowTheirAuthorsLinks) {
    const struct {
        const char* what;
        Book book;
        Names expected;
        std::size_t reached;
    } cases[] = {
        {"a rel=next chain, whatever the links say",
         {{{"c.html", Next("a.html")},
           {"index.html", Next("c.html") + Links({"a.html", "b.html", "c.html"})},
           {"b.html", ""},
           {"a.html", Next("b.html")}}},
         {"index.html", "c.html", "a.html", "b.html"},
         4},
        {"a table of contents of chapters that link their sections",
         {{{"index.html", Links({"one/one.html", "two/two.html"})},
           {"one/one.html", Bar() + Links({"s1.html", "s2.html"})},
           {"one/s1.html", Bar() + Links({"s2.html"})},
           {"one/s2.html", Bar() + Links({"s1.html", "../two/two.html"})},
           {"two/two.html", Bar() + Links({"s1.html"})},
           {"two/s1.html", Bar() + Links({"../one/s1.html"})}}},
         {"index.html", "one/one.html", "one/s1.html", "one/s2.html", "two/two.html",
          "two/s1.html"},
         6},
        {"depth-first: a section's own pages come before the next section",
         {{{"index.html", Links({"a.html", "b.html"})},
           {"a.html", Links({"a1.html"})},
           {"a1.html", Links({"a1x.html"})},
           {"a1x.html", ""},
           {"b.html", ""}}},
         {"index.html", "a.html", "a1.html", "a1x.html", "b.html"},
         5},
        {"chains inside chapters, chapters from the contents",
         {{{"index.html", Links({"one.html", "two.html"})},
           {"one.html", Next("one-a.html") + Links({"one-a.html", "one-b.html"})},
           {"one-a.html", Next("one-b.html")},
           {"one-b.html", ""},
           {"two.html", Links({"two-a.html"})},
           {"two-a.html", ""}}},
         {"index.html", "one.html", "one-a.html", "one-b.html", "two.html", "two-a.html"},
         6},
        {"a chain that ends early: the rest in link order",
         {{{"index.html", Next("ch1.html") + Links({"ch1.html", "ch2.html", "genindex.html"})},
           {"ch1.html", Next("ch2.html")},
           {"ch2.html", Links({"ch2-a.html"})},
           {"ch2-a.html", ""},
           {"genindex.html", Links({"ch1.html", "ch2.html", "ch2-a.html"})}}},
         {"index.html", "ch1.html", "ch2.html", "ch2-a.html", "genindex.html"},
         5},
        {"a chain that loops back is left where it loops",
         {{{"index.html", Next("a.html")}, {"a.html", Next("b.html")}, {"b.html", Next("a.html")}}},
         {"index.html", "a.html", "b.html"},
         3},
        {"pages nothing reaches come last, by name",
         {{{"zeta.html", Links({"index.html"})},
           {"index.html", Links({"mid.html"})},
           {"mid.html", ""},
           {"alpha/z.html", ""},
           {"Beta.html", ""},
           {"alpha.html", ""}}},
         {"index.html", "mid.html", "Beta.html", "alpha.html", "alpha/z.html", "zeta.html"},
         2},
    };
    for (const auto& c : cases) {
        LinkOrder order;
        EXPECT_EQ(c.book.Order(nullptr, &order), c.expected) << c.what;
        EXPECT_EQ(order.reached, c.reached) << c.what;
    }
}

TEST(LinkOrderTest, LinksFindTheirPagesAsTheReaderFindsThem) {
    const Book book{{
        {"index.html",
         Links({"guide/start.html#top", "http://example.com/x.html", "mailto:a@b.c",
                "javascript:go('x.html')", "//example.com/y.html", "#local", "",
                "guide/My%20Page.html", "GUIDE/UPPER.HTML", "pic.png", "guide\\back.html",
                "flat.html?x=1", "./guide/../guide/dots.html", "index.html", "missing.html"})},
        {"guide/start.html", ""},
        {"guide/My Page.html", ""},
        {"guide/upper.html", ""},
        {"pic.png", "<a href=\"never.html\">"},  // no page: never read, never placed
        {"guide/back.html", ""},
        {"flat.html", ""},
        {"guide/dots.html", Links({"flat.html"})},  // by its last part: flat.html at the root
        {"never.html", ""},
    }};
    std::map<std::string, int> reads;
    LinkOrder order;
    EXPECT_EQ(book.Order(&reads, &order),
              (Names{"index.html", "guide/start.html", "guide/My Page.html", "guide/upper.html",
                     "guide/back.html", "flat.html", "guide/dots.html", "never.html"}));
    EXPECT_EQ(order.reached, 7u);
    EXPECT_EQ(order.start, 0);
    // Each page is read once, and only when the walk comes to it.
    for (const auto& [name, count] : reads) {
        EXPECT_EQ(count, 1) << name;
    }
    EXPECT_EQ(reads.count("pic.png"), 0u);
    EXPECT_EQ(reads.count("never.html"), 0u);
}

TEST(LinkOrderTest, TheOrderStartsAtTheIndexPage) {
    const struct {
        const char* what;
        Book book;
        const char* start;
    } cases[] = {
        {"index.html at the root",
         {{{"a.html", ""}, {"sub/index.html", ""}, {"INDEX.HTM", ""}}},
         "INDEX.HTM"},
        {"of two, the first",
         {{{"a.html", ""}, {"index.htm", ""}, {"index.html", ""}}},
         "index.htm"},
        {"else the index in the fewest folders",
         {{{"a.html", ""}, {"x/y/index.html", ""}, {"manual/index.html", ""}}},
         "manual/index.html"},
        {"else the first page", {{{"pic.gif", ""}, {"b.html", ""}, {"a.html", ""}}}, "b.html"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.book.Order().front(), c.start) << c.what;
    }
    const Book noPages{{{"pic.gif", ""}, {"__lang.lng", ""}}};
    EXPECT_TRUE(noPages.Order().empty());
    LinkOrder none;
    Book{}.Order(nullptr, &none);
    EXPECT_EQ(none.start, -1);
}

// A chain of thousands of pages and a tree as deep: no recursion to run out of.
TEST(LinkOrderTest, LongChainsAndDeepTreesAreWalkedToTheEnd) {
    Book chain;
    Book deep;
    const int count = 5000;
    for (int i = 0; i < count; ++i) {
        const std::string name = i == 0 ? "index.html" : "p" + std::to_string(i) + ".html";
        const std::string next = "p" + std::to_string(i + 1) + ".html";
        chain.files.emplace_back(name, i + 1 < count ? Next(next.c_str()) : "");
        deep.files.emplace_back(name, i + 1 < count ? Links({next.c_str()}) : "");
    }
    for (const Book* book : {&chain, &deep}) {
        LinkOrder order;
        const Names names = book->Order(nullptr, &order);
        ASSERT_EQ(names.size(), static_cast<std::size_t>(count));
        EXPECT_EQ(order.reached, static_cast<std::size_t>(count));
        EXPECT_EQ(names.back(), "p" + std::to_string(count - 1) + ".html");
    }
}

}  // namespace
}  // namespace nbx::reader
