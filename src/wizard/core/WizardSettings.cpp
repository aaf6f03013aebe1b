#include "wizard/core/WizardSettings.h"

#include <cstdlib>

#include "platform/ProfileFile.h"

namespace nbx::wizard {

namespace {

constexpr std::size_t kMaxValue = 255;  // what a 256-byte buffer holds

std::string Read(const char* key, const std::string& defaultValue) {
    return platform::ReadProfileString(kConfigFile, kSection, key, defaultValue, kMaxValue);
}

void Write(const char* key, const std::string& value) {
    // A settings file that cannot be written costs only the remembered answer.
    platform::WriteProfileString(kConfigFile, kSection, key, value);
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

void SaveWorkingFolder(const std::string& folder) {
    Write("FOLDER", folder);
}

void SaveProjectType(const std::string& name) {
    Write("PROJECTTYPE", name);
}

void SaveSplashChoice(int splash) {
    Write("SPLASH", std::to_string(splash));
}

void SaveBookInfo(const WizardSettings& settings) {
    Write("COPYRIGHT", settings.copyright);
    Write("PUBLISHER", settings.publisher);
    Write("AUTHOR", settings.author);
    Write("AUTHOREMAIL", settings.authorEmail);
    Write("AUTHORURL", settings.authorUrl);
}

}  // namespace nbx::wizard
