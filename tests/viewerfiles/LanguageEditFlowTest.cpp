#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/RecordingPrompter.h"
#include "support/TempDir.h"
#include "viewerfiles/LanguageEditFlow.h"
#include "viewerfiles/LanguageTestFiles.h"

namespace nbx {
namespace {

using Names = std::vector<std::string>;

class LanguageEditFlowTest : public ::testing::Test {
protected:
    LanguageEditFlowTest() : folder(dir.File("tamsel")) {
        dir.Write("English.lng", test::ValidLanguageBytes());
        dir.Write("Deutsch.lng", test::LanguageBytes({{1, 'F', "4.22"}, {100, 'L', "&Datei"}}));
    }
    std::string Lng(const std::string& name) const { return dir.File(name + ".lng"); }
    Names FilesInFolder() const {
        Names names;
        for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
            names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    test::TempDir dir;
    test::ProgramFolder folder;
    test::RecordingPrompter prompter;
};

TEST_F(LanguageEditFlowTest, NameChecksRunInOrder) {
    struct Case {
        const char* typed;
        const char* message;
    };
    const Case cases[] = {
        {"", "You must enter a name."},
        {" \t ", "You must enter a name."},
        {"My Lang", "Please use only letters and numbers in the name."},
        {" Mine", "Please use only letters and numbers in the name."},
        {"Fr-1", "Please use only letters and numbers in the name."},
        {"Fran\xC3\xA7"
         "ais",
         "Please use only letters and numbers in the name."},
        {"Eng lish", "Please use only letters and numbers in the name."},
        {"English",
         "Please use a different name, you can not overwrite the default English language file."},
    };
    for (const Case& c : cases) {
        const LanguageNameCheck check = CheckLanguageName(c.typed, "Deutsch", prompter);
        EXPECT_FALSE(check.accepted) << c.typed;
        EXPECT_EQ(check.message, c.message) << c.typed;
    }
    EXPECT_TRUE(prompter.questions.empty());
    EXPECT_FALSE(LanguageNameOkEnabled(" \t"));
    EXPECT_TRUE(LanguageNameOkEnabled(" a "));
}

TEST_F(LanguageEditFlowTest, ExistingOtherNameAsksBeforeOverwriting) {
    prompter.answers = {Answer::No, Answer::Yes};
    const LanguageNameCheck no = CheckLanguageName("Deutsch", "English", prompter);
    EXPECT_FALSE(no.accepted);
    EXPECT_EQ(no.message, "");  // the dialog just stays open
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0].text,
              "Are you sure that you want to overwrite the 'Deutsch' language file?");
    EXPECT_EQ(prompter.questions[0].buttons, Buttons::YesNo);
    EXPECT_EQ(prompter.questions[0].defaultAnswer, Answer::No);

