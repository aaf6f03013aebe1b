#include "platform/ConfigFolder.h"

#include <cstdlib>

#include "platform/Paths.h"

namespace nbx::platform {

namespace {
std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}
}  // namespace

std::string ConfigFolder() {
    if (auto dir = Env("NBX_CONFIG_DIR"); !dir.empty()) {
        return dir;
    }
    if (auto xdg = Env("XDG_CONFIG_HOME"); !xdg.empty()) {
        return JoinPath(xdg, "nimbrel");
    }
    auto home = Env("HOME");
    if (home.empty()) {
        home = "/tmp";
    }
    return JoinPath(JoinPath(home, ".config"), "nimbrel");
}

std::string ProfileFilePath(std::string_view name) {
    if (name.find(kSeparator) != std::string_view::npos) {
        return std::string(name);
    }
    return JoinPath(ConfigFolder(), name);
}

}  // namespace nbx::platform
