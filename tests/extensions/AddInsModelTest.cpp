#include "extensions/AddInsModel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ExtensionTestSupport.h"
#include "extensions/ExtensionLoader.h"
#include "project/Project.h"
#include "support/RecordingPrompter.h"

namespace nbx {
namespace {

using test::SampleExtension;
using ::testing::ElementsAre;

class AddInsModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const auto& p : {info, plain, design}) {
            ASSERT_TRUE(LoadExtension(registry, p, prompter, nullptr));
        }
        project.sourceFolder = "/books/source";
        project.onStart = "  ##RUN('intro')\r\n";
        project.onExit = "\t";
        project.extensions = {plain, "/gone/libold.so", design, plain};
    }
    void TearDown() override { UnloadExtensions(registry, nullptr); }

    std::size_t RowOf(const std::string& path, const AddInsModel& model) {
        for (std::size_t i = 0; i < model.rows().size(); ++i) {
            if (model.rows()[i].path == path)
                return i;
        }
        ADD_FAILURE() << path;
        return 0;
    }

    test::ExtensionCallLog log;
    const std::string info = SampleExtension("runtime_info");
    const std::string plain = SampleExtension("runtime");
    const std::string design = SampleExtension("design");
    test::RecordingPrompter prompter;
    ExtensionRegistry registry;
    Project project;
};

TEST_F(AddInsModelTest, RowsListRuntimeExtensionsThenMissingOnes) {
    AddInsModel model(project, registry, nullptr);
    ASSERT_EQ(model.rows().size(), 3u);  // the design-time extension is not listed
    const AddInRow& plainRow = model.rows()[RowOf(plain, model)];
    EXPECT_EQ(plainRow.load, "Load");
    EXPECT_EQ(plainRow.module, "libnbxext_runtime.so");
    EXPECT_EQ(plainRow.name, "Sample runtime 1.0 [libnbxext_runtime.so]");
    EXPECT_EQ(model.rows()[RowOf(info, model)].load, "");
    const AddInRow& missing = model.rows().back();
    EXPECT_EQ(missing.kind, AddInRowKind::Missing);
    EXPECT_EQ(missing.load, "Error");
    EXPECT_EQ(missing.name, "libold.so could not be found");
    EXPECT_EQ(model.onStart, "##RUN('intro')");
    EXPECT_EQ(model.onExit, "");
}

TEST_F(AddInsModelTest, ButtonsFollowTheSelectedRow) {
    AddInsModel model(project, registry, nullptr);
    const auto none = model.Buttons(std::nullopt);
    EXPECT_FALSE(none.add || none.remove || none.info);
    const std::size_t row = RowOf(info, model);
    auto b = model.Buttons(row);
    EXPECT_TRUE(b.add && !b.remove && b.info);
    model.Add(row);
    b = model.Buttons(row);
    EXPECT_TRUE(!b.add && b.remove && b.info);
    model.Toggle(row);
    EXPECT_EQ(model.rows()[row].load, "");
    const std::size_t missing = model.rows().size() - 1;
    model.Toggle(missing);
    b = model.Buttons(missing);
    EXPECT_EQ(model.rows()[missing].load, "Error");
    EXPECT_TRUE(!b.add && !b.remove && !b.info);
}

TEST_F(AddInsModelTest, InfoAsksTheExtensionFirst) {
    AddInsModel model(project, registry, nullptr);
    const std::size_t infoRow = RowOf(info, model);
    model.Add(infoRow);
    model.Info(infoRow, prompter, nullptr);
    EXPECT_TRUE(prompter.messages.empty());  // it showed its own
    EXPECT_THAT(log.Lines(),
                ::testing::Contains("runtime_info InfoDlg loaded=1 folder=/books/source"));

    model.Info(RowOf(plain, model), prompter, nullptr);
    EXPECT_THAT(prompter.messages,
                ElementsAre("Module:\nlibnbxext_runtime.so\n\nDescription:\nSample runtime\n\n"
                            "Version:\n1.0"));
}

TEST_F(AddInsModelTest, OkKeepsChosenRowsOnceAndDropsMissingWithMessage) {
    AddInsModel model(project, registry, nullptr);
    model.Add(RowOf(info, model));
    model.ApplyTo(project, prompter);
    // The design-time extension goes silently; the path listed twice comes back once.
    std::vector<std::string> expected = {info, plain};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(project.extensions, expected);
    EXPECT_THAT(prompter.messages,
                ElementsAre("Those extensions which could not be found have been removed."));
    EXPECT_EQ(project.onStart, "##RUN('intro')");
    EXPECT_EQ(project.onExit, "");
    EXPECT_TRUE(project.IsModified());
}

}  // namespace
}  // namespace nbx
