// The links a page holds, read without a document tree: what counts as a link, what hides
// one, and damaged markup.

#include "reader/PageLinkScan.h"

#include <gtest/gtest.h>

namespace nbx::reader {
namespace {

using Links = std::vector<std::string>;

TEST(PageLinkScanTest, FindsTheLinksAReaderCanFollowInTheirOrder) {
    const struct {
        const char* what;
        std::string html;
        Links follow;
        std::string next;
    } cases[] = {
        {"anchors and image-map areas",
         "<p><a href=\"a.html\">A</a> <AREA HREF='b.html'> <a>c</a>",
         {"a.html", "b.html"},
         ""},
        {"unquoted values and spaces around =",
         "<a href = c.html>x</a><a class=x href=d.htm>",
         {"c.html", "d.htm"},
         ""},
        {"references decoded, white space dropped",
         "<a href=\" one&amp;two.html\">x</a><a href=\"se\ncond.html\">",
         {"one&two.html", "second.html"},
         ""},
        {"the first href counts",
         "<a href=\"first.html\" href=\"second.html\">",
         {"first.html"},
         ""},
        {"an empty href leads nowhere", "<a href=\"\">x</a><a href=\"  \">", {}, ""},
        {"style sheets and icons are no pages",
         "<link rel=\"stylesheet\" href=\"s.css\"><link rel=icon href=i.ico>",
         {},
         ""},
        {"rel=next in the head",
         "<head><link rel=\"next\" title=\"x\" href=\"two.html\"></head>",
         {"two.html"},
         "two.html"},
        {"rel is a list of words in any case",
         "<a rel=\"nofollow NEXT\" href=\"n.html\">Next</a><a rel=nextpage href=x.html>",
         {"n.html", "x.html"},
         "n.html"},
        {"the first next counts",
         "<link rel=next href=a.html><a rel=next href=b.html>",
         {"a.html", "b.html"},
         "a.html"},
        {"a quoted value may hold > and <",
         "<img alt=\"a > b <a href=no.html>\"><a title='<a href=\"no.html\">' href=yes.html>",
         {"yes.html"},
         ""},
        {"comments hide links", "<!-- <a href=\"no.html\"> --><a href=yes.html>", {"yes.html"}, ""},
        {"scripts and styles hide links",
         "<script>document.write('<a href=\"no.html\">')</script><STYLE>a[href='<a "
         "href=no2.html>']{}</Style><a href=yes.html>",
         {"yes.html"},
         ""},
        {"end tags, declarations and stray '<' are skipped",
         "<!DOCTYPE html><?xml x?>1 < 2 <3 </a href=no.html><a href=yes.html>",
         {"yes.html"},
         ""},
        {"an attribute without a value", "<a download href=f.html>", {"f.html"}, ""},
        {"names in other tags do not count",
         "<abbr href=no.html><base href=b/><a href=y.html>",
         {"y.html"},
         ""},
    };
    for (const auto& c : cases) {
        const PageLinks links = ScanPageLinks(c.html);
        EXPECT_EQ(links.follow, c.follow) << c.what;
        EXPECT_EQ(links.next, c.next) << c.what;
    }
}

TEST(PageLinkScanTest, DamagedMarkupEndsTheScanWithTheLinksBeforeIt) {
    const struct {
        const char* what;
        std::string html;
    } cases[] = {
        {"an unclosed tag", "<a href=ok.html><a href=\"lost.html\""},
        {"an unclosed quote", "<a href=ok.html><a href=\"lost.html>text"},
        {"an unclosed comment", "<a href=ok.html><!-- <a href=lost.html>"},
        {"an unclosed script", "<a href=ok.html><script><a href=lost.html>"},
        {"a '<' at the very end", "<a href=ok.html><"},
        {"a value that never comes", "<a href=ok.html><a href="},
        {"a zero byte", std::string("<a href=ok.html>\0<a", 19)},
    };
    for (const auto& c : cases) {
        const PageLinks links = ScanPageLinks(c.html);
        EXPECT_EQ(links.follow, Links{"ok.html"}) << c.what;
    }
    EXPECT_TRUE(ScanPageLinks("").follow.empty());
}

}  // namespace
}  // namespace nbx::reader
