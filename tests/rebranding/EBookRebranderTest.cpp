// The Rebrander's work on a real e-book file beside it: pairing by build time, the values a
// reseller may set, and a rewrite that leaves the e-book whole whatever happens.

#include "rebranding/EBookRebrander.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <iostream>
#include <random>
#include <set>

#include "format/ArchiveReader.h"
#include "format/Packer.h"
#include "format/RecordFormat.h"
#include "platform/FileLock.h"
#include "support/AsNobody.h"
#include "support/EBookComposer.h"
#include "support/TempDir.h"
#include "support/TestRebrander.h"

namespace nbx {
namespace {

constexpr std::uint32_t kBuildTime = 1700000000;

std::string RandomBytes(std::size_t size) {
    std::mt19937 gen(7);
    std::string s(size, '\0');
    for (char& c : s) {
        c = static_cast<char>(gen());
    }
    return s;
}

test::EBookParts BookParts(std::uint32_t buildTime) {
    test::EBookParts p;
    p.stub = "#!/bin/sh\nexit 0\n" + std::string(5000, 'S');
    p.settings.title = "Garden Notes";
    test::AddEntry(p, "index.html", "<html>" + std::string(3000, 'a') + "</html>");
    test::AddEntry(p, "photo.jpg", RandomBytes(200000));  // stored as it is: it does not pack
    p.splash = test::Xor(PackBytes(std::string(900, 'B')), record::kEntryMask);
    p.splashExtraDelay = 1500;
    p.variables = {
        {"Reseller", "Your name", "Nobody", 1, 0},
        {"Site", "Your web site", "https://example.com", 1, 1},
        {"Blurb", "A few words about you", "line one\nline two", 1, 2},
        {"Story", "Your story", "once", 1, 3},
        {"Fixed", "", "the author's own", 0, 0},
        {"Included", "flag forced on", "<p>included</p>", 1, 4},
    };
    p.buildTime = buildTime;
    return p;
}

std::set<std::string> FilesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
        names.insert(e.path().filename().string());
    }
    return names;
}

class EBookRebranderTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBook(BookParts(kBuildTime));
        record.ebookFileName = "book";
        record.title = "Garden Notes";
        record.rebranderTitle = "Rebrand Garden Notes";
        ASSERT_TRUE(test::WriteTestRebrander(rebranderPath, "REBRANDER STUB", record, kBuildTime));
        original = test::ReadWholeFile(bookPath);
    }

    void WriteBook(const test::EBookParts& parts) {
        dir.Write("book", test::ComposeEBook(parts).bytes);
        ASSERT_EQ(::chmod(bookPath.c_str(), 0751), 0);
    }

    test::TempDir dir;
    const std::string bookPath = dir.File("book");
    const std::string rebranderPath = dir.File("rebrand-book");
    RebranderRecord record;
    std::string original;
};

TEST_F(EBookRebranderTest, ListsTheRebrandableVariablesOnly) {
    EBookRebrander r;
    ASSERT_TRUE(r.Open(rebranderPath)) << r.error();
    EXPECT_EQ(r.record(), record);
    EXPECT_EQ(r.ebookPath(), bookPath);
    std::vector<std::string> seen;
    for (const auto& v : r.variables()) {
        seen.push_back(v.name + "|" + v.description + "|" + v.value);
    }
    EXPECT_EQ(seen,
              (std::vector<std::string>{
                  "Reseller|Your name|Nobody", "Site|Your web site|https://example.com",
                  "Blurb|A few words about you|line one\nline two", "Story|Your story|once"}));
    EXPECT_EQ(r.variables()[3].tableIndex, 3u);
}

