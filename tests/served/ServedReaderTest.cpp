// The served reader's start: the window it asks the browser for, and a book that can't be
// opened, which gets the message and exit code 1 without anything being served.

#include "reader/ServedReader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "ServedBook.h"
#include "support/TempDir.h"

namespace nbx::test {
namespace {

TEST(ServedReaderTest, AsksTheBrowserForTheBooksWindowSize) {
    struct Case {
        int width;
        int height;
        platform::BrowserWindow window;
    };
    const Case cases[] = {
        {640, 480, {640, 480, false}}, {-1, 480, {0, 0, true}},
        {640, -1, {0, 0, true}},       {-3, -3, {1024, 768, false}},
        {-2, -2, {1024, 768, false}},  {5000, 5000, {2000, 2000, false}},
        {50, 480, {1024, 768, false}},
    };
    for (const Case& c : cases) {
        BuildSettings settings;
        settings.initialWidth = c.width;
        settings.initialHeight = c.height;
        const platform::BrowserWindow w = reader::BrowserWindowFor(settings);
        EXPECT_EQ(w.width, c.window.width) << c.width << "x" << c.height;
        EXPECT_EQ(w.height, c.window.height) << c.width << "x" << c.height;
        EXPECT_EQ(w.maximized, c.window.maximized) << c.width << "x" << c.height;
    }
}

// What a stream written by the reader holds; the stream is closed.
std::string TextOf(std::FILE* f) {
    std::rewind(f);
    std::string s;
    char buffer[512];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, f)) {
        s.append(buffer, n);
    }
    std::fclose(f);
    return s;
}

TEST(ServedReaderTest, ABookThatCannotBeOpenedIsExplainedAndNotServed) {
    TempDir dir;
    const std::string path = dir.Write("stub-alone", ReadWholeFile(kProgramDir + "/eview.dat"));
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(reader::RunServedReader(path, {}, out, err), 1);
    EXPECT_EQ(TextOf(out), "");  // no address: nothing is served
    EXPECT_EQ(TextOf(err).rfind("This e-book can't be opened", 0), 0u);
}

// A book run from a console with --help or --version answers there and starts nothing: no
// server, no browser (BROWSER would leave a mark).
TEST(ServedReaderTest, HelpAndVersionAnswerWithoutStartingAnything) {
    TempDir dir;
    const std::string path = dir.File("lighthouse");
    BuildSettings settings = ServedBookSettings();
    settings.buildYear = 2026;
    settings.buildMonth = 12;
    settings.buildDay = 10;
    ASSERT_EQ(WriteServedBook(dir, path, settings), "");
    const std::string marker = dir.File("browser-started");
    ::setenv("BROWSER", ("touch " + marker).c_str(), 1);
    struct Case {
        std::string argument;
        std::string begins;
    };
    const Case cases[] = {
        {"--version", "The Lighthouse Book\nE-book reader 4.22, built 2026-12-10\n"},
        {"--help", "Usage: lighthouse [--help | --version]\n"},
    };
    for (const Case& c : cases) {
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        EXPECT_EQ(reader::RunServedReader(path, {c.argument}, out, err), 0) << c.argument;
        EXPECT_EQ(TextOf(out).rfind(c.begins, 0), 0u) << c.argument;
        EXPECT_EQ(TextOf(err), "") << c.argument;
    }
    ::unsetenv("BROWSER");
    EXPECT_FALSE(std::filesystem::exists(marker));
}

}  // namespace
}  // namespace nbx::test
