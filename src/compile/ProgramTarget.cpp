#include "compile/ProgramTarget.h"

#include "platform/AsciiText.h"

namespace nbx {

ProgramTarget TargetOfOutputName(std::string_view outputPath) {
    constexpr std::size_t kEnding = 4;  // ".exe"
    const bool windows =
        outputPath.size() >= kEnding &&
        ToLowerAscii(std::string(outputPath.substr(outputPath.size() - kEnding))) == ".exe";
    return windows ? ProgramTarget::Windows : ProgramTarget::Linux;
}

std::string StubFileName(std::string_view base, ProgramTarget target) {
    return std::string(base) + (target == ProgramTarget::Windows ? ".exe.dat" : ".dat");
}

std::string TargetNote(std::string_view outputPath) {
    if (outputPath.empty()) {
        return {};
    }
    return TargetOfOutputName(outputPath) == ProgramTarget::Windows
               ? "Builds a Windows program (the name ends in \".exe\")."
               : "Builds a Linux program (a name ending in \".exe\" builds a Windows one).";
}

std::string MissingStubMessage(const std::string& stubPath, std::string_view outputPath) {
    if (TargetOfOutputName(outputPath) == ProgramTarget::Windows) {
        return "This compiler can't build Windows programs: " + stubPath +
               " is missing (it is made when the compiler is built where the MinGW-w64 cross "
               "compiler is installed).";
    }
    return "The program stub " + stubPath + " is missing. Re-install the compiler.";
}

}  // namespace nbx
