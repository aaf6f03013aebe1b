#pragma once
// A minimal PNG encoder for the generated toolbar image: 8-bit RGBA, no interlace, every
// row with filter 0, the image data in stored (uncompressed) deflate blocks. The build packs
// every entry of an e-book anyway, so compressing here would gain little.

#include <cstdint>
#include <string>
#include <vector>

namespace nbx::datagen {

// REQUIRES: rgba.size() == width * height * 4, width and height > 0.
std::string EncodePng(std::uint32_t width, std::uint32_t height,
                      const std::vector<std::uint8_t>& rgba);

}  // namespace nbx::datagen
