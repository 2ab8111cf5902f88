#pragma once
// The window's own settings of the user (the recent files, the language),
// kept by Qt where the system keeps such things; config.ini holds the rest.

#include <QSettings>

#include "shell/ShellMessages.h"

namespace tavix {

inline QSettings UserSettings() {
    return QSettings(QString::fromLatin1(kSettingsOrganisation),
                     QString::fromLatin1(kSettingsApplication));
}

}  // namespace tavix
