#pragma once
// Builders of language files for the viewer-file tests.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>

#include "format/ByteSink.h"
#include "format/RecordStreamWriter.h"
#include "platform/ExecutablePath.h"
#include "viewerfiles/CLanguageMap.h"
#include "viewerfiles/LanguageFormat.h"

namespace nbx::test {

struct Record {
    std::int32_t key;
    char flag;
    std::string value;
};

// The bytes of a language file with these records, in this order. The count word is the
// number of records unless one is given.
inline std::string LanguageBytes(std::initializer_list<Record> records,
                                 std::optional<std::int32_t> count = std::nullopt,
                                 std::uint32_t magic = lang::kLanguageMagic) {
    std::string out;
    StringSink sink(out);
    RecordStreamWriter writer(sink);
    writer.WriteMagic(magic);
    writer.WriteWord(count.value_or(static_cast<std::int32_t>(records.size())));
    for (const Record& r : records) {
        writer.WriteWord(r.key);
        writer.WriteString(std::string(1, r.flag) + ScrambleLanguageText(r.value));
    }
    writer.Flush();
    return out;
}

// Points the program folder at the folder of programPath for the life of the object.
class ProgramFolder {
public:
    explicit ProgramFolder(const std::string& programPath) {
        platform::OverrideExecutablePath(programPath);
    }
    ~ProgramFolder() { platform::OverrideExecutablePath(""); }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;
};

// A small valid language file.
inline std::string ValidLanguageBytes() {
    return LanguageBytes({{1, 'F', "4.22"}, {100, 'L', "&File"}, {200, 'D', "Go back\nBack"}});
}

}  // namespace nbx::test
