// LinkOrderBench DIR [COUNT]: times Order By Links on the pages of a documentation tree (the
// whole tree below DIR, as a project with sub-folders holds it) against reading the same
// pages with cat, and prints the first COUNT pages of the order (default 15). Medians of
// five warm runs; smaller ratios are better.
//
//   order by links  vs  find DIR -name '*.htm*' -type f -print0 | xargs -0 cat >/dev/null

#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchTiming.h"
#include "appmodel/LinkOrderCommand.h"
#include "common/Prompter.h"
#include "project/EntryName.h"
#include "project/SourceFolderScan.h"

namespace {

void Shell(const std::string& command) {
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "failed: %s\n", command.c_str());
        std::exit(1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "Usage: LinkOrderBench DIR [COUNT]\n");
        return 2;
    }
    const std::string dir = argv[1];
    const std::size_t count = argc == 3 ? std::strtoul(argv[2], nullptr, 10) : 15;
    nbx::SilentPrompter prompter;
    nbx::Project project;
    project.includeSubFolders = 1;
    nbx::ScanChosenFolder(project, dir, prompter);
    project.SortFiles();

    nbx::LinkOrderOutcome outcome;
    const auto order = [&] {
        nbx::Project copy = project;  // each run starts from the scan's order
        outcome = nbx::OrderFilesByLinks(copy);
    };
    order();  // warm the caches
    const double ours = nbx::bench::MedianSeconds(order);
    const std::string cat =
        "find '" + dir + "' -name '*.htm*' -type f -print0 | xargs -0 cat >/dev/null";
    Shell(cat);
    const double theirs = nbx::bench::MedianSeconds([&] { Shell(cat); });

    std::printf("%s\n", nbx::LinkOrderMessage(outcome).c_str());
    std::printf("%-16s %8.1f ms   %-26s %8.1f ms   ratio %.2f\n", "order by links", ours * 1000,
                "cat of the pages", theirs * 1000, ours / theirs);
    nbx::OrderFilesByLinks(project);
    for (std::size_t i = 0; i < project.files.size() && i < count; ++i) {
        std::printf("%3zu  %s\n", i + 1, nbx::EntryNameOf(project, project.files[i]).c_str());
    }
    return 0;
}
