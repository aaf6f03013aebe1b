#include "variables/VariableName.h"

#include <algorithm>

namespace nbx {

const std::array<std::string_view, 50> kReservedVariableNames = {
    // folders and their drives
    "win", "sys", "tmp", "app", "ebook", "windrive", "sysdrive", "tmpdrive", "appdrive",
    "ebookdrive",
    // short names
    "p", "user",
    // e-book information
    "title", "publisher", "copyright", "author", "authoremail", "authorurl",
    // compiler
    "compilerurl", "compilerversion",
    // time of the build
    "compileyear", "compilemonth", "compileday", "compilehour", "compileminute", "compilesecond",
    // time when shown
    "nowyear", "nowmonth", "nowday", "nowhour", "nowminute", "nowsecond",
    // characters
    "quote", "doublequote", "linefeed", "return", "tab", "bracel", "bracer",
    // screen and window metrics
    "screenwidth", "screenheight", "clientwidth", "clientheight", "windowwidth", "windowheight",
    "windowx", "windowy",
    // the running e-book
    "ebookurl", "commandline", "exename"};

namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

bool IsReservedVariableName(std::string_view name) {
    return std::find(kReservedVariableNames.begin(), kReservedVariableNames.end(), name) !=
           kReservedVariableNames.end();
}

bool ValidateVariableName(std::string_view name, std::string& message) {
    if (name.empty()) {
        message = "Variable must have a name.";
        return false;
    }
    if (!std::all_of(name.begin(), name.end(),
                     [](char c) { return IsAsciiLetter(c) || IsAsciiDigit(c); })) {
        message = "Variable names may contain only letters and digits.";
        return false;
    }
    if (IsAsciiDigit(name.front())) {
        message = "The first character of the Variable name must be a letter.";
        return false;
    }
    if (IsReservedVariableName(name)) {
        message = "You can not call your variable '" + std::string(name) +
                  "' as this variable name is used for a predefined system variable.";
        return false;
    }
    message.clear();
    return true;
}

}  // namespace nbx
