#include "reader/BookValues.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "common/SiteAddress.h"
#include "common/TextToHtml.h"
#include "platform/TempFiles.h"
#include "reader/BookLinks.h"
#include "reader/HtmlText.h"
#include "variables/VariableKind.h"

namespace nbx::reader {

namespace {

std::string TwoDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

std::string FolderOf(const std::string& path) {
    return std::filesystem::path(path).parent_path().string();
}

std::string FileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

}  // namespace

ReaderContext ProcessContext(const std::string& ebookPath, const std::vector<std::string>& args) {
    ReaderContext context;
    context.ebookPath = ebookPath;
    context.commandLine = JoinCommandLine(args);
    context.tempFolder = platform::TempFolder();
    context.now = platform::LocalNow();
    if (const char* login = ::getlogin()) {
        context.userName = login;
    } else if (const char* user = std::getenv("USER")) {
        context.userName = user;
    }
    return context;
}

std::optional<std::string> ReservedValue(std::string_view name, const BuildSettings& settings,
                                         const ReaderContext& context) {
    const auto& s = settings;
    const auto& c = context;
    struct Entry {
        std::string_view name;
        std::string value;
    };
    // Built on each call: pages ask for a handful of names, and the time must be current.
    const Entry entries[] = {
        {"title", EscapeHtml(s.title)},
        {"publisher", EscapeHtml(s.publisher)},
        {"copyright", EscapeHtml(s.copyright)},
        {"author", EscapeHtml(s.author)},
        {"authoremail", EscapeHtml(s.authorEmail)},
        {"authorurl", EscapeHtml(s.authorUrl)},
        {"compilerurl", SiteBaseAddress(0)},
        {"compilerversion", s.formatVersion},
        {"compileyear", std::to_string(s.buildYear)},
        {"compilemonth", TwoDigits(s.buildMonth)},
        {"compileday", TwoDigits(s.buildDay)},
        {"compilehour", TwoDigits(s.buildHour)},
        {"compileminute", TwoDigits(s.buildMinute)},
        {"compilesecond", TwoDigits(s.buildSecond)},
        {"nowyear", std::to_string(c.now.year)},
        {"nowmonth", TwoDigits(c.now.month)},
        {"nowday", TwoDigits(c.now.day)},
        {"nowhour", TwoDigits(c.now.hour)},
        {"nowminute", TwoDigits(c.now.minute)},
        {"nowsecond", TwoDigits(c.now.second)},
        {"quote", "'"},
        {"doublequote", "\""},
        {"linefeed", "\n"},
        {"return", "\r"},
        {"tab", "\t"},
        {"bracel", "{"},
        {"bracer", "}"},
        {"screenwidth", std::to_string(c.screenWidth)},
        {"screenheight", std::to_string(c.screenHeight)},
        {"clientwidth", std::to_string(c.clientWidth)},
        {"clientheight", std::to_string(c.clientHeight)},
        {"windowwidth", std::to_string(c.windowWidth)},
        {"windowheight", std::to_string(c.windowHeight)},
        {"windowx", std::to_string(c.windowX)},
        {"windowy", std::to_string(c.windowY)},
        {"ebook", c.ebookPath},
        {"app", FolderOf(c.ebookPath)},
        {"exename", FileNameOf(c.ebookPath)},
        {"ebookurl", "file://" + PercentEncode(c.ebookPath, true)},
        {"commandline", c.commandLine},
        {"tmp", c.tempFolder},
        {"win", "/usr"},
        {"sys", "/usr/bin"},
        {"windrive", ""},
        {"sysdrive", ""},
        {"tmpdrive", ""},
        {"appdrive", ""},
        {"ebookdrive", ""},
        {"p", c.pageName},
        {"user", c.userName},
    };
    for (const auto& entry : entries) {
        if (entry.name == name) {
            return entry.value;
        }
    }
    return std::nullopt;
}

std::optional<std::string> LookupBookValue(std::string_view name,
                                           const std::vector<ArchiveVariable>& variables,
                                           const BuildSettings& settings,
                                           const ReaderContext& context) {
    for (const auto& variable : variables) {
        if (variable.name != name) {
            continue;
        }
        std::string value = variable.value;
        if (variable.kind == kTextToHtml || variable.kind == kLongTextToHtml) {
            ConvertTextToHtml(value);
        }
        return value;
    }
    return ReservedValue(name, settings, context);
}

std::string JoinCommandLine(const std::vector<std::string>& args) {
    std::string line;
    for (const auto& arg : args) {
        if (!line.empty()) {
            line += ' ';
        }
        if (arg.empty() || arg.find_first_of(" \t") != std::string::npos) {
            line += '"' + arg + '"';
        } else {
            line += arg;
        }
    }
    return line;
}

}  // namespace nbx::reader
