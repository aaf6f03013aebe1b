// The window tests start here: no display is needed (the offscreen platform), and the
// configuration folder points at a temporary one as in every other test program.

#include <stdlib.h>

#include <gtest/gtest.h>
#include <QApplication>

#include "support/TempDir.h"

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    nbx::test::TempDir config;
    ::setenv("NBX_CONFIG_DIR", config.path().c_str(), 1);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
