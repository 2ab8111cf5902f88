#include "ui/shell/CMainFrame.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include "config/CAppConfig.h"
#include "exports/CsvExport.h"
#include "platform/UiLanguage.h"
#include "records/CTavixDoc.h"
#include "shell/MinimumSizeRule.h"
#include "shell/Prompt.h"
#include "shell/ShellMessages.h"
#include "ui/records/CLogbookDlg.h"
#include "ui/shell/CAboutDlg.h"
#include "ui/shell/CTavixView.h"
#include "ui/shell/PaneFocus.h"
#include "ui/shell/RecentFilesMenu.h"
#include "ui/shell/Resources.h"
#include "ui/shell/StandardActions.h"
#include "ui/shell/StatusPanes.h"

namespace tavix {

CMainFrame::CMainFrame(CAppConfig& config, CTavixDoc& doc, CIniFile& ini, Prompt& prompt,
                       const Clock& clock, QWidget* parent)
    : QMainWindow(parent), config_(config), doc_(doc), ini_(ini), prompt_(prompt), clock_(clock) {
    EnsureResources();
    setObjectName(QStringLiteral("mainFrame"));
    setWindowIcon(QIcon(QStringLiteral(":/tavix.png")));
    setAcceptDrops(true);

    view_ = new CTavixView(config_, doc_.Current(), ini_, this);
    setCentralWidget(view_);
    csvExporter_ = [this] { OnSaveCsv(); };

    BuildActions();
    BuildMenus();
    BuildToolBar();
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    panes_ = new StatusPanes(*statusBar(), clock_, this);
    SetDocumentPath({});
    UpdateFileActions();

    connect(view_, &CTavixView::statusTextChanged, this, &CMainFrame::SetStatusText);
    connect(view_, &CTavixView::versionTextChanged, this, [this](const QString& paneText) {
        panes_->SetText(StatusPanes::kVersionPane, paneText);
    });
    connect(view_, &CTavixView::recordShownChanged, this, &CMainFrame::UpdateFileActions);

    // 800 x 600 in the middle of the screen, never smaller.
    const MinimumSizeRule rule;
    setMinimumSize(MinimumSizeRule::kMinWidth, MinimumSizeRule::kMinHeight);
    resize(MinimumSizeRule::kMinWidth, MinimumSizeRule::kMinHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        const FrameRect r = rule.CentredOn(area.width(), area.height());
        move(area.left() + std::max(0, r.left), area.top() + std::max(0, r.top));
    }
}

CMainFrame::~CMainFrame() {
    delete logbook_;  // a window of its own, not a child (see OnLogbook)
}

void CMainFrame::BuildActions() {
    auto add = [this](const char* name, const QString& text, const QString& tip,
                      const QString& icon = {}) {
        QAction* action = MakeAction(this, name, text, tip, icon);
        addAction(action);
        return action;
    };
    AddUnusedStandardActions(*this);

    QAction* open = add("actionOpen", tr("&Open..."), tr("Open an existing record file"),
                        QStringLiteral(":/tb_open.png"));
    open->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    connect(open, &QAction::triggered, this, &CMainFrame::OnOpen);

    QAction* save =
        add("actionSave", tr("&Save"), tr("Save the record"), QStringLiteral(":/tb_save.png"));
    save->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    connect(save, &QAction::triggered, this, &CMainFrame::OnSave);

    QAction* saveAs =
        add("actionSaveAs", tr("Save &As..."), tr("Save the record under a new name"));
    connect(saveAs, &QAction::triggered, this, &CMainFrame::OnSaveAs);

    QAction* jpg =
        add("actionSaveJpg", tr("Save As &JPG"), tr("Save the shown curves as an image"));
    connect(jpg, &QAction::triggered, this, [this] {
        if (imageExporter_) {
            imageExporter_();
        }
    });
    QAction* csv = add("actionSaveCsv", tr("Save As &CSV"), tr("Save the record as CSV text"));
    connect(csv, &QAction::triggered, this, [this] {
        if (csvExporter_) {
            csvExporter_();
        }
    });

    QAction* compare = add("actionCompare", tr("Co&mpare with..."),
                           tr("Open record files beside the one shown to compare them"));
    compare->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+O")));
    connect(compare, &QAction::triggered, this, &CMainFrame::OnCompare);

    QAction* logbook = add("actionLogbook", tr("&Logbook..."),
                           tr("List the record files of a folder and open one"));
    logbook->setShortcut(QKeySequence(QStringLiteral("Ctrl+L")));
    connect(logbook, &QAction::triggered, this, &CMainFrame::OnLogbook);

    QAction* exitAction = add("actionExit", tr("E&xit"), tr("Quit the application"));
    connect(exitAction, &QAction::triggered, this, &CMainFrame::ExitWithoutQuestion);

    QAction* about = add("actionAbout", tr("&About Tavix..."),
                         tr("Display program information, version number and copyright"),
                         QStringLiteral(":/tb_about.png"));
    connect(about, &QAction::triggered, this, [this] { CAboutDlg(this).exec(); });

    QAction* nextPane = add("actionNextPane", tr("Next Pane"), {});
    nextPane->setShortcut(QKeySequence(Qt::Key_F6));
    connect(nextPane, &QAction::triggered, this, [this] { CyclePaneFocus(*view_, true); });
    QAction* prevPane = add("actionPrevPane", tr("Previous Pane"), {});
    prevPane->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6));
    connect(prevPane, &QAction::triggered, this, [this] { CyclePaneFocus(*view_, false); });
}

