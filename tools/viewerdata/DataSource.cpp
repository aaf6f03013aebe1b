#include "viewerdata/DataSource.h"

#include <set>

#include "platform/AsciiText.h"

namespace nbx::datagen {

namespace {

bool IsName(std::string_view s) {
    if (s.empty()) {
        return false;
    }
    for (const char c : s) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) {
            return false;
        }
    }
    return true;
}

// Splits text into lines without their line feeds (and without a carriage return before
// one, so sources edited on any system read the same).
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return lines;
}

bool Unescape(std::string_view in, std::string& out, std::string& problem) {
    out.clear();
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] != '\\') {
            out += in[i];
            continue;
        }
        if (i + 1 == in.size()) {
            problem = "a backslash ends the line";
            return false;
        }
        switch (in[++i]) {
            case 't':
                out += '\t';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 's':
                out += ' ';
                break;
            case '\\':
                out += '\\';
                break;
            default:
                problem = std::string("unknown escape \\") + in[i];
                return false;
        }
    }
    return true;
}

}  // namespace

std::vector<SourceEntry> ParseDataSource(std::string_view text, std::string_view where,
                                         std::vector<std::string>& errors) {
    std::vector<SourceEntry> entries;
    std::set<std::string, std::less<>> seen;
    const auto fail = [&](int line, const std::string& what) {
        errors.push_back(std::string(where) + ":" + std::to_string(line) + ": " + what);
    };
    const std::vector<std::string_view> lines = Lines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int lineNo = static_cast<int>(i + 1);
        const std::string_view line = TrimAsciiWhiteSpace(lines[i]);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        SourceEntry entry;
        entry.line = lineNo;
        // "Name <<<" opens a block; "Name = text <<<" is a line whose text ends in "<<<".
        const bool block = line.size() > 3 && line.substr(line.size() - 3) == "<<<" &&
                           line.find('=') == std::string_view::npos;
        if (block) {
            entry.name = TrimAsciiWhiteSpace(line.substr(0, line.size() - 3));
            std::size_t end = i + 1;
            while (end < lines.size() && TrimAsciiWhiteSpace(lines[end]) != ">>>") {
                ++end;
            }
            if (end == lines.size()) {
                fail(lineNo, "the block of " + entry.name + " has no closing line \">>>\"");
                break;
            }
            for (std::size_t j = i + 1; j < end; ++j) {
                if (j > i + 1) {
                    entry.value += '\n';
                }
                entry.value += lines[j];
            }
            i = end;
        } else {
            const auto eq = line.find('=');
            if (eq == std::string_view::npos) {
                fail(lineNo, "expected \"Name = value\" or \"Name <<<\"");
                continue;
            }
            entry.name = TrimAsciiWhiteSpace(line.substr(0, eq));
            std::string problem;
            if (!Unescape(TrimAsciiWhiteSpace(line.substr(eq + 1)), entry.value, problem)) {
                fail(lineNo, problem);
                continue;
            }
        }
        if (!IsName(entry.name)) {
            fail(lineNo, "\"" + entry.name + "\" is not a name of letters and digits");
            continue;
        }
        if (!seen.insert(entry.name).second) {
            fail(lineNo, entry.name + " is given twice");
            continue;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace nbx::datagen
