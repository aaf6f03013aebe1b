#include "appmodel/TamselArguments.h"

namespace nbx {

namespace {

bool IsHelp(const std::string& word) {
    return word == "--help" || word == "-h";
}

}  // namespace

TamselArguments ParseTamselArguments(const std::vector<std::string>& args) {
    TamselArguments out;
    bool options = true;
    for (const std::string& word : args) {
        if (options && word == "--") {
            options = false;
        } else if (options && IsHelp(word)) {
            out.help = true;
        } else if (options && word.size() > 1 && word[0] == '-') {
            out.error = "tamsel: unknown option " + word;
            return out;
        } else if (!out.project.empty()) {
            out.error = "tamsel: one project at a time, not also " + word;
            return out;
        } else {
            out.project = word;
        }
    }
    return out;
}

bool AsksForHelp(const std::vector<std::string>& args) {
    for (const std::string& word : args) {
        if (word == "--") {
            return false;
        }
        if (IsHelp(word)) {
            return true;
        }
    }
    return false;
}

std::string TamselUsage() {
    return "Usage: tamsel [PROJECT.nxp]\n"
           "  Opens the project in the Nimbrel E-Book Compiler window, or a new project.\n"
           "  --help    this text\n"
           "The same without a window: tamselc --help\n";
}

}  // namespace nbx
