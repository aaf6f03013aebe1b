// ReaderSearchBench [WORK_DIR]: the reader's search over a book of 2,000 generated pages:
// the first search (which builds the index) and a later one, against `grep -l -i -w` of the
// same word over the same 2,000 pages as files. Medians of five runs.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "CorpusGenerator.h"
#include "compile/FillBuildSettings.h"
#include "project/ProjectSettings.h"
#include "reader/BookSearch.h"
#include "reader/HtmlText.h"
#include "support/TestBook.h"

using nbx::bench::MedianSeconds;

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : "/tmp/nbx-search-bench";
    const std::string pagesDir = dir + "/pages";
    std::filesystem::create_directories(pagesDir);

    std::vector<nbx::test::TestBookFile> files = nbx::test::ReaderDataFiles(NBX_PROGRAM_DIR);
    std::size_t bytes = 0;
    for (auto& page : nbx::bench::GenerateCorpus(11, 2000, 0, 0)) {
        std::ofstream(pagesDir + "/" + page.name, std::ios::binary) << page.bytes;
        bytes += page.bytes.size();
        files.push_back({page.name, page.bytes, page.name});
    }
    nbx::ProjectSettings project;
    const nbx::BuildSettings settings =
        nbx::FillBuildSettings(project, "", std::string(NBX_PROGRAM_DIR) + "/eview.dat", {});
    const std::string bookPath = dir + "/book";
    {
        nbx::test::TempDir work;
        const std::string error = nbx::test::WriteTestBook(
            work, std::string(NBX_PROGRAM_DIR) + "/eview.dat", bookPath, settings, files);
        if (!error.empty()) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
    }
    nbx::reader::ReaderBook book;
    if (!book.Open(bookPath)) {
        std::fprintf(stderr, "%s\n", book.error().c_str());
        return 1;
    }
    // A word of middling frequency: the tenth word of a page in the middle of the book.
    const std::vector<std::string> words =
        nbx::reader::WordsOf(nbx::reader::VisibleText(files[1002].data));
    const std::string word = words.size() > 40 ? words[40] : words.back();

    std::size_t found = 0;
    const double first = MedianSeconds([&] {
        nbx::reader::BookSearch search(book);
        while (!search.IndexMore(64, {})) {
        }
        found = search.Search(word).size();
    });
    // Of which reading and unpacking the pages.
    const double reading = MedianSeconds([&] {
        std::string html;
        for (const std::size_t page : book.order().pages()) {
            book.ReadPage(page, {}, html);
        }
    });
    nbx::reader::BookSearch search(book);
    while (!search.IndexMore(64, {})) {
    }
    const double later = MedianSeconds([&] { found = search.Search(word).size(); });
    const double grep = MedianSeconds([&] {
        std::system(("grep -l -i -w '" + word + "' -r '" + pagesDir + "' >/dev/null").c_str());
    });
    std::printf("2000 pages, %.1f MB of HTML; \"%s\" on %zu pages\n", bytes / 1e6, word.c_str(),
                found);
    std::printf(
        "first search (builds the index) %8.1f ms   grep -l -i -w -r %8.1f ms   "
        "ratio %.2f\n",
        first * 1000, grep * 1000, first / grep);
    std::printf("  of which reading the pages    %8.1f ms\n", reading * 1000);
    std::printf(
        "later search                    %8.3f ms   grep -l -i -w -r %8.1f ms   "
        "ratio %.4f\n",
        later * 1000, grep * 1000, later / grep);
    std::filesystem::remove_all(dir);
    return 0;
}
