#include "wizard/core/InstructionsPage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "wizard/core/ProjectFolders.h"

namespace nbx::wizard {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

const ProjectType& TypeNamed(const char* name) {
    return ProjectTypes().at(static_cast<std::size_t>(FindProjectType(name)));
}

std::string Compose(const ProjectType& type, int splash, bool launch,
                    const std::string& folder = "/w") {
    return ComposeInstructions({"My Book", type,
                                MakeProjectPaths(folder, "My Book", type.usesIncludeFolder), splash,
                                launch});
}

TEST(InstructionsPageTest, HeadingsAreSpacedByWhatCameBefore) {
    InstructionsPage page("A & B");
    page.AddHeading("One <1>");
    EXPECT_EQ(page.body(), "<BIG><B>One &lt;1&gt;</B></BIG><BR><BR>");
    page.AddHtml("<UL><LI>x</UL>");
    page.AddHeading("Two");
    page.AddHtml("<OL><LI>y</OL>");
    page.AddHeading("Three");
    page.AddHtml("text");
    page.AddHeading("Four");
    EXPECT_EQ(page.body(),
              "<BIG><B>One &lt;1&gt;</B></BIG><BR><BR><UL><LI>x</UL><BR><BR><BIG><B>Two</B></BIG>"
              "<BR><BR><OL><LI>y</OL><BR><BR><BIG><B>Three</B></BIG><BR><BR>text<BR><BR><BR>"
              "<BIG><B>Four</B></BIG><BR><BR>");
    EXPECT_EQ(page.Document(),
              "<HTML>\r\n<HEAD>\r\n<TITLE>Instructions for A &amp; B</TITLE>\r\n</HEAD>\r\n<BODY "
              "BGCOLOR=#ffffff>\r\n<FONT FACE=\"Arial,Verdana,Helvetica\" SIZE=2>\r\n" +
                  page.body() + "</FONT></BODY>\r\n");
}

TEST(InstructionsPageTest, SectionsFollowTheTypeAndTheSplashChoice) {
    struct Case {
        const char* type;
        int splash;
        std::size_t folders;  // items of the Folders list
        bool includeSection;
    };
    const Case cases[] = {
        {"Microsoft Word 97", kSplashStandard, 3, false},
        {"Microsoft Word 2000", kSplashNone, 3, false},
        {"Microsoft PowerPoint 97", kSplashOwnColour, 4, false},
        {"Microsoft PowerPoint 2000", kSplashOwnBlackAndWhite, 4, false},
        {"Other authoring software", kSplashStandard, 4, true},
        {"From HTML Documents - for example HTML files created \"by hand\"", kSplashOwnColour, 5,
         true},
    };
    for (const Case& c : cases) {
        const std::string page = Compose(TypeNamed(c.type), c.splash, false);
        SCOPED_TRACE(c.type);
        const std::string list =
            page.substr(page.find("<UL COMPACT>"), page.find("</UL>") - page.find("<UL COMPACT>"));
        EXPECT_EQ(Count(list, "<LI>"), c.folders);
        EXPECT_EQ(Count(list, "<BR><BR><LI>"), c.folders - 1);
        EXPECT_EQ(page.find("<BIG><B>The Include Folder</B></BIG>") != std::string::npos,
                  c.includeSection);
        EXPECT_EQ(list.find("<LI><B>/w/My Book/include</B><BR>") != std::string::npos,
                  c.includeSection);
        const bool own = c.splash == kSplashOwnColour || c.splash == kSplashOwnBlackAndWhite;
        EXPECT_EQ(list.find("<LI><B>/w/My Book/splash</B><BR>This folder contains the splash") !=
                      std::string::npos,
                  own);
        EXPECT_THAT(page, HasSubstr(own ? "your source files and splash screen graphic:"
                                        : "your source files:"));
        EXPECT_THAT(page, HasSubstr("<B>/w/My Book/source</B>"));  // the source-files section

        // The headings in their order.
        std::vector<std::string> headings;
        for (std::size_t at = page.find("<BIG><B>"); at != std::string::npos;
             at = page.find("<BIG><B>", at + 1)) {
            headings.push_back(page.substr(at + 8, page.find("</B></BIG>", at) - at - 8));
        }
        std::vector<std::string> expected = {"Introduction", "Folders",
                                             "Creating Your E-Book's Source Files"};
        if (c.includeSection) {
            expected.push_back("The Include Folder");
        }
        for (const char* h :
             {"Your Splash Screen", "Using Nimbrel E-Book Compiler", "The E-Book"}) {
            expected.push_back(h);
        }
        EXPECT_EQ(headings, expected);
    }
}

TEST(InstructionsPageTest, FixedPassages) {
    const std::string page = Compose(TypeNamed("Microsoft Word 97"), kSplashStandard, false);
    EXPECT_THAT(page, HasSubstr("<BIG><B>Introduction</B></BIG><BR><BR>This file contains "
                                "instructions on how to create your E-Book. You may wish to Print "
                                "these instructions for future reference.<BR><BR><BR>"));
    EXPECT_THAT(page, HasSubstr("All the files relating to this project have been placed in "
                                "<B>/w/My Book</B> folder, and sub-folders under this:<UL COMPACT>"
                                "<LI><B>/w/My Book</B><BR>This folder is the main folder of the "
                                "project. It contains the saved project settings.<BR><BR>"));
    EXPECT_THAT(page, HasSubstr("</UL>More detailed information on what is contained in each of "
                                "these folders, are given below."));
    EXPECT_THAT(page, HasSubstr("A saved Nimbrel E-Book Project has been created in the <B>/w/My "
                                "Book</B> folder, called <B>mybook.nxp</B>. When you are ready "
                                "to create the E-Book from your "));
    EXPECT_THAT(page, HasSubstr("Your E-Book will be created in the <B>/w/My Book/output</B> "
                                "folder, and will be called <B>mybook</B>. This is the file"));
    EXPECT_THAT(page, HasSubstr("<BR><BR><HR><CENTER><SMALL>These instructions were created with "
                                "Nimbrel Quick Project, version 4.22.<BR>"));
    EXPECT_THAT(page, HasSubstr("</SMALL></CENTER></FONT></BODY>\r\n"));
}

TEST(InstructionsPageTest, SplashAndLaunchPassagesBeginAsChosen) {
    const ProjectType& type = TypeNamed("Other authoring software");
    const char* beginnings[] = {
        "As requested, you are using the default Nimbrel E-Book splash screen graphic.",
        "As requested, you are not using a splash screen graphic.",
        "As requested, you are using a color splash screen graphic.",
        "As requested, you are using a black and white splash screen graphic.",
    };
    for (int splash = 0; splash < 4; ++splash) {
        const std::string page = Compose(type, splash, false);
        EXPECT_THAT(page, HasSubstr("<BIG><B>Your Splash Screen</B></BIG><BR><BR>" +
                                    std::string(beginnings[splash])));
        // Choices 0 and 1 say how to choose a picture in the compiler, 2 and 3 how to edit
        // the one in the splash folder.
        EXPECT_EQ(page.find("'Start Up' on the 'Edit' menu") != std::string::npos, splash < 2);
        EXPECT_EQ(
            page.find("<B>mysplash.bmp</B> in the <B>/w/My Book/splash</B>") != std::string::npos,
            splash >= 2);
    }
    const std::string launched = Compose(type, kSplashStandard, true);
    EXPECT_THAT(launched, HasSubstr("called <B>mybook.nxp</B>. Nimbrel E-Book Compiler has been "
                                    "started with this project already open."));
    EXPECT_THAT(launched, Not(HasSubstr("When you are ready to create")));
}

TEST(InstructionsPageTest, PathsShowAsTheyAreSpelled) {
    const std::string page =
        Compose(TypeNamed("Microsoft Word 97"), kSplashStandard, false, "/w/<i>Tom & Jerry");
    EXPECT_THAT(page, HasSubstr("<B>/w/&lt;i&gt;Tom &amp; Jerry/My Book</B>"));
    EXPECT_THAT(page, Not(HasSubstr("<i>")));
}

}  // namespace
}  // namespace nbx::wizard
