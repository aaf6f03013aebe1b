#include "viewerfiles/LanguageValueEdit.h"

#include <algorithm>

#include "viewerfiles/LanguageFormat.h"

namespace nbx {

LanguageEditKind EditKindOfFlag(char flag) {
    switch (flag) {
        case lang::kFlagDescription:
        case lang::kFlagMenu:
        case lang::kFlagFileType:
            return LanguageEditKind::TwoPart;
        case lang::kFlagPrompt:
        case lang::kFlagWindowTitle:
        case lang::kFlagCaption:
            return LanguageEditKind::ShortText;
        case lang::kFlagFixed:
            return LanguageEditKind::Fixed;
        default:
            return LanguageEditKind::LongText;
    }
}

std::string TextEditTitle(char flag) {
    std::string title = kEditTextTitle;
    if (flag == lang::kFlagHtml) {
        title += " (HTML)";
    }
    return title;
}

std::size_t FieldLimit(std::size_t limit, std::string_view shown) {
    return std::max(limit, shown.size());
}

namespace {

bool ReadsAsEscape(char c) {
    return c == 't' || c == 'n' || c == 'r' || c == '\\';
}

// The first character that the long form shows for c.
char FirstShownOf(char c) {
    return c == '\t' || c == '\n' || c == '\r' ? '\\' : c;
}

}  // namespace

std::string EscapeLongText(std::string_view value) {
    std::string out;
    out.reserve(value.size() + value.size() / 8);
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        switch (c) {
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\\':
                out += '\\';
                if (i + 1 < value.size() && ReadsAsEscape(FirstShownOf(value[i + 1]))) {
                    out += '\\';
                }
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string UnescapeLongText(std::string_view shown) {
    std::string out;
    out.reserve(shown.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const char c = shown[i];
        if (c != '\\' || i + 1 == shown.size() || !ReadsAsEscape(shown[i + 1])) {
            out += c;
            continue;
        }
        const char next = shown[++i];
        out += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : '\\';
    }
    return out;
}

TwoPartFields SplitTwoPart(char flag, std::string_view value) {
    TwoPartFields f;
    f.flag = flag;
    if (flag == lang::kFlagFileType) {
        f.firstLabel = "File Description";
        f.secondLabel = "Wild Card";
        const auto bar = value.find('|');
        f.hadSeparator = bar != std::string_view::npos;
        if (!f.hadSeparator) {
            f.first = value;
        } else {
            f.first = value.substr(0, bar);
            const std::string_view rest = value.substr(bar + 1);
            const auto second = rest.find('|');
            f.second = rest.substr(0, second);
            if (second != std::string_view::npos) {
                f.tail = rest.substr(second);
            }
        }
        f.secondEnabled = false;  // only the description may change
    } else {
        const char separator = flag == lang::kFlagDescription ? '\n' : '\t';
        f.firstLabel = flag == lang::kFlagDescription ? "Long Description" : "Menu Item Text";
        f.secondLabel =
            flag == lang::kFlagDescription ? "Short Description" : "Accelerator Description";
        const auto at = value.find(separator);
        f.hadSeparator = at != std::string_view::npos;
        f.first = value.substr(0, at);
        if (f.hadSeparator) {
            f.second = value.substr(at + 1);
        }
        f.secondEnabled = f.hadSeparator;
    }
    f.firstLimit = FieldLimit(lang::kShortTextLimit, f.first);
    f.secondLimit = FieldLimit(lang::kShortTextLimit, f.second);
    return f;
}

TwoPartResult JoinTwoPart(const TwoPartFields& fields, std::string_view first,
                          std::string_view second) {
    TwoPartResult r;
    if (fields.flag == lang::kFlagFileType) {
        if (first.find('|') != std::string_view::npos) {
            r.message = "Illegal character (|) in " + fields.firstLabel + ".";
            return r;
        }
        // The wild card cannot be changed, so the dialog's own text is used; the bar is
        // written even where the stored value lacked it, as the value's form requires.
        r.value = first;
        r.value += '|';
        r.value += fields.second;
        r.value += fields.tail;
        r.ok = true;
        return r;
    }
    if (fields.hadSeparator && second.empty()) {
        r.message = "You left " + fields.secondLabel + " blank.";
        return r;
    }
    r.value = first;
    if (!second.empty()) {
        r.value += fields.flag == lang::kFlagDescription ? '\n' : '\t';
        r.value += second;
    }
    r.ok = true;
    return r;
}

}  // namespace nbx
