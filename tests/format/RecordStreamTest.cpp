#include <gtest/gtest.h>

#include <string>

#include "format/RecordFormat.h"
#include "format/RecordStreamReader.h"
#include "format/RecordStreamWriter.h"

namespace nbx {
namespace {

std::string Unmasked(std::string bytes) {
    for (char& c : bytes) {
        c = static_cast<char>(c ^ record::kStreamMask);
    }
    return bytes;
}

std::string Written(void (*write)(RecordStreamWriter&)) {
    std::string out;
    StringSink sink(out);
    RecordStreamWriter writer(sink);
    write(writer);
    EXPECT_TRUE(writer.Flush());
    return out;
}

TEST(RecordStreamWriterTest, ItemsAreLittleEndianAndMasked) {
    const std::string out = Written([](RecordStreamWriter& w) {
        w.WriteMagic(0x0FF5E101);
        w.WriteWord(-2);
        w.WriteString("ab");
        w.WriteString("");
        const unsigned char block[3] = {0, 0x3C, 0xFF};
        w.WriteBlock(block, sizeof block);
    });
    const std::string expected(
        "\x01\xE1\xF5\x0F"
        "\xFE\xFF\xFF\xFF"
        "\x02\x00\x00\x00"
        "ab"
        "\x00\x00\x00\x00"
        "\x00\x3C\xFF",
        4 + 4 + 4 + 2 + 4 + 3);
    EXPECT_EQ(Unmasked(out), expected);
    // Every byte is masked, so a zero word is stored as the mask byte four times.
    EXPECT_EQ(out.substr(14, 4), std::string(4, '\x3C'));
}

class FailingSink final : public ByteSink {
public:
    bool Write(const void*, std::size_t) override { return false; }
};

TEST(RecordStreamWriterTest, FirstFailureSticks) {
    FailingSink sink;
    RecordStreamWriter writer(sink);
    EXPECT_TRUE(writer.WriteWord(1));  // still buffered
    EXPECT_FALSE(writer.Flush());
    EXPECT_FALSE(writer.WriteWord(2));
    EXPECT_FALSE(writer.ok());
}

TEST(RecordStreamTest, RoundTripThroughSmallReadAhead) {
    // Items larger than the buffer and items straddling its edge read back whole.
    const std::string big(100000, 'x');
    std::string out;
    {
        StringSink sink(out);
        RecordStreamWriter w(sink);
        for (int i = 0; i < 50; ++i) {
            w.WriteWord(i * 1000003);
            w.WriteString(
                std::string(static_cast<std::size_t>(i), static_cast<char>('a' + i % 26)));
        }
        w.WriteString(big);
        w.WriteMagic(0xDA1A14F1);
        ASSERT_TRUE(w.Flush());
        EXPECT_EQ(w.bytesWritten(), out.size());
    }
    MemoryInput input(out);
    RecordStreamReader r(input, 16);
    for (int i = 0; i < 50; ++i) {
        std::int32_t v = 0;
        std::string s;
        ASSERT_TRUE(r.ReadWord(v));
        ASSERT_TRUE(r.ReadString(s));
        EXPECT_EQ(v, i * 1000003);
        EXPECT_EQ(s, std::string(static_cast<std::size_t>(i), static_cast<char>('a' + i % 26)));
    }
    std::string s;
    ASSERT_TRUE(r.ReadString(s));
    EXPECT_EQ(s, big);
    EXPECT_TRUE(r.ReadMagic(0xDA1A14F1));
    EXPECT_EQ(r.remaining(), 0u);
    std::int32_t v = 0;
    EXPECT_FALSE(r.ReadWord(v));
}

TEST(RecordStreamReaderTest, ReadsOnlyItsRange) {
    const std::string out = Written([](RecordStreamWriter& w) {
        w.WriteWord(1);
        w.WriteWord(2);
        w.WriteWord(3);
    });
    MemoryInput input(out);
    RecordStreamReader r(input, 4, 4);
    std::int32_t v = 0;
    ASSERT_TRUE(r.ReadWord(v));
    EXPECT_EQ(v, 2);
    EXPECT_FALSE(r.ReadWord(v));
    EXPECT_NE(r.error().find("offset 8"), std::string::npos) << r.error();
}

struct DamagedCase {
    const char* name;
    std::string bytes;  // unmasked
    const char* errorPart;
};

std::string Word(std::uint32_t v) {
    return std::string{static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                       static_cast<char>(v >> 24)};
}

TEST(RecordStreamReaderTest, DamagedInputFailsWithItsReason) {
    const DamagedCase cases[] = {
        {"wrong magic", Word(0x12345678) + Word(3), "expected the mark 0x0FF5E101"},
        {"word cut short", Word(0x0FF5E101) + "\x01\x02", "ends inside a word"},
        {"negative length", Word(0x0FF5E101) + Word(0xFFFFFFFF), "text length of -1"},
        {"length past the end", Word(0x0FF5E101) + Word(5) + "abcd", "text length of 5"},
        {"huge length", Word(0x0FF5E101) + Word(0x7FFFFFFF) + "abcd", "does not fit"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string masked = Unmasked(c.bytes);
        MemoryInput input(masked);
        RecordStreamReader r(input);
        std::string text;
        const bool ok = r.ReadMagic(record::kTrailerBegin) && r.ReadString(text);
        EXPECT_FALSE(ok);
        EXPECT_NE(r.error().find(c.errorPart), std::string::npos) << r.error();
        // Later reads keep failing and keep the first reason.
        std::int32_t v = 0;
        const std::string first = r.error();
        EXPECT_FALSE(r.ReadWord(v));
        EXPECT_EQ(r.error(), first);
    }
}

}  // namespace
}  // namespace nbx
