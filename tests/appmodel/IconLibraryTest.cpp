// The icon library: categories, 766-byte icons only, and a category's icons.

#include <gtest/gtest.h>

#include "appmodel/IconLibrary.h"
#include "support/TempDir.h"

namespace nbx {
namespace {

// A 766-byte icon directory with one image at offset 22.
std::string Icon(std::size_t size = kLibraryIconSize) {
    std::string bytes(size, '\0');
    bytes[2] = 1;  // type icon
    bytes[4] = 1;  // one image
    const std::size_t imageSize = 766 - 22;
    bytes[6 + 8] = static_cast<char>(imageSize & 0xFF);
    bytes[6 + 9] = static_cast<char>(imageSize >> 8);
    bytes[6 + 12] = 22;
    return bytes;
}

TEST(IconLibrary, ListsCategoriesAndOnlyUsableIcons) {
    test::TempDir dir;
    dir.Write("Books/b.ico", Icon());
    dir.Write("Books/a.ICO", Icon());
    dir.Write("Books/big.ico", Icon(767));
    dir.Write("Books/notes.txt", Icon());
    std::string broken = Icon();
    broken[2] = 2;  // a cursor, not an icon
    dir.Write("Books/cursor.ico", broken);
    dir.Write("Books2/c.ico", Icon());
    dir.Write("loose.ico", Icon());  // not in a category

    const IconLibrary library = ListIconLibrary(dir.path());
    ASSERT_EQ(library.categories.size(), 2u);
    EXPECT_EQ(library.categories[0].name, "Books");
    EXPECT_EQ(library.categories[1].name, "Books2");
    const std::vector<std::string> books{dir.File("Books/a.ICO"), dir.File("Books/b.ico")};
    EXPECT_EQ(library.IconsOf(library.categories[0]), books);
    EXPECT_EQ(library.IconsOf(library.categories[1]),
              std::vector<std::string>{dir.File("Books2/c.ico")});
    EXPECT_EQ(library.Find(dir.File("Books/b.ico")), 1);
    EXPECT_EQ(library.Find(dir.File("Books/big.ico")), -1);
}

TEST(IconLibrary, IconDirectoryChecks) {
    EXPECT_TRUE(HoldsIconImage(Icon()));
    std::string pastEnd = Icon();
    pastEnd[6 + 9] = 0x03;  // the image would run past the file
    EXPECT_FALSE(HoldsIconImage(pastEnd));
    std::string none = Icon();
    none[4] = 0;
    EXPECT_FALSE(HoldsIconImage(none));
    EXPECT_FALSE(HoldsIconImage(std::string(10, '\0')));
}

TEST(IconLibrary, MissingFolderGivesAnEmptyLibrary) {
    const IconLibrary library = ListIconLibrary("/no/such/icons");
    EXPECT_TRUE(library.categories.empty());
    EXPECT_TRUE(library.icons.empty());
}

}  // namespace
}  // namespace nbx
