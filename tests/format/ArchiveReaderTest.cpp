#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>

#include "format/ArchiveReader.h"
#include "format/Packer.h"
#include "format/RecordFormat.h"
#include "support/EBookComposer.h"
#include "support/TempDir.h"

namespace nbx {
namespace {

using test::Xor;

test::EBookParts GoodParts() {
    test::EBookParts p;
    p.stub = std::string(700, 'S');
    p.settings.title = "Good";
    test::AddEntry(p, "index.html", std::string(3000, 'a') + "<p>end</p>");
    test::AddEntry(p, "raw.bin", "xyz");
    p.splash = Xor(PackBytes(std::string(900, 'B')), record::kEntryMask);
    p.variables = {{"V", "", "value", 0, 0}};
    return p;
}

bool OpenBytes(ArchiveReader& reader, const std::string& bytes) {
    return reader.Open(std::make_unique<MemoryInput>(bytes));
}

// Writes a word, masked, over the bytes at offset.
void PutWord(std::string& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + static_cast<std::size_t>(i)] =
            static_cast<char>((value >> (8 * i)) ^ record::kStreamMask);
    }
}

TEST(ArchiveReaderTest, GoodFileOpens) {
    const test::EBookParts parts = GoodParts();
    const std::string bytes = test::ComposeEBook(parts).bytes;
    ArchiveReader reader;
    ASSERT_TRUE(OpenBytes(reader, bytes)) << reader.error();
    std::string data;
    ASSERT_TRUE(reader.ReadEntry(0, data)) << reader.error();
    EXPECT_EQ(data, std::string(3000, 'a') + "<p>end</p>");
    ASSERT_TRUE(reader.ReadEntry(1, data));
    EXPECT_EQ(data, "xyz");
    EXPECT_FALSE(reader.ReadEntry(2, data));
    ASSERT_TRUE(reader.ReadSplash(data)) << reader.error();
    EXPECT_EQ(data, std::string(900, 'B'));
}

