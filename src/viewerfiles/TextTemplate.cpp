#include "viewerfiles/TextTemplate.h"

#include <algorithm>

namespace nbx {

namespace {

bool IsNameChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The length of the placeholder that starts at text[at] ("{{name}}"), or 0 when none does;
// name receives its name.
std::size_t PlaceholderAt(std::string_view text, std::size_t at, std::string_view& name) {
    if (text.compare(at, 2, "{{") != 0) {
        return 0;
    }
    std::size_t end = at + 2;
    while (end < text.size() && IsNameChar(text[end])) {
        ++end;
    }
    if (end == at + 2 || text.compare(end, 2, "}}") != 0) {
        return 0;
    }
    name = text.substr(at + 2, end - at - 2);
    return end + 2 - at;
}

}  // namespace

std::string FillTemplate(std::string_view text, const TemplateValues& values) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t open = text.find("{{", i);
        if (open == std::string_view::npos) {
            break;
        }
        out.append(text, i, open - i);
        std::string_view name;
        const std::size_t length = PlaceholderAt(text, open, name);
        const std::pair<std::string_view, std::string_view>* match = nullptr;
        for (const auto& v : values) {
            if (length != 0 && v.first == name) {
                match = &v;
                break;
            }
        }
        if (match) {
            out += match->second;
            i = open + length;
        } else {
            out += text[open];
            i = open + 1;
        }
    }
    out.append(text.substr(std::min(i, text.size())));
    return out;
}

std::set<std::string> PlaceholdersOf(std::string_view text) {
    std::set<std::string> names;
    for (std::size_t at = text.find("{{"); at != std::string_view::npos;
         at = text.find("{{", at + 1)) {
        std::string_view name;
        if (PlaceholderAt(text, at, name) != 0) {
            names.emplace(name);
        }
    }
    return names;
}

}  // namespace nbx
