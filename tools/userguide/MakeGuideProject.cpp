// Writes the project of the user guide: the pages of docs/guide/ in a set order, built into
// the program folder as "userguide". tamselc then builds it like any other book.
//
//   nbx_make_guide_project PAGES_FOLDER OUTPUT_EBOOK PROJECT_FILE

#include <cstdio>
#include <string>

#include "common/Prompter.h"
#include "project/CTamselDoc.h"
#include "project/SourceFolderScan.h"

namespace {

// The guide's reading order.
constexpr const char* kPageOrder[] = {"index.htm",    "getting-started.htm", "tabs.htm",
                                      "building.htm", "variables.htm",       "rebrander.htm",
                                      "series.htm"};

std::string KeyFor(const std::string& path) {
    const std::string name = path.substr(path.find_last_of('/') + 1);
    for (std::size_t i = 0; i < std::size(kPageOrder); ++i) {
        if (name == kPageOrder[i]) {
            return nbx::OrderKeyForPosition(i);
        }
    }
    return "99999999";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "Usage: nbx_make_guide_project PAGES_FOLDER OUTPUT_EBOOK PROJECT\n");
        return 2;
    }
    nbx::SilentPrompter prompter;
    nbx::CTamselDoc doc;
    doc.OnNewDocument();
    nbx::Project& p = doc.project();
    p.title = "Nimbrel E-Book Compiler User Guide";
    p.author = "Nimbrel";
    p.copyright = "Nimbrel";
    p.splashBitmap.clear();
    p.sourceFolder = argv[1];
    p.outputExe = argv[2];
    // The stock icon of the program folder the guide is built into.
    p.iconFile =
        p.outputExe.substr(0, p.outputExe.find_last_of('/') + 1) + "icons/Books/idr_main.ico";
    nbx::RescanSourceFolder(p, false, prompter);
    for (auto& file : p.files) {
        file.orderKey = KeyFor(file.path);
    }
    p.SortFiles();
    if (p.files.empty() || !doc.OnSaveDocument(argv[3], prompter)) {
        std::fprintf(stderr, "nbx_make_guide_project: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
