#pragma once
// The save-file dialogs of the output programs ("Output File" before a build, the two Browse
// buttons of "Edit Output"). A book here is a program named without an ending; once books
// for Windows exist, a name ending in ".exe" will mean one of those. So the dialogs add no
// ending, and show every file first, then the ".exe" programs.

#include <string>
#include <string_view>

namespace nbx {

// In the form "Name (*.a)|*.a|...||".
inline constexpr std::string_view kOutputFileFilter =
    "All Files (*.*)|*.*|Executable Files (*.exe)|*.exe||";

// Where the dialog opens for a path: in its folder with its name. When the folder does not
// exist yet, in the nearest folder above it that does, the rest of the path as the name
// ("out/mybook"), so that Save keeps the path the author set. A path that ends in a
// separator names a folder alone (no name); an empty path gives an empty folder (the
// dialog's own choice) and name.
struct SaveDialogStart {
    std::string folder;
    std::string name;
};
SaveDialogStart SaveDialogStartOf(const std::string& path);

}  // namespace nbx
