#include "variables/VariableKind.h"

namespace nbx {

namespace {

struct KindNames {
    std::string_view longName;
    std::string_view shortName;
};

constexpr KindNames kKindNames[kVariableKindCount] = {
    {"HTML Fragment", "HTML"},
    {"Text to convert to HTML", "Text -> HTML"},
    {"Long HTML Fragment", "Long HTML"},
    {"Long Text to convert to HTML", "Long Text -> HTML"},
    {"Compile Time Include HTML Fragment", "Include HTML"},
    {"Compile Time Include to convert to HTML", "Include -> HTML"},
};

bool IsKnownKind(std::int32_t kind) {
    return kind >= 0 && kind < kVariableKindCount;
}

}  // namespace

std::string_view KindLongName(std::int32_t kind) {
    return IsKnownKind(kind) ? kKindNames[kind].longName : "Error";
}

std::string_view KindShortName(std::int32_t kind) {
    return IsKnownKind(kind) ? kKindNames[kind].shortName : "Error";
}

ValueEditor EditorForKind(std::int32_t kind) {
    switch (kind) {
        case kLongHtmlFragment:
        case kLongTextToHtml:
            return ValueEditor::MultiLine;
        case kIncludeHtml:
        case kIncludeTextToHtml:
            return ValueEditor::FileName;
        default:
            return ValueEditor::SingleLine;
    }
}

std::size_t MaxValueLength(ValueEditor editor) {
    return editor == ValueEditor::MultiLine ? 8192 : 255;
}

}  // namespace nbx
