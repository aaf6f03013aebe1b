#include "support/TerminalText.h"

#include <cstdio>

namespace nbx::test {

std::string FirstRawControl(std::string_view text) {
    char where[64];
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::string_view rest = text.substr(i);
        const bool c0 = (c < 0x20 && c != '\n' && c != '\t') || c == 0x7F;
        const bool c1 = c == 0xC2 && rest.size() > 1 &&
                        static_cast<unsigned char>(rest[1]) >= 0x80 &&
                        static_cast<unsigned char>(rest[1]) <= 0x9F;
        bool direction = false;
        for (const char* d : {"\u202a", "\u202b", "\u202c", "\u202d", "\u202e", "\u2066", "\u2067",
                              "\u2068", "\u2069"}) {
            direction = direction || rest.starts_with(d);
        }
        if (c0 || c1 || direction) {
            std::snprintf(where, sizeof where, "byte 0x%02x at %zu", c, i);
            return where;
        }
    }
    return {};
}

}  // namespace nbx::test
