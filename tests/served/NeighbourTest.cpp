// Another user of the reader's machine, while a book starts in its reader's browser as in
// real use: it watches every place it can read for a secret, and tries whatever it finds on
// every port of 127.0.0.1. Nothing is served to it and nothing it sends is answered.

#include <dirent.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <thread>

#include "HttpClient.h"
#include "ReaderProcess.h"
#include "ServedBook.h"
#include "support/AsNobody.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

namespace nbx::test {
namespace {

// 32 hexadecimal digits: the form of every secret the reader hands out.
void CollectSecrets(const std::string& text, std::set<std::string>& found) {
    static const std::regex kSecret("[0-9a-f]{32}");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), kSecret);
         it != std::sregex_iterator(); ++it) {
        found.insert(it->str());
    }
}

std::string Slurp(const std::string& path, std::size_t limit = 1 << 20) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes(limit, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(limit));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

// Every file under folder that this user can read, a few levels down.
void ScanFolder(const std::string& folder, int depth, std::set<std::string>& found) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr || depth < 0) {
        if (dir != nullptr) {
            ::closedir(dir);
        }
        return;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        const std::string path = folder + "/" + name;
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0) {
            continue;
        }
        if (S_ISDIR(st.st_mode)) {
            ScanFolder(path, depth - 1, found);
        } else if (S_ISREG(st.st_mode) && st.st_size < (1 << 20)) {
            CollectSecrets(Slurp(path), found);
        }
    }
    ::closedir(dir);
}

// The ports listening on 127.0.0.1, as /proc/net/tcp shows them to everyone; with inodes,
// only those of the sockets with these inode numbers.
std::set<std::uint16_t> LoopbackListeners(const std::set<std::string>* inodes = nullptr) {
    std::set<std::uint16_t> ports;
    std::istringstream table(Slurp("/proc/net/tcp"));
    std::string line;
    std::getline(table, line);
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string slot, local, remote, state, queues, timer, retransmits, uid, timeout, inode;
        fields >> slot >> local >> remote >> state >> queues >> timer >> retransmits >> uid >>
            timeout >> inode;
        if (state == "0A" && local.rfind("0100007F:", 0) == 0 &&
            (inodes == nullptr || inodes->count(inode) != 0)) {
            ports.insert(static_cast<std::uint16_t>(std::stoul(local.substr(9), nullptr, 16)));
        }
    }
    return ports;
}

// The loopback ports process pid listens on.
std::set<std::uint16_t> PortsOf(pid_t pid) {
    std::set<std::string> inodes;
    const std::string fds = "/proc/" + std::to_string(pid) + "/fd";
    for (const auto& fd : std::filesystem::directory_iterator(fds)) {
        std::error_code ec;
        const std::string target = std::filesystem::read_symlink(fd.path(), ec).string();
        if (target.starts_with("socket:[")) {
            inodes.insert(target.substr(8, target.size() - 9));
        }
    }
    return LoopbackListeners(&inodes);
}

