// Every test program starts here: the configuration folder points at a fresh temporary
// folder, so no test reads or writes the real profile files.

#include <stdlib.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "support/TempDir.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    nbx::test::TempDir config;
    ::setenv("NBX_CONFIG_DIR", config.path().c_str(), 1);
    return RUN_ALL_TESTS();
}
