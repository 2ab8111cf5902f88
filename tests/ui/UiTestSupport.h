#pragma once
// Helpers shared by the widget tests: a scratch working directory holding a
// config.ini, since the program reads its settings relative to it.

#include <QDir>
#include <QFile>
#include <QString>

#include "fakes/TempDir.h"

namespace tavix::test {

// A minimal settings file the start-up accepts.
inline constexpr const char* kMinimalConfig =
    "[communicateset]\r\nport=3\r\n[display]\r\nyaxis=0\r\n[gearrate]\r\ndefault=2.5\r\n"
    "[polnumber]\r\ndefault=14\r\n[hardware]\r\ndefault=1L40\r\n[1L40]\r\nvalmin=0\r\n"
    "valmax=30\r\n";

// A scratch directory (a TempDir, removed afterwards) that is the working
// directory for the test's lifetime, with Qt-typed helpers.
class ScratchDir {
public:
    ScratchDir() : previous_(QDir::currentPath()) { QDir::setCurrent(Path()); }
    ~ScratchDir() { QDir::setCurrent(previous_); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    QString Path() const { return QString::fromStdString(dir_.Path().string()); }
    QString File(const QString& name) const { return QDir(Path()).filePath(name); }

    void Write(const QString& name, const QByteArray& bytes) const {
        QFile file(File(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    QByteArray Read(const QString& name) const {
        QFile file(File(name));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

private:
    TempDir dir_;
    QString previous_;
};

}  // namespace tavix::test
