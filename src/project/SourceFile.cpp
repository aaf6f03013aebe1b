#include "project/SourceFile.h"

#include <cstdio>

namespace nbx {

namespace {
bool EndsWithNoCase(std::string_view text, std::string_view lowerSuffix) {
    if (text.size() < lowerSuffix.size()) {
        return false;
    }
    const auto tail = text.substr(text.size() - lowerSuffix.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        char c = tail[i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != lowerSuffix[i]) {
            return false;
        }
    }
    return true;
}
}  // namespace

bool IsHtmlName(std::string_view name) {
    if (name.size() > 5 && EndsWithNoCase(name, ".html")) {
        return true;
    }
    return name.size() >= 5 && EndsWithNoCase(name, ".htm");
}

std::string OrderKeyForPosition(std::size_t index) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%08zu", index + 1000);
    return buffer;
}

}  // namespace nbx
