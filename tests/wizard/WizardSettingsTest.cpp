#include "wizard/core/WizardSettings.h"

#include <stdlib.h>

#include <gtest/gtest.h>

#include "platform/ConfigFolder.h"
#include "platform/ProfileFile.h"
#include "support/RecordingPrompter.h"
#include "support/TempDir.h"
#include "wizard/core/WizardAnswers.h"

namespace nbx::wizard {
namespace {

// Each test gets a configuration folder of its own.
class WizardSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedConfig_ = ::getenv("NBX_CONFIG_DIR");
        const char* home = ::getenv("HOME");
        savedHome_ = home ? home : "/";
        ::setenv("NBX_CONFIG_DIR", config.path().c_str(), 1);
    }
    void TearDown() override {
        ::setenv("NBX_CONFIG_DIR", savedConfig_.c_str(), 1);
        ::setenv("HOME", savedHome_.c_str(), 1);
    }
    test::TempDir config;
    test::RecordingPrompter prompter;

private:
    std::string savedConfig_;
    std::string savedHome_;
};

TEST_F(WizardSettingsTest, DefaultsWhenNothingIsRemembered) {
    ::setenv("HOME", "/home/ann", 1);
    const WizardSettings s = ReadWizardSettings(2031);
    EXPECT_EQ(s.folder, "/home/ann");
    EXPECT_EQ(s.projectType, "");
    EXPECT_EQ(s.splash, 0);
    EXPECT_EQ(s.copyright, "Copyright (C) 2031, Your Company");
    EXPECT_EQ(s.publisher, "");
    EXPECT_EQ(s.author, "Your Name");
    EXPECT_EQ(s.authorEmail, "");
    EXPECT_EQ(s.authorUrl, "");

    const WizardAnswers a = InitialAnswers("My Book", s);
    EXPECT_EQ(a.book.title, "My Book");
    EXPECT_EQ(a.book.copyright, s.copyright);
    EXPECT_EQ(a.book.author, "Your Name");
    EXPECT_EQ((std::vector<int>{a.menu, a.popupMenu, a.statusBar, a.toolbar, a.toolbarPosition,
                                a.instructions, a.launch}),
              (std::vector<int>{1, 1, 1, 1, 0, 1, 0}));
}

TEST_F(WizardSettingsTest, SavedValuesComeBackUnderTheirKeys) {
    SaveWorkingFolder("/w/books", prompter);
    SaveProjectType("Microsoft Word 97", prompter);
    SaveSplashChoice(2, prompter);
    WizardSettings info;
    info.copyright = "(C) Me";
    info.publisher = "Pub";
    info.author = "Ann";
    info.authorEmail = "a@x";
    info.authorUrl = "http://x";
    SaveBookInfo(info, prompter);
    EXPECT_TRUE(prompter.messages.empty());
    const std::pair<const char*, const char*> keys[] = {
        {"FOLDER", "/w/books"}, {"PROJECTTYPE", "Microsoft Word 97"},
        {"SPLASH", "2"},        {"COPYRIGHT", "(C) Me"},
        {"PUBLISHER", "Pub"},   {"AUTHOR", "Ann"},
        {"AUTHOREMAIL", "a@x"}, {"AUTHORURL", "http://x"},
    };
    for (const auto& [key, value] : keys) {
        EXPECT_EQ(platform::ReadProfileString("nbxconfig.ini", "NBXKWIK", key, "-"), value) << key;
    }
    const WizardSettings s = ReadWizardSettings(2031);
    EXPECT_EQ(s.folder, "/w/books");
    EXPECT_EQ(s.splash, 2);
    EXPECT_EQ(s.author, "Ann");

    // A splash number the list does not have reads as the standard picture; a long value is
    // cut where a 256-byte buffer ends.
    platform::WriteProfileString("nbxconfig.ini", "NBXKWIK", "SPLASH", "7");
    platform::WriteProfileString("nbxconfig.ini", "NBXKWIK", "AUTHOR", std::string(300, 'a'));
    EXPECT_EQ(ReadWizardSettings(2031).splash, 0);
    EXPECT_EQ(ReadWizardSettings(2031).author.size(), 255u);
}

// A folder the field takes comes back whole, however many bytes its letters take; a longer
// one written by something else is cut between characters, never inside one.
TEST_F(WizardSettingsTest, RememberedFoldersComeBackWholeOrCutBetweenCharacters) {
    std::string folder = "/" + std::string(249, 'a');
    folder += "/\xc3\xa9\xc3\xa9";  // 255 bytes
    SaveWorkingFolder(folder, prompter);
    EXPECT_EQ(ReadWizardSettings(2031).folder, folder);

    // Written by something else: 256 bytes, the last character across byte 255.
    platform::WriteProfileString("nbxconfig.ini", "NBXKWIK", "FOLDER",
                                 "/" + std::string(253, 'a') + "\xc3\xa9");
    EXPECT_EQ(ReadWizardSettings(2031).folder, "/" + std::string(253, 'a'));
    EXPECT_TRUE(prompter.messages.empty());
}

