// The Help menu: the user guide through the program launcher, the web pages through the
// document launcher, and the About box.

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <set>

#include <QAction>
#include <QLabel>
#include <QPushButton>

#include "MainFrameFixture.h"
#include "app/AboutBox.h"
#include "common/ProgramLauncher.h"
#include "common/SiteAddress.h"
#include "format/ArchiveReader.h"
#include "platform/ExecutablePath.h"
#include "project/SourceFile.h"

namespace nbx::test {
namespace {

using HelpMenuTest = MainFrameFixture;

TEST_F(HelpMenuTest, WebPagesOpenAtTheSiteAddress) {
    OpenWindow();
    std::vector<std::string> opened;
    SetDocumentOpener([&](const std::string& target) {
        opened.push_back(target);
        return 33;
    });
    Trigger("actionHomePage");
    Trigger("actionFaq");
    Trigger("actionLinks");
    Trigger("actionAffiliate");
    SetDocumentOpener({});
    EXPECT_EQ(opened, (std::vector<std::string>{SitePageAddress(""), SitePageAddress("faq.asp"),
                                                SitePageAddress("links.asp"),
                                                SitePageAddress("affiliate.asp")}));
    EXPECT_EQ(opened[2], opened[0] + "links.asp");
    EXPECT_TRUE(prompter.messages.empty());
}

// The pages open through the desktop's xdg-open, whose failures come back with their reason.
TEST_F(HelpMenuTest, AWebPageThatCannotBeOpenedSaysWhy) {
    OpenWindow();
    const std::string bin = dir.File("bin");
    std::filesystem::create_directories(bin);
    dir.Write("bin/xdg-open", "#!/bin/sh\nexit 3\n");
    std::filesystem::permissions(bin + "/xdg-open", std::filesystem::perms::owner_all);
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", (bin + ":" + path).c_str(), 1);
    Trigger("actionLinks");
    ::setenv("PATH", path.c_str(), 1);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].rfind("The web page could not be opened.", 0), 0u);
    EXPECT_NE(prompter.messages[0].find(
                  "The reason was:-\nThere is no application associated with the given filename "
                  "extension."),
              std::string::npos);
}

TEST_F(HelpMenuTest, AMissingHelpProgramIsReported) {
    OpenWindow();
    // A program folder without the help program.
    platform::OverrideExecutablePath(dir.File("tamsel"));
    const std::string help = dir.File("ehelp");
    Trigger("actionHelp");
    platform::OverrideExecutablePath(std::string(NBX_PROGRAM_DIR) + "/tamsel");
    EXPECT_EQ(prompter.messages,
              (std::vector<std::string>{"Can't start " + help + ", as the file was not found."}));
}

TEST_F(HelpMenuTest, AboutBoxNamesTheProgramAndVersion) {
    OpenWindow();
    WhenModal([&](QWidget* w) {
        ASSERT_NE(qobject_cast<app::AboutBox*>(w), nullptr);
        EXPECT_EQ(w->windowTitle().toStdString(), "About");
        EXPECT_EQ(Child<QLabel>(w, "aboutTitle")->text().toStdString(), "Nimbrel E-Book");
        EXPECT_EQ(Child<QLabel>(w, "aboutVersion")->text().toStdString(), "Version: 4.22");
        EXPECT_FALSE(Child<QLabel>(w, "aboutIcon")->pixmap().isNull());
        Child<QPushButton>(w, "okButton")->click();
    });
    Trigger("actionAbout");
}

}  // namespace
}  // namespace nbx::test

namespace nbx::test {
namespace {

// The user guide that ehelp opens is a real e-book of the pages in docs/guide/, in the order
// their rel="next" links give, each with its title, its style sheet and every picture it
// shows, which the build took of the window.
TEST(UserGuideTest, IsBuiltFromTheGuidePagesInReadingOrder) {
    ArchiveReader book;
    ASSERT_TRUE(book.Open(std::string(NBX_PROGRAM_DIR) + "/userguide")) << book.error();
    std::vector<std::string> pages;
    std::set<std::string> entries;
    for (const auto& entry : book.directory()) {
        entries.insert(entry.name);
        if (IsHtmlName(entry.name)) {
            pages.push_back(entry.name);
            EXPECT_FALSE(entry.title.empty()) << entry.name;
            EXPECT_TRUE(entry.inContents) << entry.name;
        }
    }
    EXPECT_EQ(pages, (std::vector<std::string>{"index.htm", "getting-started.htm", "window.htm",
                                               "menus.htm", "files.htm", "settings.htm",
                                               "variables.htm", "building.htm", "reader.htm",
                                               "rebrander.htm", "series.htm", "console.htm"}));
    EXPECT_EQ(entries.count("guide.css"), 1u);
    const std::regex picture("src=\"(pictures/[^\"]+)\"");
    for (const std::string& page : pages) {
        const std::string text =
            ReadWholeFile(std::string(NBX_TEST_SOURCE_DIR) + "/docs/guide/" + page);
        for (auto it = std::sregex_iterator(text.begin(), text.end(), picture);
             it != std::sregex_iterator(); ++it) {
            EXPECT_EQ(entries.count((*it)[1]), 1u) << page << " shows " << (*it)[1];
        }
    }
    EXPECT_TRUE(std::filesystem::exists(std::string(NBX_PROGRAM_DIR) + "/ehelp"));
}

}  // namespace
}  // namespace nbx::test
