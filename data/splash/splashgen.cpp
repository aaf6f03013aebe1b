// Draws the splash bitmaps of the program folder from a short text description.
//
// Description lines (blank lines and lines starting with # are ignored):
//   size W H                 picture size in pixels
//   bits 1|4                 colours: 2 (black and white) or 16
//   palette RRGGBB ...       the colours, 2 or 16 of them
//   fill X Y W H C           a filled rectangle of colour index C
//   frame X Y W H C          a one-pixel rectangle outline
//   text X Y SCALE C WORDS   capital letters, digits and - . ! ' : in a 5x7 font
//
// Usage: splashgen DESCRIPTION OUTPUT.bmp
// The output is an uncompressed Windows bitmap (BITMAPINFOHEADER, bottom-up rows).

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

// 5 columns x 7 rows, one string per row, '#' is ink.
const std::map<char, std::vector<const char*>>& Font() {
    static const std::map<char, std::vector<const char*>> font = {
        {'A', {" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
        {'B', {"#### ", "#   #", "#   #", "#### ", "#   #", "#   #", "#### "}},
        {'C', {" ####", "#    ", "#    ", "#    ", "#    ", "#    ", " ####"}},
        {'D', {"#### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#### "}},
        {'E', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"}},
        {'F', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "}},
        {'G', {" ####", "#    ", "#    ", "#  ##", "#   #", "#   #", " ####"}},
        {'H', {"#   #", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
        {'I', {" ### ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "}},
        {'J', {"  ###", "   # ", "   # ", "   # ", "   # ", "#  # ", " ##  "}},
        {'K', {"#   #", "#  # ", "# #  ", "##   ", "# #  ", "#  # ", "#   #"}},
        {'L', {"#    ", "#    ", "#    ", "#    ", "#    ", "#    ", "#####"}},
        {'M', {"#   #", "## ##", "# # #", "# # #", "#   #", "#   #", "#   #"}},
        {'N', {"#   #", "##  #", "# # #", "#  ##", "#   #", "#   #", "#   #"}},
        {'O', {" ### ", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "}},
        {'P', {"#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "}},
        {'Q', {" ### ", "#   #", "#   #", "#   #", "# # #", "#  # ", " ## #"}},
        {'R', {"#### ", "#   #", "#   #", "#### ", "# #  ", "#  # ", "#   #"}},
        {'S', {" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "}},
        {'T', {"#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "}},
        {'U', {"#   #", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "}},
        {'V', {"#   #", "#   #", "#   #", "#   #", "#   #", " # # ", "  #  "}},
        {'W', {"#   #", "#   #", "#   #", "# # #", "# # #", "## ##", "#   #"}},
        {'X', {"#   #", "#   #", " # # ", "  #  ", " # # ", "#   #", "#   #"}},
        {'Y', {"#   #", "#   #", " # # ", "  #  ", "  #  ", "  #  ", "  #  "}},
        {'Z', {"#####", "    #", "   # ", "  #  ", " #   ", "#    ", "#####"}},
        {'0', {" ### ", "#   #", "#  ##", "# # #", "##  #", "#   #", " ### "}},
        {'1', {"  #  ", " ##  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "}},
        {'2', {" ### ", "#   #", "    #", "   # ", "  #  ", " #   ", "#####"}},
        {'3', {"#### ", "    #", "    #", " ### ", "    #", "    #", "#### "}},
        {'4', {"#   #", "#   #", "#   #", "#####", "    #", "    #", "    #"}},
        {'5', {"#####", "#    ", "#    ", "#### ", "    #", "    #", "#### "}},
        {'6', {" ### ", "#    ", "#    ", "#### ", "#   #", "#   #", " ### "}},
        {'7', {"#####", "    #", "   # ", "  #  ", " #   ", " #   ", " #   "}},
        {'8', {" ### ", "#   #", "#   #", " ### ", "#   #", "#   #", " ### "}},
        {'9', {" ### ", "#   #", "#   #", " ####", "    #", "    #", " ### "}},
        {'-', {"     ", "     ", "     ", " ### ", "     ", "     ", "     "}},
        {'.', {"     ", "     ", "     ", "     ", "     ", " ##  ", " ##  "}},
        {'!', {"  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "     ", "  #  "}},
        {'\'', {"  #  ", "  #  ", "     ", "     ", "     ", "     ", "     "}},
        {':', {"     ", " ##  ", " ##  ", "     ", " ##  ", " ##  ", "     "}},
        {' ', {"     ", "     ", "     ", "     ", "     ", "     ", "     "}},
    };
    return font;
}

struct Picture {
    int width = 0;
    int height = 0;
    int bits = 4;
    std::vector<std::uint32_t> palette;
    std::vector<std::uint8_t> pixels;  // one colour index per pixel, top row first

    void Fill(int x, int y, int w, int h, int c) {
        for (int row = std::max(0, y); row < std::min(height, y + h); ++row) {
            for (int col = std::max(0, x); col < std::min(width, x + w); ++col) {
                pixels[static_cast<std::size_t>(row * width + col)] = static_cast<std::uint8_t>(c);
            }
        }
    }
};

void Put16(std::string& out, std::uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::string EncodeBmp(const Picture& p) {
    const std::uint32_t rowBytes = ((static_cast<std::uint32_t>(p.width) * p.bits + 31) / 32) * 4;
    const std::uint32_t colours = 1u << p.bits;
    const std::uint32_t dataOffset = 14 + 40 + colours * 4;
    const std::uint32_t imageSize = rowBytes * static_cast<std::uint32_t>(p.height);
    std::string out;
    out += "BM";
    Put32(out, dataOffset + imageSize);
    Put32(out, 0);
    Put32(out, dataOffset);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(p.width));
    Put32(out, static_cast<std::uint32_t>(p.height));
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(p.bits));
    Put32(out, 0);  // no compression
    Put32(out, imageSize);
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, colours);
    Put32(out, 0);
    for (std::uint32_t i = 0; i < colours; ++i) {
        const std::uint32_t rgb = i < p.palette.size() ? p.palette[i] : 0;
        out += static_cast<char>(rgb & 0xFF);          // blue
        out += static_cast<char>((rgb >> 8) & 0xFF);   // green
        out += static_cast<char>((rgb >> 16) & 0xFF);  // red
        out += '\0';
    }
    for (int row = p.height - 1; row >= 0; --row) {
        std::string line(rowBytes, '\0');
        for (int col = 0; col < p.width; ++col) {
            const std::uint8_t c = p.pixels[static_cast<std::size_t>(row * p.width + col)];
            if (p.bits == 4) {
                line[static_cast<std::size_t>(col / 2)] |=
                    static_cast<char>(col % 2 == 0 ? (c & 0x0F) << 4 : (c & 0x0F));
            } else {
                if (c & 1) {
                    line[static_cast<std::size_t>(col / 8)] |= static_cast<char>(0x80 >> (col % 8));
                }
            }
        }
        out += line;
    }
    return out;
}

bool Fail(int lineNo, const std::string& what) {
    std::cerr << "splashgen: line " << lineNo << ": " << what << "\n";
    return false;
}

bool Draw(std::istream& in, Picture& p) {
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        std::istringstream words(line);
        std::string op;
        if (!(words >> op) || op[0] == '#') {
            continue;
        }
        if (op == "size") {
            words >> p.width >> p.height;
            if (p.width <= 0 || p.height <= 0 || p.width > 4000 || p.height > 4000) {
                return Fail(lineNo, "bad size");
            }
            p.pixels.assign(static_cast<std::size_t>(p.width * p.height), 0);
        } else if (op == "bits") {
            words >> p.bits;
            if (p.bits != 1 && p.bits != 4) {
                return Fail(lineNo, "bits must be 1 or 4");
            }
        } else if (op == "palette") {
            std::string hex;
            while (words >> hex) {
                p.palette.push_back(static_cast<std::uint32_t>(std::stoul(hex, nullptr, 16)));
            }
        } else if (op == "fill" || op == "frame") {
            int x, y, w, h, c;
            if (!(words >> x >> y >> w >> h >> c)) {
                return Fail(lineNo, "expected X Y W H C");
            }
            if (op == "fill") {
                p.Fill(x, y, w, h, c);
            } else {
                p.Fill(x, y, w, 1, c);
                p.Fill(x, y + h - 1, w, 1, c);
                p.Fill(x, y, 1, h, c);
                p.Fill(x + w - 1, y, 1, h, c);
            }
        } else if (op == "text") {
            int x, y, scale, c;
            if (!(words >> x >> y >> scale >> c)) {
                return Fail(lineNo, "expected X Y SCALE C TEXT");
            }
            std::string text;
            std::getline(words >> std::ws, text);
            for (char ch : text) {
                const auto it = Font().find(ch);
                if (it == Font().end()) {
                    return Fail(lineNo, std::string("no glyph for '") + ch + "'");
                }
                for (int row = 0; row < 7; ++row) {
                    for (int col = 0; col < 5; ++col) {
                        if (it->second[static_cast<std::size_t>(row)][col] == '#') {
                            p.Fill(x + col * scale, y + row * scale, scale, scale, c);
                        }
                    }
                }
                x += 6 * scale;
            }
        } else {
            return Fail(lineNo, "unknown command '" + op + "'");
        }
        if (p.pixels.empty()) {
            return Fail(lineNo, "size must come first");
        }
    }
    return !p.pixels.empty() || Fail(lineNo, "no size given");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: splashgen DESCRIPTION OUTPUT.bmp\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "splashgen: cannot read " << argv[1] << "\n";
        return 1;
    }
    Picture picture;
    if (!Draw(in, picture)) {
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    const std::string bytes = EncodeBmp(picture);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::cerr << "splashgen: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
