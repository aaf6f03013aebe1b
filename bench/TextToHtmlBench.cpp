// Reads a text include file and converts it to HTML the way the build does (kind 5), against
// perl doing the same conversion on the same file. Prints both times and their ratio, and
// checks that the two outputs agree.
//
// Usage: TextToHtmlBench [megabytes]   (default 32)

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "platform/TempFiles.h"
#include "variables/IncludeFile.h"
#include "variables/VariableKind.h"

namespace {

// Prose-like lines: words, single and double spaces, tabs, trailing blanks, the HTML-special
// characters, and a mix of line-break conventions.
std::string MakeCorpus(std::size_t bytes) {
    static const char* const kPieces[] = {"the ", "book ",  "and ", "a  ",  "<b>",   "</b> ",
                                          "&c ",  "\"q\" ", "\t",   "    ", "page ", "x "};
    static const char* const kBreaks[] = {"\n", "\r\n", "  \r\n", "\r", " \t\n"};
    std::mt19937 random(7);
    std::uniform_int_distribution<int> piece(0, std::size(kPieces) - 1);
    std::uniform_int_distribution<int> lineBreak(0, std::size(kBreaks) - 1);
    std::uniform_int_distribution<int> words(3, 14);
    std::string text;
    text.reserve(bytes + 64);
    while (text.size() < bytes) {
        for (int n = words(random); n > 0; --n)
            text += kPieces[piece(random)];
        text += kBreaks[lineBreak(random)];
    }
    return text;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

std::string ReadFile(const std::string& path) {
    std::string out;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[1 << 16];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
            out.append(buffer, n);
        std::fclose(f);
    }
    return out;
}

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 32;
    int error = 0;
    const std::string input = nbx::platform::CreateTempFile("bth", error);
    const std::string output = nbx::platform::CreateTempFile("bth", error);
    if (input.empty() || output.empty() || !WriteFile(input, MakeCorpus(megabytes << 20))) {
        std::fprintf(stderr, "cannot write the corpus\n");
        return 1;
    }

    using Clock = std::chrono::steady_clock;
    std::string ours;
    const auto start = Clock::now();
    const bool ok = nbx::ResolveVariableValue(nbx::kIncludeTextToHtml, input, ours);
    const double oursSeconds = Seconds(Clock::now() - start);

    // The same net effect, written as perl substitutions.
    const std::string command =
        "perl -0777 -pe '"
        "s/&/&amp;/g; s/</&lt;/g; s/>/&gt;/g; s/\"/&quot;/g; s/\\t/    /g; "
        "s/\\r\\n?/\\n/g; s/ +\\n/\\n/g; s/\\n/<BR>/g; "
        "s/( {2,})/\"&nbsp;\" x length($1)/ge' < " +
        input + " > " + output;
    const auto perlStart = Clock::now();
    const int status = std::system(command.c_str());
    const double perlSeconds = Seconds(Clock::now() - perlStart);

    const bool same = ok && status == 0 && ReadFile(output) == ours;
    nbx::platform::RemoveFileQuietly(input);
    nbx::platform::RemoveFileQuietly(output);

    std::printf("text to HTML, %zu MB: ours %.3f s, perl %.3f s, perl/ours %.1fx, outputs %s\n",
                megabytes, oursSeconds, perlSeconds, perlSeconds / oursSeconds,
                same ? "agree" : "DIFFER");
    return same ? 0 : 1;
}