QAction* CMainFrame::Action(const QString& objectName) const {
    if (QAction* own = findChild<QAction*>(objectName, Qt::FindDirectChildrenOnly)) {
        return own;
    }
    return recent_ ? recent_->findChild<QAction*>(objectName, Qt::FindDirectChildrenOnly) : nullptr;
}

void CMainFrame::BuildMenus() {
    fileMenu_ = menuBar()->addMenu(tr("&File"));
    fileMenu_->addAction(Action(QStringLiteral("actionNew")));
    fileMenu_->addAction(Action(QStringLiteral("actionOpen")));
    fileMenu_->addAction(Action(QStringLiteral("actionSave")));
    fileMenu_->addAction(Action(QStringLiteral("actionSaveAs")));
    fileMenu_->addSeparator();
    fileMenu_->addAction(Action(QStringLiteral("actionCompare")));
    removeMenu_ = fileMenu_->addMenu(tr("&Remove from comparison"));
    removeMenu_->setObjectName(QStringLiteral("removeFromComparisonMenu"));
    removeMenu_->setEnabled(false);
    fileMenu_->addSeparator();
    fileMenu_->addAction(Action(QStringLiteral("actionSaveJpg")));
    fileMenu_->addAction(Action(QStringLiteral("actionSaveCsv")));
    fileMenu_->addSeparator();
    fileMenu_->addAction(Action(QStringLiteral("actionLogbook")));
    QAction* recentSeparator = fileMenu_->addSeparator();
    fileMenu_->addSeparator();
    fileMenu_->addAction(Action(QStringLiteral("actionExit")));
    recent_ = new RecentFilesMenu(*fileMenu_, *recentSeparator, this);
    connect(recent_, &RecentFilesMenu::openRequested, this, &CMainFrame::OpenRecordFile);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->addAction(Action(QStringLiteral("actionUndo")));
    edit->addSeparator();
    for (const char* name : {"actionCut", "actionCopy", "actionPaste"}) {
        edit->addAction(Action(QString::fromLatin1(name)));
    }

    QMenu* viewMenu = menuBar()->addMenu(tr("&View"));
    toolBar_ = new QToolBar(tr("Toolbar"), this);
    QAction* toolbarToggle = toolBar_->toggleViewAction();
    toolbarToggle->setText(tr("&Toolbar"));
    toolbarToggle->setObjectName(QStringLiteral("actionToolbar"));
    toolbarToggle->setStatusTip(tr("Show or hide the toolbar"));
    viewMenu->addAction(toolbarToggle);
    QAction* statusToggle =
        MakeAction(this, "actionStatusBar", tr("&Status Bar"), tr("Show or hide the status bar"));
    statusToggle->setCheckable(true);
    statusToggle->setChecked(true);
    connect(statusToggle, &QAction::toggled, this,
            [this](bool on) { statusBar()->setVisible(on); });
    addAction(statusToggle);
    viewMenu->addAction(statusToggle);
    viewMenu->addSeparator();
    BuildLanguageMenu(*viewMenu);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(Action(QStringLiteral("actionAbout")));
}

