// Where the output file dialogs open: a path whose folder is missing keeps its name below the
// nearest folder that exists, so that Save gives the same path back.

#include "appmodel/OutputFileChoice.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace nbx {
namespace {

TEST(OutputFileChoiceTest, OpensWhereThePathLies) {
    test::TempDir dir;
    dir.Write("out/old", "book");
    const std::string root = dir.path();
    struct Case {
        std::string path;
        std::string folder;
        std::string name;
    };
    const Case cases[] = {
        {root + "/out/mybook", root + "/out", "mybook"},
        {root + "/new/out/mybook", root, "new/out/mybook"},
        {root + "/out/../out/mybook", root + "/out", "mybook"},
        {root + "/out/", root + "/out", ""},
        {root + "/missing/", root, ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        const SaveDialogStart start = SaveDialogStartOf(c.path);
        EXPECT_EQ(start.folder, c.folder) << c.path;
        EXPECT_EQ(start.name, c.name) << c.path;
    }
    // All files first: a book here has no ending.
    EXPECT_EQ(kOutputFileFilter.rfind("All Files (*.*)|*.*|", 0), 0u);
}

}  // namespace
}  // namespace nbx
