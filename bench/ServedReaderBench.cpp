// ServedReaderBench [WORK_DIR [PROGRAM_DIR]]: the served reader against `cat`.
// 1. From starting a book to its first page served, for a 1 MB and a 1 GB book built the way
//    the compiler builds them (the reader reads the trailer, the records and the index page
//    only), warm, against `cat` of the book.
// 2. Serving a 2.5 MB page over HTTP against `cat` of the same page as a file.
// 3. The reader's peak memory serving a 150 MB page, against the page's own size.
// Medians of five runs; the books are deleted after. PROGRAM_DIR names the program folder
// whose reader stub the books are made with (another build's, to compare).

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "HttpClient.h"
#include "ReaderProcess.h"
#include "compile/FillBuildSettings.h"
#include "project/ProjectSettings.h"
#include "support/TempDir.h"
#include "support/TestBook.h"

using nbx::bench::MedianSeconds;

namespace {

std::string RandomBytes(std::mt19937& rng, std::size_t size) {
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(rng());
    }
    return bytes;
}

std::string programDir = NBX_PROGRAM_DIR;

// A book of an index page and `pictures` pictures of pictureSize bytes, plus extra files.
std::string MakeBook(const std::string& dir, const std::string& name, std::size_t pictures,
                     std::size_t pictureSize, std::vector<nbx::test::TestBookFile> extra = {}) {
    std::mt19937 rng(7);
    std::vector<nbx::test::TestBookFile> files = nbx::test::ReaderDataFiles(programDir);
    files.push_back({"index.html",
                     "<html><body><h1>Chapter 1</h1><img src=\"photo0.jpg\"></body></html>",
                     "Chapter 1"});
    for (std::size_t i = 0; i < pictures; ++i) {
        files.push_back({"photo" + std::to_string(i) + ".jpg", RandomBytes(rng, pictureSize), ""});
    }
    for (auto& f : extra) {
        files.push_back(std::move(f));
    }
    nbx::ProjectSettings project;
    project.title = name;
    const nbx::BuildSettings settings = nbx::FillBuildSettings(
        project, "/opt/tamsel", programDir + "/eview.dat", {2024, 1, 1, 12, 0, 0, 1});
    const std::string output = dir + "/" + name;
    nbx::test::TempDir work;
    const std::string error =
        nbx::test::WriteTestBook(work, programDir + "/eview.dat", output, settings, files);
    if (!error.empty()) {
        std::fprintf(stderr, "cannot build %s: %s\n", output.c_str(), error.c_str());
        std::exit(1);
    }
    return output;
}

// Starts the book and fetches its first page; the reader is killed after.
void FirstPageServed(const std::string& path) {
    nbx::test::ReaderProcess reader;
    if (!reader.Start(path, {"BROWSER=true", "NBX_READER_IDLE_MS=60000"}) ||
        nbx::test::Get(reader.pagePort, reader.base + "/go/home").status != 303 ||
        nbx::test::Get(reader.pagePort, reader.base + "/book/index.html").status != 200) {
        std::fprintf(stderr, "%s: no first page\n", path.c_str());
        std::exit(1);
    }
}

double Cat(const std::string& path) {
    return MedianSeconds([&] { std::system(("cat '" + path + "' >/dev/null").c_str()); });
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : "/tmp/nbx-served-bench";
    if (argc > 2) {
        programDir = argv[2];
    }
    std::filesystem::create_directories(dir);
    std::printf("building the books in %s ...\n", dir.c_str());
    const std::string small = MakeBook(dir, "book-1mb", 4, 256 * 1024);
    const std::string large = MakeBook(dir, "book-1gb", 100, 10 * 1024 * 1024);

    for (const auto& [what, path] :
         {std::pair{"1 MB book", small}, std::pair{"1 GB book", large}}) {
        FirstPageServed(path);  // warm
        const double served = MedianSeconds([&] { FirstPageServed(path); });
        const double cat = Cat(path);
        std::printf(
            "%-10s %11.0f bytes  start to first page served %7.1f ms   cat %8.1f ms   "
            "ratio %.3f\n",
            what, static_cast<double>(std::filesystem::file_size(path)), served * 1000, cat * 1000,
            served / cat);
    }
    std::filesystem::remove(large);

    // A 2.5 MB page, as a long generated contents page is.
    std::string page = "<html><body><ul>\n";
    for (int i = 0; page.size() < 2500000; ++i) {
        page += "<li><a href=\"section" + std::to_string(i) + ".html\">Section " +
                std::to_string(i) + " of the reference manual, with its description</a></li>\n";
    }
    page += "</ul></body></html>\n";
    const std::string bigBook = MakeBook(dir, "book-page", 0, 0, {{"contents.html", page, "All"}});
    const std::string file = dir + "/contents.html";
    {
        std::FILE* f = std::fopen(file.c_str(), "wb");
        std::fwrite(page.data(), 1, page.size(), f);
        std::fclose(f);
    }
    nbx::test::ReaderProcess reader;
    if (!reader.Start(bigBook, {"BROWSER=true", "NBX_READER_IDLE_MS=60000"})) {
        std::fprintf(stderr, "cannot start %s\n", bigBook.c_str());
        return 1;
    }
    std::size_t got = 0;
    const double served = MedianSeconds([&] {
        got = nbx::test::Get(reader.pagePort, reader.base + "/book/contents.html").body.size();
    });
    const double cat = Cat(file);
    std::printf("2.5 MB page (%zu bytes served)  GET %7.2f ms   cat %7.2f ms   ratio %.2f\n", got,
                served * 1000, cat * 1000, served / cat);
    std::filesystem::remove(small);
    std::filesystem::remove(bigBook);
    std::filesystem::remove(file);

    // A 150 MB page: the reader holds it once, unpacked, while it is served.
    std::string huge;
    huge.reserve(150u << 20);
    huge = "<html><body>\n";
    std::mt19937 rng(11);
    while (huge.size() < (150u << 20)) {
        huge += "<p>Paragraph " + std::to_string(rng()) + " of a very long page, " +
                std::to_string(rng() % 1000) + " words.</p>\n";
    }
    const std::size_t hugeSize = huge.size();
    const std::string hugeBook = MakeBook(dir, "book-huge", 0, 0, {{"huge.html", huge, "Huge"}});
    huge = std::string();
    nbx::test::ReaderProcess hugeReader;
    if (!hugeReader.Start(hugeBook, {"BROWSER=true", "NBX_READER_IDLE_MS=60000"})) {
        std::fprintf(stderr, "cannot start %s\n", hugeBook.c_str());
        return 1;
    }
    const std::size_t idle = hugeReader.PeakMemory();
    const std::size_t hugeServed =
        nbx::test::Get(hugeReader.pagePort, hugeReader.base + "/book/huge.html").body.size();
    const double peak = static_cast<double>(hugeReader.PeakMemory());
    std::printf(
        "150 MB page (%zu bytes served)  reader's peak %.1f MB (%.1f MB before)   page %.1f MB   "
        "peak - page %.1f MB\n",
        hugeServed, peak / 1048576.0, static_cast<double>(idle) / 1048576.0,
        static_cast<double>(hugeSize) / 1048576.0,
        (peak - static_cast<double>(hugeSize)) / 1048576.0);
    std::filesystem::remove(hugeBook);
    return 0;
}
