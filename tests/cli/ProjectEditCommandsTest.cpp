// tamselc new, set, files and var: a book made and changed from the console alone, and every
// refused command leaving the project file as it was, byte for byte.

#include <unistd.h>

#include <filesystem>
#include <set>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "TamselcRunner.h"
#include "support/TempDir.h"

namespace nbx {
namespace {

using Json = nlohmann::json;

// A documentation tree: nested folders, two pages called index.html, hidden entries, a link
// that loops back up the tree.
void WriteTree(const test::TempDir& dir) {
    dir.Write("src/index.html", "<title>A Home</title><a href=\"library/index.html\">x</a>");
    dir.Write("src/library/index.html", "<title>B Library</title>");
    dir.Write("src/library/os.html", "<title>C os</title><img src=\"../_images/x.png\">");
    dir.Write("src/howto/index.html", "<title>D How to</title>");
    dir.Write("src/howto/untitled.html", "<p>no title</p>");
    dir.Write("src/_images/x.png", std::string("\x89PNG\0\1\2", 7));
    dir.Write("src/_static/css/basic.css", "p { margin: 0 }");
    dir.Write("src/.hidden.html", "<title>Hidden</title>");
    dir.Write("src/_static/.git/config", "x");
    EXPECT_EQ(::symlink("..", dir.File("src/library/loop").c_str()), 0);
}

class ProjectEditCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteTree(dir);
        project = dir.File("book.nxp");
        const Outcome made =
            Tamselc({"new", project, "--folder", dir.File("src"), "--title", "Docs", "--output",
                     dir.File("out/docs.exe"), "--sub-folders"});
        ASSERT_EQ(made.exitCode, 0) << made.err;
        std::filesystem::create_directories(dir.File("out"));
    }

    Json Show() const {
        const Outcome shown = Tamselc({"show", project});
        EXPECT_EQ(shown.exitCode, 0) << shown.err;
        return Json::parse(shown.out);
    }

    std::vector<std::string> FileNames() const {
        std::vector<std::string> names;
        const std::string base = dir.File("src/");
        const Json shown = Show();
        for (const auto& f : shown["files"]) {
            names.push_back(f["path"].get<std::string>().substr(base.size()));
        }
        return names;
    }

    // Runs a command that must be refused: its exact message, and the file untouched.
    void ExpectRefused(const std::vector<std::string>& args, const std::string& message) {
        const std::string before = test::ReadWholeFile(project);
        const Outcome run = Tamselc(args);
        EXPECT_EQ(run.exitCode, 1) << args[0] << " " << args.back();
        EXPECT_EQ(run.err, message) << args[0] << " " << args.back();
        EXPECT_EQ(test::ReadWholeFile(project), before) << args[0] << " " << args.back();
    }

    test::TempDir dir;
    std::string project;
};

TEST_F(ProjectEditCommandsTest, NewScansTheTreeWithTheDefaultsOfANewProject) {
    const Json j = Show();
    EXPECT_EQ(j["title"], "Docs");
    EXPECT_EQ(j["author"], "Your Name");
    EXPECT_EQ(j["includeSubFolders"], 1);
    EXPECT_EQ(j["outputExe"], dir.File("out/docs.exe"));
    EXPECT_EQ(j["sourceFolder"], dir.File("src"));
    // In the order of the links from the index page, the pages no link reaches after them by
    // name, the other files last.
    EXPECT_EQ(FileNames(),
              (std::vector<std::string>{"index.html", "library/index.html", "howto/index.html",
                                        "howto/untitled.html", "library/os.html", "_images/x.png",
                                        "_static/css/basic.css"}));
}

