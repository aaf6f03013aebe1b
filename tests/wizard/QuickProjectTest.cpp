#include "wizard/core/QuickProject.h"

#include <filesystem>
#include <functional>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "WizardFixture.h"
#include "common/CommandLine.h"
#include "platform/Paths.h"
#include "platform/ProfileFile.h"
#include "wizard/core/InstructionsPage.h"
#include "wizard/core/ProjectType.h"

namespace nbx::wizard {
namespace {

using platform::FileExists;
using platform::FolderExists;
using ::testing::ElementsAre;

std::string Setting(const char* key) {
    return platform::ReadProfileString("nbxconfig.ini", "NBXKWIK", key, "<missing>");
}

class QuickProjectTest : public WizardFixture {
protected:
    QuickProjectRequest Request(const std::string& name = "My Book 2",
                                const char* type = "Microsoft Word 97") {
        return {name, work, FindProjectType(type)};
    }
    WizardAnswers Answers(int instructions, int launch) {
        WizardAnswers a;
        a.book.title = "Title";
        a.book.copyright = "(C)";
        a.book.author = "Ann";
        a.instructions = instructions;
        a.launch = launch;
        return a;
    }
};

TEST_F(QuickProjectTest, TheCreationTestRemembersTheFolderAndLeavesNoProjectFolder) {
    QuickProjectRequest request = Request();
    request.folder = work + "/new/level";
    EXPECT_FALSE(PrepareProjectFolder(request, prompter));
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(prompter.busyCount, 1);
    EXPECT_EQ(prompter.busyDepth, 0);
    EXPECT_TRUE(FolderExists(work + "/new/level"));
    EXPECT_FALSE(FolderExists(work + "/new/level/My Book 2"));
    EXPECT_EQ(Setting("FOLDER"), work + "/new/level");
}

// ".." in the working folder is resolved in the text, as the system resolves it everywhere
// else: no folder is made on the way for a name that the path then leaves again.
TEST_F(QuickProjectTest, DotDotInTheFolderMakesNoStrayFolder) {
    QuickProjectRequest request = Request();
    request.folder = work + "/stray/../books";
    EXPECT_FALSE(PrepareProjectFolder(request, prompter));
    ASSERT_TRUE(MakeQuickProject(request, Answers(0, 0), dir.File("program/nbxkwik"), prompter));
    EXPECT_TRUE(FileExists(work + "/books/My Book 2/mybook2.nxp"));
    EXPECT_FALSE(FolderExists(work + "/stray"));
    EXPECT_THAT(prompter.messages,
                ElementsAre("The project was created successfully, and can be found in the " +
                            work + "/books/My Book 2 folder."));
}

TEST_F(QuickProjectTest, ARefusedFolderIsNotRemembered) {
    dir.Write("work/file", "x");
    const std::pair<QuickProjectRequest, std::pair<std::string, QuickProjectField>> cases[] = {
        {{"my-book", work, 0},
         {"Project Name must contain letters, digits, underscores and spaces only.",
          QuickProjectField::Name}},
        {{"Book", "//server/share", 0}, {"Invalid Folder Name.", QuickProjectField::Folder}},
        {{"Book", work + "\n[EXTENSION1]\nLOAD=/tmp/x.so", 0},
         {"The Folder must be on one line: it can't hold a line break or a NUL character.",
          QuickProjectField::Folder}},
        {{"Book", work + "/file", 0},
         {"Could not create folder " + work + "/file/Book", QuickProjectField::Folder}},
    };
    for (const auto& [request, expected] : cases) {
        prompter.messages.clear();
        EXPECT_EQ(PrepareProjectFolder(request, prompter), expected.second) << request.folder;
        EXPECT_THAT(prompter.messages, ElementsAre(expected.first));
    }
    EXPECT_EQ(Setting("FOLDER"), "<missing>");
}

TEST_F(QuickProjectTest, NeitherInstructionsNorLaunchEndsWithTheSuccessMessage) {
    ASSERT_TRUE(MakeQuickProject(Request(), Answers(0, 0), executable, prompter));
    const std::string p = work + "/My Book 2";
    EXPECT_THAT(prompter.messages,
                ElementsAre("The project was created successfully, and can be found in the " + p +
                            " folder."));
    EXPECT_EQ(prompter.icons.back(), MessageIcon::Information);
    EXPECT_TRUE(FileExists(p + "/mybook2.nxp"));
    EXPECT_TRUE(FolderExists(p + "/source"));
    EXPECT_TRUE(FolderExists(p + "/output"));
    EXPECT_FALSE(FolderExists(p + "/include"));
    EXPECT_FALSE(FileExists(p + "/readme.htm"));
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(Setting("PROJECTTYPE"), "Microsoft Word 97");
}

TEST_F(QuickProjectTest, InstructionsAloneAreWrittenAndOpenedWithoutTheSuccessMessage) {
    const QuickProjectRequest request = Request("Web Book", "Other authoring software");
    WizardAnswers answers = Answers(1, 0);
    answers.splash = 2;
    ASSERT_TRUE(MakeQuickProject(request, answers, executable, prompter));
    const std::string p = work + "/Web Book";
    EXPECT_TRUE(prompter.messages.empty()) << prompter.messages.front();
    EXPECT_THAT(opened, ElementsAre(p + "/readme.htm"));
    const ProjectPaths paths = MakeProjectPaths(work, "Web Book", true);
    EXPECT_EQ(test::ReadWholeFile(p + "/readme.htm"),
              ComposeInstructions({"Web Book", ProjectTypes()[5], paths, 2, false}));
    EXPECT_TRUE(FolderExists(p + "/include"));
    EXPECT_EQ(test::ReadWholeFile(p + "/splash/mysplash.bmp"), "BM colour");
}

TEST_F(QuickProjectTest, TheCompilerGetsTheProjectPathAsOneArgument) {
    EXPECT_EQ(CompilerCommandLine(programDir, work + "/My Book 2/mybook2.nxp"),
              "\"" + programDir + "/tamsel\" \"" + work + "/My Book 2/mybook2.nxp\"");
    EXPECT_EQ(CompilerCommandLine("/usr/lib/nimbrel", "/b/x.nxp"),
              "/usr/lib/nimbrel/tamsel \"/b/x.nxp\"");
    EXPECT_THAT(SplitCommandLine(CompilerCommandLine(programDir, work + "/My Book 2/mybook2.nxp")),
                ElementsAre(programDir + "/tamsel", work + "/My Book 2/mybook2.nxp"));

    ASSERT_TRUE(MakeQuickProject(Request(), Answers(0, 1), executable, prompter));
    EXPECT_THAT(CompilerArguments(), ElementsAre(work + "/My Book 2/mybook2.nxp"));
    // Started maximised, as the compiler takes it from its environment.
    EXPECT_EQ(test::ReadWholeFile(programDir + "/shown"), "1");
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_FALSE(FileExists(work + "/My Book 2/readme.htm"));
}

TEST_F(QuickProjectTest, ACompilerThatDoesNotStartIsReportedAndTheProjectStands) {
    std::filesystem::remove(programDir + "/tamsel");
    ASSERT_TRUE(MakeQuickProject(Request(), Answers(0, 1), executable, prompter));
    EXPECT_THAT(prompter.messages,
                ElementsAre("Can't start " +
                            CompilerCommandLine(programDir, work + "/My Book 2/mybook2.nxp") +
                            ", as the file was not found."));
    EXPECT_EQ(Setting("PROJECTTYPE"), "Microsoft Word 97");
}

TEST_F(QuickProjectTest, EachFailureStopsWithItsMessageAndKeepsWhatWasMade) {
    const std::string p = work + "/My Book 2";
    struct Case {
        const char* what;
        std::function<void(QuickProjectRequest&, WizardAnswers&, std::string&)> setUp;
        std::string message;
    };
    const Case cases[] = {
        {"no program folder",
         [](QuickProjectRequest&, WizardAnswers&, std::string& exe) { exe = "nbxkwik"; },
         "Program directory can't be found."},
        {"folders",
         [this](QuickProjectRequest& r, WizardAnswers&, std::string&) {
             r.folder = dir.Write("work/a-file", "x");
         },
         "Folders could not be created for the project."},
        {"splash",
         [this](QuickProjectRequest&, WizardAnswers& a, std::string&) {
             a.splash = 3;
             dir.Write("work/My Book 2/splash/mysplash.bmp", "mine");
         },
         "Splash File could not be copied."},
        {"project file",
         [p](QuickProjectRequest&, WizardAnswers&, std::string&) {
             std::filesystem::create_directories(p + "/mybook2.nxp");
         },
         "Could not write to " + p + "/mybook2.nxp"},
        {"instructions",
         [p](QuickProjectRequest&, WizardAnswers& a, std::string&) {
             a.instructions = 1;
             std::filesystem::create_directories(p + "/readme.htm");
         },
         "The instructions file could not be written to your disk."},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(work);
        std::filesystem::create_directories(work);
        prompter.messages.clear();
        QuickProjectRequest request = Request();
        WizardAnswers answers = Answers(0, 0);
        std::string exe = executable;
        c.setUp(request, answers, exe);
        EXPECT_FALSE(MakeQuickProject(request, answers, exe, prompter)) << c.what;
        EXPECT_THAT(prompter.messages, ElementsAre(c.message)) << c.what;
        EXPECT_EQ(Setting("PROJECTTYPE"), "<missing>") << c.what;
    }
    // The instructions failed last: the project file written before it stays.
    EXPECT_TRUE(FileExists(p + "/mybook2.nxp"));
    EXPECT_TRUE(opened.empty());
}

}  // namespace
}  // namespace nbx::wizard
