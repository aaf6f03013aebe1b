#pragma once
// A compiler folder with the program folder's data files and a stand-in Rebrander stub, a
// source folder with a small book, and a project that builds it; shared by the build's tests.

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "compile/BuildEBook.h"
#include "extensions/ExtensionLoader.h"
#include "support/RecordingPrompter.h"
#include "support/TempDir.h"

namespace nbx {

class RecordingProgress final : public BuildProgress {
public:
    void ReportStage(std::string_view text, int percent) override {
        stages.push_back(std::string(text) + " " + std::to_string(percent));
    }
    void EndProgress() override { ++ended; }
    std::vector<std::string> stages;
    int ended = 0;
};

class BuildEBookTest : public ::testing::Test {
public:
    void SetUp() override {
        compiler = dir.File("compiler");
        std::filesystem::create_directories(compiler + "/icons/Books");
        // Both readers: the outputs here are named "*.exe", which makes Windows books.
        for (const char* name : {"eview.dat", "eview.exe.dat", "English.lng", "toolbar.tb",
                                 "splash16.bmp", "icons/Books/idr_main.ico"}) {
            std::filesystem::copy_file(std::string(NBX_PROGRAM_DIR) + "/" + name,
                                       compiler + "/" + name);
        }
        dir.Write("compiler/rebrand.dat", std::string(12345, 'R'));
        dir.Write("compiler/rebrand.exe.dat", std::string(12345, 'R'));
        env.compilerFolder = compiler;
        env.compilerPath = compiler + "/tamsel";
        env.extensions = &registry;
        env.packingWorkers = 2;

        const std::pair<const char*, std::string> files[] = {
            {"index.html", "<html><head><title>Home</title></head><body>Welcome</body></html>"},
            {"page.htm", std::string(5000, 'p')},
            {"pic.gif", "GIF89a tiny"},
            {"old.htm", "excluded page"},
        };
        for (const auto& [name, data] : files) {
            SourceFile f;
            f.path = dir.Write(std::string("src/") + name, data);
            f.title = name;
            project.files.push_back(f);
        }
        project.files[3].excluded = 1;
        project.SortFiles();
        project.sourceFolder = dir.File("src");
        project.outputExe = dir.File("out/book.exe");
        std::filesystem::create_directories(dir.File("out"));
        project.splashBitmap.clear();
        project.iconFile = compiler + "/icons/Books/idr_main.ico";
        project.title = "Test Book";

        Variable plain;
        plain.name = "Reseller";
        plain.value = "Ann & Bob";
        plain.description = "Your name";
        Variable include;
        include.name = "Footer";
        include.kind = 5;
        include.canRebrand = 0;
        include.value = dir.Write("footer.txt", "a < b\nline two");
        project.variables = {plain, include};
    }
    void TearDown() override { UnloadExtensions(registry, nullptr); }

    bool Build(std::int64_t buildTime = 1700000000, bool series = false) {
        return BuildEBook(project, ui, buildTime, series, env);
    }
    std::string OnlyMessage() {
        EXPECT_EQ(prompter.messages.size(), 1u);
        return prompter.messages.empty() ? "" : prompter.messages.back();
    }

    test::TempDir dir;
    std::string compiler;
    ExtensionRegistry registry;
    BuildEnvironment env;
    Project project;
    test::RecordingPrompter prompter;
    RecordingProgress progress;
    BuildUi ui{prompter, progress};
};

}  // namespace nbx