TEST_F(ProjectEditCommandsTest, NewRefusesBadInputAndNeverOverwrites) {
    ExpectRefused({"new", project, "--folder", dir.File("src")},
                  "tamselc new: " + project + " already exists. Nothing was written.\n");
    const std::string other = dir.File("other.nxp");
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"new", other, "--folder", dir.File("nowhere")},
         "tamselc new: the folder " + dir.File("nowhere") +
             " does not exist. Nothing was "
             "written.\n"},
        {{"new", other, "--folder", dir.File("src"), "--title", ""},
         "tamselc new: Your E-Book must have a Title. Nothing was written.\n"},
        {{"new", other, "--folder", dir.File("src"), "--author", ""},
         "tamselc new: You must have enter the Author's name. Nothing was written.\n"},
    };
    for (const auto& c : cases) {
        const Outcome run = Tamselc(c.args);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, c.message);
        EXPECT_FALSE(std::filesystem::exists(other));
    }
    EXPECT_EQ(Tamselc({"new", other}).exitCode, 2);
    EXPECT_EQ(Tamselc({"new", "--help"}).exitCode, 0);

    // Without --sub-folders: the top folder, and a word about what was left out.
    const Outcome flat = Tamselc({"new", other, "--folder", dir.File("src")});
    ASSERT_EQ(flat.exitCode, 0) << flat.err;
    EXPECT_EQ(flat.err,
              "6 files in sub-folders of the source folder were left out of the E-Book. To take "
              "them in, turn on \"Include sub-folders\" for this project and scan the folder "
              "again.\n\n");
}

TEST_F(ProjectEditCommandsTest, SetChangesSettingsByTheirShownNames) {
    const struct {
        std::vector<std::string> assignments;
        const char* name;
        Json expected;
    } cases[] = {
        {{"title=Other", "author=Ann"}, "author", "Ann"},
        {{"initialWidth=800", "initialHeight=600"}, "initialHeight", 600},
        {{"initialWidth=-1"}, "initialHeight", -1},  // a size code goes into both
        {{"windowResizable=0"}, "windowResizableCopyB", 0},
        {{"toolbarButtons=0,1,0,1,0,1,0,1,0,1,0,1"},
         "toolbarButtons",
         Json({0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1})},
        {{"colors=0xFF,1,2,3,4,0xCCFFFF"}, "colors", Json({255, 1, 2, 3, 4, 0xCCFFFF})},
        {{"splashBitmap=", "splashExtraDelay=300"}, "splashExtraDelay", 300},
        {{"buildRebrander=1", "rebranderExe=" + dir.File("out/rebrand.exe")},
         "rebranderTitle",
         "Rebrand Other"},
        {{"extensions=/a.so;/b.so"}, "extensions", Json({"/a.so", "/b.so"})},
        {{"includeSubFolders=0"}, "includeSubFolders", 0},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"set", project};
        args.insert(args.end(), c.assignments.begin(), c.assignments.end());
        const Outcome run = Tamselc(args);
        ASSERT_EQ(run.exitCode, 0) << c.name << ": " << run.err;
        EXPECT_EQ(Show()[c.name], c.expected) << c.name;
    }
}

// A value as set takes it back: lists joined by their separator.
std::string SetText(const Json& value) {
    if (value.is_string()) {
        return value.get<std::string>();
    }
    if (!value.is_array()) {
        return value.dump();
    }
    std::string text;
    for (const Json& item : value) {
        const bool path = item.is_string();
        text += (text.empty() ? "" : path ? ";" : ",") + SetText(item);
    }
    return text;
}

TEST_F(ProjectEditCommandsTest, EveryShownSettingSetToItsValueLeavesTheFileAsItWas) {
    // Away from the defaults first, through every settings dialog.
    const Outcome changed = Tamselc(
        {"set", project, "buildRebrander=1", "rebranderExe=" + dir.File("out/r.exe"),
         "initialWidth=800", "initialHeight=600", "initialPosition=-4", "splashExtraDelay=300",
         "affiliateNickname=nick", "extensions=/a.so;/b.so", "onStart=run me", "exitButton=1",
         "toolbarPosition=2", "toolbarButtons=0,1,0,1,0,1,0,1,0,1,0,1", "colors=1,2,3,4,5,6",
         "aboutPage=2", "aboutFile=index.html", "installOption=-1", "windowResizable=0"});
    ASSERT_EQ(changed.exitCode, 0) << changed.err;
    const Json shown = Show();
    const std::string before = test::ReadWholeFile(project);
    // files, variables, the copies of windowResizable and modified are refused; the rest is
    // taken and written back unchanged.
    const std::set<std::string> refused = {"files", "variables", "windowResizableCopyA",
                                           "windowResizableCopyB", "modified"};
    for (const auto& [name, value] : shown.items()) {
        const Outcome run = TamselcInProcess({"set", project, name + "=" + SetText(value)});
        EXPECT_EQ(run.exitCode, refused.count(name) != 0 ? 1 : 0) << name << ": " << run.err;
        EXPECT_EQ(test::ReadWholeFile(project), before) << name;
    }

    // The two stored copies follow windowResizable both ways.
    for (const int on : {1, 0}) {
        ASSERT_EQ(Tamselc({"set", project, "windowResizable=" + std::to_string(on)}).exitCode, 0);
        const Json j = Show();
        EXPECT_EQ(j["windowResizable"], on);
        EXPECT_EQ(j["windowResizableCopyA"], on);
        EXPECT_EQ(j["windowResizableCopyB"], on);
    }
}

