#pragma once
// A built book started as the reader starts: its own program, with BROWSER set to a command
// that opens nothing, and the address read from its first line of output.

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace nbx::test {

class ReaderProcess {
public:
    ~ReaderProcess();

    // Starts the book at path with the environment additions ("NAME=value"). False when it
    // printed no address. A launch address it prints is used up here, as the browser would.
    bool Start(const std::string& path, const std::vector<std::string>& env);

    // Waits up to ms for the program to end; its exit status, or -1 when it still runs.
    int WaitExit(int ms);

    std::uint16_t port = 0;
    std::string token;
    std::string address;        // "http://127.0.0.1:PORT/TOKEN/"
    std::string launchAddress;  // the address printed, when it was a launch address
    std::string base;           // "/TOKEN"

private:
    pid_t pid_ = -1;
};

// The frame key written into the frame page.
std::string FrameKeyOf(const std::string& framePage);

}  // namespace nbx::test
