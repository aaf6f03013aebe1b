// tamselc inspect and extract, run as programs on files the core writes.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "format/ArchiveRecordWriter.h"
#include "platform/Paths.h"
#include "support/TempDir.h"
#include "support/TerminalText.h"
#include "support/TestBook.h"

namespace nbx {
namespace {

const std::string kTamselc = platform::JoinPath(NBX_PROGRAM_DIR, "tamselc");

struct Output {
    int status = 0;
    std::string out;
};

Output Tamselc(const std::string& arguments) {
    Output result;
    FILE* p = ::popen((kTamselc + " " + arguments + " 2>/dev/null").c_str(), "r");
    std::array<char, 4096> buffer;
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), p)) > 0) {
        result.out.append(buffer.data(), n);
    }
    const int status = ::pclose(p);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

// An e-book whose entries have the given names and contents.
std::string MakeBook(const test::TempDir& dir,
                     const std::vector<std::pair<std::string, std::string>>& files) {
    std::vector<test::TestBookFile> bookFiles;
    for (const auto& [name, data] : files) {
        bookFiles.push_back({name, data, "Page " + name});
    }
    BuildSettings settings;
    settings.title = "Inspected";
    settings.initialWidth = -3;
    const std::string book = dir.File("book");
    EXPECT_EQ(test::WriteTestBook(dir, dir.Write("stub", "STUB"), book, settings, bookFiles,
                                  {{"NAME", "Your name", "Fred", 1, 0}}, 1000),
              "");
    return book;
}

TEST(InspectTest, EBookAsJson) {
    test::TempDir dir;
    const std::string book =
        MakeBook(dir, {{"index.html", std::string(2000, 'x')}, {"a.gif", "GIF"}});
    const Output r = Tamselc("inspect " + book);
    ASSERT_EQ(r.status, 0);
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["trailer"]["buildTime"], 1000);
    EXPECT_EQ(j["trailer"]["settingsOffset"], 4);
    EXPECT_EQ(j["trailer"]["version"], 422);
    EXPECT_EQ(j["settings"]["title"], "Inspected");
    EXPECT_EQ(j["settings"]["initialWidth"], -3);
    EXPECT_EQ(j["settings"]["entryCount"], 2);
    EXPECT_EQ(j["settings"]["toolbarButtons"].size(), 13u);
    ASSERT_EQ(j["directory"].size(), 2u);
    const auto& e = j["directory"][0];
    for (const char* key :
         {"name", "offset", "storedLength", "unpackedLength", "searchable", "inContents", "title",
          "description", "keywords", "orderKey", "preprocess"}) {
        EXPECT_TRUE(e.contains(key)) << key;
    }
    EXPECT_EQ(e["name"], "index.html");
    EXPECT_EQ(e["unpackedLength"], 2000);
    EXPECT_EQ(j["directory"][1]["unpackedLength"], 0);
    EXPECT_EQ(j["variables"][0]["name"], "NAME");
    EXPECT_EQ(j["variables"][0]["canRebrand"], 1);
}

TEST(InspectTest, RebranderAsJson) {
    test::TempDir dir;
    std::string bytes = "REBRAND STUB";
    {
        StringSink sink(bytes);
        RecordStreamWriter w(sink);
        RebranderRecord record;
        record.ebookFileName = "book.exe";
        record.title = "T";
        record.rebranderTitle = "Rebrand T";
        WriteRebranderRecord(w, record);
        WriteRebranderTrailer(w, {77, 12});
        ASSERT_TRUE(w.Flush());
    }
    const Output r = Tamselc("inspect " + dir.Write("rebrand", bytes));
    ASSERT_EQ(r.status, 0);
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["trailer"]["buildTime"], 77);
    EXPECT_EQ(j["trailer"]["recordOffset"], 12);
    EXPECT_EQ(j["record"]["ebookFileName"], "book.exe");
    EXPECT_EQ(j["record"]["rebranderTitle"], "Rebrand T");
    EXPECT_EQ(j["record"]["rebranderOption"], 1);
}

