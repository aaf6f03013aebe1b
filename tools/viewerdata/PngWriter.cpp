#include "viewerdata/PngWriter.h"

#include <algorithm>
#include <array>

namespace nbx::datagen {

namespace {

std::uint32_t Crc32(const std::string& bytes, std::size_t from) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = from; i < bytes.size(); ++i) {
        crc = table[(crc ^ static_cast<std::uint8_t>(bytes[i])) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(const std::string& bytes) {
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const char c : bytes) {
        a = (a + static_cast<std::uint8_t>(c)) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void PutBe32(std::string& out, std::uint32_t v) {
    out += static_cast<char>(v >> 24);
    out += static_cast<char>((v >> 16) & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
    out += static_cast<char>(v & 0xFF);
}

void PutChunk(std::string& png, const char* type, const std::string& data) {
    PutBe32(png, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = png.size();
    png += type;
    png += data;
    PutBe32(png, Crc32(png, typeAt));
}

// A zlib stream of stored deflate blocks.
std::string StoredZlib(const std::string& raw) {
    std::string out = "\x78\x01";
    std::size_t at = 0;
    do {
        const std::size_t n = std::min<std::size_t>(65535, raw.size() - at);
        const bool last = at + n == raw.size();
        out += static_cast<char>(last ? 1 : 0);
        out += static_cast<char>(n & 0xFF);
        out += static_cast<char>(n >> 8);
        out += static_cast<char>(~n & 0xFF);
        out += static_cast<char>((~n >> 8) & 0xFF);
        out.append(raw, at, n);
        at += n;
    } while (at < raw.size());
    PutBe32(out, Adler32(raw));
    return out;
}

}  // namespace

std::string EncodePng(std::uint32_t width, std::uint32_t height,
                      const std::vector<std::uint8_t>& rgba) {
    std::string png("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    PutBe32(header, width);
    PutBe32(header, height);
    header += '\x08';                // bit depth
    header += '\x06';                // RGBA
    header += std::string(3, '\0');  // deflate, adaptive filtering, no interlace
    PutChunk(png, "IHDR", header);
    std::string raw;
    raw.reserve(static_cast<std::size_t>(height) * (width * 4 + 1));
    for (std::uint32_t y = 0; y < height; ++y) {
        raw += '\0';  // filter: none
        raw.append(reinterpret_cast<const char*>(rgba.data()) + std::size_t{y} * width * 4,
                   std::size_t{width} * 4);
    }
    PutChunk(png, "IDAT", StoredZlib(raw));
    PutChunk(png, "IEND", {});
    return png;
}

}  // namespace nbx::datagen
