// Books made by tamselc new from trees of linked pages read in the order their author linked
// them: the built book, run as a program, answers Next and Previous over HTTP along rel="next"
// chains, along a table of contents, and along both.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <filesystem>

#include "HttpClient.h"
#include "ReaderProcess.h"
#include "ServedBook.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

namespace nbx::test {
namespace {

using Names = std::vector<std::string>;
using Tree = std::vector<std::pair<std::string, std::string>>;

std::string Page(const std::string& title, const std::string& body) {
    return "<html><head><title>" + title + "</title>" + body + "</html>";
}

std::string NextLink(const std::string& target) {
    return "<link rel=\"next\" href=\"" + target + "\"></head><body>";
}

std::string Anchors(const Names& targets) {
    std::string html = "</head><body>";
    for (const std::string& target : targets) {
        html += "<a href=\"" + target + "\">" + target + "</a> ";
    }
    return html;
}

// Titles sort against the links everywhere, so an order by title (or by name) would show.
const Tree kChain = {
    {"index.html", Page("Z Welcome", NextLink("zebra.html"))},
    {"apple.html", Page("A Apple", NextLink("mango.html"))},
    {"mango.html", Page("M Mango", "</head><body>the end")},
    {"zebra.html", Page("B Zebra", NextLink("apple.html"))},
};

// A contents page of chapters; each chapter page begins with a bar that links the contents
// and every chapter, then links its own sections.
const std::string kBar =
    "<a href=\"../index.html\">Contents</a> <a href=\"../two/intro.html\">2</a> "
    "<a href=\"../one/intro.html\">1</a> ";
const Tree kContents = {
    {"index.html", Page("Contents", Anchors({"two/intro.html", "one/intro.html"}))},
    {"one/intro.html", Page("One", "</head><body>" + kBar + "<a href=\"b.html\">b</a>")},
    {"one/b.html", Page("One B", "</head><body>" + kBar)},
    {"two/intro.html",
     Page("Two", "</head><body>" + kBar + "<a href=\"z.html\">z</a> <a href=\"a.html\">a</a>")},
    {"two/a.html", Page("Two A", "</head><body>" + kBar)},
    {"two/z.html", Page("Two Z", "</head><body>" + kBar)},
    {"orphan.html", Page("0 Orphan", "</head><body>no link comes here")},
};

// Contents for the parts, a rel="next" chain through the first part's sections.
const Tree kBoth = {
    {"index.html", Page("Contents", Anchors({"part1.html", "part2.html"}))},
    {"part1.html", Page("Part 1", NextLink("s/p1-c.html") + "<a href=\"../index.html\">up</a>")},
    {"s/p1-c.html", Page("1 C", NextLink("p1-a.html"))},
    {"s/p1-a.html", Page("1 A", "</head><body>end of part 1")},
    {"part2.html", Page("Part 2", Anchors({"s/p2.html"}))},
    {"s/p2.html", Page("2", Anchors({"../index.html"}))},
};

class ReadingOrderTest : public ::testing::Test {
protected:
    // Writes the tree, makes its project with tamselc new and builds it; the book's path.
    std::string Build(const std::string& name, const Tree& tree) {
        for (const auto& [file, text] : tree) {
            dir.Write(name + "/pages/" + file, text);
        }
        const std::string tamselc = std::string(NBX_PROGRAM_DIR) + "/tamselc";
        const std::string project = dir.File(name + "/book.nxp");
        const std::string book = dir.File(name + "/out/book");
        std::filesystem::create_directories(dir.File(name + "/out"));
        for (const std::string& command :
             {tamselc + " new '" + project + "' --folder '" + dir.File(name + "/pages") +
                  "' --sub-folders --output '" + book + "'",
              tamselc + " set '" + project + "' splashBitmap=",
              tamselc + " build '" + project + "' --yes"}) {
            int status = 0;
            const std::string said = RunCommand(command + " 2>&1", status);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command << "\n" << said;
        }
        return book;
    }

    // The pages met from the first one on, asking the running book for Next (or from the
    // last one on, for Previous) until it has none.
    static Names Walk(const ReaderProcess& reader, const std::string& where,
                      const std::string& first) {
        const std::string prefix = reader.base + "/book/";
        Names pages{first};
        for (int steps = 0; steps < 20; ++steps) {
            const HttpAnswer answer =
                Get(reader.pagePort, reader.base + "/go/" + where + "?from=" + pages.back());
            if (answer.status == 204) {
                return pages;  // no page there
            }
            EXPECT_EQ(answer.status, 303);
            const std::string location = answer.Header("location");
            if (!location.starts_with(prefix)) {
                ADD_FAILURE() << "led to " << location;
                return pages;
            }
            pages.push_back(location.substr(prefix.size()));
        }
        ADD_FAILURE() << "no end to " << where;
        return pages;
    }

    TempDir dir;
};

TEST_F(ReadingOrderTest, NextAndPreviousFollowTheAuthorsLinks) {
    const struct {
        const char* name;
        const Tree& tree;
        Names order;
    } cases[] = {
        {"chain", kChain, {"index.html", "zebra.html", "apple.html", "mango.html"}},
        {"contents",
         kContents,
         {"index.html", "two/intro.html", "two/z.html", "two/a.html", "one/intro.html",
          "one/b.html", "orphan.html"}},
        {"both",
         kBoth,
         {"index.html", "part1.html", "s/p1-c.html", "s/p1-a.html", "part2.html", "s/p2.html"}},
    };
    for (const auto& c : cases) {
        const std::string book = Build(c.name, c.tree);
        ReaderProcess reader;
        ASSERT_TRUE(reader.Start(book, {"BROWSER=true", "NBX_READER_IDLE_MS=60000"})) << c.name;
        const HttpAnswer home = Get(reader.pagePort, reader.base + "/go/home");
        EXPECT_EQ(home.Header("location"), reader.base + "/book/index.html") << c.name;
        EXPECT_EQ(Walk(reader, "next", "index.html"), c.order) << c.name;
        const Names backwards(c.order.rbegin(), c.order.rend());
        EXPECT_EQ(Walk(reader, "previous", c.order.back()), backwards) << c.name;
    }
}

}  // namespace
}  // namespace nbx::test
