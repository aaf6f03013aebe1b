// The program icon of a Windows program, found through its resource table: read back as an
// icon file from a small PE image made here, and nothing (never a read out of bounds) from
// damaged ones.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "format/PeIcon.h"
#include "format/RandomAccessInput.h"

namespace nbx {
namespace {

void Put(std::string& b, std::size_t at, std::uint32_t v, int bytes) {
    if (b.size() < at + bytes) {
        b.resize(at + bytes, '\0');
    }
    for (int i = 0; i < bytes; ++i) {
        b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
}

constexpr std::uint32_t kPe = 64;
constexpr std::uint32_t kSectionTable = kPe + 24 + 240;
constexpr std::uint32_t kRaw = 0x200;  // the resource section's file offset
constexpr std::uint32_t kRva = 0x1000;

// A PE32+ image with one section, .rsrc, holding an RT_ICON of image and an RT_GROUP_ICON
// whose entry is entry (14 bytes).
std::string MakePe(const std::string& image, const std::string& entry) {
    std::string pe(kRaw, '\0');
    pe[0] = 'M';
    pe[1] = 'Z';
    Put(pe, 60, kPe, 4);
    Put(pe, kPe, 0x00004550, 4);
    Put(pe, kPe + 4, 0x8664, 2);
    Put(pe, kPe + 6, 1, 2);
    Put(pe, kPe + 20, 240, 2);
    Put(pe, kPe + 24, 0x20b, 2);
    // Resources: root (types 3 and 14), for each a name level and a language level, then the
    // two data entries and the data.
    std::string r;
    auto directory = [&r](std::uint32_t at, std::uint32_t id, std::uint32_t to) {
        Put(r, at + 14, 1, 2);
        Put(r, at + 16, id, 4);
        Put(r, at + 20, to, 4);
    };
    Put(r, 14, 2, 2);  // root: two id entries
    Put(r, 16, 3, 4);
    Put(r, 20, 0x80000000u | 0x20, 4);
    Put(r, 24, 14, 4);
    Put(r, 28, 0x80000000u | 0x38, 4);
    directory(0x20, 1, 0x80000000u | 0x50);
    directory(0x38, 1, 0x80000000u | 0x68);
    directory(0x50, 1033, 0x80);
    directory(0x68, 1033, 0x90);
    const std::uint32_t imageAt = 0xA0;
    const std::uint32_t groupAt = imageAt + static_cast<std::uint32_t>(image.size());
    Put(r, 0x80, kRva + imageAt, 4);
    Put(r, 0x84, static_cast<std::uint32_t>(image.size()), 4);
    Put(r, 0x90, kRva + groupAt, 4);
    Put(r, 0x94, 20, 4);
    r.resize(imageAt);
    r += image;
    r += std::string("\0\0\1\0\1\0", 6) + entry;
    Put(pe, kPe + 24 + 112 + 16, kRva, 4);  // the resource data directory
    Put(pe, kPe + 24 + 112 + 20, static_cast<std::uint32_t>(r.size()), 4);
    pe.replace(kSectionTable, 5, ".rsrc");
    Put(pe, kSectionTable + 8, static_cast<std::uint32_t>(r.size()), 4);
    Put(pe, kSectionTable + 12, kRva, 4);
    Put(pe, kSectionTable + 16, static_cast<std::uint32_t>(r.size()), 4);
    Put(pe, kSectionTable + 20, kRaw, 4);
    return pe + r;
}

const std::string kImage = std::string(40, '\x28') + std::string(704, '\x5a');  // 744 bytes
const std::string kEntry("\x20\x20\x10\0\1\0\4\0\xe8\x02\0\0\1\0", 14);

TEST(PeIconTest, ReadsTheProgramIconBackAsAnIconFile) {
    const std::string pe = MakePe(kImage, kEntry);
    MemoryInput input(pe);
    const std::optional<PeIconPlace> place = FindPeIcon(input);
    ASSERT_TRUE(place.has_value());
    EXPECT_EQ(place->imageOffset, kRaw + 0xA0);
    EXPECT_EQ(place->imageSize, kImage.size());
    // Header, the group's entry with the image's offset in place of its id, the image.
    const std::string expected = std::string("\0\0\1\0\1\0", 6) + kEntry.substr(0, 12) +
                                 std::string("\x16\0\0\0", 4) + kImage;
    EXPECT_EQ(ReadPeIconFile(input), expected);
    EXPECT_EQ(ReadPeIconFile(input).size(), 766u);
}

TEST(PeIconTest, DamagedProgramsHaveNoIcon) {
    const std::string good = MakePe(kImage, kEntry);
    struct Case {
        const char* what;
        std::function<void(std::string&)> damage;
    };
    const Case cases[] = {
        {"empty", [](std::string& b) { b.clear(); }},
        {"an ELF program",
         [](std::string& b) {
             b.replace(0, 4,
                       "\x7f"
                       "ELF");
         }},
        {"no PE header", [](std::string& b) { b.resize(100); }},
        {"the PE header past the end", [](std::string& b) { Put(b, 60, 0xFFFFFFF0u, 4); }},
        {"a wrong signature", [](std::string& b) { b[kPe] = 'X'; }},
        {"no sections", [](std::string& b) { Put(b, kPe + 6, 0, 2); }},
        {"too many sections", [](std::string& b) { Put(b, kPe + 6, 60000, 2); }},
        {"an unknown optional header", [](std::string& b) { Put(b, kPe + 24, 0x999, 2); }},
        {"a short optional header", [](std::string& b) { Put(b, kPe + 20, 8, 2); }},
        {"no resources", [](std::string& b) { Put(b, kPe + 24 + 128, 0, 4); }},
        {"resources outside every section",
         [](std::string& b) { Put(b, kPe + 24 + 128, 0x900000, 4); }},
        {"a section past the end of the file",
         [](std::string& b) { Put(b, kSectionTable + 20, 0x7FFFFFF0, 4); }},
        {"truncated in the resources", [](std::string& b) { b.resize(kRaw + 0x70); }},
        {"truncated in the image", [](std::string& b) { b.resize(kRaw + 0xA0 + 100); }},
        {"an image larger than its section",
         [](std::string& b) { Put(b, kRaw + 0x84, 0x10000000, 4); }},
        {"an image address that wraps",
         [](std::string& b) { Put(b, kRaw + 0x80, 0xFFFFFFF0u, 4); }},
        {"a leaf where a directory belongs", [](std::string& b) { Put(b, kRaw + 20, 0x20, 4); }},
        {"a directory of many entries, none an icon",
         [](std::string& b) {
             Put(b, kRaw + 14, 65535, 2);
             Put(b, kRaw + 16, 7, 4);
             Put(b, kRaw + 24, 8, 4);
         }},
        {"a short group", [](std::string& b) { Put(b, kRaw + 0x94, 8, 4); }},
    };
    for (const Case& c : cases) {
        std::string bytes = good;
        c.damage(bytes);
        MemoryInput input(bytes);
        EXPECT_FALSE(FindPeIcon(input).has_value()) << c.what;
        EXPECT_EQ(ReadPeIconFile(input), "") << c.what;
    }
}

}  // namespace
}  // namespace nbx
