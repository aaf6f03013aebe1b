// How a link in a page finds its entry, in books of sub-folders and in flat books.

#include "reader/BookLinks.h"

#include <gtest/gtest.h>

namespace nbx::reader {
namespace {

std::vector<DirectoryEntry> Directory(std::initializer_list<const char*> names) {
    std::vector<DirectoryEntry> directory;
    for (const char* name : names) {
        DirectoryEntry e;
        e.name = name;
        directory.push_back(e);
    }
    return directory;
}

TEST(BookLinksTest, LinksResolveAgainstThePageThatHoldsThem) {
    const auto tree = Directory({"index.html", "library/index.html", "library/os.html",
                                 "howto/index.html", "howto/logging.html", "_images/x.png",
                                 "_static/basic.css", "contents.html", "Library/Upper.HTML"});
    const struct {
        const char* page;
        const char* link;
        const char* expected;  // nullptr: no entry
    } cases[] = {
        {"library/os.html", "../_images/x.png", "_images/x.png"},
        {"library/os.html", "index.html", "library/index.html"},
        {"library/os.html", "./index.html#top", "library/index.html"},
        {"library/os.html", "../index.html?x=1", "index.html"},
        {"library/os.html", "/howto/index.html", "howto/index.html"},
        {"library/os.html", "../howto/logging.html", "howto/logging.html"},
        {"index.html", "library/index.html", "library/index.html"},
        {"index.html", "howto/index.html", "howto/index.html"},
        {"howto/logging.html", "../../../index.html", "index.html"},  // no way above the root
        {"howto/logging.html", "../_static/basic.css", "_static/basic.css"},
        {"howto/logging.html", "../library/UPPER.html", "Library/Upper.HTML"},  // letter case
        // A path that names no entry falls back to the last part, as in flat books.
        {"howto/logging.html", "contents.html", "contents.html"},
        // A page of the same file name in another folder is not taken for it.
        {"howto/logging.html", "elsewhere/os.html", nullptr},
        {"howto/logging.html", "missing.html", nullptr},
        {"howto/logging.html", "../", nullptr},
    };
    for (const auto& c : cases) {
        const long found = FindLinkedEntry(tree, ResolveLinkPath(c.page, c.link));
        if (!c.expected) {
            EXPECT_EQ(found, -1) << c.page << " -> " << c.link;
            continue;
        }
        ASSERT_GE(found, 0) << c.page << " -> " << c.link;
        EXPECT_EQ(tree[found].name, c.expected) << c.page << " -> " << c.link;
    }
}

TEST(BookLinksTest, FlatBooksFindEntriesByFileNameAsBefore) {
    const auto flat = Directory({"index.html", "pic.gif", "Other.htm"});
    const struct {
        const char* link;
        const char* expected;
    } cases[] = {
        {"images/pic.gif", "pic.gif"},
        {"../pics/pic.gif", "pic.gif"},
        {"C:\\site\\other.htm", "Other.htm"},
        {"/index.html", "index.html"},
    };
    for (const auto& c : cases) {
        const long found = FindLinkedEntry(flat, ResolveLinkPath("index.html", c.link));
        ASSERT_GE(found, 0) << c.link;
        EXPECT_EQ(flat[found].name, c.expected) << c.link;
    }
    // The window hands over paths from the root, as its addresses hold them.
    EXPECT_EQ(FindLinkedEntry(Directory({"a/b.html"}), "/a/b.html"), 0);
}

TEST(BookLinksTest, AddressesKeepTheFoldersOfAName) {
    // Relative links in the page then resolve the way the book's folders lie.
    EXPECT_EQ(PageAddress("library/my page.html"), "ebook://page/library/my%20page.html");
    EXPECT_EQ(ResolveLinkPath("library/os.html", "../_images/x.png"), "_images/x.png");
    EXPECT_EQ(ResolveLinkPath("os.html", "a/./b/../c.html"), "a/c.html");
}

}  // namespace
}  // namespace nbx::reader
