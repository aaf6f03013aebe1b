// Under SOURCE_DATE_EPOCH two builds of the same project give the same bytes, whenever and in
// whatever time zone they run, series items and Rebranders included; and a series split
// into ranges run as GNU parallel jobs gives the books of one run.

#include <stdlib.h>

#include <filesystem>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SeriesProject.h"
#include "TamselcRunner.h"
#include "platform/Clock.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

namespace nbx {
namespace {

using test::ReadWholeFile;
using ::testing::HasSubstr;

// Sets an environment variable for the life of the scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        ::setenv(name, value, 1);
    }
    ~ScopedEnv() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

void WaitForTheNextSecond() {
    const std::int64_t now = platform::SecondsSince1970();
    while (platform::SecondsSince1970() == now) {
        platform::SleepMs(20);
    }
}

TEST(ReproducibleBuildTest, SourceDateEpochGivesTheSameBytesTwice) {
    test::TempDir dir;
    const std::string first =
        WriteSeriesProject(dir, {.name = "first", .outFolder = "a", .rebrander = true});
    const std::string second =
        WriteSeriesProject(dir, {.name = "second", .outFolder = "b", .rebrander = true});
    const ScopedEnv epoch("SOURCE_DATE_EPOCH", "1700000000");
    {
        const ScopedEnv zone("TZ", "UTC");
        ASSERT_EQ(Tamselc({"build", first}).exitCode, 0);
        const Outcome series = Tamselc(
            {"series", first, "--variable", "Number", "--first", "1", "--last", "2", "--yes"});
        ASSERT_EQ(series.exitCode, 0) << series.err;
    }
    WaitForTheNextSecond();
    {
        const ScopedEnv zone("TZ", "Asia/Kolkata");  // half an hour off every other zone
        ASSERT_EQ(Tamselc({"build", second}).exitCode, 0);
        const Outcome series = Tamselc(
            {"series", second, "--variable", "Number", "--first", "1", "--last", "2", "--yes"});
        ASSERT_EQ(series.exitCode, 0) << series.err;
    }
    for (const char* name :
         {"book.exe", "rebrand.exe", "book1.exe", "rebrand1.exe", "book2.exe", "rebrand2.exe"}) {
        SCOPED_TRACE(name);
        const std::string a = ReadWholeFile(dir.File(std::string("a/") + name));
        ASSERT_FALSE(a.empty());
        EXPECT_TRUE(a == ReadWholeFile(dir.File(std::string("b/") + name)));
    }
    EXPECT_NE(ReadWholeFile(dir.File("a/book1.exe")), ReadWholeFile(dir.File("a/book2.exe")));
}

TEST(ReproducibleBuildTest, ASourceDateEpochThatIsNoTimeBuildsNothing) {
    test::TempDir dir;
    const std::string project = WriteSeriesProject(dir);
    const ScopedEnv epoch("SOURCE_DATE_EPOCH", "last tuesday");
    const Outcome build = Tamselc({"build", project});
    EXPECT_EQ(build.exitCode, 1);
    EXPECT_THAT(build.err, HasSubstr("SOURCE_DATE_EPOCH is not a build time."));
    const Outcome series = Tamselc(
        {"series", project, "--variable", "Number", "--first", "1", "--last", "2", "--yes"});
    EXPECT_EQ(series.exitCode, 1);
    EXPECT_THAT(series.err, HasSubstr("SOURCE_DATE_EPOCH is set to 'last tuesday'"));
    EXPECT_TRUE(std::filesystem::is_empty(dir.File("out")));
}

// The ranges of one series are independent: GNU parallel runs them as jobs, two or three at
// once, each job's measuring build writing the same unnumbered book beside the others.
TEST(ReproducibleBuildTest, RangesAsGnuParallelJobsGiveTheBooksOfOneRun) {
    int status = 0;
    test::RunCommand("command -v parallel >/dev/null", status);
    ASSERT_EQ(status, 0) << "no GNU parallel: scripts/install-deps.sh installs it";
    test::TempDir dir;
    const ScopedEnv epoch("SOURCE_DATE_EPOCH", "1700000000");
    const std::string one =
        WriteSeriesProject(dir, {.name = "one", .outFolder = "one", .rebrander = true});
    const Outcome run =
        Tamselc({"series", one, "--variable", "Number", "--first", "1", "--last", "6", "--yes"});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    const std::string tamselc = std::string(NBX_PROGRAM_DIR) + "/tamselc";
    const struct {
        const char* name;
        const char* firsts;
        const char* lasts;
    } splits[] = {{"two", "1 4", "3 6"}, {"three", "1 3 5", "2 4 6"}};
    for (const auto& split : splits) {
        SCOPED_TRACE(split.name);
        const std::string project = WriteSeriesProject(
            dir, {.name = split.name, .outFolder = split.name, .rebrander = true});
        const std::string command =
            "parallel --will-cite --halt now,fail=1 --link '" + tamselc + "' series '" + project +
            "' --variable Number --first {1} --last {2} --yes "
            "::: " +
            split.firsts + " ::: " + split.lasts + " </dev/null >/dev/null 2>&1";
        test::RunCommand(command, status);
        ASSERT_EQ(status, 0) << command;
        for (int n = 1; n <= 6; ++n) {
            for (const std::string name : {"book", "rebrand"}) {
                const std::string file = name + std::to_string(n) + ".exe";
                SCOPED_TRACE(file);
                const std::string expected = ReadWholeFile(dir.File("one/" + file));
                ASSERT_FALSE(expected.empty());
                EXPECT_TRUE(ReadWholeFile(dir.File(std::string(split.name) + "/" + file)) ==
                            expected);
            }
        }
        EXPECT_TRUE(ReadWholeFile(dir.File(std::string(split.name) + "/book.exe")) ==
                    ReadWholeFile(dir.File("one/book.exe")));
    }
}

}  // namespace
}  // namespace nbx