// The settings file cannot be made (its folder is a file): the author hears why, once for
// the five book-information keys, and the wizard goes on.
TEST_F(WizardSettingsTest, AnAnswerThatCannotBeRememberedIsReported) {
    ::setenv("NBX_CONFIG_DIR", config.Write("file", "x").append("/sub").c_str(), 1);
    WizardSettings info;
    info.author = "Ann";
    SaveBookInfo(info, prompter);
    SaveSplashChoice(1, prompter);
    ASSERT_EQ(prompter.messages.size(), 2u);
    for (const std::string& message : prompter.messages) {
        EXPECT_EQ(message.rfind("Your answers could not be remembered for next time.\n\nThe "
                                "setting ",
                                0),
                  0u)
            << message;
        EXPECT_NE(message.find(config.File("file/sub/nbxconfig.ini")), std::string::npos);
    }
    EXPECT_EQ(prompter.icons[0], MessageIcon::Warning);
}

// The answers are remembered one per line: a line break in one would start a section of
// the author's choosing, which every later start of the compiler reads.
TEST(WizardAnswersTest, AnswersOnMoreThanOneLineAreRefusedNamingTheirField) {
    const struct {
        std::string BookInfo::*text;
        BookInfoField field;
        const char* name;
    } fields[] = {
        {&BookInfo::title, BookInfoField::Title, "Title"},
        {&BookInfo::publisher, BookInfoField::Publisher, "Publisher"},
        {&BookInfo::copyright, BookInfoField::Copyright, "Copyright"},
        {&BookInfo::author, BookInfoField::Author, "Author"},
        {&BookInfo::authorEmail, BookInfoField::AuthorEmail, "Author's E-mail Address"},
        {&BookInfo::authorUrl, BookInfoField::AuthorUrl, "Author's Web Site URL"},
    };
    for (const auto& f : fields) {
        for (const std::string& bad : {std::string("Ann\n[EXTENSION1]\nLOAD=/tmp/x.so"),
                                       std::string("Ann\rx"), std::string("Ann\0x", 5)}) {
            WizardAnswers a;
            a.book = {"T", "", "C", "A", "", ""};
            a.book.*f.text = bad;
            const auto failure = CheckBookInfo(a);
            ASSERT_TRUE(failure) << f.name;
            EXPECT_EQ(failure->field, f.field) << f.name;
            EXPECT_EQ(failure->message, "The " + std::string(f.name) +
                                            " must be on one line: it can't hold a line break or "
                                            "a NUL character.");
        }
    }
    // Before the empty fields: the title is empty, but the author is reported.
    WizardAnswers a;
    a.book.author = "Ann\nBob";
    EXPECT_EQ(CheckBookInfo(a)->field, BookInfoField::Author);
}

TEST(WizardAnswersTest, BookInfoChecksInPageOrder) {
    WizardAnswers a;
    a.book.title = "T";
    a.book.copyright = "C";
    a.book.author = "A";
    EXPECT_FALSE(CheckBookInfo(a));
    WizardAnswers none;
    ASSERT_TRUE(CheckBookInfo(none));
    EXPECT_EQ(CheckBookInfo(none)->message, "Your E-Book must have a Title.");
    EXPECT_EQ(CheckBookInfo(none)->field, BookInfoField::Title);
    none.book.title = "T";
    EXPECT_EQ(CheckBookInfo(none)->message, "You must have a Copyright message.");
    EXPECT_EQ(CheckBookInfo(none)->field, BookInfoField::Copyright);
    none.book.copyright = "C";
    EXPECT_EQ(CheckBookInfo(none)->message, "You must have enter the Author's name.");
    EXPECT_EQ(CheckBookInfo(none)->field, BookInfoField::Author);
}

TEST(WizardAnswersTest, PageCaptions) {
    const auto& titles = WizardPageTitles();
    ASSERT_EQ(titles.size(), 4u);
    EXPECT_EQ(WizardCaption(0, 4, titles[0]), "Step 1 of 4 - E-Book Info");
    EXPECT_EQ(WizardCaption(1, 4, titles[1]), "Step 2 of 4 - Splash Screen");
    EXPECT_EQ(WizardCaption(2, 4, titles[2]), "Step 3 of 4 - User Interface Options");
    EXPECT_EQ(WizardCaption(3, 4, titles[3]), "Step 4 of 4 - The Next Stage");
}

}  // namespace
}  // namespace nbx::wizard
