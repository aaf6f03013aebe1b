// MakeBookCorpus DIR [PAGES] [PICTURES]: a book for the build benchmark. Fills DIR/source
// with PAGES HTML pages (default 2,000, the first named index.htm) and PICTURES pictures
// (default 300), about 100 MB in all, and writes DIR/book.nxp naming the folder and the
// output DIR/book.exe. The same arguments always give the same bytes.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "CorpusGenerator.h"
#include "project/Project.h"
#include "project/ProjectFileWriter.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "Usage: MakeBookCorpus DIR [PAGES] [PICTURES]\n");
        return 2;
    }
    const std::filesystem::path dir = std::filesystem::absolute(argv[1]);
    const std::size_t pages = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 2000;
    const std::size_t pictures = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 300;
    const std::filesystem::path source = dir / "source";
    std::filesystem::create_directories(source);

    nbx::Project project;
    project.sourceFolder = source.string();
    project.outputExe = (dir / "book.exe").string();
    project.splashBitmap.clear();
    project.iconFile.clear();
    std::size_t total = 0;
    bool first = true;
    for (auto& file : nbx::bench::GenerateCorpus(7, pages, pictures / 2, pictures - pictures / 2)) {
        if (first && file.name.find(".htm") != std::string::npos) {
            file.name = "index.htm";
            first = false;
        }
        std::ofstream((source / file.name).string(), std::ios::binary)
            .write(file.bytes.data(), static_cast<std::streamsize>(file.bytes.size()));
        total += file.bytes.size();
    }
    int error = 0;
    if (!nbx::SaveProjectFile((dir / "book.nxp").string(), project, error)) {
        std::fprintf(stderr, "MakeBookCorpus: cannot write the project\n");
        return 1;
    }
    std::printf("%zu files, %.1f MB in %s\n", pages + pictures, total / 1e6, source.c_str());
    return 0;
}
