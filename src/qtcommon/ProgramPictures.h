#pragma once
// The pictures of the windows, built into the programs: the compiler's and the wizard's own
// icons, and the toolbar pictures of the compiler's settings commands.

#include <QIcon>

namespace nbx {

enum class ProgramPicture {
    Compiler,  // tamsel
    Wizard,    // nbxkwik
    EBookInfo,
    Icon,
    StartUp,
    UserInterface,
    SystemPages,
    AddIns,
};

// Every size the picture was drawn at; a null icon if the program was built without it.
QIcon ProgramIcon(ProgramPicture picture);

}  // namespace nbx
