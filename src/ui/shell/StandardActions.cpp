#include "ui/shell/StandardActions.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QKeySequence>
#include <QWidget>

#include "exports/CsvExport.h"
#include "platform/LocalPath.h"
#include "platform/UiLanguage.h"
#include "shell/ShellMessages.h"

namespace tavix {

namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("CMainFrame", text);
}

}  // namespace

QAction* MakeAction(QObject* parent, const char* name, const QString& text,
                    const QString& statusTip, const QString& icon) {
    auto* action = new QAction(text, parent);
    action->setObjectName(QString::fromLatin1(name));
    action->setStatusTip(statusTip);
    if (!icon.isEmpty()) {
        action->setIcon(QIcon(icon));
    }
    return action;
}

void AddUnusedStandardActions(QWidget& window) {
    struct Unused {
        const char* name;
        const char* text;
        const char* tip;
        const char* icon;
        const char* keys[2];
    };
    const Unused unused[] = {
        {"actionNew",
         QT_TRANSLATE_NOOP("CMainFrame", "&New"),
         QT_TRANSLATE_NOOP("CMainFrame", "Create a new document"),
         ":/tb_new.png",
         {"Ctrl+N", nullptr}},
        {"actionUndo",
         QT_TRANSLATE_NOOP("CMainFrame", "&Undo"),
         QT_TRANSLATE_NOOP("CMainFrame", "Undo the last action"),
         nullptr,
         {"Ctrl+Z", "Alt+Backspace"}},
        {"actionCut",
         QT_TRANSLATE_NOOP("CMainFrame", "Cu&t"),
         QT_TRANSLATE_NOOP("CMainFrame", "Cut the selection and put it on the Clipboard"),
         ":/tb_cut.png",
         {"Ctrl+X", "Shift+Del"}},
        {"actionCopy",
         QT_TRANSLATE_NOOP("CMainFrame", "&Copy"),
         QT_TRANSLATE_NOOP("CMainFrame", "Copy the selection and put it on the Clipboard"),
         ":/tb_copy.png",
         {"Ctrl+C", "Ctrl+Ins"}},
        {"actionPaste",
         QT_TRANSLATE_NOOP("CMainFrame", "&Paste"),
         QT_TRANSLATE_NOOP("CMainFrame", "Insert Clipboard contents"),
         ":/tb_paste.png",
         {"Ctrl+V", "Shift+Ins"}},
        {"actionPrint",
         QT_TRANSLATE_NOOP("CMainFrame", "Print"),
         QT_TRANSLATE_NOOP("CMainFrame", "Print the active document"),
         ":/tb_print.png",
         {nullptr, nullptr}},
    };
    for (const Unused& u : unused) {
        QAction* action = MakeAction(&window, u.name, Tr(u.text), Tr(u.tip),
                                     u.icon ? QString::fromLatin1(u.icon) : QString());
        QList<QKeySequence> keys;
        for (const char* key : u.keys) {
            if (key != nullptr) {
                keys << QKeySequence(QString::fromLatin1(key));
            }
        }
        action->setShortcuts(keys);
        action->setEnabled(false);
        window.addAction(action);
    }
}

QString AskRecordToOpen(QWidget* parent, const QString& documentPath) {
    const QString start =
        documentPath.isEmpty() ? QDir::currentPath() : QFileInfo(documentPath).absolutePath();
    const QString filter = ShownText(kRecordFilter) + QStringLiteral(";;") + Tr("All Files (*)");
    return QFileDialog::getOpenFileName(parent, Tr("Open"), start, filter);
}

QStringList AskRecordsToCompare(QWidget* parent, const QString& documentPath) {
    const QString start =
        documentPath.isEmpty() ? QDir::currentPath() : QFileInfo(documentPath).absolutePath();
    const QString filter = ShownText(kRecordFilter) + QStringLiteral(";;") + Tr("All Files (*)");
    return QFileDialog::getOpenFileNames(parent, Tr("Compare with"), start, filter);
}

QString AskRecordSaveName(QWidget* parent, const QString& documentPath) {
    const QString start = documentPath.isEmpty()
                              ? QDir::current().filePath(QString::fromLatin1(kAppName))
                              : documentPath;
    QString path =
        QFileDialog::getSaveFileName(parent, Tr("Save As"), start, ShownText(kRecordFilter));
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) {
        path += ShownText(kRecordExtension);
    }
    return path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
}

std::optional<std::string> AskCsvSaveName(QWidget* parent, QString& directory,
                                          const std::string& proposed, CsvOptions& options) {
    const QString start = directory.isEmpty() ? QDir::currentPath() : directory;
    const QString classic = ShownText(kCsvFilter);
    const QString forTools = ShownText(kCsvUtf8TimeFilter);
    QFileDialog dialog(parent, Tr("Save As"),
                       QDir(start).filePath(QString::fromStdString(proposed)),
                       classic + QStringLiteral(";;") + forTools);
    dialog.setObjectName(QStringLiteral("csvSaveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The dialog adds the extension itself, so it also asks before replacing
    // "name.csv" when "name" was typed.
    dialog.setDefaultSuffix(ShownText(kCsvExtension).mid(1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString path = dialog.selectedFiles().constFirst();
    directory = QFileInfo(path).absolutePath();
    const bool tools = dialog.selectedNameFilter() == forTools;
    options = CsvOptions{tools, tools};
    return LocalPath(path);
}

}  // namespace tavix
