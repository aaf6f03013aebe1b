// ServedReaderBench [WORK_DIR]: the served reader against `cat`.
// 1. From starting a book to its first page served, for a 1 MB and a 1 GB book built the way
//    the compiler builds them (the reader reads the trailer, the records and the index page
//    only), warm, against `cat` of the book.
// 2. Serving a 2.5 MB page over HTTP against `cat` of the same page as a file.
// Medians of five runs; the books are deleted after.

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

// A book of an index page and `pictures` pictures of pictureSize bytes, plus extra files.
std::string MakeBook(const std::string& dir, const std::string& name, std::size_t pictures,
                     std::size_t pictureSize, std::vector<nbx::test::TestBookFile> extra = {}) {
    std::mt19937 rng(7);
    std::vector<nbx::test::TestBookFile> files = nbx::test::ReaderDataFiles(NBX_PROGRAM_DIR);
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
    const nbx::BuildSettings settings =
        nbx::FillBuildSettings(project, "/opt/tamsel", std::string(NBX_PROGRAM_DIR) + "/eview.dat",
                               {2024, 1, 1, 12, 0, 0, 1});
    const std::string output = dir + "/" + name;
    nbx::test::TempDir work;
    const std::string error = nbx::test::WriteTestBook(
        work, std::string(NBX_PROGRAM_DIR) + "/eview.dat", output, settings, files);
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
        nbx::test::Get(reader.port, reader.base + "/go/home").status != 303 ||
        nbx::test::Get(reader.port, reader.base + "/book/index.html").status != 200) {
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
        got = nbx::test::Get(reader.port, reader.base + "/book/contents.html").body.size();
    });
    const double cat = Cat(file);
    std::printf("2.5 MB page (%zu bytes served)  GET %7.2f ms   cat %7.2f ms   ratio %.2f\n", got,
                served * 1000, cat * 1000, served / cat);
    std::filesystem::remove(small);
    std::filesystem::remove(bigBook);
    std::filesystem::remove(file);
    return 0;
}
