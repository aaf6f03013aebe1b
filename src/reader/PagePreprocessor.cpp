#include "reader/PagePreprocessor.h"

namespace nbx::reader {

std::string PreprocessPage(std::string_view page, const VariableLookup& lookup) {
    static constexpr std::string_view kOpen = "[={";
    static constexpr std::string_view kClose = "}]";
    std::string out;
    out.reserve(page.size());
    std::size_t pos = 0;
    while (pos < page.size()) {
        const std::size_t open = page.find(kOpen, pos);
        if (open == std::string_view::npos) {
            break;
        }
        const std::size_t nameStart = open + kOpen.size();
        const std::size_t close = page.find(kClose, nameStart);
        if (close == std::string_view::npos) {
            break;
        }
        const std::string_view name = page.substr(nameStart, close - nameStart);
        // A name never spans a "[={": "[={a [={b}]" substitutes b only.
        const std::size_t inner = name.find(kOpen);
        if (inner != std::string_view::npos) {
            out.append(page.substr(pos, nameStart + inner - pos));
            pos = nameStart + inner;
            continue;
        }
        out.append(page.substr(pos, open - pos));
        if (auto value = lookup(name)) {
            out += *value;
        } else {
            out.append(page.substr(open, close + kClose.size() - open));
        }
        pos = close + kClose.size();
    }
    out.append(page.substr(pos));
    return out;
}

}  // namespace nbx::reader
