// MakeSourceCorpus DIR [COUNT]: fills DIR with COUNT files (default 20,000) as an author's
// source folder might hold them: half HTML pages with titles, half pictures and style sheets,
// from 500 bytes to 8 KB. The same arguments always give the same files.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "Usage: MakeSourceCorpus DIR [COUNT]\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    const long count = argc > 2 ? std::atol(argv[2]) : 20000;
    std::filesystem::create_directories(dir);
    std::mt19937 random(20000);
    std::uniform_int_distribution<int> size(500, 8192);
    std::uniform_int_distribution<int> letter('a', 'z');
    static const char* const kOther[] = {".gif", ".jpg", ".png", ".css"};
    for (long i = 0; i < count; ++i) {
        const bool page = i % 2 == 0;
        std::string name = "file" + std::to_string(i) + (page ? ".htm" : kOther[(i / 2) % 4]);
        std::string body;
        if (page) {
            body = "<html>\n<head>\n<title>Chapter " + std::to_string(count - i) +
                   ": a page about " + std::string(12, static_cast<char>(letter(random))) +
                   "</title>\n</head>\n<body>\n";
        }
        const int target = size(random);
        while (static_cast<int>(body.size()) < target) {
            body += static_cast<char>(letter(random));
            if (body.size() % 72 == 0)
                body += '\n';
        }
        std::ofstream(dir / name, std::ios::binary) << body;
    }
    return 0;
}
