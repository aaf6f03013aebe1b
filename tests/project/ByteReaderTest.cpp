#include "project/ByteReader.h"

#include <gtest/gtest.h>

#include "LayoutBytes.h"
#include "project/ByteWriter.h"

namespace nbx::projectfile {
namespace {

TEST(StringPrefixTest, WriterUsesTheShortestFormAndReaderTakesItBack) {
    const struct {
        std::size_t length;
        std::string prefix;
    } cases[] = {
        {0, std::string("\x00", 1)},
        {254, "\xFE"},
        {255, std::string("\xFF\xFF\x00", 3)},
        {65533, "\xFF\xFD\xFF"},
        {65534, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
        {70000, std::string("\xFF\xFF\xFF\x70\x11\x01\x00", 7)},
    };
    for (const auto& c : cases) {
        const std::string text(c.length, 'x');
        ByteWriter w;
        w.WriteString(text);
        w.WriteU32(0xA1B2C3D4);
        ASSERT_EQ(w.bytes().size(), c.prefix.size() + c.length + 4) << c.length;
        EXPECT_EQ(w.bytes().substr(0, c.prefix.size()), c.prefix) << c.length;

        ByteReader r(w.bytes());
        EXPECT_EQ(r.ReadString(), text) << c.length;
        EXPECT_EQ(r.ReadU32(), 0xA1B2C3D4u);
        EXPECT_FALSE(r.failed());
        EXPECT_EQ(r.remaining(), 0u);
    }
}

TEST(StringPrefixTest, Utf16StringsLoadAsUtf8) {
    // "Grüße €", then a character outside the basic plane, then an unpaired surrogate.
    const std::u16string text = u"Gr\u00FC\u00DFe \u20AC\U0001F600";
    test::LayoutBytes b;
    b.Byte(0xFF).U16(0xFFFE).Byte(static_cast<std::uint8_t>(text.size() + 1));
    for (const char16_t c : text)
        b.U16(c);
    b.U16(0xD800);
    // A long UTF-16 string: its character count takes the 16-bit form.
    b.Byte(0xFF).U16(0xFFFE).Byte(0xFF).U16(300);
    for (int i = 0; i < 300; ++i)
        b.U16(u'a');

    ByteReader r(b.bytes);
    EXPECT_EQ(r.ReadString(),
              "Gr\xC3\xBC\xC3\x9F"
              "e \xE2\x82\xAC\xF0\x9F\x98\x80\xEF\xBF\xBD");
    EXPECT_EQ(r.ReadString(), std::string(300, 'a'));
    EXPECT_FALSE(r.failed());
}

TEST(ByteReaderTest, DamagedInputFailsWithoutReadingPastTheEnd) {
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"short length byte",
         "\x05"
         "abc"},
        {"16-bit length cut", "\xFF\x10"},
        {"16-bit length past the end",
         "\xFF\x00\x01"
         "abc"},
        {"4 GB string",
         test::LayoutBytes().Byte(0xFF).U16(0xFFFF).U32(0xFFFFFFFF).Raw("abc").bytes},
        {"UTF-16 count past the end",
         test::LayoutBytes().Byte(0xFF).U16(0xFFFE).Byte(3).U16('a').bytes},
        {"UTF-16 huge count",
         test::LayoutBytes().Byte(0xFF).U16(0xFFFE).Byte(0xFF).U16(0xFFFF).U32(0x80000000).bytes},
    };
    for (const auto& c : cases) {
        ByteReader r(c.bytes);
        EXPECT_EQ(r.ReadString(), "") << c.what;
        EXPECT_TRUE(r.failed()) << c.what;
        // Once failed, every read gives nothing.
        EXPECT_EQ(r.ReadU32(), 0u) << c.what;
        EXPECT_EQ(r.ReadCount(1), 0u) << c.what;
    }
}

TEST(ByteReaderTest, CountsAreCheckedAgainstTheBytesLeft) {
    // A 40-byte input that claims two thousand million records fails at once.
    test::LayoutBytes huge;
    huge.U32(2000000000).Empty(36);
    ByteReader r(huge.bytes);
    EXPECT_EQ(r.ReadCount(1), 0u);
    EXPECT_TRUE(r.failed());

    // Exactly enough bytes for the smallest records is accepted; one fewer is not.
    const std::string fitting = test::LayoutBytes().U32(4).Empty(8).bytes;
    ByteReader fits(fitting);
    EXPECT_EQ(fits.ReadCount(2), 4u);
    EXPECT_FALSE(fits.failed());
    const std::string oneShort = test::LayoutBytes().U32(4).Empty(7).bytes;
    ByteReader tooShort(oneShort);
    EXPECT_EQ(tooShort.ReadCount(2), 0u);
    EXPECT_TRUE(tooShort.failed());

    // Zero or negative counts mean an empty list.
    const std::string minusOne = test::LayoutBytes().U32(0xFFFFFFFF).bytes;
    ByteReader negative(minusOne);
    EXPECT_EQ(negative.ReadCount(1), 0u);
    EXPECT_FALSE(negative.failed());
}

}  // namespace
}  // namespace nbx::projectfile
