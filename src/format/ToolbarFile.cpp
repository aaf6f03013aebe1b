#include "format/ToolbarFile.h"

#include <limits>

namespace nbx {

namespace {

using toolbar::ToolbarButton;

std::uint32_t Le32(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

void PutLe32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

// The checks that the reader and the writer share.
bool CheckShape(std::uint32_t width, std::uint32_t height,
                const std::vector<ToolbarButton>& buttons, std::string& error) {
    if (width == 0 || height == 0 || width > toolbar::kMaxCellSize ||
        height > toolbar::kMaxCellSize) {
        error = "a cell size of " + std::to_string(width) + " x " + std::to_string(height) +
                " pixels is outside 1 to " + std::to_string(toolbar::kMaxCellSize);
        return false;
    }
    if (buttons.empty() || buttons.size() > toolbar::kMaxButtons) {
        error = "a button count of " + std::to_string(buttons.size()) + " is outside 1 to " +
                std::to_string(toolbar::kMaxButtons);
        return false;
    }
    bool seen[toolbar::kButtonIdCount] = {};
    for (const ToolbarButton b : buttons) {
        const auto id = static_cast<std::uint32_t>(b);
        if (id >= toolbar::kButtonIdCount || b == ToolbarButton::Reserved) {
            error = "unknown button " + std::to_string(id);
            return false;
        }
        if (seen[id]) {
            error = "button " + std::to_string(id) + " has two cells";
            return false;
        }
        seen[id] = true;
    }
    return true;
}

}  // namespace

int ToolbarFile::CellOf(ToolbarButton button) const {
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i] == button) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool ReadToolbarFile(std::string_view bytes, ToolbarFile& file, std::string& error) {
    if (bytes.size() < toolbar::kHeaderSize ||
        bytes.substr(0, toolbar::kSignature.size()) != toolbar::kSignature) {
        error = "not a toolbar file";
        return false;
    }
    const std::uint32_t version = Le32(bytes, 8);
    if (version != toolbar::kToolbarVersion) {
        error = "toolbar file version " + std::to_string(version) + " is not supported";
        return false;
    }
    ToolbarFile read;
    read.cellWidth = Le32(bytes, 12);
    read.cellHeight = Le32(bytes, 16);
    const std::uint32_t count = Le32(bytes, 20);
    if (count == 0 || count > toolbar::kMaxButtons) {
        error = "a button count of " + std::to_string(count) + " is outside 1 to " +
                std::to_string(toolbar::kMaxButtons);
        return false;
    }
    std::size_t at = toolbar::kHeaderSize;
    if (bytes.size() - at < 4u * count + 4u) {
        error = "the file ends inside the button list";
        return false;
    }
    for (std::uint32_t i = 0; i < count; ++i, at += 4) {
        read.buttons.push_back(static_cast<ToolbarButton>(Le32(bytes, at)));
    }
    if (!CheckShape(read.cellWidth, read.cellHeight, read.buttons, error)) {
        return false;
    }
    const std::uint32_t length = Le32(bytes, at);
    at += 4;
    if (length > bytes.size() - at) {
        error = "an image length of " + std::to_string(length) + " does not fit in the " +
                std::to_string(bytes.size() - at) + " bytes that follow";
        return false;
    }
    read.png = bytes.substr(at, length);
    if (read.png.compare(0, toolbar::kPngSignature.size(), toolbar::kPngSignature) != 0) {
        error = "the button image is not a PNG image";
        return false;
    }
    file = std::move(read);
    return true;
}

bool WriteToolbarFile(const ToolbarFile& file, ByteSink& sink, std::string& error) {
    if (!CheckShape(file.cellWidth, file.cellHeight, file.buttons, error)) {
        return false;
    }
    if (file.png.compare(0, toolbar::kPngSignature.size(), toolbar::kPngSignature) != 0 ||
        file.png.size() > std::numeric_limits<std::uint32_t>::max()) {
        error = "the button image is not a PNG image";
        return false;
    }
    std::string out(toolbar::kSignature);
    PutLe32(out, toolbar::kToolbarVersion);
    PutLe32(out, file.cellWidth);
    PutLe32(out, file.cellHeight);
    PutLe32(out, static_cast<std::uint32_t>(file.buttons.size()));
    for (const ToolbarButton b : file.buttons) {
        PutLe32(out, static_cast<std::uint32_t>(b));
    }
    PutLe32(out, static_cast<std::uint32_t>(file.png.size()));
    out += file.png;
    if (!sink.Write(out.data(), out.size())) {
        error = "write failed";
        return false;
    }
    return true;
}

}  // namespace nbx
