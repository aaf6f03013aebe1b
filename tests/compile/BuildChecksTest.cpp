#include "compile/BuildChecks.h"

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "common/Prompter.h"
#include "project/DisplayNames.h"
#include "support/RecordingPrompter.h"
#include "support/TempDir.h"

namespace nbx {
namespace {

// A project that passes every check: an index page and one more page on disk.
class BuildChecksTest : public ::testing::Test {
protected:
    void SetUp() override {
        project.outputExe = dir.File("out/book.exe");
        for (const char* name : {"index.html", "page.htm", "pic.gif"}) {
            SourceFile f;
            f.path = dir.Write(std::string("src/") + name, "x");
            project.files.push_back(f);
        }
        Variable v;
        v.name = "Reseller";
        v.canRebrand = 1;
        project.variables.push_back(v);
    }

    std::optional<BuildError> FirstProblem() {
        if (auto p = OutputPathsProblem(project))
            return p;
        if (auto p = SettingsAndFilesProblem(project))
            return p;
        return CensusProblem(project, TakeFileCensus(project));
    }

    test::TempDir dir;
    Project project;
};

TEST_F(BuildChecksTest, EachProblemHasItsTitle) {
    using Change = std::function<void(Project&)>;
    const std::pair<Change, std::string> cases[] = {
        {[](Project&) {}, ""},
        {[](Project& p) { p.outputExe.clear(); }, "No Output E-Book EXE selected."},
        {[](Project& p) { p.buildRebrander = 1; }, "No Output Rebrander EXE selected."},
        {[](Project& p) { p.buildRebrander = 1, p.rebranderExe = p.outputExe; },
         "No Output E-Book EXE and Output Rebrander EXE are the same file."},
        {[](Project& p) { p.buildRebrander = 1, p.rebranderExe = "/elsewhere/rb.exe"; },
         "Output E-Book EXE and Output Rebrander EXE must be in the same folder."},
        // Different only in case is a different folder here.
        {[](Project& p) {
             p.buildRebrander = 1;
             p.rebranderExe = p.outputExe.substr(0, p.outputExe.size() - 12) + "OUT/rb.exe";
         },
         "Output E-Book EXE and Output Rebrander EXE must be in the same folder."},
        {[](Project& p) {
             p.buildRebrander = 1, p.rebranderExe = p.outputExe + ".rb.exe";
             p.variables[0].canRebrand = 0;
         },
         "No rebrandable Nimbrel Variables."},
        {[](Project& p) { p.windowResizable = 0; }, "Inconsistent user interface settings."},
        {[](Project& p) { p.windowResizable = 0, p.initialWidth = 640; }, ""},
        {[](Project& p) { p.files.clear(); }, "No source files."},
        {[](Project& p) {
             for (auto& f : p.files)
                 f.excluded = 1;
         },
         "No source files in E-Book."},
        {[](Project& p) { p.files[0].excluded = 1; }, "No index page or index page excluded."},
        {[](Project& p) {
             p.files[1].path = p.files[1].path.substr(0, p.files[1].path.size() - 8) + "INDEX.HTM";
         },
         "More than 1 index page."},
        {[](Project& p) { p.files[1].path += ".gone"; }, "Missing File."},
        {[](Project& p) { p.files[1].path += ".gone", p.files[1].excluded = 1; }, ""},
        {[](Project& p) { p.aboutPage = kSystemPageOwn; },
         "The About page is set to 'My Own Page', but no file has been selected."},
        {[](Project& p) { p.contentsPage = kSystemPageOwn, p.contentsFile = "nowhere.htm"; },
         "The Table Of Contents page is set to 'My Own Page', but the file that was selected is "
         "no longer part of this project."},
        {[](Project& p) {
             p.aboutPage = kSystemPageOwn, p.aboutFile = "page.htm", p.files[1].excluded = 1;
         },
         "The About page is set to 'My Own Page', but the file that is selected has been "
         "excluded from the E-Book."},
    };
    for (const auto& [change, title] : cases) {
        Project saved = project;
        change(project);
        const auto problem = FirstProblem();
        EXPECT_EQ(problem ? problem->title : "", title);
        project = saved;
    }
}

// An output that is a file the build reads would replace it: refused, whether named as it
// is, through a link, a hard link or another spelling of its path.
TEST_F(BuildChecksTest, AnOutputThatIsAFileTheBuildReadsIsRefused) {
    project.filePath = dir.Write("book.nxp", "project");
    project.splashBitmap = dir.Write("splash.bmp", "BM");
    project.iconFile = dir.Write("book.ico", "ICON");
    Variable include;
    include.name = "Footer";
    include.kind = kIncludeHtml;
    include.value = dir.Write("inc/footer.htm", "<p>footer</p>");
    project.variables.push_back(include);
    std::filesystem::create_directories(dir.File("out"));
    std::filesystem::create_symlink(project.filePath, dir.File("out/link.exe"));
    std::filesystem::create_hard_link(project.iconFile, dir.File("out/hard.exe"));

    const std::string kEBook = "Output E-Book EXE is ";
    const std::string kRebrander = "Output Rebrander EXE is ";
    const struct {
        const char* what;
        std::string output;
        std::string rebrander;  // empty: no Rebrander
        std::string title;      // empty: passes
    } cases[] = {
        {"the project file", project.filePath, "", kEBook + "the project file."},
        {"the project file through a link", dir.File("out/link.exe"), "",
         kEBook + "the project file."},
        {"another spelling", dir.File("out/../inc/./footer.htm"), "",
         kEBook + "the file that the Nimbrel Variable 'Footer' includes."},
        {"the splash bitmap", project.splashBitmap, "", kEBook + "the Splash bitmap."},
        {"the icon through a hard link", dir.File("out/hard.exe"), "", kEBook + "the icon file."},
        {"the Rebrander is the project file", dir.File("book.exe"), project.filePath,
         kRebrander + "the project file."},
        {"the Rebrander is an include file", dir.File("inc/book.exe"), dir.File("inc/footer.htm"),
         kRebrander + "the file that the Nimbrel Variable 'Footer' includes."},
        {"a new file beside them", dir.File("book.exe"), dir.File("rebrand.exe"), ""},
    };
    for (const auto& c : cases) {
        project.outputExe = c.output;
        project.buildRebrander = c.rebrander.empty() ? 0 : 1;
        project.rebranderExe = c.rebrander;
        const auto problem = OutputPathsProblem(project);
        EXPECT_EQ(problem ? problem->title : "", c.title) << c.what;
    }
    project.outputExe = project.filePath;
    project.buildRebrander = 0;
    EXPECT_EQ(OutputPathsProblem(project)->advice,
              "Click 'Output' on the 'Edit' menu and choose another file name for the Output "
              "E-Book EXE: building would replace the project file (" +
                  project.filePath + ").");
}

TEST_F(BuildChecksTest, OwnPageListedTwiceOnceIncludedPasses) {
    project.files.push_back(project.files[1]);
    project.files[1].excluded = 1;
    project.aboutPage = kSystemPageOwn;
    project.aboutFile = "page.htm";
    EXPECT_FALSE(OwnPageProblem(project, project.aboutPage, project.aboutFile, "About"));
    project.files[3].excluded = 1;
    const auto problem = OwnPageProblem(project, project.aboutPage, project.aboutFile, "About");
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->advice,
              "Click 'System Pages' on the 'Edit' menu. A dialog box will be displayed: On the "
              "About page, either select a file, or change to a different setting than 'My Own "
              "Page'. Or, alternatively, go the Files tab and remove the Excluded setting from "
              "page.htm.");
}

TEST_F(BuildChecksTest, CensusCountsOnlyIncludedFiles) {
    project.files[0].inContents = 1;
    project.files[1].inContents = 1;
    project.files[1].excluded = 1;
    const FileCensus census = TakeFileCensus(project);
    EXPECT_EQ(census.contentsCount, 1);
    EXPECT_EQ(census.indexCount, 1);
    EXPECT_FALSE(census.missingFile);
}

TEST(ErrorReportTest, ReportClosesTheDisplaysBeforeTheMessage) {
    struct Progress : BuildProgress {
        int ended = 0;
        void ReportStage(std::string_view, int) override {}
        void EndProgress() override { ++ended; }
    } progress;
    test::RecordingPrompter prompter;
    BuildUi ui{prompter, progress};
    ReportBuildError(ui, "Title.", "Advice.");
    EXPECT_EQ(progress.ended, 1);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0], "Error:\nTitle.\n\nHow you can fix this:\nAdvice.");
    EXPECT_EQ(SystemErrorReportText("T", "ctx", ENOENT, "S"),
              "T\n\nError Occurred During:ctx\n\nDetailed Error Information:No such file or "
              "directory\n\nPossible solution(s):\nS");
    EXPECT_EQ(SystemErrorReportText("T", "", ENOENT, "S").find("Occurred"), std::string::npos);
}

}  // namespace
}  // namespace nbx
