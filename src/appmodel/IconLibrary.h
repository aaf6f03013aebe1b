#pragma once
// The icon library of "Edit Icon": the category folders inside the program folder's "icons"
// folder and the icons in them that the e-book can take (a single 32 x 32 icon in 16
// colours: exactly 766 bytes). The dialog loads and draws the icons; this lists them.

#include <cstdint>
#include <string>
#include <vector>

namespace nbx {

inline constexpr std::uintmax_t kLibraryIconSize = 766;

struct IconCategory {
    std::string path;  // full path of the folder
    std::string name;
};

struct IconLibrary {
    std::vector<IconCategory> categories;
    std::vector<std::string> icons;  // full paths, category by category

    // The icons of a category: every icon inside its folder (letter case ignored). Only the
    // folder itself counts, so "Books" does not show the icons of a folder "Books2".
    std::vector<std::string> IconsOf(const IconCategory& category) const;
    // Position of path in icons, or -1.
    int Find(const std::string& path) const;
};

// Lists iconsFolder. Categories and icons are sorted by name (ignoring case, ties in byte
// order) so the library reads the same on every file system. An icon must end in ".ico"
// (any case), be a regular file of 766 bytes and hold an icon directory whose first image
// lies inside the file. A folder that cannot be read gives an empty library.
IconLibrary ListIconLibrary(const std::string& iconsFolder);

// True when the bytes start an icon directory with at least one image inside them.
bool HoldsIconImage(const std::string& bytes);

}  // namespace nbx