TEST_F(ProjectEditCommandsTest, SetRefusesWithTheDialogsMessagesAndWritesNothing) {
    const std::string out = dir.File("out/docs.exe");
    const struct {
        std::vector<std::string> assignments;
        std::string message;
    } cases[] = {
        {{"title="}, "title: Your E-Book must have a Title."},
        {{"author=", "copyright="}, "copyright: You must have a Copyright message."},
        {{"initialWidth=99", "initialHeight=500"},
         "initialWidth: X size must be between 100 "
         "and 2000."},
        {{"initialWidth=500", "initialHeight=2001"},
         "initialHeight: Y size must be between "
         "100 and 2000."},
        {{"splashBitmap=" + dir.File("missing.bmp")},
         "splashBitmap: The splash bitmap file does not exist."},
        {{"outputExe="}, "outputExe: You have not set the Output E-Book EXE."},
        {{"buildRebrander=1"}, "rebranderExe: You have not set the Output Rebrander EXE."},
        {{"buildRebrander=1", "rebranderExe=" + dir.File("OUT/DOCS.EXE")},  // letter case aside
         "rebranderExe: The Output E-Book EXE and the Output Rebrander EXE must be set to "
         "different file names (but be in the same folder)."},
        {{"buildRebrander=1", "rebranderExe=" + out},
         "rebranderExe: The Output E-Book EXE and the Output Rebrander EXE must be set to "
         "different file names (but be in the same folder)."},
        {{"buildRebrander=1", "rebranderExe=" + dir.File("r.exe"), "rebranderEndMessage="},
         "rebranderExe: The Output E-Book EXE and the Output Rebrander EXE must be both in the "
         "same folder."},
        {{"buildRebrander=1", "rebranderExe=" + dir.File("out/r.exe"), "rebranderEndMessage="},
         "rebranderEndMessage: You have not set the Rebrander End Message."},
        {{"title=Fine", "menuShown=2"}, "menuShown must be 0 or 1."},
        {{"toolbarPosition=4"}, "toolbarPosition must be one of 0, 1, 2, 3."},
        {{"splashExtraDelay=150"}, "splashExtraDelay must be one of 0, 100 ... 9900."},
        {{"initialWidth=wide"}, "initialWidth must be a whole number."},
        {{"toolbarButtons=1,1"},
         "toolbarButtons must be 12 switches (0 or 1) separated by "
         "commas."},
        {{"colors=1,2,3,4,5,0x1000000"},
         "colors must be 6 colours (0xBBGGRR or decimal) "
         "separated by commas."},
        {{"colour=1"},
         "unknown setting 'colour' (the names are those that tamselc show "
         "prints)."},
        {{"title"}, "expected NAME=VALUE, not 'title'."},
        {{"files=x"}, "the file list is changed with tamselc scan and tamselc files."},
        {{"windowResizableCopyA=0"},
         "windowResizableCopyA always follows windowResizable; "
         "set that instead."},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"set", project};
        args.insert(args.end(), c.assignments.begin(), c.assignments.end());
        ExpectRefused(args, "tamselc set: " + c.message + " Nothing was written.\n");
    }
}

