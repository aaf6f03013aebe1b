#include "project/HtmlTitle.h"

#include "platform/AsciiText.h"
#include "platform/RegularFile.h"
#include "platform/TextCut.h"

namespace nbx {

std::string FindHtmlTitle(std::string_view head) {
    head = head.substr(0, head.find('\0'));
    if (head.empty()) {
        return {};
    }
    const std::string upper = ToUpperAscii(std::string(head));
    constexpr std::string_view kOpen = "<TITLE>";
    const std::size_t open = upper.find(kOpen);
    const std::size_t close = upper.find("</TITLE>");
    if (open == std::string::npos || close == std::string::npos || close < open) {
        return {};
    }
    std::string out(
        TrimAsciiWhiteSpace(head.substr(open + kOpen.size(), close - open - kOpen.size())));
    platform::CutToCharacterBoundary(out, kMaxTitleLength);
    return out;
}

std::string ExtractHtmlTitle(const std::string& path) {
    std::string head;
    int error = 0;
    platform::ReadRegularFile(path, kTitleReadLimit, platform::Oversize::ReadPrefix, head, error);
    return FindHtmlTitle(head);
}

}  // namespace nbx
