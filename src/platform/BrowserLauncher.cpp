#include "platform/BrowserLauncher.h"

#include <unistd.h>

#include <array>
#include <filesystem>
#include <string_view>

#include "platform/DetachedProcess.h"

namespace nbx::platform {

namespace {

constexpr std::array<std::string_view, 9> kChromiumNames = {
    "chromium",      "chromium-browser", "google-chrome",         "google-chrome-stable",
    "brave-browser", "microsoft-edge",   "microsoft-edge-stable", "vivaldi",
    "vivaldi-stable"};

std::vector<std::string> SplitWords(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (c == ' ' || c == '\t') {
            if (!word.empty()) {
                words.push_back(std::move(word));
                word.clear();
            }
        } else {
            word += c;
        }
    }
    if (!word.empty()) {
        words.push_back(std::move(word));
    }
    return words;
}

std::string FindOnPath(std::string_view name, const std::string& path) {
    std::string_view rest = path;
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::string_view folder = rest.substr(0, colon);
        if (!folder.empty()) {
            const std::string candidate = std::string(folder) + "/" + std::string(name);
            if (::access(candidate.c_str(), X_OK) == 0) {
                return candidate;
            }
        }
        if (colon == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(colon + 1);
    }
    return {};
}

void AddAppArguments(std::vector<std::string>& command, const std::string& url,
                     const BrowserWindow& window) {
    command.push_back("--app=" + url);
    // A page may open a peer-to-peer connection, which no page policy governs: without a
    // proxy, this sends nothing (it takes effect when the browser is not running already).
    command.push_back("--force-webrtc-ip-handling-policy=disable_non_proxied_udp");
    if (window.maximized) {
        command.push_back("--start-maximized");
    } else if (window.width > 0 && window.height > 0) {
        command.push_back("--window-size=" + std::to_string(window.width) + "," +
                          std::to_string(window.height));
    }
}

}  // namespace

bool IsChromiumFamily(const std::string& command) {
    const std::string name = std::filesystem::path(command).filename().string();
    for (std::string_view known : kChromiumNames) {
        if (name == known) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> BrowserCommand(const std::string& url, const BrowserWindow& window,
                                        const std::string& browserVariable,
                                        const std::string& path) {
    const std::string first = browserVariable.substr(0, browserVariable.find(':'));
    std::vector<std::string> words = SplitWords(first);
    if (!words.empty()) {
        bool placed = false;
        for (std::string& word : words) {
            const std::size_t at = word.find("%s");
            if (at != std::string::npos) {
                word.replace(at, 2, url);
                placed = true;
            }
        }
        if (!placed) {
            if (IsChromiumFamily(words[0])) {
                AddAppArguments(words, url, window);
            } else {
                words.push_back(url);
            }
        }
        return words;
    }
    for (std::string_view name : kChromiumNames) {
        std::string found = FindOnPath(name, path);
        if (!found.empty()) {
            std::vector<std::string> command{std::move(found)};
            AddAppArguments(command, url, window);
            return command;
        }
    }
    return {"xdg-open", url};
}

bool StartDetached(const std::vector<std::string>& command) {
    DetachedOptions options;
    options.searchPath = true;
    return !command.empty() && StartProgramDetached(command, options).error == 0;
}

bool OpenWithDesktop(const std::string& path) {
    return StartDetached({"xdg-open", path});
}

}  // namespace nbx::platform
