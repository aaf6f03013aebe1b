#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <thread>

#include "format/ByteSink.h"
#include "format/PackedFormat.h"
#include "format/PackedJoiner.h"
#include "format/Packer.h"
#include "format/ReferencePacker.h"
#include "format/Unpacker.h"
#include "support/RandomBytes.h"
#include "support/TempDir.h"

namespace nbx {
namespace {

using test::RandomBytes;

// Text built from a small vocabulary, so matches of every length and distance turn up.
std::string Html(std::size_t n, unsigned seed) {
    static const char* const words[] = {"<p>",
                                        "</p>\n",
                                        "<a href=\"page",
                                        ".html\">",
                                        "</a>",
                                        "the ",
                                        "book ",
                                        "and ",
                                        "of ",
                                        "<b>",
                                        "</b>",
                                        "e-book ",
                                        "chapter ",
                                        "reader ",
                                        "<br>",
                                        "\n",
                                        "<div class=\"x\">",
                                        "</div>",
                                        "a",
                                        "zq",
                                        "1234 "};
    std::mt19937 rng(seed);
    std::string s;
    while (s.size() < n) {
        s += words[rng() % (sizeof words / sizeof *words)];
    }
    s.resize(n);
    return s;
}

// A pattern that repeats with a period just inside or just outside the ring.
std::string Periodic(std::size_t n, std::size_t period, unsigned seed) {
    const std::string unit = RandomBytes(period, seed);
    std::string s;
    while (s.size() < n) {
        s += unit;
    }
    s.resize(n);
    return s;
}

std::string Runs(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::string s;
    while (s.size() < n) {
        s.append(rng() % 3000, static_cast<char>(rng() % 4));
        s += RandomBytes(rng() % 40, rng());
    }
    s.resize(n);
    return s;
}

struct Sample {
    std::string name;
    std::string bytes;
};

std::vector<Sample> Samples() {
    std::vector<Sample> samples = {
        {"empty", ""},
        {"one byte", "A"},
        {"two bytes", "AA"},
        {"three equal", "AAA"},
        {"zeros 1023", std::string(1023, '\0')},
        {"zeros 1024", std::string(1024, '\0')},
        {"zeros 1025", std::string(1025, '\0')},
        {"x 20000", std::string(20000, 'x')},
        {"random 8193", RandomBytes(8193, 1)},
        {"random 40000", RandomBytes(40000, 2)},
        {"four letters", RandomBytes(30000, 3, 4)},
        {"html", Html(70000, 4)},
        {"period 8191", Periodic(60000, 8191, 5)},
        {"period 8192", Periodic(60000, 8192, 6)},
        {"period 7169", Periodic(60000, 7169, 7)},
        {"period 7000", Periodic(60000, 7000, 8)},
        {"period 1021", Periodic(30000, 1021, 9)},
        {"runs", Runs(80000, 10)},
        {"html then random", Html(9000, 11) + RandomBytes(9000, 12) + Html(9000, 11)},
        // Past the points where the packer renews its chain heads.
        {"2.5 MB", Html(1500000, 13) + Runs(500000, 14) + RandomBytes(500000, 15)},
    };
    return samples;
}

TEST(PackerTest, EmptyInputIsTheEndMarkAlone) {
    EXPECT_EQ(PackBytes(""), std::string("\x1F\x00\x00", 3));
}

TEST(PackerTest, OneLiteralThenTheEndMark) {
    // 0 then 0x41 (bits 0-8), then 1, 15, 0 (bits 9-26), zero-filled.
    EXPECT_EQ(PackBytes("A"), std::string("\x82\x3E\x00\x00", 4));
}

TEST(PackerTest, GivesTheReferenceBytes) {
    for (const auto& s : Samples()) {
        SCOPED_TRACE(s.name);
        const std::string fast = PackBytes(s.bytes);
        const std::string reference = test::ReferencePack(s.bytes);
        ASSERT_EQ(fast.size(), reference.size());
        EXPECT_TRUE(fast == reference);
    }
}

TEST(PackerTest, InputSplitAnywhereGivesTheSameBytes) {
    const std::string input = Html(50000, 20) + Runs(20000, 21);
    const std::string whole = PackBytes(input);
    std::mt19937 rng(22);
    Packer packer;
    std::size_t at = 0;
    std::string pieces;
    while (at < input.size()) {
        const std::size_t n = std::min<std::size_t>(rng() % 3000, input.size() - at);
        packer.Add(input.data() + at, n);
        pieces += packer.output();
        packer.output().clear();
        at += n;
    }
    packer.Finish();
    pieces += packer.output();
    EXPECT_TRUE(pieces == whole);
}

// Packs input in pieces that start at the given block-aligned positions, each on its own
// Packer resumed from the bytes before it, and joins them.
std::string PackInPieces(const std::string& input, const std::vector<std::size_t>& starts) {
    std::string joined;
    StringSink sink(joined);
    PackedJoiner joiner(sink);
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const std::size_t start = starts[k];
        const std::size_t end = k + 1 < starts.size() ? starts[k + 1] : input.size();
        const std::size_t history = std::min(start, packed::kRingSize);
        Packer packer;
        packer.Resume(start, std::string_view(input).substr(start - history, history));
        packer.Add(input.data() + start, end - start);
        packer.FinishPiece();
        EXPECT_TRUE(joiner.Append(TakePiece(packer)));
    }
    EXPECT_TRUE(joiner.Finish());
    EXPECT_EQ(joiner.written(), joined.size());
    return joined;
}

TEST(PackerTest, PiecesPackedApartJoinToTheSameBytes) {
    std::mt19937 rng(60);
    for (const auto& s : Samples()) {
        SCOPED_TRACE(s.name);
        const std::string whole = PackBytes(s.bytes);
        const std::size_t blocks = s.bytes.size() / packed::kBlockSize;
        // Every piece size from one block up, and pieces of random length.
        for (std::size_t pieceBlocks : {1, 3, 8, 9, 64}) {
            std::vector<std::size_t> starts;
            for (std::size_t b = 0; b <= blocks; b += pieceBlocks) {
                starts.push_back(b * packed::kBlockSize);
            }
            EXPECT_TRUE(PackInPieces(s.bytes, starts) == whole) << pieceBlocks << " blocks";
        }
        std::vector<std::size_t> starts = {0};
        while (blocks > 0 && starts.back() / packed::kBlockSize < blocks) {
            starts.push_back(starts.back() + (1 + rng() % 20) * packed::kBlockSize);
        }
        if (starts.back() > s.bytes.size()) {
            starts.pop_back();
        }
        EXPECT_TRUE(PackInPieces(s.bytes, starts) == whole) << "random pieces";
    }
}

TEST(PackerTest, PackersRunSideBySide) {
    const std::string a = Html(300000, 30);
    const std::string b = Runs(300000, 31);
    const std::string expectedA = PackBytes(a), expectedB = PackBytes(b);
    std::string gotA, gotB;
    std::thread ta([&] { gotA = PackBytes(a); });
    std::thread tb([&] { gotB = PackBytes(b); });
    ta.join();
    tb.join();
    EXPECT_TRUE(gotA == expectedA);
    EXPECT_TRUE(gotB == expectedB);
}

// Walks the tokens of a packed stream and checks every back-reference against the rules
// of the encoder: inside one block, within the ring, no older than seven blocks back.
// Returns the number of back-references.
int CheckMatchesStayInBounds(const std::string& packed, std::size_t inputSize) {
    std::size_t bit = 0;
    auto take = [&](unsigned n) {
        std::uint32_t v = 0;
        for (unsigned i = 0; i < n; ++i, ++bit) {
            v |= ((static_cast<unsigned char>(packed[bit / 8]) >> (bit % 8)) & 1u) << i;
        }
        return v;
    };
    std::size_t pos = 0;
    int matches = 0;
    for (;;) {
        if (take(1) == 0) {
            take(8);
            ++pos;
            continue;
        }
        const std::uint32_t code = take(4);
        const std::uint32_t distance = take(13);
        if (code == packed::kEndCode) {
            break;
        }
        const std::size_t length = code + 3;
        const std::size_t block = pos / packed::kBlockSize;
        EXPECT_EQ(block, (pos + length - 1) / packed::kBlockSize) << "match at " << pos;
        EXPECT_GE(distance, 1u);
        EXPECT_LE(distance, packed::kMaxDistance);
        if (distance > pos || distance == 0) {
            ADD_FAILURE() << "match at " << pos << " reaches before the start";
            return matches;
        }
        if (block >= 7) {
            EXPECT_GE(pos - distance, (block - 7) * packed::kBlockSize) << "match at " << pos;
        }
        pos += length;
        ++matches;
    }
    EXPECT_EQ(pos, inputSize);
    return matches;
}

TEST(PackerTest, MatchesNeverCrossABlockNorReachPastTheRing) {
    int matches = 0;
    for (const auto& s : Samples()) {
        SCOPED_TRACE(s.name);
        matches += CheckMatchesStayInBounds(PackBytes(s.bytes), s.bytes.size());
    }
    EXPECT_GT(matches, 1000);
}

// A source that gives at most `most` bytes at a time; after failAfter bytes it gives none.
PackedSource PiecesOf(const std::string& bytes, std::size_t most,
                      std::size_t failAfter = std::string::npos) {
    auto at = std::make_shared<std::size_t>(0);
    return [&bytes, most, failAfter, at](char* buffer, std::size_t size) -> std::size_t {
        const std::size_t n = std::min({size, most, bytes.size() - *at, failAfter - *at});
        std::copy_n(bytes.data() + *at, n, buffer);
        *at += n;
        return n;
    };
}

TEST(PackerTest, PackThenUnpackGivesTheInputBack) {
    std::vector<Sample> samples = Samples();
    samples.push_back(
        {"several MB mixed", Html(3000000, 40) + RandomBytes(1000000, 41) + Runs(2000000, 42)});
    for (const auto& s : samples) {
        SCOPED_TRACE(s.name);
        const std::string packed = PackBytes(s.bytes);
        std::string out, error;
        ASSERT_TRUE(Unpack(packed, s.bytes.size(), out, error)) << error;
        EXPECT_TRUE(out == s.bytes);
        ASSERT_TRUE(Unpack(packed, std::nullopt, out, error)) << error;
        EXPECT_TRUE(out == s.bytes);
        // Taken a few bytes at a time, as a reader takes a large entry from its file.
        ASSERT_TRUE(Unpack(PiecesOf(packed, 3), packed.size(), s.bytes.size(), out, error))
            << error;
        EXPECT_TRUE(out == s.bytes);
    }
}

TEST(PackerTest, PackFileWritesThePackedForm) {
    test::TempDir dir;
    const std::string input = Html(700000, 50);  // more than one read chunk
    const std::string source = dir.Write("page.html", input);
    ASSERT_TRUE(PackFile(source, dir.File("page.ccf")));
    EXPECT_TRUE(test::ReadWholeFile(dir.File("page.ccf")) == PackBytes(input));
    EXPECT_FALSE(PackFile(dir.File("missing"), dir.File("x.ccf")));
    EXPECT_FALSE(PackFile(source, dir.File("no/such/folder/x.ccf")));
}

// Builds a packed stream token by token, for damaged-data cases.
class TokenWriter {
public:
    TokenWriter& Literal(unsigned char c) { return Put(0, 1).Put(c, 8); }
    TokenWriter& Match(unsigned length, unsigned distance) {
        return Put(1, 1).Put(length - 3, 4).Put(distance, 13);
    }
    TokenWriter& End() { return Put(1, 1).Put(15, 4).Put(0, 13); }
    TokenWriter& Put(std::uint32_t v, unsigned n) {
        for (unsigned i = 0; i < n; ++i, ++bit_) {
            if (bit_ % 8 == 0) {
                bytes_.push_back(0);
            }
            bytes_.back() = static_cast<char>(bytes_.back() | (((v >> i) & 1u) << (bit_ % 8)));
        }
        return *this;
    }
    std::string bytes() const { return bytes_; }

private:
    std::string bytes_;
    std::size_t bit_ = 0;
};

TEST(UnpackerTest, DamagedStreamsFailWithTheirReason) {
    struct Case {
        const char* name;
        std::string packed;
        std::optional<std::uint64_t> length;
        const char* errorPart;
    };
    const Case cases[] = {
        {"distance before the start", TokenWriter().Literal('a').Match(3, 2).End().bytes(), 4,
         "reaches before the start"},
        {"distance zero", TokenWriter().Literal('a').Match(3, 0).End().bytes(), 4,
         "reaches before the start"},
        {"no end mark", TokenWriter().Literal('a').Literal('b').bytes(), 2, "without its end mark"},
        {"end mark cut short", TokenWriter().Literal('a').Put(1, 1).Put(15, 4).bytes(), 1,
         "without its end mark"},
        {"nothing at all", "", std::nullopt, "without its end mark"},
        {"bytes after the end", TokenWriter().Literal('a').End().bytes() + "xx", 1,
         "goes on after its end mark"},
        {"longer than recorded", TokenWriter().Literal('a').Match(10, 1).End().bytes(), 5,
         "more than its recorded length"},
        {"shorter than recorded", TokenWriter().Literal('a').End().bytes(), 2,
         "instead of the recorded 2"},
        {"recorded length impossible", TokenWriter().Literal('a').End().bytes(), 1u << 30,
         "more than 4 packed bytes can hold"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string out, error;
        EXPECT_FALSE(Unpack(c.packed, c.length, out, error));
        EXPECT_NE(error.find(c.errorPart), std::string::npos) << error;
        error.clear();
        EXPECT_FALSE(Unpack(PiecesOf(c.packed, 1), c.packed.size(), c.length, out, error));
        EXPECT_NE(error.find(c.errorPart), std::string::npos) << error;
    }
    // A source that stops giving bytes (a read error, a file cut short) fails the unpacking.
    const std::string whole = PackBytes(Html(200000, 7));
    std::string out, error;
    EXPECT_FALSE(Unpack(PiecesOf(whole, 4096, whole.size() / 2), whole.size(), 200000, out, error));
    EXPECT_NE(error.find("cannot be read"), std::string::npos) << error;
}

TEST(UnpackerTest, OverlappingReferenceRepeatsTheBytes) {
    const std::string packed = TokenWriter().Literal('a').Literal('b').Match(17, 2).End().bytes();
    std::string out, error;
    ASSERT_TRUE(Unpack(packed, 19, out, error)) << error;
    EXPECT_EQ(out, "abababababababababa");
}

}  // namespace
}  // namespace nbx
