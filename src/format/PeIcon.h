#pragma once
// The program icon of a Windows program (PE file): where its first icon image lies in the
// file, found through the resource table. The build uses it to check where the Windows
// reader stub keeps its stock icon; the reader and the tests read the author's icon back.
// Every offset and size read from the file is checked against the file before use.

#include <cstdint>
#include <optional>
#include <string>

#include "format/RandomAccessInput.h"

namespace nbx {

struct PeIconPlace {
    std::uint64_t imageOffset = 0;  // file offset of the first RT_ICON's bytes
    std::uint32_t imageSize = 0;
    std::string groupEntry;  // its 14-byte entry in the first RT_GROUP_ICON
};

// The first icon image of the PE file in input, or nothing when input is no PE file or has
// no icon resource that lies whole within the file.
std::optional<PeIconPlace> FindPeIcon(RandomAccessInput& input);

// An icon file of one image: its header and its one entry, which the image follows.
inline constexpr std::uint64_t kIconFileHeaderSize = 22;

// The first icon of the PE file as an icon file (header, one entry, the image): the bytes the
// icon patch wrote there. Empty when there is none.
std::string ReadPeIconFile(RandomAccessInput& input);

}  // namespace nbx
