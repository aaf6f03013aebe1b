#include "project/SourceFile.h"

#include "platform/AsciiText.h"

#include <cstdio>

namespace nbx {

bool IsHtmlName(std::string_view name) {
    if (name.size() > 5 && EndsWithNoCaseAscii(name, ".html")) {
        return true;
    }
    return name.size() >= 5 && EndsWithNoCaseAscii(name, ".htm");
}

std::string OrderKeyForPosition(std::size_t index) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%08zu", index + 1000);
    return buffer;
}

}  // namespace nbx
