// The compiler window's tests start here: the offscreen platform, a temporary configuration
// folder, and the program folder of the build as the compiler's own folder, so builds find
// the reader stub and the data files.

#include <stdlib.h>

#include <gtest/gtest.h>
#include <QApplication>

#include "platform/ExecutablePath.h"
#include "support/TempDir.h"

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    nbx::test::TempDir config;
    ::setenv("NBX_CONFIG_DIR", config.path().c_str(), 1);
    nbx::platform::OverrideExecutablePath(std::string(NBX_PROGRAM_DIR) + "/tamsel");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
