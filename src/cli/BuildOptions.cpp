#include "cli/BuildOptions.h"

#include <charconv>
#include <filesystem>

namespace nbx::cli {

std::optional<unsigned> ParseJobs(std::string_view text) {
    unsigned jobs = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), jobs);
    if (ec != std::errc() || end != text.data() + text.size() || jobs < 1 || jobs > 1024) {
        return std::nullopt;
    }
    return jobs;
}

std::string OutputPathOption(const std::string& text) {
    std::error_code ec;
    return std::filesystem::absolute(text, ec).lexically_normal().string();
}

}  // namespace nbx::cli
