// tamselc lang FILE          prints a language file (or translat.dat) as JSON: an array of
//                            {"key", "flag", "value"} in ascending key order
// tamselc lang --check NAME  runs the language file check on the program folder's NAME.lng

#include <string>

#include <nlohmann/json.hpp>

#include "cli/Command.h"
#include "common/VisibleText.h"
#include "compile/BuildMessages.h"
#include "viewerfiles/CLanguageMap.h"
#include "viewerfiles/LanguageFileCheck.h"
#include "viewerfiles/LanguageFiles.h"
#include "viewerfiles/LanguageFormat.h"

namespace nbx::cli {

namespace {

int Usage(Console& console) {
    console.err << "Usage: tamselc lang FILE\n       tamselc lang --check NAME\n";
    return 2;
}

int Print(const std::string& path, Console& console) {
    CLanguageMap map;
    if (!map.Read(path)) {
        console.err << "tamselc: can't read language data: " << map.error() << "\n";
        return 1;
    }
    nlohmann::ordered_json records = nlohmann::ordered_json::array();
    for (const auto& entry : map) {
        char flag = 0;
        const std::string value = map.GetText(entry.first, flag);
        records.push_back({{"key", entry.first},
                           {"flag", flag ? std::string(1, flag) : std::string()},
                           {"value", value}});
    }
    // Texts are bytes; anything that is not UTF-8 is shown as U+FFFD rather than refused, and
    // nothing in them reaches the terminal as a control.
    console.out << JsonWithVisibleControls(records.dump(
                       2, ' ', false, nlohmann::ordered_json::error_handler_t::replace))
                << "\n";
    return 0;
}

int Check(const std::string& name, Console& console) {
    const std::string path = LanguagePath(name);
    if (CheckLanguageFile(path)) {
        console.out << path << ": version " << lang::kVersionText << ", passes the check\n";
        return 0;
    }
    console.err << build_message::kLanguageFileBroken << "\n";
    CLanguageMap map;
    if (!map.Read(path)) {
        console.err << map.error() << "\n";
    } else {
        console.err << path << ": key " << lang::kVersionKey << " holds \""
                    << WithVisibleControls(map.GetText(lang::kVersionKey)) << "\", not \""
                    << lang::kVersionText << "\"\n";
    }
    return 1;
}

}  // namespace

int RunLang(const Args& args, Console& console) {
    if (args.size() == 1 && args[0] != "--check") {
        return Print(args[0], console);
    }
    if (args.size() == 2 && args[0] == "--check") {
        return Check(args[1], console);
    }
    return Usage(console);
}

}  // namespace nbx::cli
