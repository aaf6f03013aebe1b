#include "extensions/ExtensionLoader.h"

#include <filesystem>
#include <fstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ExtensionTestSupport.h"
#include "extensions/ExtensionBuildSteps.h"
#include "platform/ConfigFolder.h"
#include "project/Project.h"
#include "support/RecordingPrompter.h"

namespace nbx {
namespace {

using test::SampleExtension;
using ::testing::ElementsAre;

class ExtensionLoaderTest : public ::testing::Test {
protected:
    void TearDown() override {
        UnloadExtensions(registry, nullptr);
        std::filesystem::remove(platform::ProfileFilePath(kExtensionConfigFile));
    }
    void Configure(const std::string& text) {
        std::ofstream(platform::ProfileFilePath(kExtensionConfigFile)) << text;
    }

    test::ExtensionCallLog log;
    test::RecordingPrompter prompter;
    ExtensionRegistry registry;
};

TEST_F(ExtensionLoaderTest, OnlySectionsBeginningWithExtensionAreRead) {
    Configure(
        "[extension]\nLOAD=/a.so\n[Extension2]\nload=  /b.so  \n[EXTENSIONS]\nLOAD=/c.so\n"
        "[MyExtension]\nLOAD=/d.so\n[Extension3]\nLOAD=   \n[EXTENSION4]\nOTHER=/e.so\n");
    EXPECT_THAT(ConfiguredExtensionPaths(), ElementsAre("/a.so", "/b.so", "/c.so"));
}

TEST_F(ExtensionLoaderTest, LoadsConfiguredLibrariesAndCallsThemInOrder) {
    const std::string runtime = SampleExtension("runtime");
    Configure("[Extension1]\nLOAD=" + runtime + "\n[Extension2]\nLOAD=" + runtime + "\n");
    LoadConfiguredExtensions(registry, prompter, nullptr);

    EXPECT_TRUE(prompter.messages.empty());
    ASSERT_EQ(registry.records().size(), 1u);  // the second load replaced the first record
    const ExtensionInfo& info = *registry.Find(runtime);
    EXPECT_EQ(info.name, "Sample runtime");
    EXPECT_EQ(info.version, "1.0");
    const std::string args = " reserved=null host=host0 window=null";
    const std::string load[] = {"runtime GetName" + args, "runtime GetVersion" + args,
                                "runtime Init" + args};
    EXPECT_THAT(log.Lines(), ElementsAre(load[0], load[1], load[2], load[0], load[1], load[2]));

    EXPECT_TRUE(IsRuntimeExtension(info, nullptr));
    UnloadExtensions(registry, nullptr);
    EXPECT_TRUE(registry.records().empty());
    EXPECT_THAT(log.Lines(), ::testing::Contains("runtime IsRuntime 4 22"));
    EXPECT_EQ(log.Lines().back(), "runtime Exit" + args);
}

TEST_F(ExtensionLoaderTest, RefusedLibrariesGiveTheirMessages) {
    test::TempDir dir;
    const std::string notALibrary = dir.Write("plain.so", "not a library");
    const std::string noExit = SampleExtension("noexit");
    EXPECT_FALSE(LoadExtension(registry, dir.File("missing.so"), prompter, nullptr));
    EXPECT_FALSE(LoadExtension(registry, notALibrary, prompter, nullptr));
    EXPECT_FALSE(LoadExtension(registry, noExit, prompter, nullptr));
    EXPECT_THAT(prompter.messages,
                ElementsAre(dir.File("missing.so") + " could not be loaded.",
                            notALibrary + " could not be loaded.",
                            noExit + " is not an Nimbrel E-Book Extension library."));
    EXPECT_TRUE(registry.records().empty());
    EXPECT_TRUE(log.Lines().empty());  // a refused library is never called
}

TEST_F(ExtensionLoaderTest, AFullNameBufferIsCutAt255Characters) {
    ASSERT_TRUE(LoadExtension(registry, SampleExtension("design"), prompter, nullptr));
    EXPECT_EQ(registry.Find(SampleExtension("design"))->version, std::string(255, 'v'));
}

TEST_F(ExtensionLoaderTest, MissingConfigurationLoadsNothing) {
    LoadConfiguredExtensions(registry, prompter, nullptr);
    EXPECT_TRUE(registry.records().empty());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(ExtensionLoaderTest, BuildStepsEmbedSelectedRuntimeLibrariesInRegistryOrder) {
    test::TempDir a, b;
    // The same library file name in two folders gives two entries of the same name.
    const std::string first = a.File("libshared.so");
    const std::string second = b.File("libshared.so");
    std::filesystem::copy_file(SampleExtension("runtime"), first);
    std::filesystem::copy_file(SampleExtension("runtime_info"), second);
    const std::string design = SampleExtension("design");
    for (const auto& path : {first, second, design}) {
        ASSERT_TRUE(LoadExtension(registry, path, prompter, nullptr));
    }
    const std::string unselected = SampleExtension("runtime");
    ASSERT_TRUE(LoadExtension(registry, unselected, prompter, nullptr));

    const std::vector<std::string> selected = {second, design, first};
    EXPECT_TRUE(AllSelectedExtensionsInstalled(selected, registry));
    const auto embedded = RuntimeLibrariesToEmbed(selected, registry, nullptr);
    ASSERT_EQ(embedded.size(), 2u);
    EXPECT_EQ(embedded[0].entryName, "__nxa__libshared.so");
    EXPECT_EQ(embedded[1].entryName, "__nxa__libshared.so");
    EXPECT_EQ(embedded[0].path, std::min(first, second));
    EXPECT_EQ(embedded[1].path, std::max(first, second));

    const std::vector<std::string> withMissing = {first, "/gone/libOld.so", "/gone/b.so"};
    EXPECT_FALSE(AllSelectedExtensionsInstalled(withMissing, registry));
    Project project;
    project.extensions = withMissing;
    EXPECT_EQ(FindMissingExtensions(project, registry), "/gone/libOld.so\n/gone/b.so\n");
}

TEST(ExtensionRegistryTest, PathsCompareExactly) {
    ExtensionRegistry registry;
    ExtensionInfo info;
    info.path = "/ext/MyExt.so";
    registry.Store(std::move(info));
    EXPECT_TRUE(registry.Contains("/ext/MyExt.so"));
    EXPECT_FALSE(registry.Contains("/EXT/MYEXT.SO"));
    EXPECT_FALSE(registry.IsInstalled("/ext/myext.so"));
}

}  // namespace
}  // namespace nbx
