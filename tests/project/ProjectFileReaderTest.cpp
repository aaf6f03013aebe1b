#include "project/ProjectFileReader.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "LayoutBytes.h"
#include "platform/ProfileFile.h"
#include "project/CTamselDoc.h"
#include "project/InstalledExtensions.h"
#include "project/ProjectFileWriter.h"
#include "support/RecordingPrompter.h"
#include "support/TempDir.h"

namespace nbx {
namespace {

using test::LayoutBytes;

SourceFile FileEntry(std::string path, std::string title = "") {
    SourceFile f;
    f.path = std::move(path);
    f.title = std::move(title);
    return f;
}

Variable VariableEntry(std::string name, std::string value, std::int32_t kind = 0) {
    Variable v;
    v.name = std::move(name);
    v.value = std::move(value);
    v.kind = kind;
    return v;
}

int LayoutNumber(const std::string& version) {
    return version == "4.20" ? 420 : version == "4.00" ? 400 : version == "3.00" ? 300 : 201;
}

// A file as the given version wrote it. Numbers are distinct where the model allows it, so
// that two fields read in the wrong order cannot pass. The file list holds an HTML page and
// a picture in `folder`.
std::string OldLayout(const std::string& version, const std::string& folder) {
    const int v = LayoutNumber(version);
    LayoutBytes b;
    b.Str(version).Empty(1);
    b.Str("Old Book").Str("Old Author").Str("old@example.com").Str("http://old.example.com");
    b.Str("Old Press").Str("Copyright (C) 1999, Old Press");
    b.Zeros(3).Empty(1000 + 2);
    b.U32(2);
    for (const char* name : {"page.htm", "pic.gif"}) {
        b.Str(folder + "/" + name).Zeros(2);
        if (v >= 400)
            b.U32(1);
        if (v >= 300) {
            b.Str(std::string("Title of ") + name).Str("Description").Str("Keywords");
            b.Str("77777777").U32(1).U32(0).U32(1);
        }
    }
    b.Str("/out/book").Str(folder);
    if (v >= 420) {
        for (std::uint32_t n = 101; n <= 110; ++n)
            b.U32(n);
        b.U32(111).Str("Deutsch").Zeros(6);
    }
    if (v == 201)
        return b.bytes;
    if (v >= 400) {
        b.U32(1).Str("/ext/GONE.SO");
        b.U32(2);
        b.Str("First").Str("Shown to resellers").Str("<b>1</b>").U32(1).U32(0);
        b.Str("Second").Str("").Str("include/part.htm").U32(0).U32(4);
        b.U32(2).Str("about.htm").U32(1).Str("toc.htm").Zeros(1).Empty(1);
        b.U32(0).U32(1);
        b.Str("/out/rebrand").Str("Rebrand it").Str("Hello").Str("Bye");
        b.U32(0);
        for (std::uint32_t n = 201; n <= 211; ++n)
            b.U32(n);              // Back ... Print
        b.U32(0).U32(212).U32(3);  // reserved, About, position
    }
    b.Str("nick").Str(v == 300 ? "go.exe" : "##RUN('start')").Str("r1").Str("r2");
    b.Str(v == 300 ? " \t " : "##RUN('stop')");
    b.U32(0).U32(301).U32(800).U32(600).U32(static_cast<std::uint32_t>(-2));
    b.Str("Welcome").Str("/s/splash.bmp").Str("/s/book.ico");
    b.U32(static_cast<std::uint32_t>(-1)).Zeros(3).Empty(1);
    for (std::uint32_t n = 401; n <= 420; ++n)
        b.U32(n);
    return b.bytes;
}

class ProjectFileReaderTest : public ::testing::Test {
protected:
    // Loads bytes from a file named `name` in the temporary folder.
    ProjectLoadResult Load(const std::string& bytes, const std::string& name = "book.nxp") {
        path = dir.Write(name, bytes);
        return LoadProjectFile(path, project, prompter, NothingInstalled());
    }

