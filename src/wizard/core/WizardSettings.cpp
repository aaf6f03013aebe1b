#include "wizard/core/WizardSettings.h"

#include <cstdlib>
#include <initializer_list>
#include <utility>

#include "common/Prompter.h"
#include "platform/ProfileFile.h"

namespace nbx::wizard {

namespace {

constexpr std::size_t kMaxValue = 255;  // what a 256-byte buffer holds

std::string Read(const char* key, const std::string& defaultValue) {
    return platform::ReadProfileString(kConfigFile, kSection, key, defaultValue, kMaxValue);
}

// Writes the keys in order, stopping at the first that cannot be written: the author hears
// once why the answers will not be offered next time.
void Write(std::initializer_list<std::pair<const char*, std::string>> values, Prompter& prompter) {
    for (const auto& [key, value] : values) {
        std::string why;
        if (!platform::WriteProfileString(kConfigFile, kSection, key, value, &why)) {
            prompter.Show("Your answers could not be remembered for next time.\n\n" + why,
                          MessageIcon::Warning);
            return;
        }
    }
}

}  // namespace

std::string DefaultWorkingFolder() {
    const char* home = std::getenv("HOME");
    return home && *home ? std::string(home) : std::string("/");
}

WizardSettings ReadWizardSettings(int currentYear) {
    WizardSettings s;
    s.folder = Read("FOLDER", DefaultWorkingFolder());
    s.projectType = Read("PROJECTTYPE", "");
    s.splash = platform::ReadProfileInt(kConfigFile, kSection, "SPLASH", 0);
    if (s.splash < 0 || s.splash > 3) {
        s.splash = 0;
    }
    s.copyright =
        Read("COPYRIGHT", "Copyright (C) " + std::to_string(currentYear) + ", Your Company");
    s.publisher = Read("PUBLISHER", "");
    s.author = Read("AUTHOR", "Your Name");
    s.authorEmail = Read("AUTHOREMAIL", "");
    s.authorUrl = Read("AUTHORURL", "");
    return s;
}

void SaveWorkingFolder(const std::string& folder, Prompter& prompter) {
    Write({{"FOLDER", folder}}, prompter);
}

void SaveProjectType(const std::string& name, Prompter& prompter) {
    Write({{"PROJECTTYPE", name}}, prompter);
}

void SaveSplashChoice(int splash, Prompter& prompter) {
    Write({{"SPLASH", std::to_string(splash)}}, prompter);
}

void SaveBookInfo(const WizardSettings& settings, Prompter& prompter) {
    Write({{"COPYRIGHT", settings.copyright},
           {"PUBLISHER", settings.publisher},
           {"AUTHOR", settings.author},
           {"AUTHOREMAIL", settings.authorEmail},
           {"AUTHORURL", settings.authorUrl}},
          prompter);
}

}  // namespace nbx::wizard
