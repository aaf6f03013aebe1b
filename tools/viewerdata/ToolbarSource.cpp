#include "viewerdata/ToolbarSource.h"

#include <array>
#include <map>
#include <optional>
#include <sstream>

namespace nbx::datagen {

namespace {

using Pixel = std::array<std::uint8_t, 4>;
using Cell = std::vector<Pixel>;

std::optional<Pixel> ParseColour(const std::string& text) {
    if (text == "transparent") {
        return Pixel{0, 0, 0, 0};
    }
    if (text.size() != 6 && text.size() != 8) {
        return std::nullopt;
    }
    Pixel p{0, 0, 0, 255};
    for (std::size_t i = 0; i < text.size() / 2; ++i) {
        unsigned value = 0;
        for (std::size_t j = 0; j < 2; ++j) {
            const char c = text[2 * i + j];
            unsigned digit = 0;
            if (c >= '0' && c <= '9') {
                digit = static_cast<unsigned>(c - '0');
            } else if (c >= 'a' && c <= 'f') {
                digit = static_cast<unsigned>(c - 'a' + 10);
            } else if (c >= 'A' && c <= 'F') {
                digit = static_cast<unsigned>(c - 'A' + 10);
            } else {
                return std::nullopt;
            }
            value = value * 16 + digit;
        }
        p[i] = static_cast<std::uint8_t>(value);
    }
    return p;
}

std::optional<toolbar::ToolbarButton> ButtonNamed(std::string_view name) {
    for (const auto& b : toolbar::kButtonNames) {
        if (b.name == name) {
            return b.button;
        }
    }
    return std::nullopt;
}

}  // namespace

bool ParseToolbarSource(std::string_view text, std::string_view where, ToolbarImage& image,
                        std::vector<std::string>& errors) {
    const std::size_t errorsBefore = errors.size();
    const auto fail = [&](std::size_t line, const std::string& what) {
        errors.push_back(std::string(where) + ":" + std::to_string(line) + ": " + what);
    };
    std::vector<std::string> lines;
    {
        std::string line;
        std::istringstream in{std::string(text)};
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            lines.push_back(line);
        }
    }
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::map<char, Pixel> palette;
    std::vector<std::pair<toolbar::ToolbarButton, Cell>> cells;
    std::map<std::string, std::size_t> cellOf;

    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::size_t lineNo = i + 1;
        std::istringstream words(lines[i]);
        std::string word;
        if (!(words >> word) || word[0] == '#') {
            continue;
        }
        if (word == "cell") {
            long w = 0;
            long h = 0;
            if (!(words >> w >> h) || w <= 0 || h <= 0 || w > long{toolbar::kMaxCellSize} ||
                h > long{toolbar::kMaxCellSize} || !cells.empty()) {
                fail(lineNo, "expected \"cell WIDTH HEIGHT\" (1 to 256) before the buttons");
                continue;
            }
            width = static_cast<std::uint32_t>(w);
            height = static_cast<std::uint32_t>(h);
        } else if (word == "colour" || word == "color") {
            std::string key;
            std::string value;
            const auto colour = (words >> key >> value) ? ParseColour(value) : std::nullopt;
            if (key.size() != 1 || key[0] == '#' || !colour) {
                fail(lineNo, "expected \"colour CHARACTER RRGGBB[AA]\" or \"... transparent\"");
                continue;
            }
            palette[key[0]] = *colour;
        } else if (word == "button") {
            std::string name;
            std::string mirror;
            std::string source;
            words >> name >> mirror >> source;
            const auto button = ButtonNamed(name);
            if (!button) {
                fail(lineNo, "\"" + name + "\" is not a toolbar button");
                continue;
            }
            if (cellOf.count(name) != 0) {
                fail(lineNo, name + " is drawn twice");
                continue;
            }
            if (width == 0) {
                fail(lineNo, "the cell size must come before the first button");
                return false;
            }
            Cell cell(std::size_t{width} * height);
            if (!mirror.empty()) {
                const auto from = cellOf.find(source);
                if (mirror != "mirror" || from == cellOf.end()) {
                    fail(lineNo, "expected \"button NAME mirror EARLIER_BUTTON\"");
                    continue;
                }
                const Cell& original = cells[from->second].second;
                for (std::uint32_t y = 0; y < height; ++y) {
                    for (std::uint32_t x = 0; x < width; ++x) {
                        cell[y * width + x] = original[y * width + (width - 1 - x)];
                    }
                }
            } else {
                if (lines.size() - (i + 1) < height) {
                    fail(lineNo, name + " has fewer than " + std::to_string(height) + " rows");
                    return false;
                }
                for (std::uint32_t y = 0; y < height; ++y) {
                    const std::string& row = lines[i + 1 + y];
                    if (row.size() != width) {
                        fail(lineNo + 1 + y, "a row of " + name + " is " +
                                                 std::to_string(row.size()) + " wide, not " +
                                                 std::to_string(width));
                        continue;
                    }
                    for (std::uint32_t x = 0; x < width; ++x) {
                        const auto p = palette.find(row[x]);
                        if (p == palette.end()) {
                            fail(lineNo + 1 + y,
                                 std::string("'") + row[x] + "' is not in the palette");
                            break;
                        }
                        cell[y * width + x] = p->second;
                    }
                }
                i += height;
            }
            cellOf[name] = cells.size();
            cells.emplace_back(*button, std::move(cell));
        } else {
            fail(lineNo, "unknown line \"" + word + "\"");
        }
    }
    for (const auto& b : toolbar::kButtonNames) {
        if (cellOf.count(std::string(b.name)) == 0) {
            errors.push_back(std::string(where) + ": no image for " + std::string(b.name));
        }
    }
    if (errors.size() != errorsBefore) {
        return false;
    }
    image.cellWidth = width;
    image.cellHeight = height;
    image.buttons.clear();
    const std::size_t stripWidth = std::size_t{width} * cells.size();
    image.rgba.assign(stripWidth * height * 4, 0);
    for (std::size_t c = 0; c < cells.size(); ++c) {
        image.buttons.push_back(cells[c].first);
        for (std::uint32_t y = 0; y < height; ++y) {
            for (std::uint32_t x = 0; x < width; ++x) {
                const Pixel& p = cells[c].second[y * width + x];
                const std::size_t at = (y * stripWidth + c * width + x) * 4;
                std::copy(p.begin(), p.end(), image.rgba.begin() + static_cast<long>(at));
            }
        }
    }
    return true;
}

}  // namespace nbx::datagen
