// tamselc lang, run as the program it is.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include <nlohmann/json.hpp>

#include "support/TempDir.h"
#include "support/TerminalText.h"
#include "viewerfiles/CLanguageMap.h"

namespace nbx {
namespace {

struct ProgramRun {
    int exitCode = -1;
    std::string out;
};

ProgramRun Tamselc(const std::string& arguments) {
    ProgramRun run;
    const std::string command =
        std::string(NBX_PROGRAM_DIR) + "/tamselc " + arguments + " 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        return run;
    }
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        run.out.append(buffer, n);
    }
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(LangCommandTest, PrintsKeyFlagAndValueAsJson) {
    test::TempDir dir;
    CLanguageMap map;
    map.SetText(1, 'F', "4.22");
    map.SetText(101, 'L', "&Print...\tCtrl+P");
    map.SetText(7, 'R', "bad \xFF byte");
    const std::string path = dir.File("x.lng");
    ASSERT_TRUE(map.Write(path));

    const ProgramRun run = Tamselc("lang '" + path + "'");
    ASSERT_EQ(run.exitCode, 0);
    const auto json = nlohmann::json::parse(run.out);
    ASSERT_EQ(json.size(), 3u);
    EXPECT_EQ(json[0]["key"], 1);
    EXPECT_EQ(json[0]["flag"], "F");
    EXPECT_EQ(json[0]["value"], "4.22");
    EXPECT_EQ(json[1]["value"], "bad \xEF\xBF\xBD byte");
    EXPECT_EQ(json[2]["key"], 101);
    EXPECT_EQ(json[2]["value"], "&Print...\tCtrl+P");

    EXPECT_EQ(Tamselc("lang '" + dir.File("missing.lng") + "'").exitCode, 1);
}

TEST(LangCommandTest, ValuesReachTheTerminalAsEscapes) {
    test::TempDir dir;
    CLanguageMap map;
    map.SetText(1, 'F', "4.22");
    map.SetText(2, 'R', test::kHostileText);
    const std::string path = dir.File("hostile.lng");
    ASSERT_TRUE(map.Write(path));

    const ProgramRun run = Tamselc("lang '" + path + "'");
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(test::FirstRawControl(run.out), "");
    EXPECT_EQ(nlohmann::json::parse(run.out)[1]["value"], test::kHostileText);
}

// A file of many tiny records once took gigabytes to print; one over the size limit is
// refused before it is read.
TEST(LangCommandTest, RefusesALanguageFileOverTheSizeLimit) {
    test::TempDir dir;
    CLanguageMap map;
    for (std::int32_t key = 0; key < 130000; ++key) {
        map.SetText(key, 'R', "");
    }
    const std::string path = dir.File("huge.lng");
    ASSERT_TRUE(map.Write(path));
    const ProgramRun run = Tamselc("lang '" + path + "'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
}

TEST(LangCommandTest, ChecksALanguageOfTheProgramFolder) {
    EXPECT_EQ(Tamselc("lang --check English").exitCode, 0);
    EXPECT_EQ(Tamselc("lang --check NoSuchLanguage").exitCode, 1);
    EXPECT_EQ(Tamselc("lang").exitCode, 2);
    EXPECT_EQ(Tamselc("lang --check").exitCode, 2);
}

}  // namespace
}  // namespace nbx
