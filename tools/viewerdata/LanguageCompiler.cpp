#include "viewerdata/LanguageCompiler.h"

#include <algorithm>
#include <map>

#include "viewerfiles/LanguageFormat.h"
#include "viewerfiles/LanguageKeys.h"
#include "viewerfiles/LanguageValueEdit.h"
#include "viewerfiles/TextTemplate.h"

namespace nbx::datagen {

namespace {

std::size_t CountOf(std::string_view s, char c) {
    return static_cast<std::size_t>(std::count(s.begin(), s.end(), c));
}

std::string Join(const std::set<std::string>& names) {
    std::string out;
    for (const auto& n : names) {
        out += (out.empty() ? "" : " ") + ("{{" + n + "}}");
    }
    return out.empty() ? "none" : out;
}

std::string TooLong(std::string_view what, std::size_t limit) {
    return std::string(what) + " is longer than " + std::to_string(limit) + " characters";
}

using EntryIndex = std::map<std::string_view, const SourceEntry*>;

EntryIndex Index(const std::vector<SourceEntry>& entries) {
    EntryIndex index;
    for (const auto& e : entries) {
        index.emplace(e.name, &e);
    }
    return index;
}

// Unknown names, and names that may not appear, are errors.
void CheckNames(const std::vector<SourceEntry>& entries, std::string_view where, bool allowVersion,
                std::vector<std::string>& errors) {
    for (const auto& e : entries) {
        const LanguageKeyInfo* info = FindLanguageKey(e.name);
        const std::string at = std::string(where) + ":" + std::to_string(e.line) + ": ";
        if (!info) {
            errors.push_back(at + e.name +
                             " is not a key of the reader (viewerfiles/LanguageKeys.h)");
        } else if (!allowVersion && info->key == LanguageKey::Version) {
            errors.push_back(at + "the version is written by the generator, not by a source");
        }
    }
}

}  // namespace

std::string ProblemWithValue(char flag, std::string_view value) {
    using namespace lang;
    if (value.empty()) {
        return "the text is empty";
    }
    switch (flag) {
        case kFlagDescription: {
            if (CountOf(value, '\n') != 1) {
                return "a D text is a tool tip, \\n, and a label";
            }
            const TwoPartFields f = SplitTwoPart(flag, value);
            if (f.first.empty() || f.second.empty()) {
                return "a D text needs both a tool tip and a label";
            }
            if (f.first.size() > kShortTextLimit || f.second.size() > kShortTextLimit) {
                return TooLong("a part", kShortTextLimit);
            }
            return {};
        }
        case kFlagMenu: {
            if (CountOf(value, '\t') > 1 || CountOf(value, '\n') != 0) {
                return "an L text is a menu text, optionally \\t and an accelerator";
            }
            const TwoPartFields f = SplitTwoPart(flag, value);
            if (f.first.empty() || (f.hadSeparator && f.second.empty())) {
                return "an L text needs a menu text, and an accelerator after a \\t";
            }
            if (f.first.size() > kShortTextLimit || f.second.size() > kShortTextLimit) {
                return TooLong("a part", kShortTextLimit);
            }
            return {};
        }
        case kFlagFileType: {
            const TwoPartFields f = SplitTwoPart(flag, value);
            if (!f.hadSeparator || f.first.empty() || f.second.empty() ||
                CountOf(value, '\n') != 0) {
                return "a T text is a description, |, a wild card and optionally | and a suffix";
            }
            if (f.first.size() > kShortTextLimit || f.second.size() > kShortTextLimit) {
                return TooLong("a part", kShortTextLimit);
            }
            return {};
        }
        case kFlagPrompt:
        case kFlagWindowTitle:
        case kFlagCaption:
            if (value.find_first_of("\t\n\r") != std::string_view::npos) {
                return "a P, W or Z text is one line";
            }
            if (value.size() > kShortTextLimit) {
                return TooLong("the text", kShortTextLimit);
            }
            return {};
        case kFlagFixed:
            return {};
        default:
            if (EscapeLongText(value).size() > kLongTextLimit) {
                return TooLong("the text as the editor shows it", kLongTextLimit);
            }
            return {};
    }
}

bool CompileLanguage(const std::vector<SourceEntry>& entries,
                     const std::vector<SourceEntry>* reference, std::string_view where,
                     CLanguageMap& map, std::vector<std::string>& errors) {
    const std::size_t errorsBefore = errors.size();
    CheckNames(entries, where, false, errors);
    const EntryIndex index = Index(entries);
    const EntryIndex referenceIndex = reference ? Index(*reference) : EntryIndex{};
    map.Clear();
    map.SetText(lang::kVersionKey, lang::kFlagFixed, lang::kVersionText);
    for (const auto& info : kLanguageKeys) {
        if (info.key == LanguageKey::Version) {
            continue;
        }
        const auto it = index.find(info.name);
        if (it == index.end()) {
            errors.push_back(std::string(where) + ": no text for " + std::string(info.name));
            continue;
        }
        const SourceEntry& e = *it->second;
        const std::string at =
            std::string(where) + ":" + std::to_string(e.line) + ": " + e.name + ": ";
        std::string problem = ProblemWithValue(info.flag, e.value);
        if (problem.empty() && info.key == LanguageKey::TextDirection && e.value != "ltr" &&
            e.value != "rtl") {
            problem = "the text direction is \"ltr\" or \"rtl\"";
        }
        if (!problem.empty()) {
            errors.push_back(at + problem);
            continue;
        }
        if (reference) {
            const auto ref = referenceIndex.find(info.name);
            if (ref != referenceIndex.end()) {
                const auto mine = PlaceholdersOf(e.value);
                const auto theirs = PlaceholdersOf(ref->second->value);
                if (mine != theirs) {
                    errors.push_back(at + "uses the placeholders " + Join(mine) +
                                     " where the reference uses " + Join(theirs));
                    continue;
                }
            }
        }
        map.SetText(KeyNumber(info.key), info.flag, e.value);
    }
    return errors.size() == errorsBefore;
}

bool CompileTranslation(const std::vector<SourceEntry>& entries, std::string_view where,
                        CLanguageMap& map, std::vector<std::string>& errors) {
    const std::size_t errorsBefore = errors.size();
    CheckNames(entries, where, true, errors);
    const EntryIndex index = Index(entries);
    map.Clear();
    for (const auto& info : kLanguageKeys) {
        const auto it = index.find(info.name);
        if (it == index.end() || it->second->value.empty()) {
            errors.push_back(std::string(where) + ": no purpose for " + std::string(info.name));
            continue;
        }
        map.SetText(KeyNumber(info.key), info.flag, it->second->value);
    }
    return errors.size() == errorsBefore;
}

}  // namespace nbx::datagen
