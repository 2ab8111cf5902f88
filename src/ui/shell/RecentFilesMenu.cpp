#include "ui/shell/RecentFilesMenu.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMenu>
#include <QSettings>

#include "platform/UserSettings.h"
#include "shell/ShellMessages.h"

namespace tavix {

RecentFilesMenu::RecentFilesMenu(QMenu& menu, QAction& separator, QObject* parent)
    : QObject(parent), menu_(menu), separator_(separator), list_(kRecentFileCount) {
    Load();
    Rebuild();
}

void RecentFilesMenu::Add(const QString& path) {
    list_.Add(QFileInfo(path).absoluteFilePath().toStdString());
    Store();
    Rebuild();
}

void RecentFilesMenu::Remove(const QString& path) {
    list_.Remove(path.toStdString());
    Store();
    Rebuild();
}

QStringList RecentFilesMenu::Files() const {
    QStringList files;
    for (const auto& entry : list_.Entries()) {
        files << QString::fromStdString(entry);
    }
    return files;
}

void RecentFilesMenu::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (list_.Entries().empty()) {
        return;  // "Recent File" stays disabled
    }
    for (QAction* action : actions_) {
        action->setEnabled(enabled);
    }
}

void RecentFilesMenu::Load() {
    QSettings settings = UserSettings();
    settings.beginGroup(QString::fromLatin1(kRecentFileGroup));
    std::vector<std::string> stored;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        stored.push_back(
            settings.value(QString::asprintf(kRecentFileKey, i)).toString().toStdString());
    }
    list_.Assign(stored);
}

void RecentFilesMenu::Store() const {
    QSettings settings = UserSettings();
    settings.beginGroup(QString::fromLatin1(kRecentFileGroup));
    const auto& entries = list_.Entries();
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString key = QString::asprintf(kRecentFileKey, i);
        if (i <= static_cast<int>(entries.size())) {
            settings.setValue(key, QString::fromStdString(entries[i - 1]));
        } else {
            settings.remove(key);
        }
    }
}

void RecentFilesMenu::Rebuild() {
    for (QAction* action : actions_) {
        menu_.removeAction(action);
        // Later: this may run from the very action being triggered.
        action->setObjectName(QString());
        action->deleteLater();
    }
    actions_.clear();
    QAction* before = nullptr;
    const QList<QAction*> actions = menu_.actions();
    const int at = actions.indexOf(&separator_);
    if (at >= 0 && at + 1 < actions.size()) {
        before = actions[at + 1];
    }
    const auto& entries = list_.Entries();
    if (entries.empty()) {
        auto* none = new QAction(tr("Recent File"), this);
        none->setEnabled(false);
        menu_.insertAction(before, none);
        actions_ << none;
        return;
    }
    const QString here = QDir::currentPath();
    const QFontMetrics metrics(menu_.font());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const QString path = QString::fromStdString(entries[i]);
        QString shown = QFileInfo(path).absolutePath() == here ? QFileInfo(path).fileName() : path;
        shown = metrics.elidedText(shown, Qt::ElideMiddle, 360);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown), this);
        action->setObjectName(QStringLiteral("actionRecent%1").arg(i + 1));
        action->setStatusTip(tr("Open %1").arg(path));
        action->setEnabled(enabled_);
        connect(action, &QAction::triggered, this, [this, path] { emit openRequested(path); });
        menu_.insertAction(before, action);
        actions_ << action;
    }
}

}  // namespace tavix
