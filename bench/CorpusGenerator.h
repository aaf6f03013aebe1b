#pragma once
// A generated stand-in for an author's source folder: HTML pages of varied length and
// pictures of the usual kinds (uncompressed bitmaps with smooth areas and noise, and
// already-compressed images that look random). The same seed gives the same bytes.

#include <string>
#include <vector>

namespace nbx::bench {

struct CorpusFile {
    std::string name;
    std::string bytes;
};

std::vector<CorpusFile> GenerateCorpus(unsigned seed, std::size_t pages, std::size_t bitmaps,
                                       std::size_t photos);

}  // namespace nbx::bench