TEST_F(ProjectEditCommandsTest, FilesChangesAttributesAndOrderOnTheListsRules) {
    const auto run = [&](std::vector<std::string> options) {
        options.insert(options.begin(), {"files", project});
        const Outcome r = Tamselc(options);
        EXPECT_EQ(r.exitCode, 0) << r.err;
    };
    run({"--exclude", "_static/*", "--preprocess", "library/*", "on"});
    Json j = Show();
    EXPECT_EQ(j["files"][6]["excluded"], 1);    // _static/css/basic.css
    EXPECT_EQ(j["files"][1]["preprocess"], 1);  // library/index.html
    EXPECT_EQ(j["files"][4]["preprocess"], 1);  // library/os.html
    EXPECT_EQ(j["files"][0]["preprocess"], 0);
    run({"--include", "*.css", "--searchable", "howto/index.html", "off", "--contents",
         "library/os.html", "off", "--searchable", "_images/*", "off"});
    j = Show();
    EXPECT_EQ(j["files"][6]["excluded"], 0);
    EXPECT_EQ(j["files"][2]["searchable"], 0);  // howto/index.html
    EXPECT_EQ(j["files"][4]["inContents"], 0);  // library/os.html

    run({"--move", "howto/index.html", "top"});
    EXPECT_EQ(FileNames()[0], "howto/index.html");
    run({"--move", "howto/index.html", "down", "--move", "library/os.html", "bottom"});
    EXPECT_EQ(FileNames(),
              (std::vector<std::string>{"index.html", "howto/index.html", "library/index.html",
                                        "howto/untitled.html", "library/os.html", "_images/x.png",
                                        "_static/css/basic.css"}));
}

TEST_F(ProjectEditCommandsTest, FilesRefusesWithTheRulesMessagesAndWritesNothing) {
    const struct {
        std::vector<std::string> options;
        std::string message;
    } cases[] = {
        {{"--searchable", "_images/*", "on"},
         "_images/x.png: Only HTML files can be made Searchable."},
        {{"--contents", "*.css", "on"},
         "_static/css/basic.css: Only HTML files can be the Table Of Contents."},
        {{"--preprocess", "*.png", "on"}, "_images/x.png: Only HTML files can be PreProcessed."},
        {{"--searchable", "howto/*", "on"},
         "howto/untitled.html: You must first add a title before you can make this file "
         "Searchable."},
        {{"--contents", "howto/untitled.html", "on"},
         "howto/untitled.html: You must first add a title before you can include this file in "
         "the Table Of Contents."},
        {{"--exclude", "*.html", "--move", "index.html", "up"},
         "index.html: This file can not be moved further up."},
        {{"--move", "library/os.html", "down"},
         "library/os.html: This file can not be moved further down."},
        {{"--order", "titles"}, "--order takes links, not 'titles'."},
        {{"--move", "_images/x.png", "top"},
         "_images/x.png: only HTML files have a place in the page order."},
        {{"--move", "os.html", "top"}, "there is no file called 'os.html'."},
        {{"--move", "index.html", "sideways"},
         "--move takes top, up, down or bottom, not 'sideways'."},
        {{"--exclude", "*.pdf"}, "no file matches '*.pdf'."},
        {{"--preprocess", "*.html", "maybe"}, "--preprocess takes on or off, not 'maybe'."},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"files", project};
        args.insert(args.end(), c.options.begin(), c.options.end());
        ExpectRefused(args, "tamselc files: " + c.message + " Nothing was written.\n");
    }
    EXPECT_EQ(Tamselc({"files", project, "--exclude"}).exitCode, 2);
}

TEST_F(ProjectEditCommandsTest, FilesOrdersThePagesByTheirLinksAgain) {
    dir.Write("src/howto/index.html",
              "<title>D How to</title><link rel=\"next\" href=\"../library/os.html\">");
    ASSERT_EQ(Tamselc({"files", project, "--move", "library/os.html", "top"}).exitCode, 0);
    const Outcome ordered = Tamselc({"files", project, "--order", "links"});
    EXPECT_EQ(ordered.exitCode, 0) << ordered.err;
    EXPECT_EQ(ordered.err,
              "5 pages put in the order of their links from index.html. 3 pages that no link "
              "from it reaches come last, by name.\n\n");
    EXPECT_EQ(FileNames(),
              (std::vector<std::string>{"index.html", "library/index.html", "howto/index.html",
                                        "howto/untitled.html", "library/os.html", "_images/x.png",
                                        "_static/css/basic.css"}));
    // Linked from the index, the how-to page leads on to its rel="next".
    dir.Write("src/index.html",
              "<title>A Home</title><a href=\"howto/index.html\">x</a><a "
              "href=\"library/index.html\">y</a>");
    ASSERT_EQ(Tamselc({"files", project, "--order", "links"}).exitCode, 0);
    EXPECT_EQ(FileNames(),
              (std::vector<std::string>{"index.html", "howto/index.html", "library/os.html",
                                        "library/index.html", "howto/untitled.html",
                                        "_images/x.png", "_static/css/basic.css"}));
}

