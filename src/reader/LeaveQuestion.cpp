#include "reader/LeaveQuestion.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "common/Utf8.h"
#include "common/VisibleText.h"

namespace nbx::reader {

namespace {

// The next character of text at i as one visible piece; i moves past it.
std::string NextVisible(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    char hex[12];
    if (lead < 0x80) {
        ++i;
        return WithVisibleControls(std::string_view(&text[i - 1], 1));
    }
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    std::uint32_t c = lead & (0x7F >> length);
    bool valid = length >= 2 && lead < 0xF5 && i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
        const auto b = static_cast<unsigned char>(text[i + k]);
        valid = (b & 0xC0) == 0x80;
        c = (c << 6) | (b & 0x3F);
    }
    const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    valid = valid && c >= least[length] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
    if (!valid) {
        std::snprintf(hex, sizeof hex, "\\x%02x", lead);
        ++i;
        return hex;
    }
    i += length;
    if (IsHiddenCharacter(c)) {
        std::snprintf(hex, sizeof hex, "\\u%04x", static_cast<unsigned>(c));
        return hex;
    }
    std::string out;
    AppendUtf8(out, c);
    return out;
}

// The part of name after its last '.', when it is short enough to be a type.
std::string TypeOf(std::string_view name) {
    const std::string_view last = name.substr(name.find_last_of("/\\") + 1);
    const std::size_t dot = last.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || last.size() - dot > 11 ||
        last.size() - dot < 2) {
        return {};
    }
    return VisibleSubject(last.substr(dot));
}

}  // namespace

std::string VisibleSubject(std::string_view subject) {
    std::vector<std::string> pieces;
    for (std::size_t i = 0; i < subject.size();) {
        pieces.push_back(NextVisible(subject, i));
    }
    // An escape counts as the characters it is written with.
    std::size_t width = 0;
    std::vector<std::size_t> widths;
    for (const std::string& p : pieces) {
        widths.push_back(p.size() > 1 && p[0] == '\\' ? p.size() : 1);
        width += widths.back();
    }
    std::string out;
    if (width <= kMaxSubjectCharacters) {
        for (const std::string& p : pieces) {
            out += p;
        }
        return out;
    }
    const std::size_t keepHead = kMaxSubjectCharacters / 3;
    const std::size_t keepTail = kMaxSubjectCharacters - keepHead - 3;
    std::size_t head = 0;
    std::size_t used = 0;
    while (head < pieces.size() && used + widths[head] <= keepHead) {
        used += widths[head];
        out += pieces[head++];
    }
    out += "...";
    std::size_t tail = pieces.size();
    used = 0;
    while (tail > head && used + widths[tail - 1] <= keepTail) {
        used += widths[--tail];
    }
    for (std::size_t k = tail; k < pieces.size(); ++k) {
        out += pieces[k];
    }
    return out;
}

QuestionWords WordsFor(const LeaveQuestion& q) {
    const std::string advice = "only if you trust the e-book's author.";
    if (q.kind == LeaveQuestion::Kind::RunProgram) {
        return {"This e-book asks to run a program on your computer:", VisibleSubject(q.subject),
                "Run it " + advice, "Run the program", "Don't run it"};
    }
    const std::string type = TypeOf(q.subject);
    return {"This e-book asks to open a file" + (type.empty() ? "" : " of type " + type) +
                " that it carries with another program on your computer:",
            VisibleSubject(q.subject), "Open it " + advice, "Open the file", "Don't open it"};
}

}  // namespace nbx::reader
