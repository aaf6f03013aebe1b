#include "reader/PagePreprocessor.h"

#include <map>

#include <gtest/gtest.h>

namespace nbx::reader {
namespace {

TEST(PagePreprocessorTest, SubstitutesKnownNamesAndKeepsTheRest) {
    const std::map<std::string, std::string, std::less<>> values = {
        {"Name", "Ann"}, {"loop", "[={Name}]"}, {"empty", ""}};
    const VariableLookup lookup = [&](std::string_view name) -> std::optional<std::string> {
        const auto it = values.find(name);
        if (it == values.end())
            return std::nullopt;
        return it->second;
    };
    const std::pair<const char*, const char*> cases[] = {
        {"Hello [={Name}]!", "Hello Ann!"},
        {"[={Name}][={Name}]", "AnnAnn"},
        {"[={Unknown}] stays", "[={Unknown}] stays"},
        {"[={name}] is case-sensitive", "[={name}] is case-sensitive"},
        {"[={loop}]", "[={Name}]"},  // values are not scanned again
        {"a[={empty}]b", "ab"},
        {"open [={Name", "open [={Name"},
        {"[={a [={Name}]", "[={a Ann"},
        {"", ""},
        {"}] [={", "}] [={"},
    };
    for (const auto& [page, expected] : cases) {
        EXPECT_EQ(PreprocessPage(page, lookup), expected) << page;
    }
}

}  // namespace
}  // namespace nbx::reader
