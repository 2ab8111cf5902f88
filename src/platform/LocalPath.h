#pragma once
// File names cross between the window and the core here: Qt holds them as
// Unicode, the core opens them as the system's own bytes.

#include <QString>
#include <string>

namespace tavix {

// A path from a file dialog, a drop or a list, as the core's file functions
// take it.
inline std::string LocalPath(const QString& path) {
    return path.toLocal8Bit().toStdString();
}

}  // namespace tavix
