// The browser's way in to a served program: a page that only this user can read.

#include "platform/LaunchFile.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/AsNobody.h"
#include "support/TempDir.h"

namespace nbx::platform {
namespace {

const std::string kAddress = "http://127.0.0.1:4242/0123456789abcdef0123456789abcdef/";

std::string PathOf(const LaunchFile& launch) {
    const std::string url = launch.Url();
    EXPECT_TRUE(url.starts_with("file:///")) << url;
    return url.substr(7);
}

class LaunchFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        saved_ = runtime ? std::optional<std::string>(runtime) : std::nullopt;
    }
    void TearDown() override {
        if (saved_) {
            ::setenv("XDG_RUNTIME_DIR", saved_->c_str(), 1);
        } else {
            ::unsetenv("XDG_RUNTIME_DIR");
        }
    }
    std::optional<std::string> saved_;
};

TEST_F(LaunchFileTest, APrivatePageInTheUsersRuntimeFolderLeadsOnToTheAddress) {
    test::TempDir dir;
    const std::string runtime = dir.File("runtime");
    std::filesystem::create_directory(runtime);
    ::chmod(runtime.c_str(), 0700);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    LaunchFile launch;
    std::string error;
    ASSERT_TRUE(launch.Create(kAddress, "Tom & <Jerry>", error)) << error;
    const std::string path = PathOf(launch);
    EXPECT_EQ(std::filesystem::path(path).parent_path(), runtime);
    EXPECT_TRUE(path.ends_with(".html"));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    const std::string page = test::ReadWholeFile(path);
    EXPECT_NE(page.find("<meta http-equiv=\"refresh\" content=\"0;url=" + kAddress + "\">"),
              std::string::npos)
        << page;
    EXPECT_NE(page.find("<title>Tom &amp; &lt;Jerry&gt;</title>"), std::string::npos);
    // Another user cannot read it, even knowing its name.
    test::OpenToEveryone(runtime + "/x");
    ::chmod(runtime.c_str(), 0755);
    EXPECT_EQ(test::RunAsNobody([&] {
                  return std::filesystem::exists(path) && test::ReadWholeFile(path).empty()
                             ? std::string("unreadable")
                             : std::string("read");
              }),
              "unreadable");
    launch.Remove();
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(launch.Url().empty());
}

// A runtime folder that others may enter, or that is not there, is not used: a folder of
// the program's own, which only this user may enter, takes its place and goes with the page.
TEST_F(LaunchFileTest, WithoutAPrivateRuntimeFolderAFolderOfItsOwnIsMade) {
    test::TempDir dir;
    const std::string open = dir.File("open");
    std::filesystem::create_directory(open);
    ::chmod(open.c_str(), 0755);
    for (const char* runtime : {open.c_str(), "relative/folder", "/nonexistent/folder"}) {
        ::setenv("XDG_RUNTIME_DIR", runtime, 1);
        LaunchFile launch;
        std::string error;
        ASSERT_TRUE(launch.Create(kAddress, "Book", error)) << error;
        const std::filesystem::path folder = std::filesystem::path(PathOf(launch)).parent_path();
        EXPECT_NE(folder, std::filesystem::path(open)) << runtime;
        struct stat st {};
        ASSERT_EQ(::stat(folder.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u) << runtime;
        launch.Remove();
        EXPECT_FALSE(std::filesystem::exists(folder)) << runtime;
    }
}

TEST(LaunchPageTest, AnAddressCannotLeaveItsAttribute) {
    const std::string page = LaunchPage("http://127.0.0.1:1/a\"><script>x</script>/", "t");
    EXPECT_EQ(page.find("<script>"), std::string::npos);
    EXPECT_NE(page.find("&quot;&gt;&lt;script&gt;"), std::string::npos);
}

}  // namespace
}  // namespace nbx::platform
