#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace nbx {

// One entry of the project's ordered file list.
struct SourceFile {
    std::string path;  // source folder, separator, file name
    std::string title;
    std::string description;
    std::string keywords;
    std::string orderKey;  // eight digits for HTML files, empty for all others
    std::int32_t searchable = 1;
    std::int32_t inContents = 0;
    std::int32_t excluded = 0;
    std::int32_t preprocess = 0;

    bool operator==(const SourceFile&) const = default;
};

// True for a name ending in ".html" (with at least one character before it) or ".htm",
// in any letter case.
bool IsHtmlName(std::string_view name);

// The eight-digit key that a sorted list gives to position `index`: 1000 + index.
std::string OrderKeyForPosition(std::size_t index);

}  // namespace nbx
