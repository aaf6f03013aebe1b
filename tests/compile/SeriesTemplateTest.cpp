// The items of a Build Series are written from the first book's shared bytes, and each is
// byte for byte the book a single build with its value writes, with the same stages shown.

#include "compile/SeriesTemplate.h"

#include <stdlib.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "compile/BuildClock.h"
#include "compile/BuildEBookFixture.h"
#include "compile/BuildSeries.h"
#include "platform/FileHandle.h"

namespace nbx {
namespace {

using test::ReadWholeFile;
using ::testing::HasSubstr;

class QuietSeriesWindow final : public SeriesProgress {
public:
    void Open(std::string_view, bool) override {}
    void SetRange(int, int, int) override {}
    void StepIt() override {}
    void SetText(std::string_view) override {}
    void PumpMessages(bool) override {}
    bool Cancelled() const override { return false; }
    void Close() override {}
};

class SeriesTemplateTest : public BuildEBookTest {
protected:
    void SetUp() override {
        BuildEBookTest::SetUp();
        project.variables[0].name = "Number";
        project.splashBitmap = compiler + "/splash16.bmp";
        env.seriesTemplate = &shared;
    }

    // What a single build of the item writes: the project with the item's value and path,
    // dated as the item was, with no series around it.
    std::string SingleBuild(std::int64_t number, std::int64_t buildTime) {
        Project single = project;
        single.variables[0].value = std::to_string(number);
        single.outputExe = dir.File("single/book" + std::to_string(number) + ".exe");
        std::filesystem::create_directories(dir.File("single"));
        BuildEnvironment alone = env;
        alone.seriesTemplate = nullptr;
        RecordingProgress singleProgress;
        BuildUi singleUi{prompter, singleProgress};
        EXPECT_TRUE(BuildEBook(single, singleUi, buildTime, true, alone));
        singleStages = singleProgress.stages;
        return ReadWholeFile(single.outputExe);
    }

    // Builds item `number` of the series as RunSeries does.
    bool Item(std::int64_t number, std::int64_t buildTime) {
        Project item = project;
        item.variables[0].value = std::to_string(number);
        item.outputExe = dir.File("out/book" + std::to_string(number) + ".exe");
        progress.stages.clear();
        return BuildEBook(item, ui, buildTime, true, env);
    }

