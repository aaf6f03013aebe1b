// eview: the e-book reader. An e-book is this program with a content archive joined to its
// end, so the reader opens its own file to find the book.
//
// For now a console program: it prints the book's title and its pages.

#include <iostream>

#include "build/ArchiveReader.h"
#include "platform/ExecutablePath.h"
#include "project/SourceFile.h"

int main() {
    const std::string self = nbx::platform::ExecutablePath();
    nbx::ArchiveReader reader;
    if (!reader.Open(self)) {
        std::cerr << "eview: no e-book in " << self << ": " << reader.error() << "\n";
        return 1;
    }
    std::cout << reader.settings().title << "\n";
    for (const auto& entry : reader.directory()) {
        if (nbx::IsHtmlName(entry.name)) {
            std::cout << "  " << entry.name;
            if (!entry.title.empty()) {
                std::cout << "  " << entry.title;
            }
            std::cout << "\n";
        }
    }
    return 0;
}
