#pragma once
// Options that the build and series commands share.

#include <optional>
#include <string>
#include <string_view>

namespace nbx::cli {

// --jobs N: the cores a build packs on, 1 to 1024; nullopt for anything else.
std::optional<unsigned> ParseJobs(std::string_view text);

// --output PATH: the e-book path, absolute, as the project stores it.
std::string OutputPathOption(const std::string& text);

}  // namespace nbx::cli
