#include "compile/ProgramTarget.h"

#include "platform/AsciiText.h"

namespace nbx {

ProgramTarget TargetOfOutputName(std::string_view outputPath) {
    return EndsWithNoCaseAscii(outputPath, ".exe") ? ProgramTarget::Windows : ProgramTarget::Linux;
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

std::string MissingWindowsStubMessage(const std::string& stubPath) {
    return "This compiler can't build Windows programs: " + stubPath +
           " is missing (it is made when the compiler is built where the MinGW-w64 cross "
           "compiler is installed).";
}

}  // namespace nbx
