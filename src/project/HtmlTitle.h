#pragma once
// Page titles read out of HTML files for the file list.

#include <cstddef>
#include <string>
#include <string_view>

namespace nbx {

// Only this much of a file is read for its title.
inline constexpr std::size_t kTitleReadLimit = 4095;
inline constexpr std::size_t kMaxTitleLength = 255;

// The title in the first bytes of a page: the text between the first "<TITLE>" and the first
// "</TITLE>" (tags in any letter case; the text as it stands), without surrounding white
// space, cut to 255 bytes. Empty when the bytes are empty or start with a zero byte, when a
// tag is missing or the closing tag comes first. Bytes after a zero byte are not looked at.
// No entities are decoded and line breaks stay.
std::string FindHtmlTitle(std::string_view head);

// FindHtmlTitle of the first kTitleReadLimit bytes of the file at path; empty when it cannot
// be opened or is not a regular file.
std::string ExtractHtmlTitle(const std::string& path);

}  // namespace nbx
