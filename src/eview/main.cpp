// eview: the e-book reader, served to the reader's own browser. An e-book is this program
// with a content archive joined to its end, so the reader opens its own file to find the
// book. It links only the C and C++ run-time libraries, so a book opens on any desktop.

#include <cstdio>
#include <string>
#include <vector>

#include "platform/ExecutablePath.h"
#include "reader/ServedReader.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return nbx::reader::RunServedReader(nbx::platform::ExecutablePath(), args, stdout, stderr);
}
