#include "reader/PageLinkScan.h"

#include "platform/AsciiText.h"
#include "reader/HtmlText.h"

namespace nbx::reader {

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Whether a list of words separated by white space (a rel value) holds lowerWord.
bool HoldsWord(std::string_view list, std::string_view lowerWord) {
    std::size_t pos = 0;
    while (pos < list.size()) {
        while (pos < list.size() && IsSpace(list[pos])) {
            ++pos;
        }
        std::size_t end = pos;
        while (end < list.size() && !IsSpace(list[end])) {
            ++end;
        }
        if (end > pos && EqualsNoCaseAscii(list.substr(pos, end - pos), lowerWord)) {
            return true;
        }
        pos = end;
    }
    return false;
}

// Where the end tag "</name" (any letter case) begins at or after pos, or npos.
std::size_t FindEndTag(std::string_view html, std::size_t pos, std::string_view lowerName) {
    for (std::size_t at = html.find("</", pos); at != std::string_view::npos;
         at = html.find("</", at + 2)) {
        if (html.size() - at - 2 >= lowerName.size() &&
            EqualsNoCaseAscii(html.substr(at + 2, lowerName.size()), lowerName)) {
            return at;
        }
    }
    return std::string_view::npos;
}

// A link's address as a browser reads it from the attribute: references decoded, tabs and
// line breaks dropped wherever they stand, spaces at either end dropped.
std::string LinkText(std::string_view value) {
    std::string decoded = DecodeCharacterReferences(value);
    std::string out;
    out.reserve(decoded.size());
    for (const char c : decoded) {
        if (c != '\t' && c != '\n' && c != '\r') {
            out += c;
        }
    }
    return std::string(TrimAsciiWhiteSpace(out));
}

// One start or end tag whose name begins at html[pos]; its end is one past the closing '>'.
struct Tag {
    std::string_view name;
    std::string_view href;
    std::string_view rel;
    bool hasHref = false;
    std::size_t end = std::string_view::npos;  // npos: the tag never closes
};

Tag ReadTag(std::string_view html, std::size_t pos) {
    Tag tag;
    const std::size_t nameStart = pos;
    while (pos < html.size() && !IsSpace(html[pos]) && html[pos] != '/' && html[pos] != '>') {
        ++pos;
    }
    tag.name = html.substr(nameStart, pos - nameStart);
    while (true) {
        while (pos < html.size() && (IsSpace(html[pos]) || html[pos] == '/')) {
            ++pos;
        }
        if (pos >= html.size()) {
            return tag;
        }
        if (html[pos] == '>') {
            tag.end = pos + 1;
            return tag;
        }
        const std::size_t attrStart = pos;
        while (pos < html.size() && !IsSpace(html[pos]) && html[pos] != '=' && html[pos] != '>' &&
               html[pos] != '/') {
            ++pos;
        }
        const std::string_view attribute = html.substr(attrStart, pos - attrStart);
        while (pos < html.size() && IsSpace(html[pos])) {
            ++pos;
        }
        std::string_view value;
        if (pos < html.size() && html[pos] == '=') {
            ++pos;
            while (pos < html.size() && IsSpace(html[pos])) {
                ++pos;
            }
            if (pos >= html.size()) {
                return tag;
            }
            if (html[pos] == '"' || html[pos] == '\'') {
                const std::size_t close = html.find(html[pos], pos + 1);
                if (close == std::string_view::npos) {
                    return tag;
                }
                value = html.substr(pos + 1, close - pos - 1);
                pos = close + 1;
            } else {
                const std::size_t valueStart = pos;
                while (pos < html.size() && !IsSpace(html[pos]) && html[pos] != '>') {
                    ++pos;
                }
                value = html.substr(valueStart, pos - valueStart);
            }
        }
        // The first of two attributes of one name counts, as in a browser.
        if (!tag.hasHref && EqualsNoCaseAscii(attribute, "href")) {
            tag.href = value;
            tag.hasHref = true;
        } else if (tag.rel.empty() && EqualsNoCaseAscii(attribute, "rel")) {
            tag.rel = value;
        }
    }
}

}  // namespace

PageLinks ScanPageLinks(std::string_view html) {
    PageLinks links;
    std::size_t pos = 0;
    while (true) {
        const std::size_t open = html.find('<', pos);
        if (open == std::string_view::npos || open + 1 >= html.size()) {
            return links;
        }
        if (html.compare(open, 4, "<!--") == 0) {
            const std::size_t end = html.find("-->", open + 4);
            if (end == std::string_view::npos) {
                return links;
            }
            pos = end + 3;
            continue;
        }
        const char first = html[open + 1];
        if (first == '!' || first == '?' || first == '/') {
            // A declaration, a processing instruction or an end tag: nothing to follow.
            const std::size_t end = html.find('>', open + 1);
            if (end == std::string_view::npos) {
                return links;
            }
            pos = end + 1;
            continue;
        }
        if (!IsLetter(first)) {
            pos = open + 1;  // a '<' that opens no tag is text
            continue;
        }
        const Tag tag = ReadTag(html, open + 1);
        if (tag.end == std::string_view::npos) {
            return links;
        }
        pos = tag.end;
        for (const std::string_view raw : {std::string_view("script"), std::string_view("style")}) {
            if (EqualsNoCaseAscii(tag.name, raw)) {
                pos = FindEndTag(html, pos, raw);
                if (pos == std::string_view::npos) {
                    return links;
                }
            }
        }
        const bool link = EqualsNoCaseAscii(tag.name, "link");
        if (!tag.hasHref ||
            !(link || EqualsNoCaseAscii(tag.name, "a") || EqualsNoCaseAscii(tag.name, "area"))) {
            continue;
        }
        const bool next = HoldsWord(tag.rel, "next");
        if (link && !next) {
            continue;  // style sheets, icons and the like lead to no page
        }
        std::string address = LinkText(tag.href);
        if (address.empty()) {
            continue;
        }
        if (next && links.next.empty()) {
            links.next = address;
        }
        links.follow.push_back(std::move(address));
    }
}

}  // namespace nbx::reader
