#pragma once
// The folder chooser's OK on a typed path: the form is checked, a missing folder may be
// created level by level. A path is absolute ("/..."); each name in it is non-empty, does
// not begin or end with a blank, a tab or a full stop, and holds none of
// " * / : < > ? \ | , so that a book's folders stay valid on every system it may move to.

#include <string>
#include <string_view>

namespace nbx {

class Prompter;

bool IsValidFolderPath(std::string_view path);

enum class FolderCheckResult {
    Accept,    // the folder exists (perhaps just created); the chooser closes with the path
    KeepOpen,  // a message was shown or the author declined; the focus goes to the field
};

// Invalid form: the "is invalid" message. Missing folder: asks whether to create it; No
// keeps the chooser open, Yes creates each missing level, and a level that cannot be created
// gives the "can not be created" message.
FolderCheckResult CheckChosenFolder(const std::string& typed, Prompter& prompter);

// The chooser's New Folder: the form is checked and each missing level is made, without the
// question (the author asked for the folder); the same messages on failure.
FolderCheckResult CreateChosenFolder(const std::string& typed, Prompter& prompter);

}  // namespace nbx
