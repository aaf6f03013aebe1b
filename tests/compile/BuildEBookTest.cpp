#include "compile/BuildEBook.h"

#include <sys/stat.h>

#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/TextToHtml.h"
#include "compile/BuildCommand.h"
#include "compile/BuildEBookFixture.h"
#include "compile/BuildSession.h"
#include "compile/EntryPreparer.h"
#include "compile/RebranderBuild.h"
#include "extensions/ExtensionLoader.h"
#include "format/ArchiveReader.h"
#include "format/RebranderReader.h"
#include "platform/Paths.h"
#include "project/DisplayNames.h"

namespace nbx {
namespace {

using test::ReadWholeFile;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace fs = std::filesystem;

TEST_F(BuildEBookTest, IncludedFilesComeBackIdentical) {
    ASSERT_TRUE(Build()) << OnlyMessage();
    EXPECT_TRUE(prompter.messages.empty());

    ArchiveReader reader;
    ASSERT_TRUE(reader.Open(project.outputExe)) << reader.error();
    std::vector<std::string> names;
    for (const auto& e : reader.directory())
        names.push_back(e.name);
    EXPECT_THAT(names, ElementsAre("__lang.lng", "__tool.tb", "index.html", "page.htm", "pic.gif",
                                   "__search.idx"));
    for (std::size_t i = 2; i < 5; ++i) {
        std::string bytes;
        ASSERT_TRUE(reader.ReadEntry(i, bytes));
        EXPECT_EQ(bytes, ReadWholeFile(dir.File("src/" + names[i]))) << names[i];
    }
    std::string language;
    ASSERT_TRUE(reader.ReadEntry(0, language));
    EXPECT_EQ(language, ReadWholeFile(compiler + "/English.lng"));
    EXPECT_EQ(reader.directory()[2].orderKey, "00001000");
    EXPECT_EQ(reader.directory()[2].title, "index.html");
    EXPECT_EQ(reader.settings().title, "Test Book");
    EXPECT_EQ(reader.settings().entryCount, 6);
    EXPECT_EQ(reader.trailer().buildTime, 1700000000u);
    EXPECT_FALSE(reader.hasSplash());
    ASSERT_EQ(reader.variables().size(), 2u);
    EXPECT_EQ(reader.variables()[0], (ArchiveVariable{"Reseller", "Your name", "Ann & Bob", 1, 0}));
    std::string footer = "a < b\nline two";
    ConvertTextToHtml(footer);
    EXPECT_EQ(reader.variables()[1].value, footer);

    struct stat st {};
    ASSERT_EQ(::stat(project.outputExe.c_str(), &st), 0);
    EXPECT_TRUE(st.st_mode & S_IXUSR);
    EXPECT_EQ(progress.ended, 1);
}

TEST_F(BuildEBookTest, PackingAheadGivesTheSameBytes) {
    // Enough files, of sizes on both sides of the packing and read-ahead limits, to keep the
    // workers busy ahead of the writer.
    for (int i = 0; i < 40; ++i) {
        SourceFile f;
        const std::size_t size = i == 7 ? EntryPreparer::kPieceSize * 3 + 100 : 20 + i * 997;
        std::string data(size, 'a');
        for (std::size_t j = 0; j < size; j += 7)
            data[j] = static_cast<char>('a' + (j * i) % 26);
        f.path = dir.Write("src/more" + std::to_string(i) + ".htm", data);
        project.files.push_back(f);
    }
    env.packingWorkers = 0;
    ASSERT_TRUE(Build());
    const std::string alone = ReadWholeFile(project.outputExe);
    env.packingWorkers = 3;
    ASSERT_TRUE(Build());
    EXPECT_TRUE(ReadWholeFile(project.outputExe) == alone);
}

TEST_F(BuildEBookTest, SplashImageIsCarried) {
    project.splashBitmap = compiler + "/splash16.bmp";
    ASSERT_TRUE(Build());
    ArchiveReader reader;
    ASSERT_TRUE(reader.Open(project.outputExe));
    std::string splash;
    ASSERT_TRUE(reader.ReadSplash(splash));
    EXPECT_EQ(splash, ReadWholeFile(project.splashBitmap));
}

TEST_F(BuildEBookTest, RebranderPairsWithTheEBook) {
    project.buildRebrander = 1;
    project.rebranderExe = dir.File("out/rebrand.exe");
    ASSERT_TRUE(BuildWithRebrander(project, ui, env)) << OnlyMessage();

    ArchiveReader book;
    ASSERT_TRUE(book.Open(project.outputExe));
    FileInput input;
    ASSERT_TRUE(input.Open(project.rebranderExe));
    RebranderTrailer trailer;
    RebranderRecord record;
    std::string error;
    ASSERT_TRUE(ReadRebranderFile(input, trailer, record, error)) << error;
    EXPECT_EQ(trailer.buildTime, book.trailer().buildTime);
    EXPECT_EQ(trailer.recordOffset, 12345);
    EXPECT_EQ(record.ebookFileName, "book.exe");
    EXPECT_EQ(record.rebranderTitle, "Rebrand Test Book");
    EXPECT_EQ(ReadWholeFile(project.rebranderExe).substr(0, 12345), std::string(12345, 'R'));
}

TEST_F(BuildEBookTest, RunTimeExtensionsAreEmbeddedUnderTheirFileName) {
    const std::string library = std::string(NBX_SAMPLE_EXTENSION_DIR) + "/libnbxext_runtime.so";
    const std::string design = std::string(NBX_SAMPLE_EXTENSION_DIR) + "/libnbxext_design.so";
    ASSERT_TRUE(LoadExtension(registry, library, prompter, nullptr));
    ASSERT_TRUE(LoadExtension(registry, design, prompter, nullptr));
    project.extensions = {library, design};
    ASSERT_TRUE(Build()) << OnlyMessage();
    ArchiveReader reader;
    ASSERT_TRUE(reader.Open(project.outputExe));
    const long at = reader.FindEntry("__nxa__libnbxext_runtime.so");
    ASSERT_GE(at, 0);
    EXPECT_EQ(reader.FindEntry("__nxa__libnbxext_design.so"), -1);
    std::string bytes;
    ASSERT_TRUE(reader.ReadEntry(static_cast<std::size_t>(at), bytes));
    EXPECT_EQ(bytes, ReadWholeFile(library));
    EXPECT_EQ(reader.settings().entryCount, 7);
}

TEST_F(BuildEBookTest, LinkingPercentagesFollowTheFileCount) {
    project.files.clear();
    for (int i = 0; i < 10; ++i) {
        SourceFile f;
        f.path = dir.Write(
            "ten/" + (i == 0 ? std::string("index.htm") : "p" + std::to_string(i) + ".htm"), "x");
        f.excluded = i == 3 ? 1 : 0;
        project.files.push_back(f);
    }
    ASSERT_TRUE(Build()) << OnlyMessage();
    EXPECT_THAT(
        progress.stages,
        ElementsAre("Creating E-Book EXE 1", "Checking files 5", "Preparing contents 10",
                    "Linking contents 20", "Linking contents 25", "Linking contents 30",
                    "Linking contents 35", "Linking contents 40", "Linking contents 50",
                    "Linking contents 55", "Linking contents 60", "Linking contents 65",
                    "Linking contents 70", "Linking contents 75", "Preparing Nimbrel Variables 85",
                    "Customizing Icon 90", "Building Output 95"));
}

TEST_F(BuildEBookTest, EachStopHasItsTitle) {
    using Change = std::function<void(BuildEBookTest&)>;
    const std::pair<Change, std::string> cases[] = {
        {[](BuildEBookTest& t) { t.project.language = "Klingon"; },
         "The language file is corrupt, missing, or intended for use with a different version "
         "of Nimbrel E-Book Compiler."},
        {[](BuildEBookTest& t) { t.project.outputExe.clear(); }, "No Output E-Book EXE selected."},
        {[](BuildEBookTest& t) { t.project.outputExe = t.dir.File("no/such/folder/b.exe"); },
         "Unable to write to Output E-Book EXE: No such file or directory"},
        {[](BuildEBookTest& t) { t.project.windowResizable = 0; },
         "Inconsistent user interface settings."},
        {[](BuildEBookTest& t) { t.project.files[0].excluded = 1; },
         "No index page or index page excluded."},
        {[](BuildEBookTest& t) { t.project.splashBitmap = t.dir.File("gone.bmp"); },
         "Missing Splash File."},
        {[](BuildEBookTest& t) { t.project.extensions = {"/gone/libx.so"}; },
         "This project contains references to Extensions which are not installed on this PC."},
        {[](BuildEBookTest& t) { fs::remove(t.compiler + "/toolbar.tb"); },
         "Error writing toolbar data to temporary binary file. Out of disk space?"},
        {[](BuildEBookTest& t) { t.project.variables[0].name = "title"; },
         "The Nimbrel Variable 'title' is invalid. You can not call your variable 'title' as "
         "this variable name is used for a predefined system variable."},
        {[](BuildEBookTest& t) { t.project.variables[0].description.clear(); },
         "The Nimbrel Variable 'Reseller' has been set to be rebrandable but has no description."},
        {[](BuildEBookTest& t) { fs::remove(t.project.variables[1].value); },
         "The Nimbrel Variable called 'Footer' includes a file which does not exist or could not "
         "be read."},
        {[](BuildEBookTest& t) {
             t.project.outputExe = t.dir.File("out/book");  // a Linux book
             fs::remove(t.compiler + "/eview.dat");
         },
         "Error copying temporary file."},
        {[](BuildEBookTest& t) { fs::remove(t.compiler + "/eview.exe.dat"); },
         "This compiler can't build Windows programs"},
        {[](BuildEBookTest& t) { t.project.iconFile = t.dir.Write("bad.ico", "short"); },
         "Bad custom icon."},
    };
    for (const auto& [change, title] : cases) {
        BuildEBookTest& self = *this;
        const Project saved = project;
        prompter.messages.clear();
        change(self);
        EXPECT_FALSE(Build()) << title;
        ASSERT_EQ(prompter.messages.size(), 1u) << title;
        EXPECT_THAT(prompter.messages[0], HasSubstr(title));
        project = saved;
        fs::copy_file(std::string(NBX_PROGRAM_DIR) + "/toolbar.tb", compiler + "/toolbar.tb",
                      fs::copy_options::skip_existing);
        for (const char* stub : {"/eview.dat", "/eview.exe.dat"}) {
            fs::copy_file(std::string(NBX_PROGRAM_DIR) + stub, compiler + stub,
                          fs::copy_options::skip_existing);
        }
        dir.Write("footer.txt", "a < b\nline two");
    }
}

TEST_F(BuildEBookTest, AStoppedBuildKeepsThePreviousEBookAndNoWorkingFiles) {
    ::setenv("TMPDIR", dir.File("tmp").c_str(), 1);
    fs::create_directories(dir.File("tmp"));
    dir.Write("out/book.exe", "the author's previous e-book");
    project.files[0].excluded = 1;  // stops at the index check, after the output was claimed
    EXPECT_FALSE(Build());
    EXPECT_EQ(ReadWholeFile(project.outputExe), "the author's previous e-book");

    fs::remove(compiler + "/toolbar.tb");  // stops while linking
    project.files[0].excluded = 0;
    EXPECT_FALSE(Build());
    EXPECT_EQ(ReadWholeFile(project.outputExe), "the author's previous e-book");

    project.outputExe = dir.File("out/new.exe");
    EXPECT_FALSE(Build());
    EXPECT_FALSE(fs::exists(project.outputExe));  // nothing left where nothing was
    EXPECT_TRUE(fs::is_empty(dir.File("tmp")));
    EXPECT_EQ(fs::directory_iterator(dir.File("out"))->path().filename(), "book.exe");
    ::unsetenv("TMPDIR");
}

TEST_F(BuildEBookTest, ContentsPopupQuestionAndItsRememberedAnswer) {
    BuildSession session;
    ui.session = &session;
    for (int i = 0; i < 21; ++i) {
        SourceFile f;
        f.path = dir.Write("src/toc" + std::to_string(i) + ".htm", "x");
        f.inContents = 1;
        project.files.push_back(f);
    }
    EXPECT_TRUE(Build(1, true));  // a series never asks; off when never asked
    EXPECT_TRUE(prompter.questions.empty());

    prompter.answers = {Answer::Cancel};
    EXPECT_FALSE(Build());
    EXPECT_TRUE(prompter.messages.empty());  // Cancel stops without a message
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0].buttons, Buttons::YesNoCancel);

