#pragma once
// toolbar.tb: the images of the reader's toolbar buttons. The compiler only finds the file
// and stores it whole in each e-book as "__tool.tb"; the reader takes its button images
// from it. docs/formats/toolbar.md describes the layout; the writer is ToolbarFileWriter,
// the reader ToolbarFileReader.
//
// All numbers are unsigned 32-bit little-endian; nothing is masked.
//   offset  size  field
//   0       8     signature "NBXTOOLB"
//   8       4     format version, kToolbarVersion
//   12      4     cell width in pixels
//   16      4     cell height in pixels
//   20      4     button count N
//   24      4N    the button shown in cell i, a ToolbarButton value
//   24+4N   4     image length L
//   28+4N   L     a PNG image, N cells wide and one cell high: cell i is the pixels
//                 [i * cell width, (i + 1) * cell width) of every row
// Bytes after the image are ignored.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace nbx::toolbar {

inline constexpr std::string_view kSignature = "NBXTOOLB";
inline constexpr std::uint32_t kToolbarVersion = 1;
inline constexpr std::size_t kHeaderSize = 24;  // up to the button list
inline constexpr std::uint32_t kMaxCellSize = 256;
inline constexpr std::uint32_t kMaxButtons = 64;
inline constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1a\n";

// The reader's buttons. Back to About follow the run of toolbar switches in the settings
// record (Reserved is that run's unused word); the others follow it.
enum class ToolbarButton : std::uint32_t {
    Back = 0,
    Forward = 1,
    Stop = 2,
    Refresh = 3,
    Home = 4,
    Search = 5,
    Contents = 6,
    Copy = 7,
    Find = 8,
    Size = 9,
    Print = 10,
    Reserved = 11,
    About = 12,
    Next = 13,
    Previous = 14,
    Exit = 15,
};
inline constexpr std::uint32_t kButtonIdCount = 16;

struct ButtonName {
    ToolbarButton button;
    std::string_view name;
};

// Every button but Reserved, by the name the toolbar source uses.
inline constexpr ButtonName kButtonNames[] = {
    {ToolbarButton::Back, "Back"},         {ToolbarButton::Forward, "Forward"},
    {ToolbarButton::Stop, "Stop"},         {ToolbarButton::Refresh, "Refresh"},
    {ToolbarButton::Home, "Home"},         {ToolbarButton::Search, "Search"},
    {ToolbarButton::Contents, "Contents"}, {ToolbarButton::Copy, "Copy"},
    {ToolbarButton::Find, "Find"},         {ToolbarButton::Size, "Size"},
    {ToolbarButton::Print, "Print"},       {ToolbarButton::About, "About"},
    {ToolbarButton::Next, "Next"},         {ToolbarButton::Previous, "Previous"},
    {ToolbarButton::Exit, "Exit"},
};

}  // namespace nbx::toolbar
