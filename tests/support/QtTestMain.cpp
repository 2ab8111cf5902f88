// Test entry point for tests that need a Qt application object (widgets, serial ports, timers).
#include <gtest/gtest.h>
#include <QApplication>
#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    // ESC snapshots the pages keep go to a scratch folder, not the user's.
    char folder[] = "/tmp/tavix-test-data-XXXXXX";
    const bool scratch = mkdtemp(folder) != nullptr;
    if (scratch) {
        setenv("XDG_DATA_HOME", folder, 1);
    }
    int result = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    if (scratch) {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    return result;
}
