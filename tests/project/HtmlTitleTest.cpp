#include "project/HtmlTitle.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace nbx {
namespace {

TEST(FindHtmlTitleTest, Table) {
    const std::string title300(300, 'x');
    // 254 ASCII bytes, then a two-byte character that the cut at 255 would split.
    const std::string straddling = std::string(254, 'a') + "\xC3\xA9" + "zz";
    // An 8-bit character of an older page at 254, followed by plain text: kept as it is.
    const std::string latin = std::string(254, 'a') + "\xE9" + "zzz";
    const struct {
        std::string head;
        std::string title;
    } cases[] = {
        {"<html><title>Roses</title></html>", "Roses"},
        {"<TITLE>Upper</TITLE>", "Upper"},
        {"<Title>\r\n\r\n  Mixed case, blank lines \t\n</tItLe>", "Mixed case, blank lines"},
        {"<title>Line one\r\nline two</title>", "Line one\r\nline two"},
        {"<title>Fish &amp; Chips</title>", "Fish &amp; Chips"},
        {"<title>   </title>", ""},
        {"</title> closing first <title>x</title>", ""},
        {"<title>never closed", ""},
        {"no tags at all", ""},
        {"", ""},
        {std::string("\0<title>x</title>", 17), ""},
        {std::string("<title>x\0</title>", 17), ""},
        {"<title>" + title300 + "</title>", std::string(255, 'x')},
        {"<title>" + straddling + "</title>", std::string(254, 'a')},
        {"<title>" + latin + "</title>", latin.substr(0, 255)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindHtmlTitle(c.head), c.title) << c.head.substr(0, 60);
    }
}

TEST(ExtractHtmlTitleTest, ReadsOnlyTheFirst4095Bytes) {
    test::TempDir dir;
    const std::string padding(4095 - 17, ' ');  // 17: "<title>ab</title>"
    // The closing tag ends exactly at byte 4095: found.
    EXPECT_EQ(ExtractHtmlTitle(dir.Write("in.htm", padding + "<title>ab</title>x")), "ab");
    // One byte later it lies beyond what is read.
    EXPECT_EQ(ExtractHtmlTitle(dir.Write("out.htm", padding + " <title>ab</title>")), "");
    EXPECT_EQ(ExtractHtmlTitle(dir.File("missing.htm")), "");
    EXPECT_EQ(ExtractHtmlTitle(dir.path()), "");
    // A named pipe is not waited on.
    ASSERT_EQ(::mkfifo(dir.File("pipe.htm").c_str(), 0600), 0);
    EXPECT_EQ(ExtractHtmlTitle(dir.File("pipe.htm")), "");
}

}  // namespace
}  // namespace nbx
