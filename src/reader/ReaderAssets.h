#pragma once
// The served reader's own files, embedded at build time from data/served/: the frame's
// script and style sheet, and the helper script that every page of the book gets.

#include <string_view>

namespace nbx::reader {

std::string_view FrameScriptAsset();  // frame.js
std::string_view FrameStyleAsset();   // frame.css
std::string_view PageScriptAsset();   // page.js: "/*CONFIG*/null" is where its settings go
std::string_view KeyNamesAsset();     // keys.js: the frame's and the pages' names of keys

}  // namespace nbx::reader