// The names and texts of a book and of a Rebrander's record reach the terminal as escapes.
TEST(InspectTest, TextsReachTheTerminalAsEscapes) {
    test::TempDir dir;
    BuildSettings settings;
    settings.title = test::kHostileText;
    const std::string book = dir.File("book");
    ASSERT_EQ(
        test::WriteTestBook(dir, dir.Write("stub", "STUB"), book, settings,
                            {{"index.html", "x", test::kHostileText}},
                            {{test::kHostileText, "Your name", test::kHostileText, 1, 0}}, 1000),
        "");
    std::string rebrander = "REBRAND STUB";
    {
        StringSink sink(rebrander);
        RecordStreamWriter w(sink);
        RebranderRecord record;
        record.ebookFileName = test::kHostileText;
        WriteRebranderRecord(w, record);
        WriteRebranderTrailer(w, {77, 12});
        ASSERT_TRUE(w.Flush());
    }
    const std::pair<std::string, const char*> cases[] = {
        {book, "/settings/title"},
        {book, "/variables/0/value"},
        {dir.Write("rebrand", rebrander), "/record/ebookFileName"},
    };
    for (const auto& [file, field] : cases) {
        const Output r = Tamselc("inspect " + file);
        ASSERT_EQ(r.status, 0);
        EXPECT_EQ(test::FirstRawControl(r.out), "") << field;
        EXPECT_EQ(nlohmann::json::parse(r.out)[nlohmann::json::json_pointer(field)],
                  test::kHostileText);
    }
}

TEST(InspectTest, OtherFilesAreRefused) {
    test::TempDir dir;
    EXPECT_EQ(Tamselc("inspect " + dir.Write("text", std::string(500, 'a'))).status, 1);
    EXPECT_EQ(Tamselc("inspect " + dir.File("missing")).status, 1);
    EXPECT_EQ(Tamselc("inspect").status, 2);
}

TEST(ExtractTest, WritesEntriesAndRefusesUnsafeNames) {
    test::TempDir dir;
    const std::string big(100000, 'q');
    const std::string book = MakeBook(dir, {{"index.html", big},
                                            {"../escape.html", "bad"},
                                            {"sub/page.html", "inner"},
                                            {"sub/../../up.html", "bad"},
                                            {"/abs.html", "bad"},
                                            {"sub//twice.html", "bad"},
                                            {"sub/./dot.html", "bad"},
                                            {"sub\\back.html", "bad"},
                                            {"trailing/", "bad"},
                                            {"..", "bad"},
                                            {".", "bad"},
                                            {"pic.gif", "GIF89a"}});
    const std::string out = dir.File("out");
    const Output r = Tamselc("extract " + book + " " + out);
    EXPECT_EQ(r.status, 1);  // some names were refused
    EXPECT_EQ(r.out, "index.html\nsub/page.html\npic.gif\n");
    EXPECT_TRUE(test::ReadWholeFile(platform::JoinPath(out, "index.html")) == big);
    EXPECT_EQ(test::ReadWholeFile(platform::JoinPath(out, "pic.gif")), "GIF89a");
    EXPECT_EQ(test::ReadWholeFile(platform::JoinPath(out, "sub/page.html")), "inner");
    EXPECT_FALSE(platform::FileExists(dir.File("escape.html")));
    EXPECT_FALSE(platform::FileExists(dir.File("up.html")));
    EXPECT_FALSE(platform::FileExists("/abs.html"));
    std::size_t written = 0;
    for (const auto& f : std::filesystem::recursive_directory_iterator(out)) {
        written += f.is_regular_file() ? 1 : 0;
    }
    EXPECT_EQ(written, 3u);
}

TEST(ExtractTest, CleanBookExtractsWhole) {
    test::TempDir dir;
    const std::string book = MakeBook(dir, {{"index.html", "<html></html>"}, {"empty.txt", ""}});
    const Output r = Tamselc("extract " + book + " " + dir.File("new/folder"));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(test::ReadWholeFile(dir.File("new/folder/empty.txt")), "");
    EXPECT_TRUE(platform::FileExists(dir.File("new/folder/empty.txt")));
}

