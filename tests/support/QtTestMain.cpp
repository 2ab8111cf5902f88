// Test entry point for tests that need a Qt application object (widgets, serial ports, timers).
#include <gtest/gtest.h>
#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    // ESC snapshots the pages keep go to a scratch folder, not the user's.
    char folder[] = "/tmp/tavix-test-data-XXXXXX";
    if (mkdtemp(folder) != nullptr) {
        setenv("XDG_DATA_HOME", folder, 1);
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
