// tamselc: the compiler without a window, for scripts, servers and tests.

#include <cstring>
#include <iostream>
#include <string>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "Usage: tamselc COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  --version            print the version\n"
    "  --help               print this text\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << kUsage;
        return 2;
    }
    const std::string_view command = argv[1];
    if (command == "--version" || command == "version") {
        std::cout << NBX_VERSION_TEXT << "\n";
        return 0;
    }
    if (command == "--help" || command == "help" || command == "-h") {
        std::cout << kUsage;
        return 0;
    }
    std::cerr << "tamselc: unknown command '" << command << "'\n\n" << kUsage;
    return 2;
}
