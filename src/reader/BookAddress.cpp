#include "reader/BookAddress.h"

#include "common/AsciiText.h"
#include "reader/BookLinks.h"

namespace nbx::reader {

namespace {

bool IsSchemeChar(char c, bool first) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (first) {
        return letter;
    }
    return letter || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// A path that names a place on this computer rather than an entry: "/x", "\x", "\\host",
// "C:" followed by anything.
bool IsLocalPath(std::string_view path) {
    if (path.empty()) {
        return false;
    }
    if (path[0] == '/' || path[0] == '\\') {
        return true;
    }
    return path.size() >= 2 && IsSchemeChar(path[0], true) && path[1] == ':';
}

// True when following the path's ".." parts would climb above where it starts.
bool ClimbsOut(std::string_view path) {
    int depth = 0;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find_first_of("/\\", start);
        if (end == std::string_view::npos) {
            end = path.size();
        }
        const std::string_view part = path.substr(start, end - start);
        if (part == "..") {
            if (--depth < 0) {
                return true;
            }
        } else if (!part.empty() && part != ".") {
            ++depth;
        }
        start = end + 1;
    }
    return false;
}

}  // namespace

std::string PercentDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int high = HexValue(text[i + 1]);
            const int low = HexValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::string AddressScheme(std::string_view address) {
    for (std::size_t i = 0; i < address.size(); ++i) {
        if (address[i] == ':') {
            // One letter before the colon is a drive ("C:\x"), not a scheme.
            return i > 1 ? ToLowerAscii(std::string(address.substr(0, i))) : std::string();
        }
        if (!IsSchemeChar(address[i], i == 0)) {
            return {};
        }
    }
    return {};
}

AddressKind ClassifyAddress(std::string_view address) {
    const std::string_view trimmed = TrimAsciiWhiteSpace(address);
    if (trimmed.empty() || trimmed[0] == '#') {
        return AddressKind::Ignored;
    }
    const std::string scheme = AddressScheme(trimmed);
    if (scheme.empty()) {
        const std::string path = PercentDecode(trimmed.substr(0, trimmed.find_first_of("?#")));
        return IsLocalPath(path) || ClimbsOut(path) ? AddressKind::LocalFile
                                                    : AddressKind::BookEntry;
    }
    if (scheme == "javascript" || scheme == "vbscript") {
        return AddressKind::Ignored;
    }
    if (scheme != kBookScheme) {
        // The toolkit's own schemes and inline data would load without the book: refused
        // like files.
        for (const std::string_view local : {"file", "data", "qrc", "about", "blob", "filesystem",
                                             "jar", "view-source", "smb", "nfs"}) {
            if (scheme == local) {
                return AddressKind::LocalFile;
            }
        }
        return AddressKind::External;
    }
    std::string_view rest = trimmed.substr(scheme.size() + 1);
    if (!rest.starts_with("//")) {
        return AddressKind::LocalFile;
    }
    rest.remove_prefix(2);
    const std::size_t slash = rest.find('/');
    const std::string host = ToLowerAscii(std::string(rest.substr(0, slash)));
    // Entries have bare names, so a path inside the book cannot climb anywhere: its last
    // part names the entry (see FindLinkedEntry).
    if (host == kPageHost) {
        return AddressKind::BookEntry;
    }
    if (host == kSystemHost) {
        return AddressKind::GeneratedPage;
    }
    return AddressKind::LocalFile;
}

bool MayLoad(AddressKind kind) {
    return kind == AddressKind::BookEntry || kind == AddressKind::GeneratedPage;
}

}  // namespace nbx::reader
