#include <gtest/gtest.h>

#include <random>
#include <string>

#include "format/ByteSink.h"
#include "format/EntryWriter.h"
#include "format/Packer.h"
#include "format/RecordFormat.h"
#include "format/Unpacker.h"
#include "support/EBookComposer.h"
#include "support/TempDir.h"

namespace nbx {
namespace {

using test::Xor;

class EntryWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        contentPath = dir.File("content.vmt");
        ASSERT_TRUE(content.Open(contentPath, platform::FileHandle::Mode::CreateTruncate));
    }

    // Appends data as a file and returns its entry.
    DirectoryEntry Append(const std::string& data) {
        const std::string source = dir.Write("f" + std::to_string(directory.size()), data);
        DirectoryEntry e;
        e.name = "page.html";
        e.title = "Title";
        e.orderKey = "00001000";
        e.searchable = 1;
        EXPECT_TRUE(AppendEntry(content, source, e, directory));
        return directory.back();
    }

    std::string Stored(const DirectoryEntry& e) {
        content.Close();
        const std::string all = test::ReadWholeFile(contentPath);
        content.Open(contentPath, platform::FileHandle::Mode::ReadWrite);
        return Xor(all.substr(static_cast<std::size_t>(e.offset),
                              static_cast<std::size_t>(e.storedLength)),
                   record::kEntryMask);
    }

    test::TempDir dir;
    std::string contentPath;
    platform::FileHandle content;
    std::vector<DirectoryEntry> directory;
};

// Text whose packed form is exactly `saving` bytes shorter than itself: a run of one letter
// saves a lot, random bytes each cost an eighth of a byte more than they take.
std::string WithSaving(std::int64_t saving) {
    std::mt19937 rng(7);
    std::string noise;
    for (int i = 0; i < 400; ++i) {
        noise += static_cast<char>(rng());
    }
    for (std::size_t run = 20; run < 200; ++run) {
        for (std::size_t n = 0; n < noise.size(); ++n) {
            const std::string data = std::string(run, 'a') + noise.substr(0, n);
            const auto s = static_cast<std::int64_t>(data.size()) -
                           static_cast<std::int64_t>(PackBytes(data).size());
            if (s == saving) {
                return data;
            }
        }
    }
    ADD_FAILURE() << "no input saves " << saving << " bytes";
    return {};
}

TEST_F(EntryWriterTest, PackedOnlyWhenThatSavesAtLeast26Bytes) {
    const std::string saves26 = WithSaving(26);
    const std::string saves25 = WithSaving(25);
    const DirectoryEntry packed = Append(saves26);
    EXPECT_EQ(packed.unpackedLength, static_cast<std::int32_t>(saves26.size()));
    EXPECT_EQ(packed.storedLength, static_cast<std::int32_t>(saves26.size() - 26));
    EXPECT_EQ(Stored(packed), PackBytes(saves26));

    const DirectoryEntry plain = Append(saves25);
    EXPECT_EQ(plain.unpackedLength, 0);
    EXPECT_EQ(plain.storedLength, static_cast<std::int32_t>(saves25.size()));
    EXPECT_EQ(plain.offset, packed.storedLength);
    EXPECT_EQ(Stored(plain), saves25);
}

TEST_F(EntryWriterTest, EmptyFileIsStoredUnpackedWithLengthsZero) {
    Append("abc");
    const DirectoryEntry e = Append("");
    EXPECT_EQ(e.offset, 3);
    EXPECT_EQ(e.storedLength, 0);
    EXPECT_EQ(e.unpackedLength, 0);
}

TEST_F(EntryWriterTest, EntriesFollowEachOtherAndKeepTheirTexts) {
    const std::string big(300000, 'q');
    const DirectoryEntry a = Append(big);
    const DirectoryEntry b = Append("tiny");
    EXPECT_EQ(a.offset, 0);
    EXPECT_EQ(b.offset, a.storedLength);
    EXPECT_EQ(b.name, "page.html");
    EXPECT_EQ(b.title, "Title");
    EXPECT_EQ(b.orderKey, "00001000");
    EXPECT_EQ(b.searchable, 1);
    std::string out, error;
    ASSERT_TRUE(Unpack(Stored(a), static_cast<std::uint64_t>(a.unpackedLength), out, error));
    EXPECT_TRUE(out == big);
    EXPECT_EQ(Stored(b), "tiny");
}

TEST_F(EntryWriterTest, UnreadableSourceFailsButStillLeavesItsEntry) {
    DirectoryEntry e;
    e.name = "gone.html";
    EXPECT_FALSE(AppendEntry(content, dir.File("gone.html"), e, directory));
    ASSERT_EQ(directory.size(), 1u);
    EXPECT_EQ(directory[0].name, "gone.html");
    EXPECT_FALSE(AppendEntry(content, dir.path(), e, directory));  // a folder
}

// Data given in pieces lands as one entry; a writer that gives other than the size it
// announced fails, as its entry's length would be wrong.
TEST_F(EntryWriterTest, StoredEntryWrittenInPieces) {
    Append("before");
    const auto pieces = [](int count) {
        return [count](ByteSink& out) {
            for (int i = 0; i < count; ++i) {
                if (!out.Write("piece", 5)) {
                    return false;
                }
            }
            return true;
        };
    };
    DirectoryEntry e;
    e.name = "__stored";
    ASSERT_TRUE(AppendStoredEntry(content, 15, pieces(3), e, directory));
    const DirectoryEntry stored = directory.back();
    EXPECT_EQ(stored.offset, directory[0].storedLength);
    EXPECT_EQ(stored.storedLength, 15);
    EXPECT_EQ(stored.unpackedLength, 0);
    EXPECT_EQ(Stored(stored), "piecepiecepiece");

    EXPECT_FALSE(AppendStoredEntry(content, 15, pieces(2), e, directory));
    EXPECT_FALSE(AppendStoredEntry(content, 15, pieces(4), e, directory));
    EXPECT_FALSE(AppendStoredEntry(
        content, 15, [](ByteSink&) { return false; }, e, directory));
    EXPECT_EQ(directory.size(), 5u);
}

// Pieces of every size around the eight bytes masked at once and past the 64 KB buffer: each
// byte masked, in order.
TEST(MaskingSinkTest, MasksEveryByteOfEveryPiece) {
    std::mt19937 rng(5);
    std::string all;
    std::string written;
    StringSink out(written);
    MaskingSink masked(out, 0xA5);
    for (const std::size_t size : {0, 1, 7, 8, 9, 17, 64 * 1024 + 13, 3, 64 * 1024, 200 * 1000}) {
        std::string piece(size, '\0');
        for (char& c : piece) {
            c = static_cast<char>(rng());
        }
        ASSERT_TRUE(masked.Write(piece.data(), piece.size()));
        all += piece;
    }
    EXPECT_EQ(written, Xor(all, 0xA5));
}

}  // namespace
}  // namespace nbx
