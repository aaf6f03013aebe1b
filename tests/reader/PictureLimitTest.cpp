// A picture's size is read from its header before anything decodes it; pictures over the
// limit, and pages whose pictures together are over it, are refused.

#include <gtest/gtest.h>

#include "reader/PictureLimit.h"

namespace nbx::reader {
namespace {

std::string Big32(std::uint32_t v) {
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
            static_cast<char>(v)};
}

std::string Little16(std::uint32_t v) {
    return {static_cast<char>(v), static_cast<char>(v >> 8)};
}

std::string Little32(std::uint32_t v) {
    return Little16(v & 0xFFFF) + Little16(v >> 16);
}

std::string Png(std::uint32_t w, std::uint32_t h) {
    return std::string("\x89PNG\r\n\x1a\n", 8) + Big32(13) + "IHDR" + Big32(w) + Big32(h) +
           std::string("\x08\x06\0\0\0", 5);
}

std::string Gif(std::uint32_t w, std::uint32_t h) {
    return "GIF89a" + Little16(w) + Little16(h) + std::string(3, '\0');
}

std::string Bmp(std::int32_t w, std::int32_t h) {
    return "BM" + std::string(12, '\0') + Little32(40) + Little32(static_cast<std::uint32_t>(w)) +
           Little32(static_cast<std::uint32_t>(h)) + std::string(8, '\0');
}

std::string Jpeg(std::uint32_t w, std::uint32_t h) {
    const std::string app0 = std::string("\xFF\xE0\x00\x10JFIF\0", 9) + std::string(9, '\0');
    const std::string sof = std::string("\xFF\xC2\x00\x11\x08", 5) +
                            std::string{static_cast<char>(h >> 8), static_cast<char>(h),
                                        static_cast<char>(w >> 8), static_cast<char>(w)} +
                            std::string(10, '\0');
    return std::string("\xFF\xD8", 2) + app0 + sof;
}

TEST(PictureLimitTest, ReadsTheSizeFromEachHeader) {
    const std::tuple<std::string, std::uint32_t, std::uint32_t, const char*> cases[] = {
        {Png(640, 480), 640, 480, "png"},
        {Png(100000, 100000), 100000, 100000, "png"},
        {Gif(65535, 2), 65535, 2, "gif"},
        {Bmp(300, -200), 300, 200, "bmp"},
        {"BM" + std::string(12, '\0') + Little32(12) + Little16(7) + Little16(9) +
             std::string(4, '\0'),
         7, 9, "bmp"},
        {Jpeg(1024, 768), 1024, 768, "jpeg"},
    };
    for (const auto& [bytes, width, height, format] : cases) {
        PictureSize size;
        ASSERT_TRUE(ReadPictureSize(bytes, size)) << format;
        EXPECT_EQ(size.width, width) << format;
        EXPECT_EQ(size.height, height) << format;
        EXPECT_EQ(size.format, format);
    }
}

TEST(PictureLimitTest, RefusesWhatDoesNotReadAsAPicture) {
    const std::string jpeg = Jpeg(10, 10);
    const std::string cases[] = {
        "",
        Png(1, 1).substr(0, 20),
        Gif(1, 1).substr(0, 9),
        Bmp(1, 1).substr(0, 25),
        jpeg.substr(0, 24),                          // ends inside the frame header
        std::string("\xFF\xD8\xFF\xDA\x00\x02", 6),  // data before any frame
        std::string("\xFF\xD8\xFF\xE0\x00\x00", 6),  // a length that can't be
        std::string("\xFF\xD8\x00\x00", 4),
        "<svg width='100000' height='100000'/>",
        "GIF90a" + std::string(10, '\0'),
    };
    for (const std::string& bytes : cases) {
        PictureSize size;
        EXPECT_FALSE(ReadPictureSize(bytes, size)) << bytes.size();
    }
}

TEST(PictureLimitTest, CapsEachPictureAndEachPage) {
    const auto size = [](std::uint32_t w, std::uint32_t h) { return PictureSize{w, h, "png"}; };
    EXPECT_TRUE(PictureMayBeDecoded(size(4096, 4096)));
    EXPECT_TRUE(PictureMayBeDecoded(size(1, 16777216)));
    EXPECT_FALSE(PictureMayBeDecoded(size(4097, 4096)));
    EXPECT_FALSE(PictureMayBeDecoded(size(100000, 100000)));
    EXPECT_FALSE(PictureMayBeDecoded(size(0xFFFFFFFF, 0xFFFFFFFF)));
    EXPECT_FALSE(PictureMayBeDecoded(size(0, 10)));

    PictureBudget page;
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(page.Take(size(4096, 4096))) << i;
    }
    EXPECT_FALSE(page.Take(size(1, 1)));
    page.Reset();
    EXPECT_FALSE(page.Take(size(5000, 5000)));
    EXPECT_TRUE(page.Take(size(4096, 4096)));
}

}  // namespace
}  // namespace nbx::reader