    test::TempDir dir;
    std::string path;
    Project project;
    test::RecordingPrompter prompter;
};

TEST_F(ProjectFileReaderTest, HandWritten420LayoutReadsEveryField) {
    ASSERT_EQ(Load(OldLayout("4.20", "/s")).status, ProjectLoadStatus::Loaded);
    const Project& p = project;
    EXPECT_EQ(p.title, "Old Book");
    EXPECT_EQ(p.authorUrl, "http://old.example.com");
    EXPECT_EQ(p.copyright, "Copyright (C) 1999, Old Press");
    ASSERT_EQ(p.files.size(), 2u);
    EXPECT_EQ(p.files[0].path, "/s/page.htm");
    EXPECT_EQ(p.files[0].orderKey, "00001000");  // recomputed, the stored key is dropped
    EXPECT_EQ(p.files[1].orderKey, "");
    EXPECT_EQ(p.files[0].preprocess, 1);
    EXPECT_EQ(p.files[0].inContents, 1);
    EXPECT_EQ(p.files[0].searchable, 0);
    EXPECT_EQ(p.files[0].excluded, 1);
    EXPECT_EQ(p.files[1].title, "Title of pic.gif");
    EXPECT_EQ(p.outputExe, "/out/book");
    EXPECT_EQ(p.sourceFolder, "/s");
    EXPECT_TRUE(p.splashPercentageBar);  // stored 101: a switch word not 0 is on
    EXPECT_TRUE(p.nextPreviousLoop);     // stored 110: a switch word not 0 is on
    EXPECT_TRUE(p.exitButton);           // stored 111: a switch word not 0 is on
    EXPECT_EQ(p.language, "Deutsch");
    EXPECT_EQ(p.extensions, std::vector<std::string>{"/ext/GONE.SO"});
    ASSERT_EQ(p.variables.size(), 2u);
    EXPECT_EQ(p.variables[1].name, "Second");
    EXPECT_EQ(p.variables[1].kind, 4);
    EXPECT_EQ(p.variables[1].orderKey, "00001001");
    EXPECT_EQ(p.variables[1].value, dir.File("include/part.htm"));  // relative, resolved
    EXPECT_EQ(p.aboutPage, 2);
    EXPECT_EQ(p.contentsFile, "toc.htm");
    EXPECT_EQ(p.popupMenu, 0);
    EXPECT_EQ(p.buildRebrander, 1);
    EXPECT_EQ(p.rebranderEndMessage, "Bye");
    EXPECT_EQ(p.rebranderOption, 0);
    EXPECT_TRUE(p.toolbarButtons[kButtonBack]);   // stored 201: a switch word not 0 is on
    EXPECT_TRUE(p.toolbarButtons[kButtonPrint]);  // stored 211: a switch word not 0 is on
    EXPECT_TRUE(p.toolbarButtons[kButtonAbout]);  // stored 212: a switch word not 0 is on
    EXPECT_EQ(p.toolbarPosition, 3);
    EXPECT_EQ(p.affiliateNickname, "nick");
    EXPECT_EQ(p.onStart, "##RUN('start')");
    EXPECT_EQ(p.onExit, "##RUN('stop')");
    EXPECT_TRUE(p.autoOpenLinksInNewWindow);  // stored 301: a switch word not 0 is on
    EXPECT_EQ(p.initialPosition, -2);
    EXPECT_EQ(p.iconFile, "/s/book.ico");
    EXPECT_EQ(p.installOption, -1);
    EXPECT_TRUE(p.searchShowMatch);  // stored 401: a switch word not 0 is on
    EXPECT_EQ(p.colors[kColourBackground], 403u);
    EXPECT_EQ(p.colors[kColourHoverLink], 408u);
    EXPECT_TRUE(p.contentsDescriptions);  // stored 409: a switch word not 0 is on
    EXPECT_TRUE(p.windowResizableCopyB);  // stored 412: a switch word not 0 is on
    EXPECT_TRUE(p.contentsPopupList);     // stored 420: a switch word not 0 is on
    // The selected extension is not installed: named, kept, and the open goes on.
    EXPECT_EQ(prompter.messages,
              std::vector<std::string>{
                  "The following extensions were selected when the project was created, but "
                  "are not available on this PC:\n\n/ext/GONE.SO\n\nPlease use 'Add-Ins' on the "
                  "'Edit' menu to select which extensions you wish to use."});
}

TEST_F(ProjectFileReaderTest, Version400LacksTheReaderWindowSwitches) {
    ASSERT_EQ(Load(OldLayout("4.00", "/s")).status, ProjectLoadStatus::Loaded);
    EXPECT_EQ(project.splashPercentageBar, 0);
    EXPECT_EQ(project.nextButton, 0);
    EXPECT_EQ(project.previousButton, 0);
    EXPECT_EQ(project.tooltipBalloon, 0);
    EXPECT_EQ(project.tooltipShowDestinations, 1);
    EXPECT_EQ(project.exitButton, 0);
    EXPECT_EQ(project.language, "English");
    EXPECT_EQ(project.variables.size(), 2u);
    EXPECT_EQ(project.files[0].preprocess, 1);
    EXPECT_TRUE(project.toolbarButtons[kButtonAbout]);  // stored 212: a switch word not 0 is on
    EXPECT_TRUE(project.contentsPopupList);             // stored 420: a switch word not 0 is on
}

TEST_F(ProjectFileReaderTest, Version300TurnsHandlersIntoRunCommands) {
    ASSERT_EQ(Load(OldLayout("3.00", "/s")).status, ProjectLoadStatus::Loaded);
    const Project defaults;
    EXPECT_EQ(project.onStart, "##RUN('go.exe')");
    EXPECT_EQ(project.onExit, "");  // only blanks
    EXPECT_EQ(project.files[0].preprocess, 0);
    EXPECT_EQ(project.files[0].title, "Title of page.htm");
    EXPECT_EQ(project.files[0].orderKey, "00001000");
    EXPECT_TRUE(project.extensions.empty());
    EXPECT_TRUE(project.variables.empty());
    EXPECT_EQ(project.aboutPage, 0);
    EXPECT_EQ(project.popupMenu, 1);
    EXPECT_EQ(project.rebranderStartMessage, defaults.rebranderStartMessage);
    EXPECT_EQ(project.toolbarButtons, defaults.toolbarButtons);
    EXPECT_EQ(project.affiliateNickname, "nick");
    EXPECT_EQ(project.initialWidth, 800);
    EXPECT_EQ(project.splashPercentageBar, 0);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(ProjectFileReaderTest, Version201CompletesFilesFromDisk) {
    ASSERT_TRUE(platform::WriteProfileString("QUORLIN.INI", "EBook", "NickName", "Fred"));
    dir.Write("src/page.htm", "<html><title> Old Page </title></html>");
    dir.Write("src/pic.gif", "GIF89a<title>not a page</title>");
    ASSERT_EQ(Load(OldLayout("2.01", dir.File("src"))).status, ProjectLoadStatus::Loaded);
    ASSERT_TRUE(platform::WriteProfileString("QUORLIN.INI", "EBook", "NickName", ""));

    ASSERT_EQ(project.files.size(), 2u);
    EXPECT_EQ(project.files[0].title, "Old Page");
    EXPECT_EQ(project.files[0].searchable, 1);
    EXPECT_EQ(project.files[0].inContents, 1);
    EXPECT_EQ(project.files[1].title, "");
    EXPECT_EQ(project.files[1].searchable, 0);
    EXPECT_EQ(project.files[1].inContents, 0);
    EXPECT_EQ(project.affiliateNickname, "Fred");
    EXPECT_EQ(project.initialWidth, -3);
    EXPECT_EQ(project.tooltipBalloon, 0);
    EXPECT_EQ(project.onStart, "");
}

TEST_F(ProjectFileReaderTest, ImportLayoutScansItsSourceFolder) {
    dir.Write("book/source/index.htm", "<title>Start</title>");
    dir.Write("book/source/pic.gif", "GIF89a");
    LayoutBytes b;
    b.Str("IDT-4.00").Empty(1).Str("Quick Book").Str("Quick Press").Str("(C) Quick");
    b.Str("Quick Author").Str("q@example.com").Str("http://quick.example.com");
    b.Str("source").Str("output/book");
    b.U32(0).U32(1).U32(0).U32(1).U32(2);
    b.Str("splash/splash.bmp");
    b.Raw("anything after the last field is ignored");
    const std::string file = dir.Write("book/quick.nxp", b.bytes);

    CTamselDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(file, prompter));
    const Project& p = doc.project();
    EXPECT_EQ(p.title, "Quick Book");
    EXPECT_EQ(p.publisher, "Quick Press");
    EXPECT_EQ(p.author, "Quick Author");
    EXPECT_EQ(p.sourceFolder, dir.File("book/source"));
    EXPECT_EQ(p.outputExe, dir.File("book/output/book"));
    EXPECT_EQ(p.splashBitmap, dir.File("book/splash/splash.bmp"));
    EXPECT_EQ(p.menuShown, 0);
    EXPECT_EQ(p.popupMenu, 1);
    EXPECT_EQ(p.statusBarInitially, 0);
    EXPECT_EQ(p.statusBarToggle, 0);
    EXPECT_EQ(p.toolbarInitially, 1);
    EXPECT_EQ(p.toolbarToggle, 1);
    EXPECT_EQ(p.toolbarPosition, 2);
    EXPECT_EQ(p.splashPercentageBar, 1);  // a new project's value
    ASSERT_EQ(p.files.size(), 2u);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(ProjectFileReaderTest, RelativePathsAreResolvedAgainstTheProjectFolder) {
    Project stored;
    stored.sourceFolder = "source";
    stored.outputExe = "../out/book";
    stored.rebranderExe = "/abs/rebrand";
    stored.splashBitmap = "./art/splash.bmp";
    stored.iconFile = "";
    stored.files = {FileEntry("source/a.htm")};
    stored.variables = {VariableEntry("T", "text"), VariableEntry("I", "inc/x.txt", 5)};
    ASSERT_EQ(Load(EncodeProjectFile(stored), "sub/book.nxp").status, ProjectLoadStatus::Loaded);
    EXPECT_EQ(project.sourceFolder, dir.File("sub/source"));
    EXPECT_EQ(project.outputExe, dir.File("out/book"));
    EXPECT_EQ(project.rebranderExe, "/abs/rebrand");
    EXPECT_EQ(project.splashBitmap, dir.File("sub/art/splash.bmp"));
    EXPECT_EQ(project.iconFile, "");
    EXPECT_EQ(project.files[0].path, dir.File("sub/source/a.htm"));
    EXPECT_EQ(project.variables[0].value, "text");
    EXPECT_EQ(project.variables[1].value, dir.File("sub/inc/x.txt"));
}

TEST(RefusedNameTest, WebPagesProgramsAndOfficeFiles) {
    const struct {
        const char* path;
        const char* startsWith;  // null: accepted
    } cases[] = {
        {"/books/Book.HTM", "You can not load HTML files"},
        {"/books/page.html", "You can not load HTML files"},
        {".exe", "You can not load EXE files"},
        {"/books/letter.Doc", "You can not load DOC (Word) files"},
        {"/books/slides.ppt", "You can not load PPT (PowerPoint) files"},
        {"/books/book.nxp", nullptr},
        {"/books/htm", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        const auto messages = RefusedNameMessages(c.path);
        if (!c.startsWith) {
            EXPECT_TRUE(messages.empty()) << c.path;
            continue;
        }
        ASSERT_EQ(messages.size(), 1u) << c.path;
        EXPECT_EQ(messages[0].rfind(c.startsWith, 0), 0u) << c.path;
    }
}

class RejectedFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A project is open and modified when the bad file is opened.
        doc.project().title = "Work in progress";
        doc.SetModifiedFlag();
    }
    void ExpectFreshDefaultProject() {
        EXPECT_EQ(doc.project(), Project());
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(doc.title(), "Untitled");
        ASSERT_FALSE(prompter.messages.empty());
        EXPECT_EQ(prompter.messages.back(), "Unexpected file format.");
    }
    test::TempDir dir;
    CTamselDoc doc;
    test::RecordingPrompter prompter;
};

TEST_F(RejectedFileTest, RefusedNameIsNotRead) {
    // The file does not even exist: refusing it by name comes before opening it.
    EXPECT_FALSE(doc.OnOpenDocument(dir.File("Book.HTM"), prompter));
    ExpectFreshDefaultProject();
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[0].rfind("You can not load HTML files", 0), 0u);
}

TEST_F(RejectedFileTest, UnknownVersionNamesIt) {
    const std::string file = dir.Write("new.nxp", LayoutBytes().Str("5.00").Empty(2000).bytes);
    EXPECT_FALSE(doc.OnOpenDocument(file, prompter));
    ExpectFreshDefaultProject();
    EXPECT_EQ(prompter.messages,
              (std::vector<std::string>{
                  "Can't read file: Incorrect version information.\n\nThis file is designed for "
                  "use with Nimbrel E-Book Compiler version 5.00 or later.",
                  "Unexpected file format."}));
}

// Any file opened as a project names its first string as the version: escapes in it, line
// breaks that would fake a second message and direction overrides are shown, not obeyed.
TEST_F(RejectedFileTest, UnknownVersionIsShownWithItsControlsVisible) {
    const std::string file = dir.Write(
        "odd.nxp", LayoutBytes().Str("\x1b]0;owned\x07\n\nOK\xe2\x80\xae").Empty(2000).bytes);
    EXPECT_FALSE(doc.OnOpenDocument(file, prompter));
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[0],
              "Can't read file: Incorrect version information.\n\nThis file is designed for use "
              "with Nimbrel E-Book Compiler version \\x1b]0;owned\\x07\\n\\nOK\\u202e or later.");
}

