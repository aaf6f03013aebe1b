#include "reader/LeaveQuestion.h"

#include "common/Utf8.h"

namespace nbx::reader {

namespace {

// Decodes one UTF-8 character at text[i]; its length in bytes, or 0 when the bytes there
// are not one.
std::size_t DecodeUtf8(std::string_view text, std::size_t i, std::uint32_t& codePoint) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto c = static_cast<unsigned char>(text[i + k]);
        if ((c & 0xC0) != 0x80) {
            return 0;
        }
        codePoint = (codePoint << 6) | (c & 0x3F);
    }
    const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < least[length] || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        return 0;
    }
    return length;
}

// Characters that would change how the text around them reads: controls, line and
// paragraph separators, and the marks that embed, override or isolate a direction.
bool IsDeceptive(std::uint32_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0x061C || c == 0x200E || c == 0x200F ||
           (c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF;
}

std::string Fill(std::string_view text, std::string_view what) {
    std::string out;
    const std::size_t mark = text.find("%1");
    out += text.substr(0, mark);
    out += ShownName(what);
    out += text.substr(mark + 2);
    return out;
}

}  // namespace

std::string ShownName(std::string_view name) {
    std::string out;
    std::size_t shown = 0;
    for (std::size_t i = 0; i < name.size();) {
        if (shown == kShownNameLimit) {
            out += "...";
            break;
        }
        std::uint32_t c = 0;
        const std::size_t length = DecodeUtf8(name, i, c);
        if (length == 0 || IsDeceptive(c)) {
            out += '?';
            i += length == 0 ? 1 : length;
        } else {
            AppendUtf8(out, c);
            i += length;
        }
        ++shown;
    }
    return out;
}

LeaveQuestion AskBeforeLeaving(LeaveKind kind, std::string_view what) {
    switch (kind) {
        case LeaveKind::RunProgram:
            return {Fill("This e-book wants to start a program on your computer:\n\n%1\n\n"
                         "A program can do anything that you can do on this computer. Start it "
                         "only if you trust whoever made this e-book.",
                         what),
                    "Start the Program", "Don't Start"};
        case LeaveKind::OpenEntry:
            return {Fill("This e-book wants to hand one of its files to another program on "
                         "your computer:\n\n%1\n\n"
                         "The file is saved in a temporary folder and opened by the program "
                         "your desktop uses for its type. Open it only if you trust whoever "
                         "made this e-book.",
                         what),
                    "Open the File", "Don't Open"};
        case LeaveKind::OpenAddress:
            break;
    }
    return {Fill("This link leads outside the e-book:\n\n%1\n\n"
                 "It will be opened by the program your desktop uses for it, such as a web "
                 "browser or a mail program.",
                 what),
            "Open the Link", "Stay in the E-Book"};
}

std::string LocalFileRefusedMessage(std::string_view address) {
    return Fill(
        "This link leads to a file on your computer, outside the e-book:\n\n%1\n\n"
        "The reader only shows what the e-book holds, so it was not opened.",
        address);
}

}  // namespace nbx::reader