TEST(NeighbourTest, AnotherUserFindsNoSecretAndGetsNothingWhileTheBookStarts) {
    int status = 0;
    const std::string chromium = RunCommand("command -v chromium", status);
    ASSERT_EQ(status, 0) << "no Chromium: scripts/install-deps.sh installs it";
    TempDir dir;
    const std::string marker = dir.File("ran");
    const std::string program = dir.Write("mark.sh", "#!/bin/sh\ntouch '" + marker + "'\n");
    ::chmod(program.c_str(), 0755);
    BuildSettings settings = ServedBookSettings();
    settings.onStart = "##RUN('" + program + "')";
    const std::string path = dir.File("lighthouse");
    ASSERT_EQ(WriteServedBook(dir, path, settings), "");
    const std::string runtime = dir.File("run");
    std::filesystem::create_directory(runtime);
    ::chmod(runtime.c_str(), 0700);
    OpenToEveryone(dir.File("x"));  // nobody may look around the test's folder, not into run/

    // The reader starts its browser itself, in app mode, as it does for a reader.
    ReaderProcess reader;
    const std::string browser = chromium.substr(0, chromium.find('\n')) +
                                " --headless --no-sandbox --disable-gpu --no-first-run "
                                "--disable-background-networking --disable-component-update "
                                "--disable-sync --disable-quic --user-data-dir=" +
                                dir.File("profile");
    ASSERT_TRUE(reader.Start(
        path, {"BROWSER=" + browser, "XDG_RUNTIME_DIR=" + runtime, "NBX_READER_IDLE_MS=60000"},
        false));
    ASSERT_TRUE(reader.printed.starts_with("file://" + runtime + "/")) << reader.printed;
    const std::string launchPage = reader.printed.substr(7);
    const std::set<std::uint16_t> book = PortsOf(reader.pid());
    ASSERT_EQ(book.size(), 2u);  // the frame's and the pages'

    // The neighbour watches while the browser starts, and tries everything it finds.
    const std::string seen = RunAsNobody([&book] {
        std::set<std::string> secrets;
        std::set<std::uint16_t> ports;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(4);
        while (std::chrono::steady_clock::now() < until) {
            for (const auto& process : std::filesystem::directory_iterator("/proc")) {
                const std::string pid = process.path().filename().string();
                if (pid.find_first_not_of("0123456789") == std::string::npos) {
                    CollectSecrets(Slurp("/proc/" + pid + "/cmdline"), secrets);
                    CollectSecrets(Slurp("/proc/" + pid + "/environ"), secrets);
                }
            }
            for (const char* folder : {"/tmp", "/run", "/dev/shm", "/var/tmp"}) {
                ScanFolder(folder, 6, secrets);
            }
            for (std::uint16_t port : LoopbackListeners()) {
                ports.insert(port);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        int answered = 0;  // by the book: other programs' servers may answer anyone
        int tries = 0;
        // Each secret as the address, and as the frame's key with itself as the address.
        std::vector<std::pair<std::string, std::string>> targets = {{"/", ""}};
        for (const std::string& s : secrets) {
            targets.emplace_back("/" + s + "/", "");
            targets.emplace_back("/" + s + "/frame/answer?id=1&yes=1",
                                 "X-Nbx-Frame: " + s + "\r\nSec-Fetch-Site: same-origin\r\n");
        }
        for (std::uint16_t port : ports) {
            for (const auto& [target, headers] : targets) {
                ++tries;
                const int fd = OpenConnection(
                    port, "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
                              "\r\n" + headers + "\r\n");
                if (fd < 0) {
                    continue;
                }
                timeval limit{2, 0};
                ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
                char byte;
                answered += ::recv(fd, &byte, 1, 0) > 0 && book.count(port) != 0 ? 1 : 0;
                ::close(fd);
            }
        }
        const bool triedTheBook =
            std::includes(ports.begin(), ports.end(), book.begin(), book.end());
        std::string out = "answered " + std::to_string(answered) + " of " + std::to_string(tries) +
                          (triedTheBook ? " the book's ports tried" : "") + "\n";
        for (const std::string& s : secrets) {
            out += s + "\n";
        }
        return out;
    });
    ASSERT_EQ(seen.rfind("answered 0 of ", 0), 0u) << seen.substr(0, seen.find('\n'));
    EXPECT_NE(seen.find(" the book's ports tried\n"), std::string::npos)
        << seen.substr(0, seen.find('\n'));

    // The reader's own browser went in: the launch page is used up and gone.
    for (int i = 0; i < 300 && std::filesystem::exists(launchPage); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_FALSE(std::filesystem::exists(launchPage));
    // And nothing the neighbour found opens the book, even for the reader's own user.
    ASSERT_NE(reader.port, 0);
    std::istringstream found(seen.substr(seen.find('\n') + 1));
    for (std::string secret; std::getline(found, secret);) {
        EXPECT_EQ(Get(reader.port, "/" + secret + "/").status, 403) << secret;
    }
    EXPECT_FALSE(std::filesystem::exists(marker));  // the run question waits for its reader
}

}  // namespace
}  // namespace nbx::test
