#include "reader/ReaderTexts.h"

#include <utility>

#include "format/RandomAccessInput.h"
#include "platform/AsciiText.h"

namespace nbx::reader {

namespace {

std::pair<std::string, std::string> SplitAt(const std::string& value, char separator) {
    const std::size_t at = value.find(separator);
    if (at == std::string::npos) {
        return {value, std::string()};
    }
    return {value.substr(0, at), value.substr(at + 1)};
}

// Key names of the shipped languages, lower case, and the portable name of each.
constexpr std::pair<std::string_view, std::string_view> kKeyNames[] = {
    {"ctrl", "Ctrl"},
    {"strg", "Ctrl"},
    {"control", "Ctrl"},
    {"shift", "Shift"},
    {"umschalt", "Shift"},
    {"alt", "Alt"},
    {"left", "Left"},
    {"links", "Left"},
    {"right", "Right"},
    {"rechts", "Right"},
    {"up", "Up"},
    {"oben", "Up"},
    {"down", "Down"},
    {"unten", "Down"},
    {"home", "Home"},
    {"pos1", "Home"},
    {"end", "End"},
    {"ende", "End"},
    {"pgup", "PgUp"},
    {"page up", "PgUp"},
    {"bild auf", "PgUp"},
    {"pgdown", "PgDown"},
    {"pgdn", "PgDown"},
    {"page down", "PgDown"},
    {"bild ab", "PgDown"},
    {"del", "Del"},
    {"delete", "Del"},
    {"entf", "Del"},
    {"ins", "Ins"},
    {"insert", "Ins"},
    {"einfg", "Ins"},
    {"esc", "Esc"},
    {"escape", "Esc"},
    {"enter", "Return"},
    {"return", "Return"},
    {"eingabe", "Return"},
    {"space", "Space"},
    {"leertaste", "Space"},
    {"backspace", "Backspace"},
    {"rücktaste", "Backspace"},
    {"tab", "Tab"},
};

}  // namespace

bool ReaderTexts::Load(std::string_view bytes, std::string& error) {
    MemoryInput input(bytes);
    if (!map_.Read(input)) {
        error = map_.error();
        return false;
    }
    return true;
}

MenuText ReaderTexts::Menu(LanguageKey key) const {
    auto [text, accelerator] = SplitAt(Text(key), '\t');
    return {std::move(text), std::move(accelerator)};
}

ButtonText ReaderTexts::Button(LanguageKey key) const {
    auto [tip, label] = SplitAt(Text(key), '\n');
    if (label.empty()) {
        label = tip;
    }
    return {std::move(tip), std::move(label)};
}

FileTypeText ReaderTexts::FileType(LanguageKey key) const {
    auto [description, rest] = SplitAt(Text(key), '|');
    auto [wildCards, suffix] = SplitAt(rest, '|');
    return {std::move(description), std::move(wildCards), std::move(suffix)};
}

std::string PortableAccelerator(std::string_view shown) {
    std::string modifiers[3];  // Ctrl, Alt, Shift: always in this order
    std::string keys;
    std::size_t pos = 0;
    while (pos < shown.size()) {
        // A '+' right at a part's start is the key itself ("Ctrl++").
        std::size_t plus = shown.find('+', pos + 1);
        if (plus == std::string_view::npos) {
            plus = shown.size();
        }
        const std::string_view part = TrimAsciiWhiteSpace(shown.substr(pos, plus - pos));
        std::string portable(part);
        const std::string lower = ToLowerAscii(portable);
        for (const auto& [name, key] : kKeyNames) {
            if (lower == name) {
                portable = key;
                break;
            }
        }
        if (portable.size() == 1) {
            portable = ToUpperAscii(portable);
        }
        if (portable == "Ctrl" || portable == "Alt" || portable == "Shift") {
            modifiers[portable == "Ctrl" ? 0 : portable == "Alt" ? 1 : 2] = portable + "+";
        } else {
            keys += (keys.empty() ? "" : "+") + portable;
        }
        pos = plus + 1;
    }
    return modifiers[0] + modifiers[1] + modifiers[2] + keys;
}

}  // namespace nbx::reader
