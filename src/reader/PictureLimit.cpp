#include "reader/PictureLimit.h"

#include <cstdlib>

namespace nbx::reader {

namespace {

std::uint32_t Byte(std::string_view b, std::size_t i) {
    return static_cast<unsigned char>(b[i]);
}

std::uint32_t Big16(std::string_view b, std::size_t i) {
    return Byte(b, i) << 8 | Byte(b, i + 1);
}

std::uint32_t Big32(std::string_view b, std::size_t i) {
    return Big16(b, i) << 16 | Big16(b, i + 2);
}

std::uint32_t Little16(std::string_view b, std::size_t i) {
    return Byte(b, i) | Byte(b, i + 1) << 8;
}

std::uint32_t Little32(std::string_view b, std::size_t i) {
    return Little16(b, i) | Little16(b, i + 2) << 16;
}

bool Png(std::string_view b, PictureSize& size) {
    if (b.size() < 24 || b.substr(0, 8) != "\x89PNG\r\n\x1a\n" || b.substr(12, 4) != "IHDR") {
        return false;
    }
    size = {Big32(b, 16), Big32(b, 20), "png"};
    return true;
}

bool Gif(std::string_view b, PictureSize& size) {
    if (b.size() < 10 || (b.substr(0, 6) != "GIF87a" && b.substr(0, 6) != "GIF89a")) {
        return false;
    }
    size = {Little16(b, 6), Little16(b, 8), "gif"};
    return true;
}

bool Bmp(std::string_view b, PictureSize& size) {
    if (b.size() < 26 || b.substr(0, 2) != "BM") {
        return false;
    }
    if (Little32(b, 14) == 12) {  // the old OS/2 header: 16-bit sides
        size = {Little16(b, 18), Little16(b, 20), "bmp"};
        return true;
    }
    // Sides are signed: a negative height stores the rows top-down.
    const auto width = static_cast<std::int32_t>(Little32(b, 18));
    const auto height = static_cast<std::int32_t>(Little32(b, 22));
    const auto side = [](std::int32_t v) {
        return v == INT32_MIN ? 0x80000000u : static_cast<std::uint32_t>(std::abs(v));
    };
    size = {side(width), side(height), "bmp"};
    return true;
}

bool Jpeg(std::string_view b, PictureSize& size) {
    if (b.size() < 4 || Byte(b, 0) != 0xFF || Byte(b, 1) != 0xD8) {
        return false;
    }
    // The segments before the frame header each carry their length; the frame header
    // (any start-of-frame marker) holds the sides.
    std::size_t i = 2;
    while (i + 4 <= b.size()) {
        if (Byte(b, i) != 0xFF) {
            return false;
        }
        const std::uint32_t marker = Byte(b, i + 1);
        if (marker == 0xFF) {
            ++i;  // fill byte
            continue;
        }
        if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            i += 2;
            continue;
        }
        const std::uint32_t length = Big16(b, i + 2);
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (i + 9 > b.size() || length < 7) {
                return false;
            }
            size = {Big16(b, i + 7), Big16(b, i + 5), "jpeg"};
            return true;
        }
        if (length < 2 || marker == 0xD9 || marker == 0xDA) {
            return false;  // the data starts before any frame header
        }
        i += 2 + length;
    }
    return false;
}

}  // namespace

bool ReadPictureSize(std::string_view bytes, PictureSize& size) {
    return Png(bytes, size) || Gif(bytes, size) || Jpeg(bytes, size) || Bmp(bytes, size);
}

bool PictureMayBeDecoded(const PictureSize& size) {
    const std::uint64_t pixels = std::uint64_t{size.width} * size.height;
    return size.width > 0 && size.height > 0 && pixels <= kMaxPicturePixels;
}

bool PictureBudget::Take(const PictureSize& size) {
    if (!PictureMayBeDecoded(size)) {
        return false;
    }
    const std::uint64_t pixels = std::uint64_t{size.width} * size.height;
    if (pixels > kMaxPagePicturePixels - used_) {
        return false;
    }
    used_ += pixels;
    return true;
}

}  // namespace nbx::reader
