#pragma once
// Puts the author's icon into the working copy of the reader stub: the stock icon's bytes are
// searched for in a window of the stub and overwritten in place with the custom icon's. The
// stub's structure is never parsed; bytes of a found place that differ from the stock icon
// (where the icon file's header lay apart from its image) are left alone.

#include <cstddef>
#include <cstdint>
#include <string>

namespace nbx {

class Prompter;

namespace icon {
inline constexpr std::size_t kRequiredSize = 766;  // one 32 x 32, 16-colour image
inline constexpr std::size_t kMaxRead = 10000;
inline constexpr std::uint64_t kWindowOffset = 395000;
inline constexpr std::size_t kWindowSize = 100000;
inline constexpr std::size_t kSampleOffsets[] = {100, 200, 300, 400, 500, 600,
                                                 150, 250, 350, 450, 550, 650};
// The stock icon, relative to the compiler's folder.
inline constexpr const char* kStockIconName = "icons\\Books\\idr_main.ico";
}  // namespace icon

// Where the patch searches a stub: a Windows stub (a PE file) keeps the icon as its program
// icon resource, wherever the linker put it, and is searched there; any other stub between
// icon::kWindowOffset and its end.
struct IconWindow {
    std::uint64_t offset = 0;
    std::size_t size = 0;
};
IconWindow IconWindowOf(const std::string& stubPath);

// Patches the stub working copy at stubCopyPath with the icon file at customIconPath; the
// stock icon is read from compilerFolder. True when at least one byte was written. On false
// the error has been shown through prompter and the working copy may be partly patched.
bool CustomiseIcon(const std::string& stubCopyPath, const std::string& customIconPath,
                   const std::string& compilerFolder, Prompter& prompter);

}  // namespace nbx
