#include "project/HtmlTitle.h"

#include "common/AsciiText.h"
#include "platform/RegularFile.h"

namespace nbx {

namespace {

bool IsContinuationByte(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Cuts text to limit bytes, stepping back to the start of a UTF-8 sequence that the cut
// would split. A lone byte of 0x80 or more that no continuation bytes follow is taken to be
// an 8-bit character of an older page and is kept.
void CutTitle(std::string& text, std::size_t limit) {
    if (text.size() <= limit) {
        return;
    }
    std::size_t lead = limit;
    while (lead > 0 && limit - lead < 3 && IsContinuationByte(text[lead])) {
        --lead;
    }
    const auto c = static_cast<unsigned char>(text[lead]);
    const std::size_t sequence = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    std::size_t end = lead + 1;
    while (end < text.size() && end - lead < sequence && IsContinuationByte(text[end])) {
        ++end;
    }
    const bool splitsWholeSequence = sequence > 1 && end - lead == sequence && end > limit;
    text.resize(splitsWholeSequence ? lead : limit);
}

}  // namespace

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
    CutTitle(out, kMaxTitleLength);
    return out;
}

std::string ExtractHtmlTitle(const std::string& path) {
    std::string head;
    int error = 0;
    platform::ReadRegularFile(path, kTitleReadLimit, platform::Oversize::ReadPrefix, head, error);
    return FindHtmlTitle(head);
}

}  // namespace nbx
