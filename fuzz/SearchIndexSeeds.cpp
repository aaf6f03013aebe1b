// SearchIndexSeeds DIR: writes a few queries, each before a small search index of the pages
// below, into DIR, as the starting corpus of SearchIndexFuzzer.

#include <fstream>
#include <string>

#include "reader/SearchText.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    nbx::SearchIndexWriter writer;
    nbx::reader::PageText text;
    nbx::reader::AddSearchPage(writer, "index.html", "Reading order", "",
                               "<h1>Reading order</h1><p>The pages in the order of the book.</p>",
                               text);
    nbx::reader::AddSearchPage(writer, "api/os.html", "os.path &amp; friends", "paths",
                               "<p>Call os.path.join or CONFIG_NAME; std::vector too.</p>", text);
    std::string index;
    if (!writer.Finish(index)) {
        return 1;
    }
    const char* queries[] = {"order",
                             "\"reading order\" book",
                             "os.path.join",
                             "\"call os.path.join or\"",
                             "config_name paths",
                             "zzz"};
    int n = 0;
    for (const char* query : queries) {
        std::ofstream(std::string(argv[1]) + "/seed" + std::to_string(n++), std::ios::binary)
            << query << '\0' << index;
    }
    return 0;
}
