#pragma once
// How large a picture of a book may be once decoded. A few hundred bytes of a picture file
// can claim a size that takes gigabytes to decode, so the size is read from the picture's
// header before anything is decoded, and a picture over the limit, or one whose header does
// not read as PNG, GIF, JPEG or BMP, is not decoded at all.

#include <cstdint>
#include <string>
#include <string_view>

namespace nbx::reader {

struct PictureSize {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::string format;  // "png", "gif", "jpeg" or "bmp"
};

// One picture: 4096 x 4096 pixels, 64 MB decoded.
inline constexpr std::uint64_t kMaxPicturePixels = 4096ull * 4096ull;
// Every picture of one page together.
inline constexpr std::uint64_t kMaxPagePicturePixels = 4 * kMaxPicturePixels;

// The size a picture's header claims. False when the bytes are no picture of the four
// formats or end inside the header.
bool ReadPictureSize(std::string_view bytes, PictureSize& size);

// True when the picture's header reads and claims a size of at most kMaxPicturePixels
// pixels, none of its sides 0.
bool PictureMayBeDecoded(const PictureSize& size);

// The pictures of one page share kMaxPagePicturePixels; Reset when a new page is loaded.
class PictureBudget {
public:
    // Takes the picture's pixels from what is left; false (and nothing taken) when it does
    // not fit or may not be decoded at all.
    bool Take(const PictureSize& size);
    void Reset() { used_ = 0; }

private:
    std::uint64_t used_ = 0;
};

}  // namespace nbx::reader