    SeriesTemplate shared;
    std::vector<std::string> singleStages;
};

TEST_F(SeriesTemplateTest, ItemsAreTheBooksOfSingleBuilds) {
    ASSERT_TRUE(Build(1700000000, false)) << OnlyMessage();
    ASSERT_FALSE(shared.path().empty());
    for (std::int64_t number : {1, 2, 10, 12345}) {
        SCOPED_TRACE(number);
        const std::int64_t buildTime = 1700000000 + number * 3601;  // other dates, same lengths
        ASSERT_TRUE(Item(number, buildTime)) << OnlyMessage();
        const std::vector<std::string> itemStages = progress.stages;
        const std::string item =
            ReadWholeFile(dir.File("out/book" + std::to_string(number) + ".exe"));
        EXPECT_TRUE(item == SingleBuild(number, buildTime));
        EXPECT_EQ(itemStages, singleStages);
    }
}

// The kept bytes are what an item is written from: damaged there, the damage shows in the
// next item; an input that changed makes the item a whole build again, and it is kept anew.
TEST_F(SeriesTemplateTest, AChangedInputIsBuiltWholeAndKeptAnew) {
    ASSERT_TRUE(Build(1700000000, false)) << OnlyMessage();
    const std::uint64_t stubEnd =
        static_cast<std::uint64_t>(shared.layout().trailer.settingsOffset);
    {
        platform::FileHandle kept;
        ASSERT_TRUE(kept.Open(shared.path(), platform::FileHandle::Mode::ReadWrite));
        ASSERT_TRUE(kept.WriteAt(stubEnd - 1, "!", 1));
    }
    ASSERT_TRUE(Item(1, 1700000000)) << OnlyMessage();
    const std::string fromKept = ReadWholeFile(dir.File("out/book1.exe"));
    EXPECT_EQ(fromKept[stubEnd - 1], '!');

    dir.Write("src/page.htm", std::string(6000, 'q'));  // another length, another time
    ASSERT_TRUE(Item(2, 1700000000)) << OnlyMessage();
    EXPECT_TRUE(ReadWholeFile(dir.File("out/book2.exe")) == SingleBuild(2, 1700000000));
    ASSERT_TRUE(Item(3, 1700000000)) << OnlyMessage();
    EXPECT_TRUE(ReadWholeFile(dir.File("out/book3.exe")) == SingleBuild(3, 1700000000));
}

// The whole command: the measuring build keeps the bytes, every item is a single build's book.
TEST_F(SeriesTemplateTest, RunSeriesWritesSingleBuildsBooks) {
    env.seriesTemplate = nullptr;
    SeriesBuilders builders = ProgramSeriesBuilders(env);
    std::int64_t now = 1700000000;
    builders.clock = [&now] { return now += 61; };
    QuietSeriesWindow window;
    BuildSession session;
    BuildUi seriesUi{prompter, progress, &window, &session};
    prompter.answers = {Answer::Yes};
    std::uint64_t perBuild = 0;
    ASSERT_TRUE(MeasureSeriesBuild(project, seriesUi, builders, perBuild)) << OnlyMessage();
    ASSERT_TRUE(RunSeries(project, seriesUi, perBuild, {"Number", 4, 6, false}, builders));
    for (std::int64_t number = 4; number <= 6; ++number) {
        SCOPED_TRACE(number);
        EXPECT_TRUE(ReadWholeFile(dir.File("out/book" + std::to_string(number) + ".exe")) ==
                    SingleBuild(number, 1700000000 + 61 * (number - 2)));
    }
}

TEST(BuildClockTest, SourceDateEpochIsTheBuildTimeWhenItIsOne) {
    const struct {
        const char* value;
        bool ok;
        std::optional<std::int64_t> seconds;
    } cases[] = {
        {nullptr, true, std::nullopt},
        {"", true, std::nullopt},
        {"0", true, 0},
        {"1700000000", true, 1700000000},
        {"4294967295", true, 4294967295},
        {"4294967296", false, std::nullopt},
        {"-1", false, std::nullopt},
        {"17e8", false, std::nullopt},
        {" 1700000000", false, std::nullopt},
        {"1700000000\n", false, std::nullopt},
        {"yesterday", false, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value ? c.value : "(unset)");
        const SourceDateEpoch epoch = ParseSourceDateEpoch(c.value);
        EXPECT_EQ(epoch.ok, c.ok);
        EXPECT_EQ(epoch.seconds, c.seconds);
    }
}

TEST(BuildClockTest, ABuildUnderSourceDateEpochIsDatedInUtc) {
    ASSERT_EQ(::setenv(kSourceDateEpoch, "1700000000", 1), 0);  // 2023-11-14 22:13:20 UTC
    const platform::LocalTime t = BuildCalendarTime(1700000000);
    EXPECT_EQ(BuildTimeNow(), 1700000000);
    ::setenv(kSourceDateEpoch, "not a time", 1);
    test::RecordingPrompter prompter;
    NullBuildProgress progress;
    BuildUi ui{prompter, progress};
    EXPECT_FALSE(CheckBuildClock(ui));
    ::unsetenv(kSourceDateEpoch);
    EXPECT_TRUE(CheckBuildClock(ui));
    EXPECT_EQ(t.year, 2023);
    EXPECT_EQ(t.month, 11);
    EXPECT_EQ(t.day, 14);
    EXPECT_EQ(t.hour, 22);
    EXPECT_EQ(t.minute, 13);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_THAT(prompter.messages[0], HasSubstr("SOURCE_DATE_EPOCH is set to 'not a time'"));
}

}  // namespace
}  // namespace nbx