// Every text of Edit E-Book Info, and paths inside the project's folder kept relative to it:
// the folder moves and the project moves with it; a path outside stays where it is.
TEST(TamselcNewTest, NewTakesTheEBookInfoAndKeepsPathsInsideItsFolderRelative) {
    test::TempDir dir;
    dir.Write("shelf/pages/index.html", "<title>Home</title><a href=\"two.html\">2</a>");
    dir.Write("shelf/pages/two.html", "<title>A two</title>");
    const Outcome made =
        Tamselc({"new", dir.File("shelf/book.nxp"), "--folder", dir.File("shelf/pages"), "--title",
                 "T", "--author", "Ann", "--copyright", "(C) 2027 Ann", "--publisher", "Pub",
                 "--email", "ann@example.org", "--url", "https://example.org/", "--output",
                 dir.File("shelf/out/book")});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    std::filesystem::rename(dir.File("shelf"), dir.File("moved"));
    const Outcome shown = Tamselc({"show", dir.File("moved/book.nxp")});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    const Json j = Json::parse(shown.out);
    const struct {
        const char* name;
        std::string expected;
    } cases[] = {
        {"title", "T"},
        {"author", "Ann"},
        {"copyright", "(C) 2027 Ann"},
        {"publisher", "Pub"},
        {"authorEmail", "ann@example.org"},
        {"authorUrl", "https://example.org/"},
        {"sourceFolder", dir.File("moved/pages")},
        {"outputExe", dir.File("moved/out/book")},
        // The stock icon lies outside: it stays where it is.
        {"iconFile", std::string(NBX_PROGRAM_DIR) + "/icons/Books/idr_main.ico"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(j[c.name], c.expected) << c.name;
    }
    ASSERT_EQ(j["files"].size(), 2u);
    EXPECT_EQ(j["files"][0]["path"], dir.File("moved/pages/index.html"));
    EXPECT_EQ(j["files"][1]["path"], dir.File("moved/pages/two.html"));
    // An option without its text is a mistake in the command, not an empty text.
    const Outcome bare =
        Tamselc({"new", dir.File("bare.nxp"), "--folder", dir.File("moved/pages"), "--copyright"});
    EXPECT_EQ(bare.exitCode, 2);
}

TEST_F(ProjectEditCommandsTest, VarFollowsTheVariableCommandsRules) {
    const auto run = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"var", project});
        const Outcome r = Tamselc(args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
    };
    run({"add", "Name", "--value", "Fred", "--description", "Your name"});
    run({"add", "Note", "--kind", "1", "--value", "a < b", "--rebrand", "off"});
    run({"add", "Site", "--value", "example.org", "--description", "Your site"});
    run({"edit", "Name", "--value", "Jim", "--name", "Reseller"});
    run({"move", "Site", "top"});
    run({"add", "Note", "--value", "replaced", "--rebrand", "off", "--yes"});
    Json vars = Show()["variables"];
    ASSERT_EQ(vars.size(), 3u);
    EXPECT_EQ(vars[0]["name"], "Site");
    EXPECT_EQ(vars[1]["name"], "Reseller");
    EXPECT_EQ(vars[1]["value"], "Jim");
    EXPECT_EQ(vars[2]["name"], "Note");  // replaced, and so moved to the bottom
    EXPECT_EQ(vars[2]["value"], "replaced");
    EXPECT_EQ(vars[2]["canRebrand"], 0);
    run({"delete", "Reseller", "--yes"});
    EXPECT_EQ(Show()["variables"].size(), 2u);

    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"add", ""}, "a variable needs a name."},
        {{"add", "Two Words", "--rebrand", "off"},
         "Variable names may contain only letters and digits."},
        {{"add", "9lives", "--rebrand", "off"},
         "The first character of the Variable name must be a letter."},
        {{"add", "title", "--rebrand", "off"},
         "You can not call your variable 'title' as this variable name is used for a "
         "predefined system variable."},
        {{"add", "Fresh", "--value", "x"},
         "a variable that can be rebranded needs a description (--description)."},
        {{"add", "Inc", "--kind", "4"}, "a variable of kind 4 needs a file name (--value)."},
        {{"add", "Inc", "--kind", "4", "--value", dir.File("missing.htm")}, "File does not exist."},
        {{"add", "Note", "--value", "again", "--rebrand", "off"},
         "There is a variable already called 'Note'.\n\nDo you want to replace it?"},
        {{"add", "Note", "--value", "again", "--rebrand", "off", "--no"},
         "There is a variable already called 'Note'.\n\nDo you want to replace it?"},
        {{"delete", "Site"}, "Are you sure that you want to delete this variable?"},
        {{"edit", "Missing", "--value", "x"}, "Can't find a variable called 'Missing'."},
        {{"move", "Site", "up"}, "This variable can not be moved further up."},
        {{"move", "Note", "down"}, "This variable can not be moved further down."},
        {{"move", "Site", "left"}, "move takes top, up, down or bottom, not 'left'."},
        {{"add", "Fresh", "--kind", "6"}, "--kind takes 0 to 5, not '6'."},
        {{"frobnicate", "Site"}, "unknown action 'frobnicate'."},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"var", project};
        args.insert(args.end(), c.args.begin(), c.args.end());
        ExpectRefused(args, "tamselc var: " + c.message + " Nothing was written.\n");
    }
}