// A link already in the target folder is replaced, never written through; a name twice is
// reported and its first entry kept; names are printed with their control characters shown.
TEST(ExtractTest, LinksInTheFolderAndTwiceNamedEntries) {
    test::TempDir dir;
    const std::string victim = dir.Write("victim", "keep me");
    const std::string book = MakeBook(
        dir, {{"index.htm", "first"}, {"index.htm", "second"}, {"bell\x07\x1b[2J.htm", "tricky"}});
    const std::string out = dir.File("out");
    std::filesystem::create_directories(out);
    std::filesystem::create_symlink(victim, platform::JoinPath(out, "index.htm"));
    const Output r = Tamselc("extract " + book + " " + out);
    EXPECT_EQ(r.status, 1);  // the second index.htm
    EXPECT_EQ(r.out, "index.htm\nbell\\x07\\x1b[2J.htm\n");
    EXPECT_EQ(test::ReadWholeFile(victim), "keep me");
    EXPECT_FALSE(std::filesystem::is_symlink(platform::JoinPath(out, "index.htm")));
    EXPECT_EQ(test::ReadWholeFile(platform::JoinPath(out, "index.htm")), "first");
}

// What is already in the folder under an entry's name is replaced, never written through:
// a symbolic or a hard link keeps what it leads to, a file keeps its permissions, and a
// folder or a pipe there makes the entry fail.
TEST(ExtractTest, WhatIsInTheWayIsReplacedNeverWrittenThrough) {
    test::TempDir dir;
    const std::string book = MakeBook(dir, {{"soft.htm", "new soft"},
                                            {"hard.htm", "new hard"},
                                            {"plain.htm", "new plain"},
                                            {"folder.htm", "no"},
                                            {"pipe.htm", "no"},
                                            {"fresh.htm", "fresh"}});
    const std::string out = dir.File("out");
    std::filesystem::create_directories(out + "/folder.htm");
    const std::string victim = dir.Write("victim", "keep me");
    std::filesystem::create_symlink(victim, out + "/soft.htm");
    std::filesystem::create_hard_link(victim, out + "/hard.htm");
    dir.Write("out/plain.htm", "old");
    ASSERT_EQ(::chmod((out + "/plain.htm").c_str(), 0640), 0);
    ASSERT_EQ(::mkfifo((out + "/pipe.htm").c_str(), 0600), 0);

    const Output r = Tamselc("extract " + book + " " + out);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "soft.htm\nhard.htm\nplain.htm\nfresh.htm\n");
    EXPECT_EQ(test::ReadWholeFile(victim), "keep me");
    EXPECT_FALSE(std::filesystem::is_symlink(out + "/soft.htm"));
    EXPECT_EQ(std::filesystem::hard_link_count(victim), 1u);
    const struct {
        const char* name;
        const char* bytes;
    } written[] = {{"soft.htm", "new soft"},
                   {"hard.htm", "new hard"},
                   {"plain.htm", "new plain"},
                   {"fresh.htm", "fresh"}};
    for (const auto& w : written) {
        EXPECT_EQ(test::ReadWholeFile(out + "/" + w.name), w.bytes) << w.name;
    }
    struct stat st {};
    ASSERT_EQ(::stat((out + "/plain.htm").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_TRUE(std::filesystem::is_directory(out + "/folder.htm"));
    EXPECT_TRUE(std::filesystem::is_fifo(out + "/pipe.htm"));
    for (const auto& f : std::filesystem::directory_iterator(out)) {
        EXPECT_NE(f.path().filename().string()[0], '.') << "a working file was left behind";
    }
}

// A folder of an entry that is already a link in the target folder is never followed: the
// entry is refused, and what the link leads to stays empty.
TEST(ExtractTest, AFolderThatIsALinkIsNeverFollowed) {
    test::TempDir dir;
    const std::string elsewhere = dir.File("elsewhere");
    std::filesystem::create_directories(elsewhere);
    const std::string book = MakeBook(dir, {{"library/os.html", "planted"},
                                            {"library/deep/x.html", "deep"},
                                            {"fine/page.html", "fine"}});
    const std::string out = dir.File("out");
    std::filesystem::create_directories(out);
    std::filesystem::create_directory_symlink(elsewhere, platform::JoinPath(out, "library"));
    const Output r = Tamselc("extract " + book + " " + out);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "fine/page.html\n");
    EXPECT_TRUE(std::filesystem::is_empty(elsewhere));
    EXPECT_EQ(test::ReadWholeFile(platform::JoinPath(out, "fine/page.html")), "fine");
}

}  // namespace
}  // namespace nbx
