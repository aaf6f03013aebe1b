// ReaderSearchBench [WORK_DIR]: the reader's search over the build benchmark's book (2,000
// generated pages and 300 pictures, made as MakeBookCorpus makes them):
// - the first search of the book built with its search index, of a word on every page, a
//   rarer word and a phrase, against `grep -l -i -w -r` of the same word over the same pages
//   as files; and the same first search of the book built without the index, which then
//   indexes its pages first, as a book made before the index did;
// - the build of that book with the index against the build without it.
// Medians of five runs; the builds seven times each, taken in turn, the index's cost as the
// median of the seven ratios of a build with it to the build without it that followed.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "CorpusGenerator.h"
#include "compile/BuildEBook.h"
#include "compile/EntryPreparer.h"
#include "project/Project.h"
#include "project/SourceFolderScan.h"
#include "reader/BookSearch.h"
#include "reader/HtmlText.h"
#include "reader/SearchText.h"
#include "support/RecordingPrompter.h"

using nbx::bench::MedianSeconds;

namespace {

class NoProgress final : public nbx::BuildProgress {
public:
    void ReportStage(std::string_view, int) override {}
    void EndProgress() override {}
};

bool Build(const nbx::Project& project, bool searchIndex) {
    nbx::BuildEnvironment env;
    env.compilerFolder = NBX_PROGRAM_DIR;
    env.compilerPath = std::string(NBX_PROGRAM_DIR) + "/tamselc";
    env.packingWorkers = nbx::PackingWorkersFor();
    env.searchIndex = searchIndex;
    nbx::test::RecordingPrompter prompter;
    NoProgress progress;
    nbx::BuildUi ui{prompter, progress};
    if (!nbx::BuildEBook(project, ui, 1700000000, false, env)) {
        std::fprintf(stderr, "build failed: %s\n",
                     prompter.messages.empty() ? "" : prompter.messages.back().c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : "/tmp/nbx-search-bench";
    const std::string source = dir + "/source";
    std::filesystem::create_directories(source);
    std::size_t pageBytes = 0, allBytes = 0;
    bool first = true;
    // On how many pages each word is, and two words that follow each other.
    std::map<std::string, std::size_t> pagesWith;
    std::string phrase;
    for (auto& file : nbx::bench::GenerateCorpus(7, 2000, 150, 150)) {
        const bool page = file.name.ends_with(".html");
        if (first && page) {
            file.name = "index.htm";
            first = false;
        }
        std::ofstream(source + "/" + file.name, std::ios::binary) << file.bytes;
        (page ? pageBytes : allBytes) += file.bytes.size();
        if (page) {
            nbx::reader::PageText text = nbx::reader::VisibleText(file.bytes);
            nbx::reader::LowerSearchText(text.text);
            std::vector<nbx::reader::SearchTerm> terms;
            nbx::reader::CutSearchTerms(text.text, 0, terms);
            std::set<std::string_view> words;
            for (const auto& t : terms) {
                words.insert(t.text);
            }
            for (const std::string_view w : words) {
                ++pagesWith[std::string(w)];
            }
            if (phrase.empty() && terms.size() > 100) {
                phrase =
                    "\"" + std::string(terms[60].text) + " " + std::string(terms[61].text) + "\"";
            }
        }
    }
    allBytes += pageBytes;
    std::string common, rare;
    std::size_t commonPages = 0, rareDistance = ~std::size_t{0};
    for (const auto& [word, pages] : pagesWith) {
        if (pages > commonPages) {
            common = word;
            commonPages = pages;
        }
        const std::size_t distance = pages > 40 ? pages - 40 : 40 - pages;
        if (distance < rareDistance) {
            rare = word;
            rareDistance = distance;
        }
    }

    nbx::Project project;
    project.sourceFolder = source;
    project.splashBitmap.clear();
    project.iconFile.clear();
    nbx::test::RecordingPrompter prompter;
    if (!nbx::ReadFolderFiles(project, source, prompter)) {
        std::fprintf(stderr, "cannot list %s\n", source.c_str());
        return 1;
    }
    project.SortFiles();

    // The build with and without the index, in turn.
    const std::string withIndex = dir + "/with-index", without = dir + "/without-index";
    std::vector<double> indexed, plain, ratios;
    for (int run = 0; run < 7; ++run) {
        for (const bool index : {true, false}) {
            project.outputExe = index ? withIndex : without;
            const auto start = std::chrono::steady_clock::now();
            if (!Build(project, index)) {
                return 1;
            }
            (index ? indexed : plain)
                .push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
                               .count());
        }
        ratios.push_back(indexed.back() / plain.back());
    }
    std::sort(indexed.begin(), indexed.end());
    std::sort(plain.begin(), plain.end());
    std::sort(ratios.begin(), ratios.end());
    const auto bookSize = [](const std::string& path) {
        return static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    };
    std::printf("2000 pages (%.1f MB of HTML), 300 pictures; %.1f MB in all\n", pageBytes / 1e6,
                allBytes / 1e6);
    std::printf("build with the index    %8.0f ms   without %8.0f ms   ratio %.3f (%.3f to %.3f)\n",
                indexed[3] * 1000, plain[3] * 1000, ratios[3], ratios.front(), ratios.back());
    std::printf("  e-book %.1f MB with the index, %.1f MB without\n", bookSize(withIndex),
                bookSize(without));

    nbx::reader::ReaderBook book, oldBook;
    if (!book.Open(withIndex) || !oldBook.Open(without)) {
        std::fprintf(stderr, "%s%s\n", book.error().c_str(), oldBook.error().c_str());
        return 1;
    }
    struct Query {
        const char* what;
        std::string text;
        std::string grepWord;
    };
    const Query queries[] = {
        {"the commonest word", common, common},
        {"a word on 2% of the pages", rare, rare},
        {"a phrase", phrase, phrase.substr(1, phrase.find(' ') - 1)},
    };
    for (const Query& q : queries) {
        std::size_t found = 0, foundOld = 0;
        const double firstSearch = MedianSeconds([&] {
            nbx::reader::BookSearch search(book);
            found = search.Search(q.text, {}).size();
        });
        const double laterSearch = [&] {
            nbx::reader::BookSearch search(book);
            search.Search(q.text, {});
            return MedianSeconds([&] { search.Search(q.text, {}); });
        }();
        const double oldFirst = MedianSeconds(
            [&] {
                nbx::reader::BookSearch search(oldBook);
                foundOld = search.Search(q.text, {}).size();
            },
            {}, 3);
        const double grep = MedianSeconds([&] {
            const std::string command = "grep -l -i -w --include='*.htm*' -r '" + q.grepWord +
                                        "' '" + source + "' >/dev/null";
            if (std::system(command.c_str()) < 0) {
                std::fprintf(stderr, "cannot run grep\n");
            }
        });
        std::printf("%s, %s: on %zu pages (%zu without the index)\n", q.what, q.text.c_str(), found,
                    foundOld);
        std::printf("  first search  %8.2f ms   grep -l -i -w -r \"%s\" %7.1f ms   ratio %.3f\n",
                    firstSearch * 1000, q.grepWord.c_str(), grep * 1000, firstSearch / grep);
        std::printf("  later search  %8.2f ms\n", laterSearch * 1000);
        std::printf("  first search without the index (indexes the pages) %8.1f ms   ratio %.2f\n",
                    oldFirst * 1000, oldFirst / grep);
    }
    std::filesystem::remove_all(dir);
    return 0;
}
