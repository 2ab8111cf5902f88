#pragma once
// The main window: menu, toolbar, status bar with its clock and the main form.
// It opens 800 x 600 in the middle of the screen and cannot be made smaller.
// Closing it by the close box, Alt+F4 or the form's "&Exit" asks "Do you
// really want to exit?"; File > Exit closes without asking.
//
// Record files: the window runs the file dialogs, keeps the title and the
// five recent files, and hands the file itself to the document through the
// hooks below, which the program sets when it wires the document in.

#include <QMainWindow>
#include <functional>
#include <memory>

#include "exports/ExportName.h"
#include "platform/UiLanguage.h"
#include "ui/shell/StatusPanes.h"

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace tavix {

class CAppConfig;
class CTavixDoc;
class CIniFile;
class Clock;
class Prompt;
class CTavixView;
class CLogbookDlg;
class RecentFilesMenu;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // Loads or stores one record file (or exports); true on success. The hook
    // reports its own failures to the user.
    using FileAction = std::function<bool(const QString& path)>;
    // Runs an export with its own file dialog (CSV, chart image).
    using ExportAction = std::function<void()>;
    // Adds record files to the comparison with the record shown.
    using CompareAction = std::function<void(const QStringList& paths)>;

    // `doc` owns the flight the window shows; the frame's file actions save,
    // export and compare it.
    CMainFrame(CAppConfig& config, CTavixDoc& doc, CIniFile& ini, Prompt& prompt,
               const Clock& clock, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CTavixView* View() const { return view_; }
    CTavixDoc& Document() { return doc_; }

    void SetStatusText(const QString& text);   // pane 0
    void SetVersionText(const QString& text);  // pane 1, a blank in front
    QString PaneText(int pane) const;          // StatusPanes::Pane

    // --- the document -------------------------------------------------
    void SetRecordOpener(FileAction open);
    void SetRecordSaver(FileAction save);
    // The frame's own CSV export (save dialog, then the record as CSV) is
    // installed from the start; this replaces it.
    void SetCsvExporter(ExportAction exportCsv);
    void SetImageExporter(ExportAction exportImage);
    // Opens a record file through the opener: on success the title shows its
    // name and it tops the recent files; a file that fails leaves the list.
    bool OpenRecordFile(const QString& path);
    // --- comparing records ---------------------------------------------
    // File > "Compare with..." (Ctrl+Shift+O), a .dat dropped with Ctrl held
    // and the logbook's "Compare" reach the comparison through this hook.
    void SetComparer(CompareAction compare);
    // Adds `paths` to the comparison with the record shown (what the file
    // dialog and a Ctrl+drop do); false when nothing is shown to compare with.
    bool AddToComparison(const QStringList& paths);
    // Opens `paths` together (the logbook's "Compare"): the first as the
    // record shown, the reference, the others added to it.
    bool OpenComparison(const QStringList& paths);
    // File > "Remove from comparison": one entry per added record, filled by
    // whoever holds the comparison.
    QMenu* RemoveFromComparisonMenu() const { return removeMenu_; }

    // The document now is `path` (after a save, or an upload that opened its
    // last flight); empty: untitled.
    void SetDocumentPath(const QString& path);
    QString DocumentPath() const { return documentPath_; }
    QStringList RecentFiles() const;
    // The folder File > Logbook... lists first (where the last upload wrote);
    // unset: the working directory.
    void SetLogbookFolder(std::function<QString()> folder);
    // The logbook window once File > Logbook... made it.
    CLogbookDlg* Logbook() const { return logbook_; }

    // What the open record holds that is not saved: `changed` tells whether
    // there is anything, `mayLeave` offers it for saving (true: go on). Asked
    // before the window closes and before another record is opened.
    void SetLeaveGuard(std::function<bool()> changed, std::function<bool()> mayLeave);
    bool MayLeaveRecord();
    // The title marks an open record with unsaved changes.
    void SetDocumentChanged(bool changed);
    // File > Save: to the document's path, or through Save As; true when saved.
    bool SaveDocument();

    // File > Exit: closes without the question.
    void ExitWithoutQuestion();

    QAction* Action(const QString& objectName) const;

signals:
    void aboutToClose();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildActions();
    void BuildMenus();
    void BuildLanguageMenu(QMenu& viewMenu);
    void ChooseLanguage(UiLanguage language);
    void BuildToolBar();
    void UpdateFileActions();
    void OnOpen();
    void OnSave();
    void OnSaveAs();
    void OnLogbook();
    void OnSaveCsv();
    void OnCompare();

    CAppConfig& config_;
    CTavixDoc& doc_;
    CIniFile& ini_;
    Prompt& prompt_;
    const Clock& clock_;
    CTavixView* view_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    RecentFilesMenu* recent_ = nullptr;
    StatusPanes* panes_ = nullptr;
    bool askBeforeClose_ = true;

    FileAction opener_;
    FileAction saver_;
    ExportAction csvExporter_;
    ExportNameCounter csvNames_;
    QString csvDirectory_;  // where the last CSV went; the dialog starts there
    ExportAction imageExporter_;
    CompareAction comparer_;
    QMenu* removeMenu_ = nullptr;
    QString documentPath_;
    std::function<QString()> logbookFolder_;
    CLogbookDlg* logbook_ = nullptr;
    std::function<bool()> recordChanged_;
    std::function<bool()> mayLeaveRecord_;
    bool documentChanged_ = false;
};

}  // namespace tavix
