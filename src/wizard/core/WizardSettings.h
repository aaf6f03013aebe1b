#pragma once
// The wizard's remembered answers: section "NBXKWIK" of "nbxconfig.ini". Each key is written
// at its own moment (see the Save functions), so a run that stops half-way keeps what the
// author confirmed up to there.

#include <string>

namespace nbx {
class Prompter;
}

namespace nbx::wizard {

inline constexpr const char* kConfigFile = "nbxconfig.ini";
inline constexpr const char* kSection = "NBXKWIK";

struct WizardSettings {
    std::string folder;       // "FOLDER": the working folder as typed
    std::string projectType;  // "PROJECTTYPE": the name of the type chosen last
    int splash = 0;           // "SPLASH": 0..3
    std::string copyright;    // "COPYRIGHT"
    std::string publisher;    // "PUBLISHER"
    std::string author;       // "AUTHOR"
    std::string authorEmail;  // "AUTHOREMAIL"
    std::string authorUrl;    // "AUTHORURL"
};

// The working folder offered when none is remembered: the home folder (the root folder when
// $HOME is not set), where a person can make folders.
std::string DefaultWorkingFolder();

// Reads the section; a missing key takes its default (the copyright names currentYear).
// Strings are cut to 255 bytes; a splash number outside 0..3 reads as 0.
WizardSettings ReadWizardSettings(int currentYear);

// Each Save below writes its keys and, when an answer cannot be remembered (the settings
// file cannot be written, or a text does not fit on one of its lines), shows why through
// prompter and goes on: only the remembered answer is lost.

// After the project folder passed its creation test.
void SaveWorkingFolder(const std::string& folder, Prompter& prompter);
// At the very end, when the project was made.
void SaveProjectType(const std::string& name, Prompter& prompter);
// When the Splash Screen page is left with Next or Back.
void SaveSplashChoice(int splash, Prompter& prompter);
// When the E-Book Info page is left with valid input: COPYRIGHT, PUBLISHER, AUTHOR,
// AUTHOREMAIL and AUTHORURL from settings.
void SaveBookInfo(const WizardSettings& settings, Prompter& prompter);

}  // namespace nbx::wizard
