// nbx_make_icon SOURCE.txt TARGET.ico
//
// Turns a text drawing of a 32 x 32, 16-colour icon into an icon file of exactly 766 bytes:
// a 6-byte header, one 16-byte directory entry and a 744-byte image (bitmap header, palette,
// 4-bit colour rows and the 1-bit transparency mask, both bottom row first).
//
// The source: lines starting with '#' are comments; an optional line "palette" followed by 16
// colours as RRGGBB; then 32 lines of 32 pixels, each a palette index 0-9 or a-f, or '.' for
// a transparent pixel.

#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kSize = 32;

const std::array<std::uint32_t, 16> kStandardPalette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

int Fail(const std::string& source, int line, const std::string& message) {
    std::fprintf(stderr, "%s:%d: %s\n", source.c_str(), line, message.c_str());
    return 1;
}

void Put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>(value >> (8 * i));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: nbx_make_icon SOURCE.txt TARGET.ico\n");
        return 2;
    }
    const std::string source = argv[1];
    std::ifstream in(source);
    if (!in) {
        return Fail(source, 0, "cannot read the file");
    }
    std::array<std::uint32_t, 16> palette = kStandardPalette;
    std::vector<std::string> rows;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        if (line.rfind("palette", 0) == 0) {
            std::istringstream words(line.substr(7));
            for (auto& colour : palette) {
                std::string hex;
                if (!(words >> hex) || hex.size() != 6 ||
                    hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
                    return Fail(source, number, "a palette needs 16 colours written RRGGBB");
                }
                colour = static_cast<std::uint32_t>(std::stoul(hex, nullptr, 16));
            }
            continue;
        }
        if (line.size() != kSize ||
            line.find_first_not_of("0123456789abcdef.") != std::string::npos) {
            return Fail(source, number, "a row needs 32 pixels of 0-9, a-f or '.'");
        }
        rows.push_back(line);
    }
    if (rows.size() != kSize) {
        return Fail(source, number, "an icon needs 32 rows, found " + std::to_string(rows.size()));
    }

    const std::uint32_t colourBytes = kSize * kSize / 2;
    const std::uint32_t maskBytes = kSize * kSize / 8;
    const std::uint32_t imageBytes = 40 + 16 * 4 + colourBytes + maskBytes;
    std::string out;
    Put(out, 0, 2);  // reserved
    Put(out, 1, 2);  // an icon
    Put(out, 1, 2);  // one image
    out += static_cast<char>(kSize);
    out += static_cast<char>(kSize);
    out += static_cast<char>(16);  // colours
    out += '\0';
    Put(out, 1, 2);  // planes
    Put(out, 4, 2);  // bits per pixel
    Put(out, imageBytes, 4);
    Put(out, 6 + 16, 4);  // where the image starts
    Put(out, 40, 4);      // bitmap header: its size, width, doubled height (colours and mask)
    Put(out, kSize, 4);
    Put(out, 2 * kSize, 4);
    Put(out, 1, 2);
    Put(out, 4, 2);
    Put(out, 0, 4);  // no compression
    Put(out, colourBytes + maskBytes, 4);
    out.append(16, '\0');  // resolution and colour counts
    for (std::uint32_t c : palette) {
        out += static_cast<char>(c & 0xFF);  // blue, green, red, reserved
        out += static_cast<char>((c >> 8) & 0xFF);
        out += static_cast<char>((c >> 16) & 0xFF);
        out += '\0';
    }
    auto index = [](char c) { return c == '.' ? 0 : (c <= '9' ? c - '0' : c - 'a' + 10); };
    for (int y = kSize - 1; y >= 0; --y) {
        for (int x = 0; x < kSize; x += 2) {
            out += static_cast<char>(index(rows[y][x]) << 4 | index(rows[y][x + 1]));
        }
    }
    for (int y = kSize - 1; y >= 0; --y) {
        for (int x = 0; x < kSize; x += 8) {
            int bits = 0;
            for (int k = 0; k < 8; ++k) {
                bits = bits << 1 | (rows[y][x + k] == '.' ? 1 : 0);
            }
            out += static_cast<char>(bits);
        }
    }
    if (out.size() != 766) {
        return Fail(
            source, 0,
            "internal error: the icon came out " + std::to_string(out.size()) + " bytes long");
    }
    std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    if (!file.flush()) {
        return Fail(argv[2], 0, "cannot write the file");
    }
    return 0;
}
