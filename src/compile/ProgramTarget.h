#pragma once
// Which system a built program (an e-book or a Rebrander) runs on follows its output name: a
// name ending in ".exe", in any case, is a Windows program, any other a Linux one. Projects
// made on Windows ("C:\...\book.exe" made portable) thus build Windows books again, and the
// project file stores nothing new.

#include <string>
#include <string_view>

namespace nbx {

enum class ProgramTarget { Linux, Windows };

ProgramTarget TargetOfOutputName(std::string_view outputPath);

// The stub in the compiler's folder that a program for target is made from: base + ".dat"
// for Linux ("eview.dat"), base + ".exe.dat" for Windows ("eview.exe.dat").
std::string StubFileName(std::string_view base, ProgramTarget target);

// One line that says which system a program of that output name runs on, for the Output
// dialog and the console; empty for an empty name.
std::string TargetNote(std::string_view outputPath);

// The message of a build of a Windows program whose stub is missing from the compiler's
// folder: this compiler was built without the Windows stubs.
std::string MissingWindowsStubMessage(const std::string& stubPath);

}  // namespace nbx
