// Packs a generated corpus of HTML pages and pictures with the e-book packer and, in the
// same run, with `gzip -6` on the same bytes, and reports the ratio of the two times.
//
//   nbx_pack_bench [scale]      scale multiplies the corpus size (default 1: about 20 MB)

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "CorpusGenerator.h"
#include "format/Packer.h"
#include "format/Unpacker.h"
#include "platform/TempFiles.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

struct Result {
    double seconds = 1e30;
    std::size_t packedBytes = 0;
};

Result PackAll(const std::vector<const nbx::bench::CorpusFile*>& files, int rounds) {
    Result best;
    for (int r = 0; r < rounds; ++r) {
        std::size_t packed = 0;
        const auto start = Clock::now();
        for (const auto* f : files) {
            packed += nbx::PackBytes(f->bytes).size();
        }
        best.seconds = std::min(best.seconds, Seconds(start, Clock::now()));
        best.packedBytes = packed;
    }
    return best;
}

// Runs gzip -6 over the file, its output into a file, and returns the wall time.
Result Gzip(const std::string& input, const std::string& output, int rounds) {
    Result best;
    for (int r = 0; r < rounds; ++r) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        const char* argv[] = {"gzip", "-6", "-c", input.c_str(), nullptr};
        pid_t pid = 0;
        const auto start = Clock::now();
        if (posix_spawnp(&pid, "gzip", &actions, nullptr, const_cast<char**>(argv), environ) != 0) {
            std::fprintf(stderr, "cannot start gzip\n");
            std::exit(1);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        const double t = Seconds(start, Clock::now());
        posix_spawn_file_actions_destroy(&actions);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "gzip failed\n");
            std::exit(1);
        }
        best.seconds = std::min(best.seconds, t);
        std::ifstream in(output, std::ios::binary | std::ios::ate);
        best.packedBytes = static_cast<std::size_t>(in.tellg());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const int scale = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
    const auto corpus = nbx::bench::GenerateCorpus(1, 400 * scale, 40 * scale, 40 * scale);

    // Check once, untimed, that every file comes back whole.
    for (const auto& f : corpus) {
        std::string out, error;
        if (!nbx::Unpack(nbx::PackBytes(f.bytes), f.bytes.size(), out, error) || out != f.bytes) {
            std::fprintf(stderr, "%s does not unpack to itself: %s\n", f.name.c_str(),
                         error.c_str());
            return 1;
        }
    }

    struct Group {
        const char* name;
        const char* suffix;
    };
    const Group groups[] = {
        {"HTML pages", ".html"}, {"bitmaps", ".bmp"}, {"photos", ".jpg"}, {"all", ""}};
    int err = 0;
    const std::string input = nbx::platform::CreateTempFile("nbxbench", err);
    const std::string output = nbx::platform::CreateTempFile("nbxbench", err);
    if (input.empty() || output.empty()) {
        std::fprintf(stderr, "cannot create temporary files\n");
        return 1;
    }
    const int rounds = 3;
    std::printf("%-11s %9s | %9s %7s %6s | %9s %7s %6s | %s\n", "files", "MB", "packer s", "MB/s",
                "size", "gzip -6 s", "MB/s", "size", "packer time / gzip time");
    double packerAll = 0, gzipAll = 0;
    for (const auto& g : groups) {
        std::vector<const nbx::bench::CorpusFile*> files;
        std::string joined;
        for (const auto& f : corpus) {
            if (f.name.ends_with(g.suffix)) {
                files.push_back(&f);
                joined += f.bytes;
            }
        }
        {
            std::ofstream out(input, std::ios::binary | std::ios::trunc);
            out.write(joined.data(), static_cast<std::streamsize>(joined.size()));
        }
        const Result packer = PackAll(files, rounds);
        const Result gzip = Gzip(input, output, rounds);
        const double mb = static_cast<double>(joined.size()) / 1e6;
        std::printf(
            "%-11s %9.2f | %9.3f %7.1f %5.1f%% | %9.3f %7.1f %5.1f%% | %.2f\n", g.name, mb,
            packer.seconds, mb / packer.seconds,
            100.0 * static_cast<double>(packer.packedBytes) / static_cast<double>(joined.size()),
            gzip.seconds, mb / gzip.seconds,
            100.0 * static_cast<double>(gzip.packedBytes) / static_cast<double>(joined.size()),
            packer.seconds / gzip.seconds);
        packerAll = packer.seconds;
        gzipAll = gzip.seconds;
    }
    std::printf("\nPacker time / gzip -6 time on the whole corpus: %.2f (goal: at most 0.50)\n",
                packerAll / gzipAll);
    nbx::platform::RemoveFileQuietly(input);
    nbx::platform::RemoveFileQuietly(output);
    return 0;
}
