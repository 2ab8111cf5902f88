// Test entry point for tests that need a Qt application object (widgets, serial ports, timers).
#include <gtest/gtest.h>
#include <QApplication>
#include <QSettings>
#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    // ESC snapshots, the recent-file list the windows keep and a user's
    // config.ini made by a run without one go to a scratch
    // folder of this process, not the user's, and not one another test
    // process running beside it writes too.
    char folder[] = "/tmp/tavix-test-data-XXXXXX";
    const bool scratch = mkdtemp(folder) != nullptr;
    if (scratch) {
        setenv("XDG_DATA_HOME", folder, 1);
        setenv("XDG_CONFIG_HOME", folder, 1);
    }
    int result = 0;
    {
        QApplication app(argc, argv);
        if (scratch) {
            // Qt's test mode would put them in one folder all test processes share.
            const QString config = QString::fromLocal8Bit(folder) + QStringLiteral("/config");
            QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
            QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config);
        }
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    if (scratch) {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    return result;
}
