// The main of every test program: headless Qt, fresh folders per test.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>

namespace jtest {
void InstallFreshFolders();
}

int main(int argc, char** argv) {
    // Test discovery runs the programs at build time, with no display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    jtest::InstallFreshFolders();
    return RUN_ALL_TESTS();
}
