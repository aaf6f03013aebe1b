#include "variables/VariableDialogModel.h"

#include <gtest/gtest.h>

#include "support/RecordingPrompter.h"
#include "support/TempDir.h"

namespace nbx {
namespace {

VariableDialogFields Filled(std::int32_t kind, bool canRebrand) {
    VariableDialogFields f;
    f.name = "Name";
    f.kind = kind;
    f.canRebrand = canRebrand;
    f.description = "shown to resellers";
    f.singleLineValue = "single";
    f.multiLineValue = "multi\r\nline";
    f.fileName = "/some/file.txt";
    return f;
}

TEST(VariableDialogModelTest, OpeningPutsTheValueIntoTheEditorOfItsKind) {
    Variable v;
    v.name = "n";
    v.value = "/path/of/include.htm";
    v.kind = kIncludeHtml;
    v.canRebrand = 0;
    const VariableDialogFields f = FieldsForVariable(v);
    EXPECT_EQ(f.fileName, v.value);
    EXPECT_EQ(f.singleLineValue, "");
    EXPECT_EQ(f.multiLineValue, "");
    EXPECT_FALSE(f.canRebrand);
    EXPECT_EQ(f.kind, kIncludeHtml);

    v.kind = kLongTextToHtml;
    EXPECT_EQ(FieldsForVariable(v).multiLineValue, v.value);
}

TEST(VariableDialogModelTest, ControlsFollowTheKindAndTheRebrandBox) {
    struct Case {
        std::int32_t kind;
        bool box;
        bool boxShown, descriptionShown;
        ValueEditor editor;
        const char* label;
    };
    const Case cases[] = {
        {0, true, true, true, ValueEditor::SingleLine, "Va&lue"},
        {1, false, true, false, ValueEditor::SingleLine, "Va&lue"},
        {2, true, true, true, ValueEditor::MultiLine, "Va&lue"},
        {3, false, true, false, ValueEditor::MultiLine, "Va&lue"},
        {4, true, false, false, ValueEditor::FileName, "File &name"},
        {5, true, false, false, ValueEditor::FileName, "File &name"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        const VariableDialogState s = EvaluateVariableDialog(Filled(c.kind, c.box));
        EXPECT_EQ(s.canRebrandShown, c.boxShown);
        EXPECT_EQ(s.rebranding, c.descriptionShown);
        EXPECT_EQ(s.descriptionShown, c.descriptionShown);
        EXPECT_EQ(s.editor, c.editor);
        EXPECT_EQ(s.valueLabel, c.label);
        EXPECT_EQ(s.browseShown, c.editor == ValueEditor::FileName);
        EXPECT_EQ(s.valueRequired, c.editor == ValueEditor::FileName);
        EXPECT_TRUE(s.acceptEnabled);
    }
}

TEST(VariableDialogModelTest, AcceptNeedsNameFileNameAndDescriptionWhereTheyApply) {
    struct Case {
        const char* what;
        std::int32_t kind;
        bool box;
        void (*change)(VariableDialogFields&);
        bool enabled;
    };
    const Case cases[] = {
        {"no name", 0, false, [](VariableDialogFields& f) { f.name.clear(); }, false},
        {"empty value is optional", 1, false,
         [](VariableDialogFields& f) { f.singleLineValue.clear(); }, true},
        {"rebranding without description", 2, true,
         [](VariableDialogFields& f) { f.description.clear(); }, false},
        {"description not needed without rebranding", 2, false,
         [](VariableDialogFields& f) { f.description.clear(); }, true},
        {"include kinds ignore the box", 4, true,
         [](VariableDialogFields& f) { f.description.clear(); }, true},
        {"include without file name", 5, false, [](VariableDialogFields& f) { f.fileName.clear(); },
         false},
        {"file name is no value for typed kinds", 0, false,
         [](VariableDialogFields& f) { f.fileName.clear(); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        VariableDialogFields f = Filled(c.kind, c.box);
        c.change(f);
        EXPECT_EQ(EvaluateVariableDialog(f).acceptEnabled, c.enabled);
    }
}

TEST(VariableDialogModelTest, ApplyTakesTheKindsEditorAndSettlesRebranding) {
    Variable entry;
    entry.orderKey = "00001003";
    ApplyVariableDialog(Filled(kLongHtmlFragment, true), entry);
    EXPECT_EQ(entry.name, "Name");
    EXPECT_EQ(entry.kind, kLongHtmlFragment);
    EXPECT_EQ(entry.value, "multi\r\nline");
    EXPECT_EQ(entry.description, "shown to resellers");
    EXPECT_EQ(entry.canRebrand, 1);
    EXPECT_EQ(entry.orderKey, "00001003");

    ApplyVariableDialog(Filled(kIncludeTextToHtml, true), entry);
    EXPECT_EQ(entry.value, "/some/file.txt");
    EXPECT_EQ(entry.description, "");
    EXPECT_EQ(entry.canRebrand, 0);

    ApplyVariableDialog(Filled(kHtmlFragment, false), entry);
    EXPECT_EQ(entry.value, "single");
    EXPECT_EQ(entry.description, "");
    EXPECT_EQ(entry.canRebrand, 0);
}

TEST(VariableDialogModelTest, ChecksStopAtTheFirstRefusal) {
    test::TempDir dir;
    const std::string empty = dir.Write("empty.txt", "");
    VariableList existing(1);
    existing[0].name = "Name";

    test::RecordingPrompter prompter;
    VariableDialogFields f = Filled(kIncludeHtml, false);
    f.name = "1st";
    f.fileName = dir.File("missing.txt");
    VariableDialogCheck check = CheckVariableDialog(f, VariableDialogMode::Add, existing, prompter);
    EXPECT_FALSE(check.accepted);
    EXPECT_EQ(check.focus, VariableField::Name);
    EXPECT_EQ(check.message, "The first character of the Variable name must be a letter.");
    EXPECT_EQ(prompter.messages, std::vector<std::string>{check.message});

    prompter = {};
    f.name = "Other";
    check = CheckVariableDialog(f, VariableDialogMode::Add, existing, prompter);
    EXPECT_EQ(check.focus, VariableField::FileName);
    EXPECT_EQ(prompter.messages, (std::vector<std::string>{"File does not exist."}));

    prompter = {};
    f.fileName = empty;
    check = CheckVariableDialog(f, VariableDialogMode::Add, existing, prompter);
    EXPECT_EQ(check.focus, VariableField::FileName);
    EXPECT_EQ(check.message, "The file is empty, include it anyway?");

    prompter = {};
    prompter.answers = {Answer::Yes};
    EXPECT_TRUE(CheckVariableDialog(f, VariableDialogMode::Add, existing, prompter).accepted);

    // A file is not checked for the typed kinds; the replace question is the Add dialog's.
    prompter = {};
    f = Filled(kHtmlFragment, false);
    f.fileName = dir.File("missing.txt");
    check = CheckVariableDialog(f, VariableDialogMode::Add, existing, prompter);
    EXPECT_EQ(check.focus, VariableField::Name);
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(CheckVariableDialog(f, VariableDialogMode::Edit, existing, prompter).accepted);
    EXPECT_EQ(prompter.questions.size(), 1u);
}

TEST(VariableDialogModelTest, BrowseFilterListsTextFirstOnlyForKindFive) {
    EXPECT_EQ(IncludeFileFilter(kIncludeTextToHtml),
              "Text Files (*.txt)|*.txt|HTML Files (*.htm;*.html)|*.htm;*.html|All Files "
              "(*.*)|*.*||");
    EXPECT_EQ(IncludeFileFilter(kIncludeHtml),
              "HTML Files (*.htm;*.html)|*.htm;*.html|Text Files (*.txt)|*.txt|All Files "
              "(*.*)|*.*||");
}

}  // namespace
}  // namespace nbx
