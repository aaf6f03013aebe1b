// Feeds arbitrary bytes to the language-file reader. Whatever reads must survive a write and
// a second read unchanged, and every value must survive the editor's splitting, joining and
// escaping unchanged (a file type's value without its bar gains one).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "format/ByteSink.h"
#include "format/RandomAccessInput.h"
#include "viewerfiles/CLanguageMap.h"
#include "viewerfiles/LanguageFormat.h"
#include "viewerfiles/LanguageValueEdit.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckEdits(char flag, const std::string& value) {
    Require(nbx::UnescapeLongText(nbx::EscapeLongText(value)) == value);
    if (nbx::EditKindOfFlag(flag) != nbx::LanguageEditKind::TwoPart) {
        return;
    }
    const nbx::TwoPartFields fields = nbx::SplitTwoPart(flag, value);
    const nbx::TwoPartResult joined = nbx::JoinTwoPart(fields, fields.first, fields.second);
    // A file type's value gains the bar its form requires where it had none.
    const bool barAdded = flag == nbx::lang::kFlagFileType && !fields.hadSeparator;
    Require(!joined.ok || joined.value == (barAdded ? value + "|" : value));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    nbx::MemoryInput input(bytes);
    nbx::CLanguageMap map;
    if (!map.Read(input)) {
        Require(map.Count() == 0);
        return 0;
    }
    for (const auto& entry : map) {
        char flag = 0;
        const std::string value = map.GetText(entry.first, flag);
        CheckEdits(flag, value);
    }
    std::string written;
    nbx::StringSink sink(written);
    Require(map.WriteTo(sink));
    nbx::MemoryInput again(written);
    nbx::CLanguageMap reread;
    Require(reread.Read(again));
    Require(reread.Count() == map.Count());
    for (const auto& entry : map) {
        Require(reread.Contains(entry.first));
    }
    return 0;
}
