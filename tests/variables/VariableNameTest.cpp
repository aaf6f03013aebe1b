#include "variables/VariableName.h"

#include <gtest/gtest.h>

#include <set>

#include "variables/VariableKind.h"

namespace nbx {
namespace {

TEST(VariableKindTest, NamesEditorsAndRebranding) {
    struct Row {
        std::int32_t kind;
        const char* longName;
        const char* shortName;
        ValueEditor editor;
        bool rebrandable;
    };
    const Row rows[] = {
        {0, "HTML Fragment", "HTML", ValueEditor::SingleLine, true},
        {1, "Text to convert to HTML", "Text -> HTML", ValueEditor::SingleLine, true},
        {2, "Long HTML Fragment", "Long HTML", ValueEditor::MultiLine, true},
        {3, "Long Text to convert to HTML", "Long Text -> HTML", ValueEditor::MultiLine, true},
        {4, "Compile Time Include HTML Fragment", "Include HTML", ValueEditor::FileName, false},
        {5, "Compile Time Include to convert to HTML", "Include -> HTML", ValueEditor::FileName,
         false},
        {-1, "Error", "Error", ValueEditor::SingleLine, false},
        {6, "Error", "Error", ValueEditor::SingleLine, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.kind);
        EXPECT_EQ(KindLongName(r.kind), r.longName);
        EXPECT_EQ(KindShortName(r.kind), r.shortName);
        EXPECT_EQ(EditorForKind(r.kind), r.editor);
        EXPECT_EQ(IsRebrandableKind(r.kind), r.rebrandable);
        EXPECT_EQ(IsIncludeKind(r.kind), r.kind == 4 || r.kind == 5);
    }
    EXPECT_EQ(MaxValueLength(ValueEditor::MultiLine), 8192u);
    EXPECT_EQ(MaxValueLength(ValueEditor::SingleLine), 255u);
}

TEST(VariableNameTest, ReservedNamesAreFiftyDistinctLowerCaseNames) {
    const std::set<std::string_view> distinct(kReservedVariableNames.begin(),
                                              kReservedVariableNames.end());
    EXPECT_EQ(distinct.size(), kReservedVariableNames.size());
    EXPECT_EQ(kReservedVariableNames.front(), "win");
    EXPECT_EQ(kReservedVariableNames.back(), "exename");
    for (std::string_view name : kReservedVariableNames) {
        std::string message;
        EXPECT_FALSE(ValidateVariableName(name, message)) << name;
    }
}

TEST(VariableNameTest, RulesApplyInOrder) {
    const std::string letters = "Variable names may contain only letters and digits.";
    const std::string firstLetter = "The first character of the Variable name must be a letter.";
    struct Case {
        std::string name;
        std::string message;  // empty: valid
    };
    const Case cases[] = {
        {"a1", ""},
        {"Win", ""},
        {"TITLE", ""},
        {"winx", ""},
        {"MyVariable", ""},
        {std::string(255, 'z'), ""},
        {"", "Variable must have a name."},
        {"1a", firstLetter},
        {"my_var", letters},
        {"my var", letters},
        {"1_", letters},  // the character rule comes before the first-letter rule
        {"caf\xC3\xA9", letters},
        {std::string("a\0b", 3), letters},
        {"win",
         "You can not call your variable 'win' as this variable name is used for a predefined "
         "system variable."},
        {"title",
         "You can not call your variable 'title' as this variable name is used for a "
         "predefined system variable."},
        {"p",
         "You can not call your variable 'p' as this variable name is used for a predefined "
         "system variable."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string message = "stale";
        EXPECT_EQ(ValidateVariableName(c.name, message), c.message.empty());
        EXPECT_EQ(message, c.message);
    }
}

}  // namespace
}  // namespace nbx
