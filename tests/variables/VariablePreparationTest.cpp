#include "variables/VariablePreparation.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"
#include "variables/VariableKind.h"

namespace nbx {
namespace {

constexpr const char* kEditAdvice =
    "Go to the Nimbrel Variables tab, select the variable, click 'Properties' on the 'Edit' "
    "menu. You can then edit the variable.";

Variable Var(std::string name, std::int32_t kind, std::string value, std::int32_t canRebrand,
             std::string description = "") {
    Variable v;
    v.name = std::move(name);
    v.kind = kind;
    v.value = std::move(value);
    v.canRebrand = canRebrand;
    v.description = std::move(description);
    return v;
}

TEST(VariablePreparationTest, ResolvesEveryVariableInListOrder) {
    test::TempDir dir;
    const std::string file = dir.Write("inc.txt", "x \t\r\ny\x01");
    const std::vector<Variable> list = {
        Var("Shop", kHtmlFragment, "<a>", 1, "your shop"),
        Var("Plain", kTextToHtml, "a  b", 0, "dropped"),
        // A project file may hold Can Rebrand on an include kind: it goes out without it.
        Var("Inc", kIncludeTextToHtml, file, 1, "not for include kinds"),
        Var("Raw", kIncludeHtml, file, 0),
    };
    const VariablePreparation result = PrepareBuildVariables(list);
    ASSERT_TRUE(result.ok) << result.errorTitle;
    EXPECT_EQ(result.variables, (std::vector<BuildVariable>{
                                    {"Shop", "your shop", "<a>", 1, kHtmlFragment},
                                    {"Plain", "", "a  b", 0, kTextToHtml},
                                    {"Inc", "", "x<BR>y ", 0, kIncludeTextToHtml},
                                    {"Raw", "", "x     \r\ny ", 0, kIncludeHtml},
                                }));
    EXPECT_TRUE(result.errorTitle.empty());
    EXPECT_TRUE(PrepareBuildVariables({}).ok);
}

TEST(VariablePreparationTest, StopsAtTheFirstFaultyVariable) {
    test::TempDir dir;
    const std::string empty = dir.Write("empty.txt", "");
    struct Case {
        Variable faulty;
        std::string title;
        std::string advice;
    };
    const Case cases[] = {
        {Var("tab", kHtmlFragment, "", 0),
         "The Nimbrel Variable 'tab' is invalid. You can not call your variable 'tab' as this "
         "variable name is used for a predefined system variable.",
         kEditAdvice},
        {Var("", kHtmlFragment, "", 0),
         "The Nimbrel Variable '' is invalid. Variable must have a name.", kEditAdvice},
        {Var("Shop", kLongHtmlFragment, "x", 1),
         "The Nimbrel Variable 'Shop' has been set to be rebrandable but has no description.",
         "Go to the Nimbrel Variables tab, select the variable, click 'Properties' on the "
         "'Edit' menu. You can then turn off the Rebrand option or enter a description."},
        {Var("Inc", kIncludeHtml, empty, 0),
         "The Nimbrel Variable called 'Inc' includes a file which does not exist or could not "
         "be read.",
         kEditAdvice},
        {Var("Gone", kIncludeTextToHtml, dir.File("missing.txt"), 1),
         "The Nimbrel Variable called 'Gone' includes a file which does not exist or could "
         "not be read.",
         kEditAdvice},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        // A later faulty variable is never reached.
        const VariablePreparation result = PrepareBuildVariables(
            {Var("Fine", kHtmlFragment, "v", 0), c.faulty, Var("win", kHtmlFragment, "", 0)});
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.errorTitle, c.title);
        EXPECT_EQ(result.errorAdvice, c.advice);
        EXPECT_TRUE(result.variables.empty());
    }
}

}  // namespace
}  // namespace nbx