TEST_F(EBookRebranderTest, SetWritesTheBookAnewWithOnlyTheValuesChanged) {
    EBookRebrander r;
    ASSERT_TRUE(r.Open(rebranderPath)) << r.error();
    ASSERT_TRUE(r.SetValues({{"Reseller", "Ana's Garden Shop"}, {"Story", "a\nlonger\nstory"}}))
        << r.error();

    // Exactly the bytes a build with those values would have made.
    test::EBookParts expected = BookParts(kBuildTime);
    expected.variables[0].value = "Ana's Garden Shop";
    expected.variables[3].value = "a\nlonger\nstory";
    const std::string now = test::ReadWholeFile(bookPath);
    EXPECT_TRUE(now == test::ComposeEBook(expected).bytes);

    ArchiveReader reader;
    ASSERT_TRUE(reader.Open(bookPath)) << reader.error();
    EXPECT_EQ(reader.variables(), expected.variables);
    EXPECT_EQ(reader.trailer().buildTime, kBuildTime);
    std::string data;
    ASSERT_TRUE(reader.ReadEntry(1, data));
    EXPECT_TRUE(data == RandomBytes(200000));
    ASSERT_TRUE(reader.ReadSplash(data));
    EXPECT_EQ(data, std::string(900, 'B'));
    const auto prefix = static_cast<std::size_t>(reader.trailer().variablesOffset);
    EXPECT_TRUE(now.compare(0, prefix, original, 0, prefix) == 0);

    struct stat st {};
    ASSERT_EQ(::stat(bookPath.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0751u);
    EXPECT_EQ(FilesIn(dir.path()), (std::set<std::string>{"book", "rebrand-book"}));

    // The object follows the new e-book, so a second round starts from it.
    EXPECT_EQ(r.variables()[0].value, "Ana's Garden Shop");
    ASSERT_TRUE(r.SetValues({{"Reseller", "Bo"}})) << r.error();
    ASSERT_TRUE(reader.Open(bookPath));
    EXPECT_EQ(reader.variables()[0].value, "Bo");
    EXPECT_EQ(reader.variables()[3].value, "a\nlonger\nstory");
}

TEST_F(EBookRebranderTest, UnchangedValuesLeaveTheFileAlone) {
    struct stat before {};
    ASSERT_EQ(::stat(bookPath.c_str(), &before), 0);
    EBookRebrander r;
    ASSERT_TRUE(r.Open(rebranderPath));
    ASSERT_TRUE(r.SetValues({{"Reseller", "Nobody"}})) << r.error();
    struct stat after {};
    ASSERT_EQ(::stat(bookPath.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
}

TEST_F(EBookRebranderTest, RefusedValuesChangeNothing) {
    struct Case {
        std::vector<RebrandAssignment> set;
        std::string message;
    };
    const Case cases[] = {
        {{{"Nobody", "x"}}, "The e-book \"book\" has no variable \"Nobody\"."},
        {{{"Fixed", "x"}}, "The variable \"Fixed\" of the e-book \"book\" cannot be rebranded."},
        {{{"Included", "x"}},
         "The variable \"Included\" of the e-book \"book\" cannot be rebranded."},
        {{{"Reseller", "a"}, {"Reseller", "b"}},
         "The variable \"Reseller\" is given more than once."},
        {{{"Site", "ok"}, {"reseller", "x"}}, "The e-book \"book\" has no variable \"reseller\"."},
        {{{"Reseller", std::string(256, 'x')}},
         "The value of \"Reseller\" is 256 characters long; it may have at most 255."},
        {{{"Blurb", std::string(8193, 'x')}},
         "The value of \"Blurb\" is 8193 characters long; it may have at most 8192."},
        {{{"Site", "two\nlines"}}, "The value of \"Site\" must be a single line."},
        {{{"Reseller", "ok"}, {"Site", "cr\r"}}, "The value of \"Site\" must be a single line."},
    };
    for (const Case& c : cases) {
        EBookRebrander r;
        ASSERT_TRUE(r.Open(rebranderPath)) << r.error();
        EXPECT_FALSE(r.SetValues(c.set));
        EXPECT_EQ(r.error(), c.message);
        EXPECT_TRUE(test::ReadWholeFile(bookPath) == original) << c.message;
    }
    EXPECT_EQ(FilesIn(dir.path()), (std::set<std::string>{"book", "rebrand-book"}));
}

TEST_F(EBookRebranderTest, LengthsCountCharactersAtTheLimit) {
    std::string accented;  // 255 characters, 510 bytes
    for (int i = 0; i < 255; ++i) {
        accented += "\xC3\xA9";
    }
    EBookRebrander r;
    ASSERT_TRUE(r.Open(rebranderPath));
    ASSERT_TRUE(r.SetValues({{"Reseller", accented}, {"Blurb", std::string(8192, '\n')}}))
        << r.error();
    ArchiveReader reader;
    ASSERT_TRUE(reader.Open(bookPath));
    EXPECT_EQ(reader.variables()[0].value, accented);
    EXPECT_EQ(reader.variables()[2].value.size(), 8192u);
}

TEST_F(EBookRebranderTest, BookOfAnotherBuildIsRefusedByName) {
    WriteBook(BookParts(kBuildTime + 60));
    const std::string other = test::ReadWholeFile(bookPath);
    EBookRebrander r;
    EXPECT_FALSE(r.Open(rebranderPath));
    EXPECT_NE(r.error().find("This Rebrander belongs to the e-book \"book\" built "),
              std::string::npos)
        << r.error();
    EXPECT_NE(r.error().find("Put this Rebrander beside the e-book it was built with."),
              std::string::npos);
    EXPECT_TRUE(r.variables().empty());
    EXPECT_FALSE(r.SetValues({{"Reseller", "x"}}));
    EXPECT_TRUE(test::ReadWholeFile(bookPath) == other);
}

TEST_F(EBookRebranderTest, MissingOrDamagedFilesAreRefused) {
    {
        RebranderRecord elsewhere = record;
        elsewhere.ebookFileName = "gone";
        ASSERT_TRUE(test::WriteTestRebrander(rebranderPath, "S", elsewhere, kBuildTime));
        EBookRebrander r;
        EXPECT_FALSE(r.Open(rebranderPath));
        EXPECT_EQ(r.error(), "Cannot find the e-book \"gone\" in the folder \"" + dir.path() +
                                 "\". Put this Rebrander in the folder that holds \"gone\".");
    }
    {
        dir.Write("book", original.substr(0, original.size() - 1));
        ASSERT_TRUE(test::WriteTestRebrander(rebranderPath, "S", record, kBuildTime));
        EBookRebrander r;
        EXPECT_FALSE(r.Open(rebranderPath));
        EXPECT_EQ(r.error().rfind("The e-book \"" + bookPath + "\" cannot be read: ", 0), 0u)
            << r.error();
    }
    {
        dir.Write("rebrand-book", "no trailer here");
        EBookRebrander r;
        EXPECT_FALSE(r.ReadRebrander(rebranderPath));
        EXPECT_EQ(r.error().rfind("The Rebrander \"rebrand-book\" carries no e-book details", 0),
                  0u)
            << r.error();
    }
}

TEST_F(EBookRebranderTest, NamesThatLeaveTheFolderAreRefused) {
    // A real e-book of the same build lies where each name would lead.
    dir.Write("shop/x/book", original);
    dir.Write("shop/book", original);
    const std::string shopRebrander = dir.File("shop/x/rebrand");
    for (const std::string name : {"../book", "../../book", "x/book", "..\\book", ".", "..", ""}) {
        RebranderRecord r = record;
        r.ebookFileName = name;
        ASSERT_TRUE(test::WriteTestRebrander(shopRebrander, "S", r, kBuildTime));
        EBookRebrander rebrander;
        EXPECT_FALSE(rebrander.Open(shopRebrander)) << name;
        EXPECT_EQ(rebrander.error(), "The Rebrander names its e-book \"" + name +
                                         "\", which is not a plain file name. Build the "
                                         "Rebrander again.");
    }
}

// Sets a value with every file write limited to 100,000 bytes, so that a rewrite of a larger
// e-book is cut short half-way; prints the message and exits 0 when the rewrite failed.
[[noreturn]] void SetUnderFileSizeLimit(const std::string& rebranderPath) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    limit.rlim_cur = limit.rlim_max = 100000;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    EBookRebrander r;
    const bool opened = r.Open(rebranderPath);
    const bool written = r.SetValues({{"Reseller", "cut short"}});
    std::cerr << r.error() << std::endl;
    std::_Exit(opened && !written ? 0 : 1);
}

// A write that the system cuts short fails with its message, takes its temporary file away
// and leaves the e-book as it was.
TEST_F(EBookRebranderTest, InterruptedRewriteLeavesTheBookIntact) {
    ASSERT_GT(original.size(), 200000u);
    EXPECT_EXIT(SetUnderFileSizeLimit(rebranderPath), ::testing::ExitedWithCode(0),
                "Unable to write the e-book .*The e-book was left as it was");
    EXPECT_TRUE(test::ReadWholeFile(bookPath) == original);
    EXPECT_EQ(FilesIn(dir.path()), (std::set<std::string>{"book", "rebrand-book"}));
}

TEST_F(EBookRebranderTest, ReadOnlyFolderLeavesTheBookIntact) {
    // A folder and a book that the user (nobody) may not write: nothing changes.
    test::OpenToEveryone(dir.path());
    ASSERT_EQ(::chmod(bookPath.c_str(), 0755), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
    const std::string error = test::RunAsNobody([&] {
        EBookRebrander r;
        if (!r.Open(rebranderPath)) {
            return "open failed: " + r.error();
        }
        return r.SetValues({{"Reseller", "x"}}) ? std::string("written") : r.error();
    });
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(error.rfind("Unable to write the e-book \"" + bookPath + "\": ", 0), 0u) << error;
    EXPECT_TRUE(test::ReadWholeFile(bookPath) == original);
}

// Two rewrites of one e-book never lose a value: while one writes, the other is refused; one
// that read the e-book before the other replaced it is refused too, and the first one's
// value stays.
TEST_F(EBookRebranderTest, TwoRewritesAtOnceLoseNoValue) {
    EBookRebrander first;
    EBookRebrander second;
    ASSERT_TRUE(first.Open(rebranderPath)) << first.error();
    ASSERT_TRUE(second.Open(rebranderPath)) << second.error();
    {
        platform::FileLock writing;  // another Rebrander in the middle of its rewrite
        ASSERT_TRUE(writing.TryLockExclusive(bookPath));
        EXPECT_FALSE(first.SetValues({{"Reseller", "Ana"}}));
        EXPECT_EQ(first.error().rfind("Another Rebrander is writing the e-book", 0), 0u)
            << first.error();
        EXPECT_TRUE(test::ReadWholeFile(bookPath) == original);
    }
    ASSERT_TRUE(first.SetValues({{"Reseller", "Ana"}})) << first.error();
    EXPECT_FALSE(second.SetValues({{"Site", "https://bob.example"}}));
    EXPECT_EQ(second.error().rfind("Another Rebrander has changed the e-book", 0), 0u)
        << second.error();
    ArchiveReader reader;
    ASSERT_TRUE(reader.Open(bookPath)) << reader.error();
    EXPECT_EQ(reader.variables()[0].value, "Ana");
    EXPECT_EQ(reader.variables()[1].value, "https://example.com");
    // Opened again, it sees the first one's value and may add its own.
    ASSERT_TRUE(second.Open(rebranderPath)) << second.error();
    ASSERT_TRUE(second.SetValues({{"Site", "https://bob.example"}})) << second.error();
    ASSERT_TRUE(reader.Open(bookPath)) << reader.error();
    EXPECT_EQ(reader.variables()[0].value, "Ana");
    EXPECT_EQ(reader.variables()[1].value, "https://bob.example");
}

TEST(RebrandAssignmentTest, SplitsAtTheFirstEqualsSign) {
    struct Case {
        const char* argument;
        bool ok;
        const char* name;
        const char* value;
    };
    const Case cases[] = {
        {"Name=Ana", true, "Name", "Ana"}, {"Name=a=b", true, "Name", "a=b"},
        {"Name=", true, "Name", ""},       {"=Ana", false, "", ""},
        {"Name", false, "", ""},           {"", false, "", ""},
    };
    for (const Case& c : cases) {
        RebrandAssignment a;
        EXPECT_EQ(ParseRebrandAssignment(c.argument, a), c.ok) << c.argument;
        if (c.ok) {
            EXPECT_EQ(a.name, c.name);
            EXPECT_EQ(a.value, c.value);
        }
    }
}

}  // namespace
}  // namespace nbx
