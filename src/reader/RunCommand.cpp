#include "reader/RunCommand.h"

#include <algorithm>
#include <filesystem>

#include "platform/AsciiText.h"

namespace nbx::reader {

std::string RunCommandProgram(std::string_view text, const std::string& ebookFolder) {
    static constexpr std::string_view kOpen = "##RUN('";
    static constexpr std::string_view kClose = "')";
    const std::string_view command = TrimAsciiWhiteSpace(text);
    if (command.size() <= kOpen.size() + kClose.size() || !command.starts_with(kOpen) ||
        !command.ends_with(kClose)) {
        return {};
    }
    std::string program(TrimAsciiWhiteSpace(
        command.substr(kOpen.size(), command.size() - kOpen.size() - kClose.size())));
    if (program.empty() || program.find('\'') != std::string::npos) {
        return {};
    }
    std::replace(program.begin(), program.end(), '\\', '/');
    const std::filesystem::path path(program);
    if (ebookFolder.empty() && !path.is_absolute()) {
        return program;
    }
    // The name the question shows is the program that would start: "a/../../x" climbs out
    // of the e-book's folder, and the question says where to.
    const std::filesystem::path full = path.is_absolute() ? path : ebookFolder / path;
    return full.lexically_normal().string();
}

}  // namespace nbx::reader