    prompter.answers = {Answer::No};
    ASSERT_TRUE(Build());
    ArchiveReader reader;
    ASSERT_TRUE(reader.Open(project.outputExe));
    EXPECT_EQ(reader.settings().contentsPopupList, 1);
    EXPECT_EQ(project.contentsPopupList, 1);
    ASSERT_TRUE(Build(2, true));  // the series uses the answer: keep the list
    ASSERT_TRUE(reader.Open(project.outputExe));
    EXPECT_EQ(reader.settings().contentsPopupList, 1);

    BuildSession another;  // another open project has not been asked
    ui.session = &another;
    ASSERT_TRUE(Build(3, true));
    ASSERT_TRUE(reader.Open(project.outputExe));
    EXPECT_EQ(reader.settings().contentsPopupList, 0);
    ui.session = &session;

    project.files.resize(project.files.size() - 1);  // 20 pages: no question
    ASSERT_TRUE(Build());
    EXPECT_EQ(prompter.questions.size(), 2u);
}

TEST_F(BuildEBookTest, RebranderFailuresRemoveTheStaleRebrander) {
    project.buildRebrander = 1;
    project.rebranderExe = dir.Write("out/rebrand", "an older rebrander");  // a Linux one
    fs::remove(compiler + "/rebrand.dat");
    EXPECT_FALSE(BuildRebrander(project, ui, 5, compiler));
    EXPECT_THAT(OnlyMessage(), HasSubstr("Error copying Rebrander binary file."));
    EXPECT_FALSE(fs::exists(project.rebranderExe));

    prompter.messages.clear();
    project.outputExe = "book.exe";
    EXPECT_FALSE(BuildRebrander(project, ui, 5, compiler));
    EXPECT_THAT(OnlyMessage(), HasSubstr("Can't find Output E-Book EXE Path."));
}

