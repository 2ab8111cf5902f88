#pragma once
// The File menu's five recent record files: kept in the per-user settings
// ("Recent File List", File1 .. File5), shown as numbered entries after a
// separator of the menu, "Recent File" (disabled) when there are none.

#include <QObject>
#include <QString>
#include <QStringList>

#include "shell/RecentFileList.h"

class QAction;
class QMenu;

namespace tavix {

class RecentFilesMenu : public QObject {
    Q_OBJECT
public:
    // The entries go into `menu` right after `separator`.
    RecentFilesMenu(QMenu& menu, QAction& separator, QObject* parent = nullptr);

    // `path` tops the list; Remove drops it (a file that failed to open).
    void Add(const QString& path);
    void Remove(const QString& path);
    QStringList Files() const;
    // Entries can be chosen only while the program can open record files.
    void SetEnabled(bool enabled);

signals:
    void openRequested(const QString& path);

private:
    void Load();
    void Store() const;
    void Rebuild();

    QMenu& menu_;
    QAction& separator_;
    QList<QAction*> actions_;
    RecentFileList list_;
    bool enabled_ = false;
};

}  // namespace tavix
