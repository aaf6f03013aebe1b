#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "format/SearchIndexReader.h"
#include "format/SearchIndexWriter.h"

namespace nbx {
namespace {

using searchindex::Field;
using Posting = SearchIndexReader::Posting;

// Two pages: "alpha" in the title, a heading and the body of the first; "beta" on both;
// "gamma" on the second.
std::string Sample() {
    SearchIndexWriter writer;
    writer.BeginPage("a.html");
    writer.Add("alpha", 0, Field::Title);
    writer.Add("beta", 2, Field::Body);
    writer.Add("alpha", 3, Field::Heading);
    writer.Add("alpha", 5, Field::Body);
    writer.Add("alpha", 4, Field::Body);  // behind its last position: left out
    writer.Add(std::string(searchindex::kMaxTermLength + 1, 'x'), 6, Field::Body);
    writer.EndPage(1, 3, 6);
    writer.BeginPage("dir/b.html");
    writer.Add("gamma", 1, Field::Body);
    writer.Add("beta", 0, Field::Body);
    writer.EndPage(0, 2, 2);
    std::string bytes;
    EXPECT_TRUE(writer.Finish(bytes));
    EXPECT_EQ(writer.pageCount(), 0u);
    return bytes;
}

bool OpenIndex(SearchIndexReader& reader, const std::string& bytes) {
    return reader.Open(std::make_unique<StringInput>(bytes));
}

// Opens the index and reads every term of the sample; the first error, or "" when all read.
std::string FirstError(const std::string& bytes) {
    SearchIndexReader reader;
    if (!OpenIndex(reader, bytes)) {
        return reader.error();
    }
    for (const char* name : {"alpha", "beta", "gamma", "zzz"}) {
        std::optional<SearchIndexReader::Term> term;
        std::vector<Posting> postings;
        std::vector<std::uint32_t> values;
        std::vector<std::size_t> starts;
        if (!reader.FindTerm(name, term) ||
            (term && (!reader.ReadPostings(*term, postings) ||
                      !reader.ReadPositions(*term, postings, values, starts)))) {
            return reader.error();
        }
    }
    return "";
}

TEST(SearchIndexFormatTest, WhatIsWrittenReadsBack) {
    const std::string bytes = Sample();
    EXPECT_EQ(bytes.substr(0, 8), "NBXFINDX");
    SearchIndexReader reader;
    ASSERT_TRUE(OpenIndex(reader, bytes)) << reader.error();
    ASSERT_EQ(reader.pages().size(), 2u);
    EXPECT_EQ(reader.pages()[0].name, "a.html");
    EXPECT_EQ(reader.pages()[0].titleWords, 1u);
    EXPECT_EQ(reader.pages()[0].bodyWords, 3u);
    EXPECT_EQ(reader.pages()[0].positions, 6u);
    EXPECT_EQ(reader.pages()[1].name, "dir/b.html");
    EXPECT_EQ(reader.termCount(), 3u);  // the overlong term is left out

    std::optional<SearchIndexReader::Term> alpha, beta, missing;
    ASSERT_TRUE(reader.FindTerm("alpha", alpha));
    ASSERT_TRUE(reader.FindTerm("beta", beta));
    ASSERT_TRUE(reader.FindTerm("alphabet", missing));
    ASSERT_TRUE(alpha && beta);
    EXPECT_FALSE(missing);
    EXPECT_EQ(alpha->pageCount, 1u);
    EXPECT_EQ(beta->pageCount, 2u);

    std::vector<Posting> postings;
    std::vector<std::uint32_t> values;
    std::vector<std::size_t> starts;
    ASSERT_TRUE(reader.ReadPostings(*alpha, postings));
    ASSERT_EQ(postings.size(), 1u);
    EXPECT_EQ(postings[0].page, 0u);
    EXPECT_EQ(postings[0].title, 1u);
    EXPECT_EQ(postings[0].heading, 1u);
    EXPECT_EQ(postings[0].body, 1u);
    ASSERT_TRUE(reader.ReadPositions(*alpha, postings, values, starts));
    EXPECT_EQ(values, (std::vector<std::uint32_t>{0, 3 << 1 | 1, 5 << 1}));

    ASSERT_TRUE(reader.ReadPostings(*beta, postings));
    ASSERT_EQ(postings.size(), 2u);
    EXPECT_EQ(postings[1].page, 1u);
    EXPECT_EQ(postings[1].body, 1u);
    ASSERT_TRUE(reader.ReadPositions(*beta, postings, values, starts));
    EXPECT_EQ(values, (std::vector<std::uint32_t>{2 << 1, 0}));
    EXPECT_EQ(starts, (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(FirstError(bytes), "");
}

TEST(SearchIndexFormatTest, AnEmptyIndexReads) {
    SearchIndexWriter writer;
    std::string bytes;
    ASSERT_TRUE(writer.Finish(bytes));
    EXPECT_EQ(bytes.size(), searchindex::kHeaderSize);
    EXPECT_EQ(FirstError(bytes), "");
}

// More terms than the writer's first table holds, all alike in their first eight bytes and
// their length; one term on every position of a long page, and gaps that take three and five
// bytes: each term keeps its own postings and positions.
TEST(SearchIndexFormatTest, ManyAlikeTermsAndLongListsReadBack) {
    constexpr std::uint32_t kAlike = 5000, kOften = 100000, kFarAway = 1u << 29;
    const auto alike = [](std::uint32_t i) {
        std::string digits = std::to_string(i);
        return "samehead" + std::string(5 - digits.size(), '0') + digits;
    };
    SearchIndexWriter writer;
    writer.BeginPage("alike.html");
    for (std::uint32_t i = 0; i < kAlike; ++i) {
        writer.Add(alike(i), 3 * i, Field::Body);
    }
    writer.EndPage(0, 3 * kAlike, 3 * kAlike);
    writer.BeginPage("often.html");
    for (std::uint32_t i = 0; i < kOften; ++i) {
        writer.Add("often", i, i % 7 == 0 ? Field::Heading : Field::Body);
    }
    writer.Add("often", kFarAway, Field::Body);
    writer.Add(alike(42), 5, Field::Title);
    writer.EndPage(6, kFarAway, kFarAway + 1);
    std::string bytes;
    ASSERT_TRUE(writer.Finish(bytes));

    SearchIndexReader reader;
    ASSERT_TRUE(OpenIndex(reader, bytes)) << reader.error();
    EXPECT_EQ(reader.termCount(), kAlike + 1);
    std::vector<Posting> postings;
    std::vector<std::uint32_t> values;
    std::vector<std::size_t> starts;
    for (const std::uint32_t i : {0u, 1u, 42u, 4095u, kAlike - 1}) {
        std::optional<SearchIndexReader::Term> term;
        ASSERT_TRUE(reader.FindTerm(alike(i), term));
        ASSERT_TRUE(term) << alike(i);
        ASSERT_TRUE(reader.ReadPostings(*term, postings));
        ASSERT_TRUE(reader.ReadPositions(*term, postings, values, starts));
        ASSERT_EQ(postings.size(), i == 42 ? 2u : 1u) << alike(i);
        EXPECT_EQ(postings[0].page, 0u);
        EXPECT_EQ(postings[0].body, 1u);
        EXPECT_EQ(values[0], 3 * i << 1) << alike(i);
        if (i == 42) {
            EXPECT_EQ(postings[1].page, 1u);
            EXPECT_EQ(postings[1].title, 1u);
            EXPECT_EQ(values[1], 5u << 1);
        }
    }
    std::optional<SearchIndexReader::Term> often;
    ASSERT_TRUE(reader.FindTerm("often", often));
    ASSERT_TRUE(often);
    ASSERT_TRUE(reader.ReadPostings(*often, postings));
    ASSERT_EQ(postings.size(), 1u);
    EXPECT_EQ(postings[0].page, 1u);
    EXPECT_EQ(postings[0].heading, (kOften + 6) / 7);
    EXPECT_EQ(postings[0].body, kOften - (kOften + 6) / 7 + 1);
    ASSERT_TRUE(reader.ReadPositions(*often, postings, values, starts));
    ASSERT_EQ(values.size(), kOften + 1);
    bool inOrder = true;
    for (std::uint32_t i = 0; i < kOften; ++i) {
        inOrder = inOrder && values[i] == (i << 1 | (i % 7 == 0 ? 1u : 0u));
    }
    EXPECT_TRUE(inOrder);
    EXPECT_EQ(values.back(), kFarAway << 1);
}

// Where the sample's pieces lie.
struct Layout {
    explicit Layout(const std::string& b) : bytes(b) {
        const std::uint32_t pages = searchindex::Le32(&b[12]), terms = searchindex::Le32(&b[16]);
        termsAt = searchindex::kHeaderSize + pages * searchindex::kPageRecordSize;
        const std::size_t pageNamesAt = termsAt + terms * searchindex::kTermRecordSize;
        postingsAt = pageNamesAt + searchindex::Le32(&b[20]) + searchindex::Le32(&b[24]);
        positionsAt = postingsAt + searchindex::Le32(&b[28]);
    }
    std::size_t Page(std::size_t i, std::size_t field) const {
        return searchindex::kHeaderSize + i * searchindex::kPageRecordSize + 4 * field;
    }
    std::size_t Term(std::size_t i, std::size_t field) const {
        return termsAt + i * searchindex::kTermRecordSize + 4 * field;
    }
    // Byte k of term i's postings or positions.
    std::size_t Postings(std::size_t i, std::size_t k) const {
        return postingsAt + searchindex::Le32(&bytes[Term(i, 3)]) + k;
    }
    std::size_t Positions(std::size_t i, std::size_t k) const {
        return positionsAt + searchindex::Le32(&bytes[Term(i, 5)]) + k;
    }
    const std::string& bytes;
    std::size_t termsAt, postingsAt, positionsAt;
};

TEST(SearchIndexFormatTest, DamagedIndexesAreRefused) {
    const std::string good = Sample();
    const Layout at(good);
    const auto word = [](std::uint32_t v) {
        std::string s;
        searchindex::PutLe32(s, v);
        return s;
    };
    struct Case {
        const char* what;
        std::size_t offset;  // where replacement goes; npos: the bytes as given
        std::string replacement;
        const char* error;
    };
    const std::size_t kAsGiven = std::string::npos;
    const Case cases[] = {
        {"cut in its header", kAsGiven, good.substr(0, 20), "only 20 bytes"},
        {"another signature", 0, "NBXFINDY", "no signature"},
        {"another version", 8, word(2), "format version 2"},
        {"a byte more", kAsGiven, good + "x", "sections hold"},
        {"a byte less", kAsGiven, good.substr(0, good.size() - 1), "sections hold"},
        {"a page more", 12, word(3), "sections hold"},
        {"a term more", 16, word(4), "sections hold"},
        {"page names past the index", 20, word(0xFFFFFFFF), "sections hold"},
        {"term names shorter than said", 24, word(1), "sections hold"},
        {"postings longer than said", 28, word(0x7FFFFFFF), "sections hold"},
        {"sections past 4 GB", 32, word(0xFFFFFFF0), "sections hold"},
        {"a page without a name", at.Page(0, 1), word(0), "page 0 is out of bounds"},
        {"a name past its section", at.Page(1, 0), word(100), "page 1 is out of bounds"},
        {"a title longer than its page", at.Page(0, 2), word(7), "page 0 is out of bounds"},
        {"a body longer than its page", at.Page(1, 3), word(3), "page 1 is out of bounds"},
        {"a page name too long", at.Page(0, 1), word(4097), "page 0 is out of bounds"},
        {"a page name past its section", at.Page(0, 0), word(0xFFFFFFFF),
         "page 0 is out of bounds"},
        {"a term name past its section", at.Term(0, 0), word(0xFFFFFFFE),
         "term 0 is out of bounds"},
        {"a term without a name", at.Term(2, 1), word(0), "term 2 is out of bounds"},
        {"a term on no page", at.Term(2, 2), word(0), "term 2 is out of bounds"},
        {"postings too short for their pages", at.Term(1, 4), word(3), "term 1 is out of bounds"},
        {"postings offset past their section", at.Term(1, 3), word(0xFFFFFFFF),
         "term 1 is out of bounds"},
        {"positions offset past their section", at.Term(2, 5), word(0xFFFFFFFF),
         "term 2 is out of bounds"},
        {"fewer positions than pages", at.Term(1, 6), word(1), "term 1 is out of bounds"},
        {"a term name too long", at.Term(1, 1), word(200), "term 1 is out of bounds"},
        {"a term on more pages than there are", at.Term(1, 2), word(3), "term 1 is out of bounds"},
        {"postings past their section", at.Term(1, 4), word(1000), "term 1 is out of bounds"},
        {"positions past their section", at.Term(0, 6), word(1000), "term 0 is out of bounds"},
        {"a posting past the last page", at.Postings(1, 2), "\x05", "names page 6 of 2"},
        {"more words than the page holds", at.Postings(1, 3), "\x0C", "counts more words"},
        {"a posting cut short", at.Postings(2, 0), "\xFF\xFF", "cut short"},
        {"postings longer than their count", at.Term(0, 4), word(5), "longer than their count"},
        {"a title count past the title", at.Postings(0, 2), "\x02", "counts more words"},
        {"a posting of no word", at.Postings(2, 1), std::string(1, '\0'), "counts no word"},
        {"fewer positions than occurrences", at.Term(0, 6), word(2),
         "fewer positions than occurrences"},
        {"a position cut short", at.Positions(2, 0), "\x80", "cut short"},
        {"a position past the page", at.Positions(2, 0), "\x04", "past the end"},
        {"a position repeated", at.Positions(0, 2), std::string(1, '\0'), "repeated"},
    };
    for (const Case& c : cases) {
        std::string bytes = good;
        if (c.offset == kAsGiven) {
            bytes = c.replacement;
        } else {
            bytes.replace(c.offset, c.replacement.size(), c.replacement);
        }
        const std::string error = FirstError(bytes);
        EXPECT_NE(error.find(c.error), std::string::npos) << c.what << ": " << error;
        EXPECT_TRUE(error.starts_with("damaged search index: ")) << c.what << ": " << error;
    }
}

}  // namespace
}  // namespace nbx
