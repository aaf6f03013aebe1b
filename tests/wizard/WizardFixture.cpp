#include "WizardFixture.h"

#include <sys/stat.h>

#include <sstream>

#include "common/ProgramLauncher.h"
#include "platform/Clock.h"
#include "platform/Paths.h"

namespace nbx::wizard {

WizardFixture::WizardFixture() {
    config = dir.File("config");
    work = dir.File("work");
    programDir = dir.File("program dir");
    executable = programDir + "/nbxkwik";
    dir.Write("config/.keep", "");
    dir.Write("work/.keep", "");
    dir.Write("program dir/splash16.bmp", "BM standard");
    dir.Write("program dir/splash16.dat", "BM colour");
    dir.Write("program dir/splash2.dat", "BM black and white");
    const std::string compiler =
        dir.Write("program dir/tamsel",
                  "#!/bin/sh\nprintf '%s' \"$NBX_SHOW_MAXIMIZED\" > \"$(dirname \"$0\")/shown\"\n"
                  "printf '%s\\n' \"$@\" > \"$(dirname \"$0\")/args.tmp\"\n"
                  "mv \"$(dirname \"$0\")/args.tmp\" \"$(dirname \"$0\")/args\"\n");
    ::chmod(compiler.c_str(), 0755);
    const char* saved = ::getenv("NBX_CONFIG_DIR");
    savedConfig_ = saved ? saved : "";
    ::setenv("NBX_CONFIG_DIR", config.c_str(), 1);
    SetDocumentOpener([this](const std::string& target) {
        opened.push_back(target);
        return 33;
    });
}

WizardFixture::~WizardFixture() {
    SetDocumentOpener(nullptr);
    ::setenv("NBX_CONFIG_DIR", savedConfig_.c_str(), 1);
}

std::vector<std::string> WizardFixture::CompilerArguments() const {
    const std::string file = programDir + "/args";
    for (int waited = 0; waited < 20000 && !platform::FileExists(file); waited += 20) {
        platform::SleepMs(20);
    }
    std::vector<std::string> lines;
    std::istringstream in(test::ReadWholeFile(file));
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

}  // namespace nbx::wizard
