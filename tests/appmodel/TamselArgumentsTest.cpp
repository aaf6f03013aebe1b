// The compiler window's command line: a project, the usage, and words that are refused
// rather than taken for a project's name.

#include "appmodel/TamselArguments.h"

#include <gtest/gtest.h>

namespace nbx {
namespace {

TEST(TamselArgumentsTest, ProjectHelpAndRefusals) {
    struct Case {
        std::vector<std::string> args;
        bool help;
        std::string project;
        std::string error;
    };
    const Case cases[] = {
        {{}, false, "", ""},
        {{"book.nxp"}, false, "book.nxp", ""},
        {{"--help"}, true, "", ""},
        {{"-h"}, true, "", ""},
        {{"book.nxp", "--help"}, true, "book.nxp", ""},
        {{"--", "-odd.nxp"}, false, "-odd.nxp", ""},
        {{"--", "--help"}, false, "--help", ""},
        {{"--verbose"}, false, "", "tamsel: unknown option --verbose"},
        {{"a.nxp", "b.nxp"}, false, "a.nxp", "tamsel: one project at a time, not also b.nxp"},
        {{"-"}, false, "-", ""},
    };
    for (const Case& c : cases) {
        const TamselArguments parsed = ParseTamselArguments(c.args);
        const std::string shown = c.args.empty() ? "(none)" : c.args.front();
        EXPECT_EQ(parsed.help, c.help) << shown;
        EXPECT_EQ(parsed.project, c.project) << shown;
        EXPECT_EQ(parsed.error, c.error) << shown;
        EXPECT_EQ(AsksForHelp(c.args), c.help) << shown;
    }
    EXPECT_NE(TamselUsage().find("Usage: tamsel [PROJECT.nxp]"), std::string::npos);
}

}  // namespace
}  // namespace nbx
