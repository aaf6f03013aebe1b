#pragma once
// A built book started as the reader starts: its own program, with BROWSER set to a command
// that opens nothing, and the address read from its first line of output (or from the
// private page that line names).

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace nbx::test {

class ReaderProcess {
public:
    ~ReaderProcess();

    // Starts the book at path with the environment additions ("NAME=value"). False when it
    // printed no address. The launch address it leads to is used up here, as the browser
    // would, unless a browser of its own does that (asBrowser false: only printed is set).
    bool Start(const std::string& path, const std::vector<std::string>& env, bool asBrowser = true);

    // Waits up to ms for the program to end; its exit status, or -1 when it still runs.
    int WaitExit(int ms);

    // The program's process id while it runs, else -1.
    pid_t pid() const { return pid_; }
    // The most memory the running program has held so far (VmHWM), in bytes; 0 if unknown.
    std::size_t PeakMemory() const;

    // What runs the book, before its path ({"wine"} for a Windows book; empty: the book
    // itself), and where that book's drive C: lies here (its launch file is read from there).
    std::vector<std::string> runner;
    std::string driveC;

    std::uint16_t port = 0;      // the frame's (a Rebrander's only one)
    std::uint16_t pagePort = 0;  // the book's pages'
    std::string token;
    std::string address;        // "http://127.0.0.1:PORT/TOKEN/"
    std::string printed;        // the first line of output: what the browser was given
    std::string launchAddress;  // the address it led to, when that was a launch address
    std::string base;           // "/TOKEN"

private:
    pid_t pid_ = -1;
};

// The frame key written into the frame page.
std::string FrameKeyOf(const std::string& framePage);

}  // namespace nbx::test
