#include "platform/ProfileFile.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "platform/AsciiText.h"
#include "platform/AtomicFileWriter.h"
#include "platform/ConfigFolder.h"
#include "platform/Paths.h"
#include "platform/SystemError.h"
#include "platform/TextCut.h"

namespace nbx::platform {

namespace {

// A line's blanks: spaces, tabs and the ends of lines.
std::string_view TrimLine(std::string_view s) {
    return TrimAscii(s, " \t\r\n");
}

// A profile file as lines, so a write can change one line and keep all the others.
struct ProfileLines {
    std::vector<std::string> lines;
    bool crlf = false;

    static ProfileLines Load(const std::string& path) {
        ProfileLines out;
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            return out;
        }
        std::ostringstream ss;
        ss << in.rdbuf();
        const std::string text = ss.str();
        std::size_t start = 0;
        while (start < text.size()) {
            auto end = text.find('\n', start);
            if (end == std::string::npos) {
                end = text.size();
            }
            std::string line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
                out.crlf = true;
            }
            out.lines.push_back(std::move(line));
            start = end + 1;
        }
        return out;
    }

    // The section name of a "[name]" line.
    static std::optional<std::string_view> SectionName(std::string_view line) {
        line = TrimLine(line);
        if (line.empty() || line.front() != '[') {
            return std::nullopt;
        }
        line.remove_prefix(1);
        const auto close = line.find(']');
        return TrimLine(close == std::string_view::npos ? line : line.substr(0, close));
    }

    // The key of a "key=value" line; comments (";") are not keys.
    static std::optional<std::string_view> KeyName(std::string_view line) {
        const std::string_view t = TrimLine(line);
        if (t.empty() || t.front() == ';' || t.front() == '[') {
            return std::nullopt;
        }
        const auto eq = t.find('=');
        return TrimLine(eq == std::string_view::npos ? t : t.substr(0, eq));
    }

    // Index of the first line of the section's header, or npos.
    std::size_t FindSection(std::string_view section) const {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (auto name = SectionName(lines[i]); name && EqualsNoCaseAscii(*name, section)) {
                return i;
            }
        }
        return std::string::npos;
    }

    // One past the last line of the section that starts at header.
    std::size_t SectionEnd(std::size_t header) const {
        std::size_t i = header + 1;
        while (i < lines.size() && !SectionName(lines[i])) {
            ++i;
        }
        return i;
    }

    std::size_t FindKey(std::size_t header, std::string_view key) const {
        const std::size_t end = SectionEnd(header);
        for (std::size_t i = header + 1; i < end; ++i) {
            if (auto name = KeyName(lines[i]); name && EqualsNoCaseAscii(*name, key)) {
                return i;
            }
        }
        return std::string::npos;
    }

    std::string Text() const {
        std::string out;
        const char* eol = crlf ? "\r\n" : "\n";
        for (const auto& line : lines) {
            out += line;
            out += eol;
        }
        return out;
    }
};

std::optional<std::string> LookUp(std::string_view file, std::string_view section,
                                  std::string_view key) {
    const ProfileLines profile = ProfileLines::Load(ProfileFilePath(file));
    const std::size_t header = profile.FindSection(section);
    if (header == std::string::npos) {
        return std::nullopt;
    }
    const std::size_t at = profile.FindKey(header, key);
    if (at == std::string::npos) {
        return std::nullopt;
    }
    const std::string_view line = profile.lines[at];
    const auto eq = line.find('=');
    std::string_view value = eq == std::string_view::npos ? "" : TrimLine(line.substr(eq + 1));
    // A value in matching quotes is read without them.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

}  // namespace

std::string ReadProfileString(std::string_view file, std::string_view section, std::string_view key,
                              std::string_view defaultValue, std::size_t maxLength) {
    std::string value = LookUp(file, section, key).value_or(std::string(defaultValue));
    CutToCharacterBoundary(value, maxLength);
    return value;
}

int ReadProfileInt(std::string_view file, std::string_view section, std::string_view key,
                   int defaultValue) {
    const auto value = LookUp(file, section, key);
    if (!value) {
        return defaultValue;
    }
    std::string_view v = *value;
    bool negative = false;
    if (!v.empty() && (v.front() == '-' || v.front() == '+')) {
        negative = v.front() == '-';
        v.remove_prefix(1);
    }
    long long n = 0;
    for (char c : v) {
        if (c < '0' || c > '9') {
            break;
        }
        n = n * 10 + (c - '0');
        if (n > (1LL << 32)) {
            break;  // beyond any int: stop before the number overflows
        }
    }
    return static_cast<int>(static_cast<std::uint32_t>(negative ? -n : n));
}

bool FitsProfileLine(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

bool WriteProfileString(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view value, std::string* why) {
    const std::string path = ProfileFilePath(file);
    if (!FitsProfileLine(section) || !FitsProfileLine(key) || !FitsProfileLine(value)) {
        if (why) {
            const std::string setting =
                FitsProfileLine(key) ? "The setting " + std::string(key) : "A setting";
            *why = setting + " in " + path +
                   " was not saved: it holds a line break or a NUL character, and a settings "
                   "file keeps each setting on one line.";
        }
        return false;
    }
    std::error_code ec;
    const std::string folder = FolderPartOfPath(path);
    if (!folder.empty()) {
        std::filesystem::create_directories(folder, ec);
    }
    ProfileLines profile = ProfileLines::Load(path);
    const std::string entry = std::string(key) + "=" + std::string(value);
    const std::size_t header = profile.FindSection(section);
    if (header == std::string::npos) {
        profile.lines.push_back("[" + std::string(section) + "]");
        profile.lines.push_back(entry);
    } else if (const std::size_t at = profile.FindKey(header, key); at != std::string::npos) {
        // Keep the key as it was spelt in the file.
        const std::string_view old = profile.lines[at];
        const auto eq = old.find('=');
        const std::string_view spelt =
            TrimLine(eq == std::string_view::npos ? old : old.substr(0, eq));
        profile.lines[at] = std::string(spelt) + "=" + std::string(value);
    } else {
        // After the section's last non-blank line, so blank separators stay where they are.
        std::size_t insertAt = profile.SectionEnd(header);
        while (insertAt > header + 1 && TrimLine(profile.lines[insertAt - 1]).empty()) {
            --insertAt;
        }
        profile.lines.insert(profile.lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
    }
    int error = 0;
    if (!WriteFileAtomically(path, profile.Text(), error)) {
        if (why) {
            *why = "The setting " + std::string(key) + " was not saved: " + path +
                   " cannot be written: " + SystemErrorText(error) + ".";
        }
        return false;
    }
    return true;
}

std::vector<std::string> ListProfileSections(std::string_view file, std::size_t maxBytes) {
    const ProfileLines profile = ProfileLines::Load(ProfileFilePath(file));
    std::vector<std::string> names;
    std::size_t used = 1;  // the final terminator
    for (const auto& line : profile.lines) {
        if (auto name = ProfileLines::SectionName(line)) {
            if (used + name->size() + 1 > maxBytes) {
                break;
            }
            used += name->size() + 1;
            names.emplace_back(*name);
        }
    }
    return names;
}

}  // namespace nbx::platform
