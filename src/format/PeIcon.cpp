#include "format/PeIcon.h"

#include <vector>

namespace nbx {

namespace {

constexpr std::uint32_t kIconType = 3;        // RT_ICON
constexpr std::uint32_t kGroupIconType = 14;  // RT_GROUP_ICON
constexpr std::size_t kMaxSections = 96;      // the PE format's own limit
constexpr std::uint32_t kMaxIconBytes = 1u << 20;

std::uint32_t Le(const unsigned char* p, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        v = (v << 8) | p[i];
    }
    return v;
}

struct Section {
    std::uint32_t rva = 0, size = 0, rawOffset = 0, rawSize = 0;
};

class PeFile {
public:
    explicit PeFile(RandomAccessInput& input) : input_(input) {}

    // Reads the headers; false when input is no PE file this reader knows.
    bool Load() {
        unsigned char dos[64];
        if (!input_.ReadAt(0, dos, sizeof dos) || dos[0] != 'M' || dos[1] != 'Z') {
            return false;
        }
        const std::uint32_t pe = Le(dos + 60, 4);
        unsigned char head[24];
        if (pe > input_.Size() || !input_.ReadAt(pe, head, sizeof head) ||
            Le(head, 4) != 0x00004550) {  // "PE\0\0"
            return false;
        }
        const std::uint32_t sections = Le(head + 6, 2);
        const std::uint32_t optionalSize = Le(head + 20, 2);
        if (sections == 0 || sections > kMaxSections || optionalSize < 2 || optionalSize > 4096) {
            return false;
        }
        std::vector<unsigned char> optional(optionalSize);
        if (!input_.ReadAt(pe + 24, optional.data(), optional.size())) {
            return false;
        }
        // The resource table is the third data directory, after 96 (PE32) or 112 (PE32+) bytes.
        const std::uint32_t magic = Le(optional.data(), 2);
        const std::size_t directories = magic == 0x20b ? 112 : magic == 0x10b ? 96 : 0;
        if (directories == 0 || directories + 3 * 8 > optional.size()) {
            return false;
        }
        resourceRva_ = Le(optional.data() + directories + 16, 4);
        std::vector<unsigned char> table(sections * 40);
        if (!input_.ReadAt(pe + 24 + optionalSize, table.data(), table.size())) {
            return false;
        }
        for (std::uint32_t i = 0; i < sections; ++i) {
            const unsigned char* s = table.data() + i * 40;
            sections_.push_back({Le(s + 12, 4), Le(s + 8, 4), Le(s + 20, 4), Le(s + 16, 4)});
        }
        return resourceRva_ != 0;
    }

    // The file offset of size bytes at rva, when they lie whole in one section's file bytes.
    std::optional<std::uint64_t> FileOffset(std::uint32_t rva, std::uint32_t size) const {
        for (const Section& s : sections_) {
            const std::uint64_t into = std::uint64_t{rva} - s.rva;
            if (rva >= s.rva && into + size <= s.rawSize) {
                const std::uint64_t offset = s.rawOffset + into;
                if (offset + size <= input_.Size()) {
                    return offset;
                }
            }
        }
        return std::nullopt;
    }

    bool Read(std::uint32_t rva, void* data, std::uint32_t size) const {
        const std::optional<std::uint64_t> at = FileOffset(rva, size);
        return at && input_.ReadAt(*at, data, size);
    }

    // The first entry of the resource directory at offset (within the resource table) whose
    // id is id (or the first entry of all when id is 0): its offset field.
    std::optional<std::uint32_t> Entry(std::uint32_t directory, std::uint32_t id) const {
        unsigned char head[16];
        if (!Read(resourceRva_ + directory, head, sizeof head)) {
            return std::nullopt;
        }
        const std::uint32_t count = Le(head + 12, 2) + Le(head + 14, 2);
        for (std::uint32_t i = 0; i < count && i < 4096; ++i) {
            unsigned char entry[8];
            if (!Read(resourceRva_ + directory + 16 + i * 8, entry, sizeof entry)) {
                return std::nullopt;
            }
            if (id == 0 || Le(entry, 4) == id) {
                return Le(entry + 4, 4);
            }
        }
        return std::nullopt;
    }

    // The data (rva and size) of the first resource of type: type, then name, then language.
    std::optional<std::pair<std::uint32_t, std::uint32_t>> FirstOfType(std::uint32_t type) const {
        std::optional<std::uint32_t> at = Entry(0, type);
        for (int level = 0; level < 2 && at; ++level) {
            if ((*at & 0x80000000u) == 0) {
                return std::nullopt;  // a leaf where a directory belongs
            }
            at = Entry(*at & 0x7FFFFFFFu, 0);
        }
        unsigned char data[8];
        if (!at || (*at & 0x80000000u) != 0 || !Read(resourceRva_ + *at, data, sizeof data)) {
            return std::nullopt;
        }
        return std::make_pair(Le(data, 4), Le(data + 4, 4));
    }

private:
    RandomAccessInput& input_;
    std::uint32_t resourceRva_ = 0;
    std::vector<Section> sections_;
};

}  // namespace

std::optional<PeIconPlace> FindPeIcon(RandomAccessInput& input) {
    PeFile pe(input);
    if (!pe.Load()) {
        return std::nullopt;
    }
    const auto icon = pe.FirstOfType(kIconType);
    const auto group = pe.FirstOfType(kGroupIconType);
    if (!icon || !group || icon->second == 0 || icon->second > kMaxIconBytes ||
        group->second < 6 + 14) {
        return std::nullopt;
    }
    const std::optional<std::uint64_t> offset = pe.FileOffset(icon->first, icon->second);
    PeIconPlace place;
    place.groupEntry.resize(14);
    if (!offset || !pe.Read(group->first + 6, place.groupEntry.data(), 14)) {
        return std::nullopt;
    }
    place.imageOffset = *offset;
    place.imageSize = icon->second;
    return place;
}

std::string ReadPeIconFile(RandomAccessInput& input) {
    const std::optional<PeIconPlace> place = FindPeIcon(input);
    if (!place) {
        return {};
    }
    // An icon file: reserved 0, type 1, one image; the group's entry with the image's offset
    // (the header's size) in place of its resource id.
    std::string file("\0\0\1\0\1\0", 6);
    file += place->groupEntry.substr(0, 12);
    file += std::string({static_cast<char>(kIconFileHeaderSize), '\0', '\0', '\0'});
    std::string image(place->imageSize, '\0');
    if (!input.ReadAt(place->imageOffset, image.data(), image.size())) {
        return {};
    }
    return file + image;
}

}  // namespace nbx