void CMainFrame::BuildLanguageMenu(QMenu& viewMenu) {
    QMenu* menu = viewMenu.addMenu(tr("&Language"));
    menu->setObjectName(QStringLiteral("languageMenu"));
    auto* group = new QActionGroup(menu);
    const UiLanguage stored = StoredLanguage();
    struct Choice {
        UiLanguage language;
        QString text;
        const char* name;
    };
    // Each language is named in its own words, so a user finds theirs
    // whatever the window speaks now.
    const Choice choices[] = {
        {UiLanguage::System, tr("&System"), "actionLanguageSystem"},
        {UiLanguage::English, QStringLiteral("&English"), "actionLanguageEnglish"},
        {UiLanguage::Chinese, QStringLiteral("\u7B80\u4F53\u4E2D\u6587 (&C)"),
         "actionLanguageChinese"},
    };
    for (const Choice& choice : choices) {
        QAction* action = menu->addAction(choice.text);
        action->setObjectName(QString::fromLatin1(choice.name));
        action->setCheckable(true);
        action->setChecked(choice.language == stored);
        group->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, language = choice.language] { ChooseLanguage(language); });
    }
}

void CMainFrame::ChooseLanguage(UiLanguage language) {
    if (language == StoredLanguage()) {
        return;
    }
    StoreLanguage(language);
    // The pages are built once, with the words of the language they started
    // in: the new one shows from the next start.
    QMessageBox::information(this, QString::fromLatin1(kAppName),
                             tr("The language you chose is used from the next start of Tavix."));
}

void CMainFrame::BuildToolBar() {
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setIconSize(QSize(16, 16));
    addToolBar(Qt::TopToolBarArea, toolBar_);
    const char* const names[] = {"actionNew",   "actionOpen", "actionSave",  nullptr,
                                 "actionCut",   "actionCopy", "actionPaste", nullptr,
                                 "actionPrint", "actionAbout"};
    const QString tips[] = {tr("New"),  tr("Open"),  tr("Save"), {},          tr("Cut"),
                            tr("Copy"), tr("Paste"), {},         tr("Print"), tr("About")};
    for (std::size_t i = 0; i < std::size(names); ++i) {
        if (names[i] == nullptr) {
            toolBar_->addSeparator();
            continue;
        }
        QAction* action = Action(QString::fromLatin1(names[i]));
        action->setToolTip(tips[i]);
        toolBar_->addAction(action);
    }
}

void CMainFrame::SetStatusText(const QString& text) {
    panes_->SetText(StatusPanes::kStatusPane, text);
}

void CMainFrame::SetVersionText(const QString& text) {
    panes_->SetText(StatusPanes::kVersionPane, QStringLiteral(" ") + text);
}

QString CMainFrame::PaneText(int pane) const {
    return panes_->Text(pane);
}

QStringList CMainFrame::RecentFiles() const {
    return recent_->Files();
}

void CMainFrame::SetRecordOpener(FileAction open) {
    opener_ = std::move(open);
    UpdateFileActions();
}

void CMainFrame::SetRecordSaver(FileAction save) {
    saver_ = std::move(save);
    UpdateFileActions();
}

void CMainFrame::SetCsvExporter(ExportAction exportCsv) {
    csvExporter_ = std::move(exportCsv);
    UpdateFileActions();
}

