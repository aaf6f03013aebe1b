#include "TamselcRunner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <sstream>

#include "cli/Command.h"
#include "support/TempDir.h"

extern char** environ;

namespace nbx {

Outcome Tamselc(const std::vector<std::string>& args) {
    test::TempDir io;
    const std::string outPath = io.File("out"), errPath = io.File("err");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT, 0600);
    std::vector<std::string> all = {std::string(NBX_PROGRAM_DIR) + "/tamselc"};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    Outcome run;
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    run.out = test::ReadWholeFile(outPath);
    run.err = test::ReadWholeFile(errPath);
    return run;
}

Outcome TamselcInProcess(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    std::istringstream in;
    cli::Console console{out, err, in};
    Outcome run;
    run.exitCode = cli::RunTamselc(args, console);
    run.out = out.str();
    run.err = err.str();
    return run;
}

}  // namespace nbx
