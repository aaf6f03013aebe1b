// The reader as a program: a good book starts and runs; a missing or damaged archive gives
// a message and exit code 1, never a crash.

#include <sys/stat.h>

#include <QProcess>
#include <QProcessEnvironment>

#include "ReaderFixture.h"
#include "eview/ReaderStart.h"

namespace nbx::test {
namespace {

class ReaderProcessTest : public ReaderFixture {
protected:
    std::string Variant(const std::string& name, const std::string& bytes) {
        return dir.Write(name, bytes);
    }
};

TEST_F(ReaderProcessTest, AGoodBookRunsUntilItIsClosed) {
    ASSERT_TRUE(Open());
    QProcess process;
    StartBookProgram(process, bookPath);
    ASSERT_TRUE(process.waitForStarted());
    EXPECT_FALSE(process.waitForFinished(1500)) << process.readAllStandardError().toStdString();
    EXPECT_EQ(process.state(), QProcess::Running);
    process.kill();
    process.waitForFinished();
}

TEST_F(ReaderProcessTest, AMissingOrDamagedArchiveGivesAMessageAndExitCodeOne) {
    ASSERT_TRUE(Open());
    const std::string good = ReadWholeFile(bookPath);
    const std::string stub = ReadWholeFile(kProgramDir + "/eview.dat");
    const std::size_t archive = stub.size();
    ASSERT_GT(good.size(), archive + 1000);

    std::string badSettings = good;
    badSettings[archive] ^= 0x55;  // the settings record's mark
    std::string shifted = good;
    shifted.erase(archive + (good.size() - archive) / 2, 1);  // every later offset is off
    std::string badTrailer = good;
    badTrailer[good.size() - 3] ^= 0x01;
    pages = {{"index.html", "<p>x</p>", ""}};
    std::vector<TestBookFile> noLanguage = {{"index.html", "<p>x</p>", ""}};
    const std::string noLanguagePath = dir.File("no-language");
    ASSERT_EQ(WriteTestBook(dir, kProgramDir + "/eview.dat", noLanguagePath, settings, noLanguage),
              "");

    const std::pair<const char*, std::string> cases[] = {
        {"stub alone", Variant("stub", stub)},    {"settings", Variant("settings", badSettings)},
        {"shifted", Variant("shifted", shifted)}, {"trailer", Variant("trailer", badTrailer)},
        {"no language", noLanguagePath},
    };
    for (const auto& [what, path] : cases) {
        QString errors;
        EXPECT_EQ(RunBookProgram(path, errors), 1) << what;
        EXPECT_TRUE(errors.contains("This e-book can't be opened"))
            << what << ": " << errors.toStdString();
        reader::ReaderBook damaged;
        EXPECT_FALSE(eview::OpenBookOrExplain(damaged, path)) << what;
    }
}

}  // namespace
}  // namespace nbx::test