void CMainFrame::SetImageExporter(ExportAction exportImage) {
    imageExporter_ = std::move(exportImage);
    UpdateFileActions();
}

void CMainFrame::UpdateFileActions() {
    Action(QStringLiteral("actionOpen"))->setEnabled(static_cast<bool>(opener_));
    Action(QStringLiteral("actionSave"))->setEnabled(static_cast<bool>(saver_));
    Action(QStringLiteral("actionSaveAs"))->setEnabled(static_cast<bool>(saver_));
    // The exports read the record, not the page: any tab will do once one is loaded.
    const bool shown = view_->RecordShown() || doc_.Record().dataLoaded;
    Action(QStringLiteral("actionSaveJpg"))->setEnabled(shown && imageExporter_);
    Action(QStringLiteral("actionSaveCsv"))->setEnabled(shown && csvExporter_);
    // A record is compared with the one loaded, from any tab.
    Action(QStringLiteral("actionCompare"))
        ->setEnabled(doc_.Record().dataLoaded && comparer_ && opener_);
    recent_->SetEnabled(static_cast<bool>(opener_));
}

bool CMainFrame::OpenRecordFile(const QString& path) {
    if (!opener_ || path.isEmpty()) {
        return false;
    }
    if (!MayLeaveRecord()) {
        return false;
    }
    const QString full = QFileInfo(path).absoluteFilePath();
    if (!opener_(full)) {
        recent_->Remove(full);
        return false;
    }
    SetDocumentPath(full);
    UpdateFileActions();
    return true;
}

void CMainFrame::SetComparer(CompareAction compare) {
    comparer_ = std::move(compare);
    UpdateFileActions();
}

bool CMainFrame::AddToComparison(const QStringList& paths) {
    if (!comparer_ || !doc_.Record().dataLoaded || paths.isEmpty()) {
        return false;
    }
    QStringList full;
    for (const QString& path : paths) {
        full << QFileInfo(path).absoluteFilePath();
    }
    comparer_(full);
    return true;
}

bool CMainFrame::OpenComparison(const QStringList& paths) {
    if (paths.isEmpty() || !OpenRecordFile(paths.first())) {
        return false;
    }
    AddToComparison(paths.mid(1));
    return true;
}

void CMainFrame::OnCompare() {
    if (!Action(QStringLiteral("actionCompare"))->isEnabled()) {
        return;
    }
    const QStringList paths = AskRecordsToCompare(this, documentPath_);
    if (!paths.isEmpty()) {
        AddToComparison(paths);
    }
}

void CMainFrame::SetDocumentPath(const QString& path) {
    documentPath_ = path;
    documentChanged_ = false;
    if (path.isEmpty()) {
        setWindowTitle(ShownText(kUntitledTitle));
        return;
    }
    setWindowTitle(QFileInfo(path).fileName() + ShownText(kTitleSuffix));
    recent_->Add(path);
}

void CMainFrame::SetLeaveGuard(std::function<bool()> changed, std::function<bool()> mayLeave) {
    recordChanged_ = std::move(changed);
    mayLeaveRecord_ = std::move(mayLeave);
}

bool CMainFrame::MayLeaveRecord() {
    return !mayLeaveRecord_ || mayLeaveRecord_();
}

void CMainFrame::SetDocumentChanged(bool changed) {
    if (changed == documentChanged_ || documentPath_.isEmpty()) {
        return;
    }
    documentChanged_ = changed;
    // A star in front of the name, as editors mark a file not saved yet.
    const QString title = QFileInfo(documentPath_).fileName() + ShownText(kTitleSuffix);
    setWindowTitle(changed ? QStringLiteral("*") + title : title);
}

void CMainFrame::SetLogbookFolder(std::function<QString()> folder) {
    logbookFolder_ = std::move(folder);
}