TEST(ArchiveReaderTest, DamagedFilesFailToOpenWithTheirReason) {
    using Tweak = std::function<void(ArchiveTrailer&)>;
    using PartsChange = std::function<void(test::EBookParts&)>;
    using BytesChange = std::function<void(std::string&, const ArchiveTrailer&)>;
    struct Case {
        const char* name;
        PartsChange parts;
        Tweak trailer;
        BytesChange bytes;
        const char* errorPart;
    };
    const Case cases[] = {
        {"truncated by one byte",
         {},
         {},
         [](std::string& b, auto&) { b.pop_back(); },
         "no trailer in the last 136 bytes"},
        {"shorter than a trailer",
         {},
         {},
         [](std::string& b, auto&) { b.resize(100); },
         "only 100 bytes long"},
        {"empty file", {}, {}, [](std::string& b, auto&) { b.clear(); }, "only 0 bytes long"},
        {"wrong trailer mark",
         {},
         {},
         [](std::string& b, auto&) { PutWord(b, b.size() - 136, 0x0FF5E102); },
         "expected the mark 0x0FF5E101"},
        {"wrong closing mark",
         {},
         {},
         [](std::string& b, auto&) { PutWord(b, b.size() - 4, 0); },
         "expected the mark 0x0FF5E150"},
        {"another version",
         {},
         [](ArchiveTrailer& t) { t.version = 421; },
         {},
         "format version 421"},
        {"another trailer length",
         {},
         [](ArchiveTrailer& t) { t.length = 137; },
         {},
         "gives its length as 137"},
        {"variables past the end",
         {},
         [](ArchiveTrailer& t) { t.variablesOffset = 1 << 30; },
         {},
         "out of order or past the end"},
        {"negative settings offset",
         {},
         [](ArchiveTrailer& t) { t.settingsOffset = -1; },
         {},
         "out of order"},
        {"directory before settings",
         {},
         [](ArchiveTrailer& t) { t.directoryOffset = t.settingsOffset - 1; },
         {},
         "out of order"},
        {"splash length overflows",
         {},
         [](ArchiveTrailer& t) { t.splashLength = INT_MAX; },
         {},
         "out of order or past the end"},
        {"splash length without offset",
         {},
         [](ArchiveTrailer& t) { t.splashOffset = 0; },
         {},
         "out of order"},
        {"settings cut short",
         {},
         [](ArchiveTrailer& t) { t.directoryOffset = t.settingsOffset + 10; },
         {},
         "settings record: a text length of 4"},
        {"settings mark wrong",
         {},
         {},
         [](std::string& b, const ArchiveTrailer& t) {
             PutWord(b, static_cast<std::size_t>(t.settingsOffset), 0x610BA102);
         },
         "settings record: expected the mark 0x610BA101"},
        {"directory count huge",
         {},
         {},
         [](std::string& b, const ArchiveTrailer& t) {
             PutWord(b, static_cast<std::size_t>(t.directoryOffset) + 4, 0x7FFFFFFF);
         },
         "directory: a count of 2147483647 entries"},
        {"directory count negative",
         {},
         {},
         [](std::string& b, const ArchiveTrailer& t) {
             PutWord(b, static_cast<std::size_t>(t.directoryOffset) + 4, 0xFFFFFFFF);
         },
         "directory: a count of -1 entries"},
        {"name length past the directory",
         {},
         {},
         [](std::string& b, const ArchiveTrailer& t) {
             PutWord(b, static_cast<std::size_t>(t.directoryOffset) + 12, 0x10000000);
         },
         "directory: a text length of 268435456"},
        {"entry count differs",
         [](test::EBookParts& p) { p.settings.entryCount = 5; },
         {},
         {},
         "counts 5 entries, the directory 2"},
        {"entry offset past the content",
         [](test::EBookParts& p) {
             p.directory[1].offset = static_cast<std::int32_t>(p.content.size());
         },
         {},
         {},
         "entry 'raw.bin' lies outside the content data"},
        {"entry length negative",
         [](test::EBookParts& p) { p.directory[1].storedLength = -3; },
         {},
         {},
         "lies outside"},
        {"entry offset and length overflow",
         [](test::EBookParts& p) {
             p.directory[1].offset = INT_MAX;
             p.directory[1].storedLength = INT_MAX;
         },
         {},
         {},
         "lies outside"},
        {"entry claims an impossible length",
         [](test::EBookParts& p) { p.directory[0].unpackedLength = INT_MAX; },
         {},
         {},
         "claims 2147483647 bytes"},
        {"variable count huge",
         {},
         {},
         [](std::string& b, const ArchiveTrailer& t) {
             PutWord(b, static_cast<std::size_t>(t.variablesOffset) + 8, 0x01000000);
         },
         "variables table: a count of 16777216 variables"},
        {"variable value runs into the trailer",
         {},
         {},
         [](std::string& b, const ArchiveTrailer& t) {
             // Past the table's mark, reserved word, count, the entry's mark, "V" and "".
             PutWord(b, static_cast<std::size_t>(t.variablesOffset) + 12 + 4 + 5 + 4, 200);
         },
         "variables table: a text length of 200"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::EBookParts parts = GoodParts();
        if (c.parts) {
            c.parts(parts);
        }
        test::EBookLayout layout = test::ComposeEBook(parts, c.trailer);
        if (c.bytes) {
            c.bytes(layout.bytes, layout.trailer);
        }
        ArchiveReader reader;
        EXPECT_FALSE(OpenBytes(reader, layout.bytes));
        EXPECT_NE(reader.error().find(c.errorPart), std::string::npos) << reader.error();
    }
}

TEST(ArchiveReaderTest, DamagedEntryDataFailsWhenRead) {
    struct Case {
        const char* name;
        std::string stored;  // unmasked
        std::int32_t unpackedLength;
        const char* errorPart;
    };
    // A literal 'a' then a reference 5 bytes back, then the end mark.
    const std::string before("\xC2\x42\x01\xF8\x00\x00", 6);
    const std::string packed = PackBytes(std::string(500, 'z'));
    const Case cases[] = {
        {"distance before the start", before, 4, "reaches before the start"},
        {"packed data cut short", packed.substr(0, packed.size() - 2), 500, "without its end mark"},
        {"longer than recorded", packed, 400, "more than its recorded length"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::EBookParts parts = GoodParts();
        DirectoryEntry e;
        e.name = "bad.html";
        e.offset = static_cast<std::int32_t>(parts.content.size());
        e.storedLength = static_cast<std::int32_t>(c.stored.size());
        e.unpackedLength = c.unpackedLength;
        parts.content += Xor(c.stored, record::kEntryMask);
        parts.directory.push_back(e);
        parts.settings.entryCount = 3;
        const std::string bytes = test::ComposeEBook(parts).bytes;
        ArchiveReader reader;
        ASSERT_TRUE(OpenBytes(reader, bytes)) << reader.error();
        std::string data;
        EXPECT_FALSE(reader.ReadEntry(2, data));
        EXPECT_NE(reader.error().find(c.errorPart), std::string::npos) << reader.error();
        EXPECT_TRUE(data.empty());
        EXPECT_TRUE(reader.ReadEntry(0, data));  // the others still read
    }
}

TEST(ArchiveReaderTest, MissingFileFails) {
    test::TempDir dir;
    ArchiveReader reader;
    EXPECT_FALSE(reader.Open(dir.File("none.exe")));
    EXPECT_NE(reader.error().find("cannot open"), std::string::npos);
}

}  // namespace
}  // namespace nbx