TEST_F(RejectedFileTest, DamagedFilesFailTheSameWay) {
    const std::string good = EncodeProjectFile(Project());
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"cut in the middle", good.substr(0, good.size() / 2)},
        {"last byte missing", good.substr(0, good.size() - 1)},
        {"40 bytes claiming 2,000,000,000 files",
         LayoutBytes().Str("4.20").U32(2000000000).Empty(31).bytes},
        {"4 GB title",
         LayoutBytes().Str("4.20").Empty(1).Byte(0xFF).U16(0xFFFF).U32(0xFFFFFFFF).Empty(20).bytes},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        prompter.messages.clear();
        doc.project().title = "Work in progress";
        EXPECT_FALSE(doc.OnOpenDocument(dir.Write("bad.nxp", c.bytes), prompter));
        ExpectFreshDefaultProject();
        EXPECT_EQ(prompter.messages.size(), 1u);
    }
}

TEST_F(RejectedFileTest, UnreadableFileKeepsTheOpenProject) {
    EXPECT_FALSE(doc.OnOpenDocument(dir.File("missing.nxp"), prompter));
    EXPECT_EQ(doc.project().title, "Work in progress");
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].rfind("Failed to open document.", 0), 0u);
}

// What cannot be read as a project file is refused before a byte is read, with the system's
// reason, and the open project stays: a file far larger than any project (sparse here, so
// the test writes nothing), a named pipe, a folder.
TEST_F(RejectedFileTest, FilesThatAreNoProjectAreRefusedUnread) {
    const std::string huge = dir.Write("huge.nxp", "");
    ASSERT_EQ(::truncate(huge.c_str(), 3LL << 30), 0);
    const std::string pipe = dir.File("pipe.nxp");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const struct {
        std::string path;
        const char* reason;
    } cases[] = {
        {huge, "File too large"},
        {pipe, "Invalid argument"},
        {dir.path() + "/", "Is a directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        prompter.messages.clear();
        EXPECT_FALSE(doc.OnOpenDocument(c.path, prompter));
        EXPECT_EQ(doc.project().title, "Work in progress");
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0], "Failed to open document.\n\n" + c.path + "\n" + c.reason);
    }
}

TEST(ProjectDecodeTest, EveryTruncationOfAFileIsMalformed) {
    Project full;
    full.files = {FileEntry("/s/a.htm", "A")};
    full.variables = {VariableEntry("V", "x")};
    full.extensions = {"/ext/A.SO"};
    const std::string bytes = EncodeProjectFile(full);
    const Project defaults;
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        ProjectSettings p = defaults;
        ASSERT_EQ(DecodeProjectFile(std::string_view(bytes).substr(0, n), p).status,
                  ProjectDecodeStatus::Malformed)
            << n;
    }
}

TEST(MissingExtensionsTest, OnlyThoseNotInstalledAreListed) {
    class OneInstalled final : public InstalledExtensions {
    public:
        bool IsInstalled(std::string_view path) const override { return path == "/ext/B.SO"; }
    };
    Project p;
    p.extensions = {"/ext/A.SO", "/ext/B.SO", "/ext/C.SO"};
    EXPECT_EQ(FindMissingExtensions(p, OneInstalled()), "/ext/A.SO\n/ext/C.SO\n");
    EXPECT_EQ(FindMissingExtensions(Project(), NothingInstalled()), "");
}

}  // namespace
}  // namespace nbx
