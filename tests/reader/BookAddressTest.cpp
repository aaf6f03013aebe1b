// Which addresses a book may reach: its own entries and generated pages load; files of this
// computer, however spelled, never do; other schemes leave only after a question.

#include <gtest/gtest.h>

#include "reader/BookAddress.h"

namespace nbx::reader {
namespace {

TEST(BookAddressTest, ClassifiesEveryAddressABookCanWrite) {
    using K = AddressKind;
    const std::pair<const char*, K> cases[] = {
        {"ebook://page/index.html", K::BookEntry},
        {"EBOOK://PAGE/Index.html", K::BookEntry},
        {"ebook://page/..%5C..%5Cimages%5Cboat.png", K::BookEntry},  // names are flat
        {"ebook://system/search?q=reef", K::GeneratedPage},
        {"ebook://other/x.htm", K::LocalFile},
        {"ebook:/page/x.htm", K::LocalFile},
        {"file:///etc/passwd", K::LocalFile},
        {"FILE:/dev/zero", K::LocalFile},
        {"file://host/share/x", K::LocalFile},
        {"/dev/zero", K::LocalFile},
        {"%2Fdev%2Fzero", K::LocalFile},
        {"\\\\host\\share\\x.png", K::LocalFile},
        {"C:\\Windows\\x.bmp", K::LocalFile},
        {"c:/x.bmp", K::LocalFile},
        {"../../etc/passwd", K::LocalFile},
        {"images/../../x.png", K::LocalFile},
        {"%2E%2E/x.png", K::LocalFile},
        {"data:image/png;base64,iVBORw0KGgo=", K::LocalFile},
        {"qrc:/x.png", K::LocalFile},
        {"about:blank", K::LocalFile},
        {"images/boat.png", K::BookEntry},
        {"images/../boat.png", K::BookEntry},
        {"knots.htm#bowline", K::BookEntry},
        {"https://sailing.example.com/club", K::External},
        {"mailto:ann@example.com", K::External},
        {"ftp://x.example.com/f", K::External},
        {"tel:+15555550100", K::External},
        {"javascript:alert(1)", K::Ignored},
        {"  JavaScript:alert(1)", K::Ignored},
        {"#top", K::Ignored},
        {"", K::Ignored},
    };
    for (const auto& [address, kind] : cases) {
        EXPECT_EQ(ClassifyAddress(address), kind) << address;
    }
    EXPECT_TRUE(MayLoad(K::BookEntry));
    EXPECT_TRUE(MayLoad(K::GeneratedPage));
    for (const K kind : {K::Ignored, K::LocalFile, K::External}) {
        EXPECT_FALSE(MayLoad(kind));
    }
}

TEST(BookAddressTest, DecodesPercentEscapesAndLeavesMalformedOnesAlone) {
    EXPECT_EQ(PercentDecode("a%20b%2f%2E%2e"), "a b/..");
    EXPECT_EQ(PercentDecode("100%"), "100%");
    EXPECT_EQ(PercentDecode("%4"), "%4");
    EXPECT_EQ(PercentDecode("%zz%41"), "%zzA");
    EXPECT_EQ(AddressScheme("HTTPS://x"), "https");
    EXPECT_EQ(AddressScheme("C:\\x"), "");
    EXPECT_EQ(AddressScheme("images/a:b.png"), "");
}

}  // namespace
}  // namespace nbx::reader