    EXPECT_TRUE(CheckLanguageName("Deutsch", "English", prompter).accepted);
    // The name it started with, or a new one, asks nothing.
    EXPECT_TRUE(CheckLanguageName("Deutsch", "Deutsch", prompter).accepted);
    EXPECT_TRUE(CheckLanguageName("Klingon", "Deutsch", prompter).accepted);
    EXPECT_EQ(prompter.questions.size(), 2u);
}

// A name that differs only in case from an installed language is that language.
TEST_F(LanguageEditFlowTest, NamesDifferingOnlyInCaseAreTheInstalledLanguage) {
    struct Case {
        const char* typed;
        const char* start;
        bool asks;         // the overwrite question
        const char* name;  // nullptr: refused
    };
    const Case cases[] = {
        {"deutsch", "English", true, "Deutsch"},
        {"DEUTSCH", "Deutsch", false, "Deutsch"},
        {"Klingon", "Deutsch", false, "Klingon"},
        {"english", "Deutsch", false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        prompter.questions.clear();
        prompter.answers = {Answer::Yes};
        const LanguageNameCheck check = CheckLanguageName(c.typed, c.start, prompter);
        EXPECT_EQ(check.accepted, c.name != nullptr) << check.message;
        EXPECT_EQ(check.name, c.name ? c.name : "");
        EXPECT_EQ(prompter.questions.size(), c.asks ? 1u : 0u);
        if (c.asks) {
            EXPECT_EQ(prompter.questions[0].text,
                      std::string("Are you sure that you want to overwrite the '") + c.name +
                          "' language file?");
        }
    }
}

// Plays the name dialog with a scripted name and records what the flow shows.
class ScriptedUi final : public LanguageEditUi {
public:
    explicit ScriptedUi(std::optional<std::string> name) : name_(std::move(name)) {}
    std::optional<std::string> AskLanguageName(const std::string& startName) override {
        askedWith = startName;
        return name_;
    }
    void ShowLanguageList(const LanguageList& l) override { list = l; }
    void EditLanguage(const std::string& name, const std::string& path) override {
        edited = name;
        editedPath = path;
    }

    std::optional<std::string> askedWith;
    std::optional<LanguageList> list;
    std::string edited;
    std::string editedPath;

private:
    std::optional<std::string> name_;
};

TEST_F(LanguageEditFlowTest, NewNameCopiesTheFileAndEditsTheCopy) {
    ScriptedUi ui("Mine");
    EXPECT_TRUE(RunLanguageEditFlow("Deutsch", ui, prompter));
    EXPECT_EQ(ui.askedWith, "Deutsch");
    EXPECT_EQ(test::ReadWholeFile(Lng("Mine")), test::ReadWholeFile(Lng("Deutsch")));
    ASSERT_TRUE(ui.list);
    EXPECT_EQ(ui.list->names, (Names{"Deutsch", "English", "Mine"}));
    EXPECT_EQ(ui.list->selected, 2);
    EXPECT_EQ(ui.edited, "Mine");
    EXPECT_EQ(ui.editedPath, Lng("Mine"));
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(LanguageEditFlowTest, KeepingTheNameEditsInPlaceWithoutCopying) {
    const auto before = std::filesystem::last_write_time(Lng("Deutsch"));
    ScriptedUi ui("Deutsch");
    EXPECT_TRUE(RunLanguageEditFlow("Deutsch", ui, prompter));
    EXPECT_EQ(std::filesystem::last_write_time(Lng("Deutsch")), before);
    EXPECT_EQ(ui.editedPath, Lng("Deutsch"));
    EXPECT_EQ(FilesInFolder(), (Names{"Deutsch.lng", "English.lng"}));
}

TEST_F(LanguageEditFlowTest, DamagedLanguageStopsBeforeTheNameDialog) {
    dir.Write("Broken.lng", test::LanguageBytes({{1, 'F', "4.0"}}));
    ScriptedUi ui("Mine");
    EXPECT_FALSE(RunLanguageEditFlow("Broken", ui, prompter));
    EXPECT_FALSE(ui.askedWith);
    EXPECT_EQ(prompter.messages, (Names{kCorruptLanguageMessage}));
    EXPECT_FALSE(RunLanguageEditFlow("Missing", ui, prompter));
    EXPECT_EQ(prompter.messages.size(), 2u);
}

TEST_F(LanguageEditFlowTest, CancelledNameDialogChangesNothing) {
    ScriptedUi ui(std::nullopt);
    EXPECT_FALSE(RunLanguageEditFlow("English", ui, prompter));
    EXPECT_FALSE(ui.list);
    EXPECT_EQ(ui.edited, "");
    EXPECT_EQ(FilesInFolder(), (Names{"Deutsch.lng", "English.lng"}));
}

TEST_F(LanguageEditFlowTest, FailedCopyLeavesNoPartialFile) {
    // A folder where the new file would go: the copy cannot replace it.
    std::filesystem::create_directory(Lng("Taken"));
    ScriptedUi ui("Taken");
    EXPECT_FALSE(RunLanguageEditFlow("English", ui, prompter));
    EXPECT_EQ(prompter.messages, (Names{"Unable to copy language file\n\nOut of disk space?"}));
    EXPECT_EQ(ui.edited, "");
    EXPECT_FALSE(ui.list);
    EXPECT_EQ(FilesInFolder(), (Names{"Deutsch.lng", "English.lng", "Taken.lng"}));
}

TEST_F(LanguageEditFlowTest, ANameInOtherCaseEditsTheInstalledFileInPlace) {
    ScriptedUi ui("deutsch");
    EXPECT_TRUE(RunLanguageEditFlow("Deutsch", ui, prompter));
    EXPECT_EQ(ui.edited, "Deutsch");
    EXPECT_EQ(ui.editedPath, Lng("Deutsch"));
    ASSERT_TRUE(ui.list);
    EXPECT_EQ(ui.list->names, (Names{"Deutsch", "English"}));
    EXPECT_EQ(FilesInFolder(), (Names{"Deutsch.lng", "English.lng"}));
}

}  // namespace
}  // namespace nbx
