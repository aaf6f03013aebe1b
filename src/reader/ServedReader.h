#pragma once
// The reader from start to end, served: opens the book from its own file, serves it on the
// loopback interface, prints the address and opens the reader's browser on it, and serves
// until the window is gone or the reader leaves through Exit.

#include <cstdio>
#include <string>
#include <vector>

#include "platform/BrowserLauncher.h"
#include "reader/ReaderBook.h"

namespace nbx::reader {

// The message shown when the book at path can't be opened: built-in English, since the
// language file is inside the book. why: the reader's own account of the damage.
std::string BookOpenFailureMessage(const std::string& path, const std::string& why);

// The browser window the book asks for: its size in pixels, the default size, or maximized.
platform::BrowserWindow BrowserWindowFor(const BuildSettings& settings);

// Runs the reader on the e-book at path with the program's arguments (after its name).
// The address goes to out, failures to err. Returns the exit code: 0, or 1 when the book
// can't be opened or served.
int RunServedReader(const std::string& path, const std::vector<std::string>& args, std::FILE* out,
                    std::FILE* err);

}  // namespace nbx::reader