void CMainFrame::OnLogbook() {
    if (logbook_ == nullptr) {
        // Without a parent: a child window would stay in front of the record
        // it opens. It goes when the main window goes.
        logbook_ = new CLogbookDlg(ini_, config_.smoothing, nullptr);
        connect(logbook_, &CLogbookDlg::openRequested, this, [this](const QString& path) {
            if (OpenRecordFile(path)) {
                raise();
                activateWindow();
            }
        });
        connect(logbook_, &CLogbookDlg::compareRequested, this, [this](const QStringList& paths) {
            if (OpenComparison(paths)) {
                raise();
                activateWindow();
            }
        });
    }
    if (!logbook_->isVisible()) {
        logbook_->SetFolder(logbookFolder_ ? logbookFolder_() : QDir::currentPath());
        // Over the main window, where a dialog of its own would stand.
        logbook_->resize(logbook_->OpeningSize(screen()->availableGeometry().size()));
        logbook_->move(frameGeometry().center() - logbook_->rect().center());
    }
    logbook_->show();
    logbook_->raise();
    logbook_->activateWindow();
}

void CMainFrame::OnOpen() {
    if (!opener_) {
        return;
    }
    const QString path = AskRecordToOpen(this, documentPath_);
    if (!path.isEmpty()) {
        OpenRecordFile(path);
    }
}

void CMainFrame::OnSave() {
    SaveDocument();
}

bool CMainFrame::SaveDocument() {
    if (documentPath_.isEmpty()) {
        OnSaveAs();
        return !documentPath_.isEmpty() && !documentChanged_;
    }
    if (saver_ && saver_(documentPath_)) {
        SetDocumentPath(documentPath_);
        return true;
    }
    return false;
}

void CMainFrame::OnSaveAs() {
    if (!saver_) {
        return;
    }
    const QString path = AskRecordSaveName(this, documentPath_);
    if (!path.isEmpty() && saver_(path)) {
        SetDocumentPath(QFileInfo(path).absoluteFilePath());
    }
}

void CMainFrame::OnSaveCsv() {
    ExportCsv(doc_.Current(), prompt_, clock_, csvNames_,
              [this](const std::string& proposed, CsvOptions& options) {
                  return AskCsvSaveName(this, csvDirectory_, proposed, options);
              });
}

void CMainFrame::ExitWithoutQuestion() {
    askBeforeClose_ = false;
    if (!close()) {
        askBeforeClose_ = true;
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // A page at work (a firmware download) asks its own question, also for
    // File > Exit: closing now would cut the work short.
    const std::string held = view_ != nullptr ? view_->HoldQuestion() : std::string();
    if (!held.empty() && !prompt_.Ask(held, PromptIcon::Exclamation)) {
        event->ignore();
        return;
    }
    if (recordChanged_ && recordChanged_()) {
        // The save question is the exit question too: Save and Discard close.
        if (!MayLeaveRecord()) {
            event->ignore();
            return;
        }
    } else if (held.empty() && askBeforeClose_ &&
               !prompt_.Ask(kMsgReallyExit, PromptIcon::Question)) {
        event->ignore();
        return;
    }
    if (logbook_ != nullptr) {
        logbook_->close();
    }
    emit aboutToClose();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* mime = event->mimeData();
    if (opener_ && mime->hasUrls() && !mime->urls().isEmpty() &&
        mime->urls().first().isLocalFile()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile()) {
        return;
    }
    event->acceptProposedAction();
    // Opened once the drop has finished, so a message box does not block the drag source.
    if (event->modifiers().testFlag(Qt::ControlModifier) && comparer_ && doc_.Record().dataLoaded) {
        // Held Ctrl: every file dropped is added to the comparison.
        QStringList paths;
        for (const QUrl& url : urls) {
            if (url.isLocalFile()) {
                paths << url.toLocalFile();
            }
        }
        QMetaObject::invokeMethod(
            this, [this, paths] { AddToComparison(paths); }, Qt::QueuedConnection);
        return;
    }
    const QString path = urls.first().toLocalFile();
    QMetaObject::invokeMethod(
        this, [this, path] { OpenRecordFile(path); }, Qt::QueuedConnection);
}

}  // namespace tavix