// The whole road: a tree built with every file under its path, and extracted back.
TEST_F(ProjectEditCommandsTest, ATreeBuildsAndExtractsWithEveryFileAndItsPath) {
    ASSERT_EQ(Tamselc({"set", project, "splashBitmap="}).exitCode, 0);
    const Outcome built = Tamselc({"build", project});
    ASSERT_EQ(built.exitCode, 0) << built.err;
    const std::string out = dir.File("extracted");
    const Outcome extracted = Tamselc({"extract", dir.File("out/docs.exe"), out});
    ASSERT_EQ(extracted.exitCode, 0) << extracted.err;
    for (const char* name :
         {"index.html", "library/index.html", "library/os.html", "howto/index.html",
          "howto/untitled.html", "_images/x.png", "_static/css/basic.css"}) {
        EXPECT_EQ(test::ReadWholeFile(out + "/" + name),
                  test::ReadWholeFile(dir.File("src/") + name))
            << name;
    }
    EXPECT_FALSE(std::filesystem::exists(out + "/.hidden.html"));
    EXPECT_FALSE(std::filesystem::exists(out + "/library/loop"));
}

TEST(TamselcSaveTest, AnImportedFileListIsSavedInTheScansOrder) {
    test::TempDir dir;
    dir.Write("src/b.html", "<title>Beta</title>");
    dir.Write("src/a.html", "<title>Alpha</title>");
    dir.Write("src/pic.gif", "GIF");
    // The import layout: header, nine strings (the eighth the source folder), five words and
    // the splash bitmap.
    std::string bytes = "\x08IDT-4.00";
    for (int i = 0; i < 9; ++i) {
        const std::string s = i == 7 ? dir.File("src") : std::string(i == 1 ? "T" : "");
        bytes += static_cast<char>(s.size());
        bytes += s;
    }
    bytes += std::string(20, '\0');
    bytes += '\0';
    const std::string imported = dir.Write("quick.nxp", bytes);
    ASSERT_EQ(Tamselc({"save", imported, dir.File("saved.nxp")}).exitCode, 0);
    const Outcome shown = Tamselc({"show", dir.File("saved.nxp")});
    const Json files = Json::parse(shown.out)["files"];
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0]["path"], dir.File("src/a.html"));
    EXPECT_EQ(files[1]["path"], dir.File("src/b.html"));
    EXPECT_EQ(files[2]["path"], dir.File("src/pic.gif"));
}

}  // namespace
}  // namespace nbx
