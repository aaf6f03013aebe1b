// tamselc: the compiler without a window, for scripts, servers and tests.

#include <unistd.h>

#include <iostream>

#include "cli/Command.h"
#include "extensions/ExtensionRegistry.h"

int main(int argc, char** argv) {
    nbx::cli::Console console{std::cout, std::cerr, std::cin, ::isatty(STDIN_FILENO) != 0,
                              ::isatty(STDERR_FILENO) != 0};
    const int exitCode = nbx::cli::RunTamselc(nbx::cli::Args(argv + 1, argv + argc), console);
    nbx::DestroyProcessExtensionRegistry();
    return exitCode;
}
