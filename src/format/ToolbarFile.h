#pragma once
// Reading and writing toolbar.tb (layout in ToolbarFormat.h). The reader of an e-book reads
// it from the "__tool.tb" entry; the data generator writes it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "format/ByteSink.h"
#include "format/ToolbarFormat.h"

namespace nbx {

struct ToolbarFile {
    std::uint32_t cellWidth = 0;
    std::uint32_t cellHeight = 0;
    std::vector<toolbar::ToolbarButton> buttons;  // the button of each cell, in order
    std::string png;                              // the whole image, PNG-encoded

    // The cell that shows button, or -1 when the file has none for it.
    int CellOf(toolbar::ToolbarButton button) const;
};

// Parses bytes. Every count and length is checked against the bytes that remain; false
// with error set (and file unchanged) when the signature, version, cell size, button list
// or image is not sound. The PNG's own contents are left to the image decoder.
bool ReadToolbarFile(std::string_view bytes, ToolbarFile& file, std::string& error);

// Writes file. False, writing nothing, when it would not read back (a cell size of 0 or
// over the limit, no buttons or too many, an unknown or repeated button, an image that is
// not a PNG); false too when the sink fails.
bool WriteToolbarFile(const ToolbarFile& file, ByteSink& sink, std::string& error);

}  // namespace nbx
