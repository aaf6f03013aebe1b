// nbx_make_viewer_stub PROGRAM ICON TARGET
//
// Makes the reader stub eview.dat: the reader program, zero bytes up to offset 494,000, then
// the stock icon file. The compiler's icon patch searches bytes 395,000 to 495,000 of the
// stub for the stock icon, so the program must end before 494,000 bytes; a larger one is an
// error here rather than a build that cannot put the author's icon in.

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "reader/StubIcon.h"

namespace {

// Where the reader looks for its window icon.
constexpr std::size_t kIconOffset = nbx::reader::kStubIconOffset;
constexpr std::size_t kIconSize = nbx::reader::kStubIconSize;

bool ReadAll(const char* path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream s;
    s << in.rdbuf();
    bytes = s.str();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: nbx_make_viewer_stub PROGRAM ICON TARGET\n");
        return 2;
    }
    std::string program, icon;
    if (!ReadAll(argv[1], program) || !ReadAll(argv[2], icon)) {
        std::fprintf(stderr, "nbx_make_viewer_stub: cannot read %s or %s\n", argv[1], argv[2]);
        return 1;
    }
    if (program.size() > kIconOffset) {
        std::fprintf(stderr,
                     "nbx_make_viewer_stub: the reader program %s is %zu bytes, more than the "
                     "%zu bytes that fit before the stock icon of eview.dat; make the reader "
                     "smaller\n",
                     argv[1], program.size(), kIconOffset);
        return 1;
    }
    if (icon.size() != kIconSize) {
        std::fprintf(stderr, "nbx_make_viewer_stub: the stock icon %s is %zu bytes, not %zu\n",
                     argv[2], icon.size(), kIconSize);
        return 1;
    }
    program.resize(kIconOffset, '\0');
    program += icon;
    std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
    out.write(program.data(), static_cast<std::streamsize>(program.size()));
    if (!out.flush()) {
        std::fprintf(stderr, "nbx_make_viewer_stub: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
