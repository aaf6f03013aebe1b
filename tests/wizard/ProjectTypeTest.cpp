#include "wizard/core/ProjectType.h"

#include <gtest/gtest.h>

namespace nbx::wizard {
namespace {

TEST(ProjectTypeTest, SixTypesSortedByNameWithTheirIncludeFolders) {
    const auto& types = ProjectTypes();
    const std::pair<const char*, bool> expected[] = {
        {"From HTML Documents - for example HTML files created \"by hand\"", true},
        {"Microsoft PowerPoint 2000", false},
        {"Microsoft PowerPoint 97", false},
        {"Microsoft Word 2000", false},
        {"Microsoft Word 97", false},
        {"Other authoring software", true},
    };
    ASSERT_EQ(types.size(), std::size(expected));
    for (std::size_t i = 0; i < types.size(); ++i) {
        EXPECT_EQ(types[i].name, expected[i].first);
        EXPECT_EQ(types[i].usesIncludeFolder, expected[i].second) << types[i].name;
        EXPECT_EQ(FindProjectType(types[i].name), static_cast<int>(i));
    }
    EXPECT_EQ(FindProjectType("microsoft word 97"), -1);
    EXPECT_EQ(FindProjectType(""), -1);
}

// --type by name: the whole name, or a part of it that fits one type only.
TEST(ProjectTypeTest, APartOfTheNameThatFitsOneTypeChoosesIt) {
    struct Case {
        const char* text;
        int position;
        std::vector<int> candidates;
    };
    const Case cases[] = {
        {"Microsoft Word 97", 4, {}}, {"html", 0, {0}},  {"From HTML Documents", 0, {0}},
        {"word 2000", 3, {3}},        {"OTHER", 5, {5}}, {"Word", -1, {3, 4}},
        {"PowerPoint", -1, {1, 2}},   {"Excel", -1, {}}, {"", -1, {}},
    };
    for (const Case& c : cases) {
        const ProjectTypeMatch match = MatchProjectType(c.text);
        EXPECT_EQ(match.position, c.position) << c.text;
        EXPECT_EQ(match.candidates, c.candidates) << c.text;
    }
}

}  // namespace
}  // namespace nbx::wizard
