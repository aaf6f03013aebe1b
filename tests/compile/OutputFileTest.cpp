#include "compile/OutputFile.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "common/Prompter.h"
#include "support/TempDir.h"

extern char** environ;

namespace nbx {
namespace {

// A copy of sleep running from the folder, standing for an e-book the author left open.
class RunningProgram {
public:
    explicit RunningProgram(const std::string& path) {
        std::filesystem::copy_file("/bin/sleep", path);
        char arg0[] = "sleep";
        char arg1[] = "30";
        char* argv[] = {arg0, arg1, nullptr};
        ::posix_spawn(&pid_, path.c_str(), nullptr, nullptr, argv, environ);
    }
    ~RunningProgram() {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }

private:
    pid_t pid_ = 0;
};

class CancellingWindow final : public SeriesProgress {
public:
    void Open(std::string_view, bool) override {}
    void SetRange(int, int, int) override {}
    void StepIt() override {}
    void SetText(std::string_view) override {}
    void PumpMessages(bool) override { ++pumps; }
    bool Cancelled() const override { return pumps > 0; }
    void Close() override {}
    int pumps = 0;
};

TEST(OutputFileTest, ARunningProgramIsASharingViolation) {
    test::TempDir dir;
    const std::string path = dir.File("book.exe");
    RunningProgram running(path);
    SilentPrompter prompter;
    NullBuildProgress progress;
    BuildUi ui{prompter, progress};
    const OutputClaim claim = ClaimOutputFile(path, 0, ui);
    EXPECT_FALSE(claim.ok);
    EXPECT_TRUE(claim.sharingViolation);

    // A Cancel in the series window while waiting stops at once, without a message.
    CancellingWindow window;
    ui.series = &window;
    const OutputClaim cancelled = ClaimOutputFile(path, 8, ui);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_EQ(window.pumps, 1);

    // So does a stop of a single build, which has no series window.
    class StoppedProgress final : public BuildProgress {
    public:
        void ReportStage(std::string_view, int) override {}
        void EndProgress() override {}
        bool CancelRequested() const override { return true; }
    } stopped;
    BuildUi single{prompter, stopped};
    EXPECT_TRUE(ClaimOutputFile(path, 8, single).cancelled);
}

TEST(OutputFileTest, AClaimNeverEmptiesAndUndoesOnlyWhatItCreated) {
    test::TempDir dir;
    SilentPrompter prompter;
    NullBuildProgress progress;
    BuildUi ui{prompter, progress};
    const std::string old = dir.Write("old.exe", "keep me");
    const OutputClaim kept = ClaimOutputFile(old, 0, ui);
    ASSERT_TRUE(kept.ok);
    EXPECT_FALSE(kept.createdNew);
    ReleaseOutputClaim(old, kept);
    EXPECT_EQ(test::ReadWholeFile(old), "keep me");

    const std::string fresh = dir.File("new.exe");
    const OutputClaim created = ClaimOutputFile(fresh, 0, ui);
    ASSERT_TRUE(created.ok);
    EXPECT_TRUE(created.createdNew);
    ReleaseOutputClaim(fresh, created);
    EXPECT_FALSE(std::filesystem::exists(fresh));
}

}  // namespace
}  // namespace nbx