// A missing output folder is named in the message, for the window and the console alike.
TEST_F(BuildEBookTest, AMissingOutputFolderIsNamed) {
    project.outputExe = dir.File("no/such/folder/b.exe");
    EXPECT_FALSE(Build());
    EXPECT_THAT(OnlyMessage(), HasSubstr("\n\nThe folder " + dir.File("no/such/folder") +
                                         " does not exist. Create it, or choose an output file "
                                         "in a folder that does."));
}

// A person who stops a build (the window's Cancel) stops it at the next stage, silently; the
// previous e-book stays.
TEST_F(BuildEBookTest, AStopEndsTheBuildAtTheNextStage) {
    class StoppingProgress final : public BuildProgress {
    public:
        void ReportStage(std::string_view text, int) override {
            stopped = stopped || text == "Linking contents";
        }
        void EndProgress() override {}
        bool CancelRequested() const override { return stopped; }
        bool stopped = false;
    } stopping;
    const std::string old = dir.Write("out/book.exe", "the previous book");
    BuildUi stoppable{prompter, stopping};
    EXPECT_FALSE(BuildEBook(project, stoppable, 1700000000, false, env));
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(test::ReadWholeFile(old), "the previous book");
}

TEST(BuiltOutputTest, SizesAsTheDialogShowsThem) {
    test::TempDir dir;
    const auto book = DescribeBuiltOutput(dir.Write("b.exe", std::string(1234, 'x')));
    EXPECT_TRUE(book.shown);
    EXPECT_EQ(book.sizeText, "1234 bytes");
    EXPECT_EQ(DescribeBuiltOutput(dir.File("gone.exe")).sizeText, "Error");
    EXPECT_FALSE(DescribeBuiltOutput("").shown);
}

}  // namespace
}  // namespace nbx
