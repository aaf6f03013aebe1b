// The one table of settings that tamselc show prints and tamselc set parses, and set's path
// through the dialogs' OK rules.

#include "appmodel/SettingFields.h"

#include <functional>
#include <set>

#include <gtest/gtest.h>

#include "project/Project.h"

namespace nbx {
namespace {

// A project whose every dialog's checks pass, away from the defaults.
Project Configured() {
    Project p;
    p.splashBitmap.clear();
    p.title = "T";
    p.author = "A";
    p.copyright = "C";
    p.outputExe = "/out/book";
    p.buildRebrander = 1;
    p.rebranderExe = "/out/rebrand";
    p.rebranderTitle = "R";
    p.initialWidth = 800;
    p.initialHeight = 600;
    p.extensions = {"/a.so", "/b.so"};
    p.colors = {1, 2, 3, 4, 5, 6};
    p.windowResizable = p.windowResizableCopyA = p.windowResizableCopyB = 0;
    return p;
}

TEST(SettingFieldsTest, EveryNameIsFoundAndEveryValueSetsBackToItself) {
    const Project configured = Configured();
    std::set<std::string> names;
    for (const SettingField& field : SettingFields()) {
        EXPECT_TRUE(names.insert(field.name).second) << field.name << " twice";
        EXPECT_EQ(FindSettingField(field.name), &field);
        Project p = configured;
        const auto problem =
            ApplySettings(p, {{field.name, SettingText(configured, field)}}, nullptr);
        if (field.form == SettingForm::Shown) {
            ASSERT_TRUE(problem.has_value()) << field.name;
            EXPECT_EQ(problem->message, field.changedBy) << field.name;
            continue;
        }
        ASSERT_FALSE(problem.has_value()) << field.name << ": " << problem->message;
        EXPECT_TRUE(static_cast<const ProjectSettings&>(p) == configured) << field.name;
        EXPECT_TRUE(p.IsModified()) << field.name;
    }
    EXPECT_EQ(FindSettingField("Title"), nullptr);
}

TEST(SettingFieldsTest, SetGoesThroughTheDialogsRules) {
    const struct {
        std::vector<SettingAssignment> set;
        std::function<bool(const Project&)> holds;
        const char* what;
    } cases[] = {
        {{{"windowResizable", "1"}},
         [](const Project& p) {
             return p.windowResizable == 1 && p.windowResizableCopyA == 1 &&
                    p.windowResizableCopyB == 1;
         },
         "the two copies follow windowResizable"},
        {{{"initialWidth", "-2"}},
         [](const Project& p) { return p.initialHeight == -2; },
         "a size code fills both sizes"},
        {{{"buildRebrander", "1"}, {"rebranderTitle", ""}, {"title", "Book"}},
         [](const Project& p) { return p.rebranderTitle == "Rebrand Book"; },
         "a Rebrander that is on takes the title it shows"},
        {{{"buildRebrander", "0"}, {"rebranderTitle", ""}},
         [](const Project& p) { return p.rebranderTitle.empty(); },
         "with the Rebrander off a blank title stays blank"},
        {{{"onStart", "  run me \t"}},
         [](const Project& p) { return p.onStart == "run me"; },
         "event handlers are trimmed"},
        {{{"toolbarButtons", "0,0,0,0,0,0,0,0,0,0,0,1"}},
         [](const Project& p) { return p.toolbarButtons[11] == 1 && p.toolbarButtons[0] == 0; },
         "toolbar buttons by position"},
    };
    for (const auto& c : cases) {
        Project p = Configured();
        const auto problem = ApplySettings(p, c.set, nullptr);
        ASSERT_FALSE(problem.has_value()) << c.what << ": " << problem->message;
        EXPECT_TRUE(c.holds(p)) << c.what;
    }
}

TEST(SettingFieldsTest, AFailureChangesNothing) {
    const struct {
        std::vector<SettingAssignment> set;
        const char* field;
        const char* message;
    } cases[] = {
        {{{"title", "New"}, {"menuShown", "2"}}, "", "menuShown must be 0 or 1"},
        {{{"title", "New"}, {"initialWidth", "99"}},
         "initialWidth",
         "X size must be between 100 and 2000"},
        {{{"windowResizable", "1"}, {"affiliateNickname", std::string(33, 'n')}},
         "affiliateNickname",
         "the nickname is at most 32 bytes long"},
        {{{"colors", "1,2,3"}},
         "",
         "colors must be 6 colours (0xBBGGRR or decimal) separated by commas"},
        {{{"modified", "0"}}, "", "modified is not a setting"},
        {{{"variables", ""}}, "", "the variables are changed with tamselc var"},
    };
    for (const auto& c : cases) {
        const Project before = Configured();
        Project p = before;
        const auto problem = ApplySettings(p, c.set, nullptr);
        ASSERT_TRUE(problem.has_value()) << c.message;
        EXPECT_EQ(problem->field, c.field);
        EXPECT_EQ(problem->message, c.message);
        EXPECT_TRUE(static_cast<const ProjectSettings&>(p) == before) << c.message;
        EXPECT_FALSE(p.IsModified()) << c.message;
    }
}

TEST(SettingFieldsTest, AssignmentsSplitAtTheFirstEqualsSign) {
    const auto a = ParseAssignment("onStart=a=b");
    ASSERT_TRUE(a.has_value());
    EXPECT_EQ(a->name, "onStart");
    EXPECT_EQ(a->value, "a=b");
    EXPECT_FALSE(ParseAssignment("=x").has_value());
    EXPECT_FALSE(ParseAssignment("title").has_value());
}

}  // namespace
}  // namespace nbx
