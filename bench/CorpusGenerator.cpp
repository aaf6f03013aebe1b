#include "CorpusGenerator.h"

#include <cmath>
#include <cstdint>
#include <random>

namespace nbx::bench {

namespace {

std::vector<std::string> MakeVocabulary(std::mt19937& rng, std::size_t count) {
    static const char* const syllables[] = {"ka",  "re",  "mi",   "to",  "sa",  "ne",  "lo", "vu",
                                            "pri", "ste", "an",   "or",  "el",  "ing", "ed", "th",
                                            "qu",  "ly",  "ment", "con", "ber", "dis", "ous"};
    std::vector<std::string> words;
    for (std::size_t i = 0; i < count; ++i) {
        std::string w;
        const unsigned n = 1 + rng() % 4;
        for (unsigned k = 0; k < n; ++k) {
            w += syllables[rng() % (sizeof syllables / sizeof *syllables)];
        }
        words.push_back(w);
    }
    return words;
}

// Word frequencies fall off like natural text: a few words are very common.
std::size_t ZipfIndex(std::mt19937& rng, std::size_t count) {
    std::uniform_real_distribution<double> u(0.0, 1.0);
    const double x = std::pow(static_cast<double>(count), u(rng));
    return std::min(count - 1, static_cast<std::size_t>(x) - 1);
}

std::string Page(std::mt19937& rng, const std::vector<std::string>& words, std::size_t size,
                 std::size_t number) {
    std::string s =
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n<html>\n<head>\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">\n"
        "<title>Chapter " +
        std::to_string(number) +
        "</title>\n<link rel=\"stylesheet\" href=\"style.css\" type=\"text/css\">\n"
        "</head>\n<body bgcolor=\"#FFFFFF\" text=\"#000000\">\n"
        "<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"4\">\n";
    while (s.size() < size) {
        switch (rng() % 10) {
            case 0:
                s += "<h2>";
                s += words[ZipfIndex(rng, words.size())];
                s += "</h2>\n";
                break;
            case 1:
                s += "<tr><td><img src=\"images/pic" + std::to_string(rng() % 50) +
                     ".gif\" width=\"" + std::to_string(50 + rng() % 400) + "\" height=\"" +
                     std::to_string(50 + rng() % 300) + "\" alt=\"\"></td></tr>\n";
                break;
            case 2:
                s += "<a href=\"page" + std::to_string(rng() % 300) + ".html\">" +
                     words[ZipfIndex(rng, words.size())] + "</a> ";
                break;
            default: {
                s += "<p class=\"body\">";
                const unsigned n = 20 + rng() % 120;
                for (unsigned k = 0; k < n; ++k) {
                    std::string w = words[ZipfIndex(rng, words.size())];
                    if (k == 0) {
                        w[0] = static_cast<char>(w[0] - 32);
                    }
                    s += w;
                    s += (rng() % 12 == 0) ? ", " : " ";
                }
                s += ".</p>\n";
            }
        }
    }
    s += "</table>\n</body>\n</html>\n";
    return s;
}

void PutLe(std::string& s, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        s += static_cast<char>(v >> (8 * i));
    }
}

// A 24-bit uncompressed bitmap: gradients, a few flat shapes and sensor noise.
std::string Bitmap(std::mt19937& rng, int width, int height) {
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(height);
    std::string s = "BM";
    PutLe(s, 54 + imageBytes, 4);
    PutLe(s, 0, 4);
    PutLe(s, 54, 4);
    PutLe(s, 40, 4);
    PutLe(s, static_cast<std::uint32_t>(width), 4);
    PutLe(s, static_cast<std::uint32_t>(height), 4);
    PutLe(s, 1, 2);
    PutLe(s, 24, 2);
    PutLe(s, 0, 4);
    PutLe(s, imageBytes, 4);
    PutLe(s, 2835, 4);
    PutLe(s, 2835, 4);
    PutLe(s, 0, 4);
    PutLe(s, 0, 4);
    const int cx = static_cast<int>(rng() % static_cast<unsigned>(width));
    const int cy = static_cast<int>(rng() % static_cast<unsigned>(height));
    const int radius = 10 + static_cast<int>(rng() % 60);
    const unsigned noise = 1 + rng() % 6;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool inside = (x - cx) * (x - cx) + (y - cy) * (y - cy) < radius * radius;
            int b = inside ? 40 : x * 255 / width;
            int g = inside ? 200 : y * 255 / height;
            int r = inside ? 90 : (x + y) * 127 / (width + height) + 64;
            b += static_cast<int>(rng() % noise);
            g += static_cast<int>(rng() % noise);
            r += static_cast<int>(rng() % noise);
            s += static_cast<char>(std::min(b, 255));
            s += static_cast<char>(std::min(g, 255));
            s += static_cast<char>(std::min(r, 255));
        }
        s.append(rowBytes - static_cast<std::uint32_t>(width) * 3, '\0');
    }
    return s;
}

// An already-compressed picture: a short header and bytes with no redundancy left.
std::string Photo(std::mt19937& rng, std::size_t size) {
    std::string s("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 20);
    while (s.size() < size) {
        s += static_cast<char>(rng());
    }
    s += "\xFF\xD9";
    return s;
}

}  // namespace

std::vector<CorpusFile> GenerateCorpus(unsigned seed, std::size_t pages, std::size_t bitmaps,
                                       std::size_t photos) {
    std::mt19937 rng(seed);
    const std::vector<std::string> words = MakeVocabulary(rng, 3000);
    std::vector<CorpusFile> files;
    for (std::size_t i = 0; i < pages; ++i) {
        const std::size_t size = 2000 + rng() % 60000;
        files.push_back({"page" + std::to_string(i) + ".html", Page(rng, words, size, i)});
    }
    for (std::size_t i = 0; i < bitmaps; ++i) {
        files.push_back(
            {"picture" + std::to_string(i) + ".bmp",
             Bitmap(rng, 64 + static_cast<int>(rng() % 320), 64 + static_cast<int>(rng() % 240))});
    }
    for (std::size_t i = 0; i < photos; ++i) {
        files.push_back({"photo" + std::to_string(i) + ".jpg", Photo(rng, 10000 + rng() % 150000)});
    }
    return files;
}

}  // namespace nbx::bench
