#pragma once
// A configuration folder of the test's own, a working folder, and a program folder whose
// name has a blank in it, holding splash templates and a stand-in compiler that writes down
// the arguments it was started with.

#include <stdlib.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/RecordingPrompter.h"
#include "support/TempDir.h"

namespace nbx::wizard {

class WizardFixture : public ::testing::Test {
protected:
    WizardFixture();
    ~WizardFixture() override;

    // The stand-in compiler's arguments, one per line, once it has run (waits up to 20 s).
    std::vector<std::string> CompilerArguments() const;

    test::TempDir dir;
    std::string config;      // the configuration folder
    std::string work;        // the working folder
    std::string programDir;  // the program folder ("program dir")
    std::string executable;  // programDir/nbxkwik
    test::RecordingPrompter prompter;
    std::vector<std::string> opened;  // documents handed to the desktop

private:
    std::string savedConfig_;
};

}  // namespace nbx::wizard
