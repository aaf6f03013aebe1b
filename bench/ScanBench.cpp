// ScanBench DIR: times the scan of a source folder (listing, titles, sorting) and the save and
// load of a project holding its files, against standard tools on the same data in the same
// run. Prints medians and ratios; smaller ratios are better.
//
//   scan + sort    vs  find DIR -type f | xargs head -c 4095 >/dev/null
//   save           vs  dd of the same bytes with fsync (the save syncs too)
//   load           vs  cat of the file

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "common/Prompter.h"
#include "platform/Paths.h"
#include "project/InstalledExtensions.h"
#include "project/ProjectFileReader.h"
#include "project/ProjectFileWriter.h"
#include "project/SourceFolderScan.h"

namespace {

double MedianSeconds(const std::function<void()>& work) {
    work();  // warm the caches
    return nbx::bench::MedianSeconds(work);
}

void Shell(const std::string& command) {
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "failed: %s\n", command.c_str());
        std::exit(1);
    }
}

void Report(const char* what, double ours, const char* tool, double theirs) {
    std::printf("%-14s %8.1f ms   %-34s %8.1f ms   ratio %.2f\n", what, ours * 1000, tool,
                theirs * 1000, ours / theirs);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: ScanBench DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    const std::string project = dir + ".nxp";
    const std::string copy = dir + ".copy";
    nbx::SilentPrompter prompter;

    nbx::Project scanned;
    const double scan = MedianSeconds([&] {
        scanned.files.clear();
        nbx::ReadFolderFiles(scanned, dir, prompter);
        scanned.SortFiles();
    });
    const double findHead =
        MedianSeconds([&] { Shell("find '" + dir + "' -type f | xargs head -c 4095 >/dev/null"); });

    int error = 0;
    const double save = MedianSeconds([&] {
        if (!nbx::SaveProjectFile(project, scanned, error))
            std::exit(1);
    });
    const double dd = MedianSeconds(
        [&] { Shell("dd if='" + project + "' of='" + copy + "' bs=1M conv=fsync status=none"); });

    nbx::Project loaded;
    const double load = MedianSeconds([&] {
        if (nbx::LoadProjectFile(project, loaded, prompter, nbx::NothingInstalled()).status !=
            nbx::ProjectLoadStatus::Loaded) {
            std::exit(1);
        }
    });
    const double cat = MedianSeconds([&] { Shell("cat '" + project + "' >/dev/null"); });

    std::size_t titled = 0;
    for (const auto& f : loaded.files)
        titled += !f.title.empty();
    std::printf("%zu files, %zu with titles; project file %s\n", loaded.files.size(), titled,
                project.c_str());
    Report("scan + sort", scan, "find | xargs head -c 4095", findHead);
    Report("save", save, "dd conv=fsync of the same bytes", dd);
    Report("load", load, "cat of the file", cat);
    Report("save", save, "find | xargs head -c 4095", findHead);
    Report("load", load, "find | xargs head -c 4095", findHead);
    std::remove(copy.c_str());
    return loaded.files.size() == scanned.files.size() ? 0 : 1;
}
