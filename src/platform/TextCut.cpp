#include "platform/TextCut.h"

namespace nbx::platform {

namespace {

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

void CutToCharacterBoundary(std::string& text, std::size_t limit) {
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

std::string CutToCharacterBoundary(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) {
        return std::string(text);
    }
    std::string out(text.substr(0, limit + 3));  // enough to see the sequence the cut meets
    CutToCharacterBoundary(out, limit);
    return out;
}

}  // namespace nbx::platform
