#include "ServedBook.h"

#include "compile/FillBuildSettings.h"
#include "project/ProjectSettings.h"
#include "support/TestRebrander.h"

namespace nbx::test {

std::string RedPng() {
    static const char kPng[] =
        "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x18\x00\x00"
        "\x00\x18\x08\x02\x00\x00\x00\x6f\x15\xaa\xaf\x00\x00\x00\x1f\x49\x44\x41\x54\x78\xda\x63"
        "\x38\x61\xa3\x41\x15\xc4\x30\x6a\xd0\xa8\x41\xa3\x06\x8d\x1a\x34\x6a\xd0\xa8\x41\x03\x6f"
        "\x10\x00\xba\x41\xa3\x1f\xaa\xa2\x30\x22\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82";
    return std::string(kPng, sizeof kPng - 1);
}

std::vector<TestBookFile> ServedBookPages() {
    const std::string index =
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Welcome</title>"
        "<link rel=\"stylesheet\" href=\"css/book.css\"></head><body>"
        "<h1>The Lighthouse Book</h1><p class=\"lead\">Welcome aboard. Read about the "
        "<a href=\"chapters/keeper.htm\">keeper</a> and the <a href=\"lamp.html\">lamp</a>.</p>"
        "<p class=\"pictures\"><img src=\"images/red.png\" alt=\"red\"> <img "
        "src=\"images/beam.svg\" alt=\"beam\" "
        "width=\"120\"></p><p><a href=\"setup.sh\">Install the tools</a></p></body></html>\n";
    const std::string keeper =
        "<html><head><title>The Keeper</title><link rel=\"stylesheet\" href=\"../css/book.css\">"
        "</head><body><h1>The Keeper</h1><p>The keeper climbs the tower every evening and "
        "lights the lamp.</p><p><a href=\"../index.html\">Back home</a></p></body></html>\n";
    const std::string lamp =
        "<html><body><h1>The Lamp</h1><p>This page is about [={title}], shown as "
        "[={p}].</p></body></html>\n";
    const std::string css =
        "body { font-family: Georgia, serif; margin: 24px 36px; color: #222; }\n"
        "h1 { color: #1d4f91; border-bottom: 2px solid #1d4f91; }\n"
        ".lead { font-size: 1.1em; }\n"
        ".pictures { display: flex; gap: 12px; align-items: center; }\n";
    const std::string svg =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"120\" height=\"40\">"
        "<rect width=\"120\" height=\"40\" rx=\"8\" fill=\"#f2c14e\"/>"
        "<text x=\"60\" y=\"26\" font-size=\"16\" text-anchor=\"middle\">beam</text></svg>\n";
    return {
        {"index.html", index, "Welcome", "00001000", 1, 0, "Where the book begins"},
        {"keeper.htm", keeper, "The Keeper", "00001001", 1, 0, "Who climbs the tower"},
        {"lamp.html", lamp, "The Lamp", "00001002", 1, 1, "What shines"},
        {"book.css", css, ""},
        {"red.png", RedPng(), ""},
        {"beam.svg", svg, ""},
        {"setup.sh", "#!/bin/sh\necho installed > /tmp/nbx-served-must-not-exist\n", ""},
    };
}

std::string ServedPage(const std::string& name) {
    for (const TestBookFile& f : ServedBookPages()) {
        if (f.name == name) {
            return f.data;
        }
    }
    return {};
}

BuildSettings ServedBookSettings() {
    ProjectSettings project;
    project.title = "The Lighthouse Book";
    project.author = "Ann Author";
    BuildSettings settings = FillBuildSettings(project, "/opt/tamsel", kProgramDir + "/eview.dat",
                                               {2024, 3, 9, 14, 5, 7, 6});
    settings.menuShown = 1;
    settings.toolbarInitially = 1;
    settings.statusBarInitially = 1;
    settings.contentsPopupList = 1;
    settings.nextButton = 1;
    settings.previousButton = 1;
    settings.exitButton = 1;
    settings.toolbarButtons.fill(1);
    settings.contentsDescriptions = 1;
    return settings;
}

std::string WriteServedBook(const TempDir& dir, const std::string& path,
                            const BuildSettings& settings, const std::string& stub) {
    std::vector<TestBookFile> files = ReaderDataFiles(kProgramDir);
    for (TestBookFile& page : ServedBookPages()) {
        files.push_back(std::move(page));
    }
    return WriteTestBook(dir, kProgramDir + "/" + stub, path, settings, files);
}

std::string WritePondBookAndRebrander(const TempDir& dir, const std::string& bookPath,
                                      const std::string& rebranderPath) {
    constexpr std::uint32_t kBuildTime = 1730000000;
    BuildSettings settings;
    settings.title = "Pond Life";
    std::vector<TestBookFile> files = ReaderDataFiles(kProgramDir);
    files.push_back({"index.html", "<p>[={Shop}]</p>", ""});
    const std::string error =
        WriteTestBook(dir, kProgramDir + "/eview.dat", bookPath, settings, files,
                      {{"Shop", "Your <shop>", "none", 1, 0},
                       {"Address", "Your address", "1 Pond Lane\r\nFrogton", 1, 2}},
                      kBuildTime);
    if (!error.empty()) {
        return error;
    }
    RebranderRecord record;
    record.ebookFileName = "pond";
    record.rebranderTitle = "Rebrand Pond Life";
    record.rebranderStartMessage = "Welcome, <b>reseller</b>.";
    record.rebranderEndMessage = "All done.";
    return WriteTestRebrander(rebranderPath, ReadWholeFile(kProgramDir + "/rebrand.dat"), record,
                              kBuildTime)
               ? ""
               : "the Rebrander was not written";
}

}  // namespace nbx::test
