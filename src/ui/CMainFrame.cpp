#include "CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>

#include "CAboutDlg.h"
#include "CQTabCtrl.h"
#include "CTavixView.h"
#include "KeyLockState.h"
#include "Resources.h"
#include "config/CAppConfig.h"
#include "shell/MinimumSizeRule.h"
#include "shell/Prompt.h"
#include "shell/ShellTexts.h"
#include "shell/StatusClock.h"
#include "ui/records/CLogbookDlg.h"

namespace tavix {

namespace {

QString Latin(const char* text) {
    return QString::fromLatin1(text);
}

QAction* MakeAction(QObject* parent, const char* name, const QString& text,
                    const QString& statusTip, const QString& icon = {}) {
    auto* action = new QAction(text, parent);
    action->setObjectName(QString::fromLatin1(name));
    action->setStatusTip(statusTip);
    if (!icon.isEmpty()) {
        action->setIcon(QIcon(icon));
    }
    return action;
}

}  // namespace

CMainFrame::CMainFrame(CAppConfig& config, CIniFile& ini, Prompt& prompt, const Clock& clock,
                       QWidget* parent)
    : QMainWindow(parent),
      config_(config),
      ini_(ini),
      prompt_(prompt),
      clock_(clock),
      recent_(kRecentFileCount) {
    EnsureResources();
    setObjectName(QStringLiteral("mainFrame"));
    setWindowIcon(QIcon(QStringLiteral(":/tavix.png")));
    setAcceptDrops(true);

    view_ = new CTavixView(config_, ini_, this);
    setCentralWidget(view_);

    BuildActions();
    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    LoadRecentFiles();
    RebuildRecentMenu();
    SetDocumentPath({});
    UpdateFileActions();

    connect(view_, &CTavixView::statusTextChanged, this, &CMainFrame::SetStatusText);
    connect(view_, &CTavixView::versionTextChanged, this,
            [this](const QString& paneText) { panes_[kVersionPane]->setText(paneText); });
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

    clock_timer_.setInterval(kClockPeriodMs);
    connect(&clock_timer_, &QTimer::timeout, this, &CMainFrame::OnClockTick);
    clock_timer_.start();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::BuildActions() {
    auto add = [this](const char* name, const QString& text, const QString& tip,
                      const QString& icon = {}) {
        QAction* action = MakeAction(this, name, text, tip, icon);
        addAction(action);
        return action;
    };
    // Standard commands this program has no use for stay disabled.
    QAction* newAction =
        add("actionNew", tr("&New"), tr("Create a new document"), QStringLiteral(":/tb_new.png"));
    newAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
    newAction->setEnabled(false);

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

    QAction* logbook = add("actionLogbook", tr("&Logbook..."),
                           tr("List the record files of a folder and open one"));
    logbook->setShortcut(QKeySequence(QStringLiteral("Ctrl+L")));
    connect(logbook, &QAction::triggered, this, &CMainFrame::OnLogbook);

    QAction* exitAction = add("actionExit", tr("E&xit"), tr("Quit the application"));
    connect(exitAction, &QAction::triggered, this, &CMainFrame::ExitWithoutQuestion);

    struct Edit {
        const char* name;
        QString text;
        QString tip;
        QString icon;
        QList<QKeySequence> keys;
    };
    const Edit edits[] = {
        {"actionUndo",
         tr("&Undo"),
         tr("Undo the last action"),
         {},
         {QKeySequence(QStringLiteral("Ctrl+Z")), QKeySequence(QStringLiteral("Alt+Backspace"))}},
        {"actionCut",
         tr("Cu&t"),
         tr("Cut the selection and put it on the Clipboard"),
         QStringLiteral(":/tb_cut.png"),
         {QKeySequence(QStringLiteral("Ctrl+X")), QKeySequence(QStringLiteral("Shift+Del"))}},
        {"actionCopy",
         tr("&Copy"),
         tr("Copy the selection and put it on the Clipboard"),
         QStringLiteral(":/tb_copy.png"),
         {QKeySequence(QStringLiteral("Ctrl+C")), QKeySequence(QStringLiteral("Ctrl+Ins"))}},
        {"actionPaste",
         tr("&Paste"),
         tr("Insert Clipboard contents"),
         QStringLiteral(":/tb_paste.png"),
         {QKeySequence(QStringLiteral("Ctrl+V")), QKeySequence(QStringLiteral("Shift+Ins"))}},
    };
    for (const Edit& e : edits) {
        QAction* action = add(e.name, e.text, e.tip, e.icon);
        action->setShortcuts(e.keys);
        action->setEnabled(false);
    }
    QAction* print = add("actionPrint", tr("Print"), tr("Print the active document"),
                         QStringLiteral(":/tb_print.png"));
    print->setEnabled(false);

    QAction* about = add("actionAbout", tr("&About Tavix..."),
                         tr("Display program information, version number and copyright"),
                         QStringLiteral(":/tb_about.png"));
    connect(about, &QAction::triggered, this, &CMainFrame::OnAbout);

    QAction* nextPane = add("actionNextPane", tr("Next Pane"), {});
    nextPane->setShortcut(QKeySequence(Qt::Key_F6));
    connect(nextPane, &QAction::triggered, this, [this] { CycleFocusPane(true); });
    QAction* prevPane = add("actionPrevPane", tr("Previous Pane"), {});
    prevPane->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6));
    connect(prevPane, &QAction::triggered, this, [this] { CycleFocusPane(false); });
}

QAction* CMainFrame::Action(const QString& objectName) const {
    return findChild<QAction*>(objectName, Qt::FindDirectChildrenOnly);
}

void CMainFrame::BuildMenus() {
    fileMenu_ = menuBar()->addMenu(tr("&File"));
    fileMenu_->addAction(Action(QStringLiteral("actionNew")));
    fileMenu_->addAction(Action(QStringLiteral("actionOpen")));
    fileMenu_->addAction(Action(QStringLiteral("actionSave")));
    fileMenu_->addAction(Action(QStringLiteral("actionSaveAs")));
    fileMenu_->addSeparator();
    fileMenu_->addAction(Action(QStringLiteral("actionSaveJpg")));
    fileMenu_->addAction(Action(QStringLiteral("actionSaveCsv")));
    fileMenu_->addSeparator();
    fileMenu_->addAction(Action(QStringLiteral("actionLogbook")));
    recentSeparator_ = fileMenu_->addSeparator();
    fileMenu_->addSeparator();
    fileMenu_->addAction(Action(QStringLiteral("actionExit")));

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

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(Action(QStringLiteral("actionAbout")));
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

void CMainFrame::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    for (int i = 0; i < kPaneCount; ++i) {
        panes_[i] = new QLabel(bar);
        panes_[i]->setObjectName(QStringLiteral("pane%1").arg(i));
        if (i > 0) {
            panes_[i]->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
            panes_[i]->setAlignment(Qt::AlignCenter);
        }
    }
    panes_[kStatusPane]->setText(Latin(kStatusReady));
    const QFontMetrics metrics(panes_[kVersionPane]->font());
    panes_[kVersionPane]->setMinimumWidth(metrics.horizontalAdvance(QString(18, QLatin1Char('W'))));
    panes_[kClockPane]->setText(Latin(kClockInitial));
    panes_[kClockPane]->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral(" 00:00:00 ")));
    panes_[kCapsPane]->setText(Latin(kPaneCaps));
    panes_[kNumPane]->setText(Latin(kPaneNum));
    panes_[kScrollPane]->setText(Latin(kPaneScroll));
    for (int i = kCapsPane; i <= kScrollPane; ++i) {
        panes_[i]->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral(" SCRL ")));
    }
    bar->addWidget(panes_[kStatusPane], 1);
    for (int i = 1; i < kPaneCount; ++i) {
        bar->addPermanentWidget(panes_[i]);
    }
    OnClockTick();
}

void CMainFrame::SetStatusText(const QString& text) {
    panes_[kStatusPane]->setText(text);
}

void CMainFrame::SetVersionText(const QString& text) {
    panes_[kVersionPane]->setText(QStringLiteral(" ") + text);
}

QString CMainFrame::PaneText(int pane) const {
    return pane >= 0 && pane < kPaneCount ? panes_[pane]->text() : QString();
}

void CMainFrame::OnClockTick() {
    panes_[kClockPane]->setText(QString::fromStdString(FormatClock(clock_.LocalNow())));
    // The lock indicators read like the keyboard's own lights: dark when on.
    const KeyLocks locks = QueryKeyLocks();
    panes_[kCapsPane]->setEnabled(locks.known && locks.caps);
    panes_[kNumPane]->setEnabled(locks.known && locks.num);
    panes_[kScrollPane]->setEnabled(locks.known && locks.scroll);
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
    const bool shown = view_->RecordShown();
    Action(QStringLiteral("actionSaveJpg"))->setEnabled(shown && imageExporter_);
    Action(QStringLiteral("actionSaveCsv"))->setEnabled(shown && csvExporter_);
    for (QAction* action : recentActions_) {
        action->setEnabled(static_cast<bool>(opener_));
    }
}

bool CMainFrame::OpenRecordFile(const QString& path) {
    if (!opener_ || path.isEmpty()) {
        return false;
    }
    const QString full = QFileInfo(path).absoluteFilePath();
    if (!opener_(full)) {
        recent_.Remove(full.toStdString());
        StoreRecentFiles();
        RebuildRecentMenu();
        return false;
    }
    SetDocumentPath(full);
    return true;
}

void CMainFrame::SetDocumentPath(const QString& path) {
    documentPath_ = path;
    if (path.isEmpty()) {
        setWindowTitle(Latin(kUntitledTitle));
        return;
    }
    setWindowTitle(QFileInfo(path).fileName() + Latin(kTitleSuffix));
    recent_.Add(QFileInfo(path).absoluteFilePath().toStdString());
    StoreRecentFiles();
    RebuildRecentMenu();
}

void CMainFrame::SetLogbookFolder(std::function<QString()> folder) {
    logbookFolder_ = std::move(folder);
}

void CMainFrame::OnLogbook() {
    if (logbook_ == nullptr) {
        logbook_ = new CLogbookDlg(ini_, config_.smoothing, this);
        connect(logbook_, &CLogbookDlg::openRequested, this,
                [this](const QString& path) { OpenRecordFile(path); });
    }
    if (!logbook_->isVisible()) {
        logbook_->SetFolder(logbookFolder_ ? logbookFolder_() : QDir::currentPath());
    }
    logbook_->show();
    logbook_->raise();
    logbook_->activateWindow();
}

QStringList CMainFrame::RecentFiles() const {
    QStringList files;
    for (const auto& entry : recent_.Entries()) {
        files << QString::fromStdString(entry);
    }
    return files;
}

void CMainFrame::LoadRecentFiles() {
    QSettings settings(Latin(kSettingsOrganisation), Latin(kSettingsApplication));
    settings.beginGroup(Latin(kRecentFileGroup));
    std::vector<std::string> stored;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        stored.push_back(
            settings.value(QString::asprintf(kRecentFileKey, i)).toString().toStdString());
    }
    recent_.Assign(stored);
}

void CMainFrame::StoreRecentFiles() const {
    QSettings settings(Latin(kSettingsOrganisation), Latin(kSettingsApplication));
    settings.beginGroup(Latin(kRecentFileGroup));
    const auto& entries = recent_.Entries();
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString key = QString::asprintf(kRecentFileKey, i);
        if (i <= static_cast<int>(entries.size())) {
            settings.setValue(key, QString::fromStdString(entries[i - 1]));
        } else {
            settings.remove(key);
        }
    }
}

void CMainFrame::RebuildRecentMenu() {
    for (QAction* action : recentActions_) {
        fileMenu_->removeAction(action);
        // Later: this may run from the very action being triggered.
        action->setObjectName(QString());
        action->deleteLater();
    }
    recentActions_.clear();
    QAction* before = nullptr;
    const QList<QAction*> actions = fileMenu_->actions();
    const int at = actions.indexOf(recentSeparator_);
    if (at >= 0 && at + 1 < actions.size()) {
        before = actions[at + 1];
    }
    const auto& entries = recent_.Entries();
    if (entries.empty()) {
        auto* none = new QAction(tr("Recent File"), this);
        none->setEnabled(false);
        fileMenu_->insertAction(before, none);
        recentActions_ << none;
        return;
    }
    const QString here = QDir::currentPath();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const QString path = QString::fromStdString(entries[i]);
        QString shown = QFileInfo(path).absolutePath() == here ? QFileInfo(path).fileName() : path;
        shown = fontMetrics().elidedText(shown, Qt::ElideMiddle, 360);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown), this);
        action->setObjectName(QStringLiteral("actionRecent%1").arg(i + 1));
        action->setStatusTip(tr("Open %1").arg(path));
        action->setEnabled(static_cast<bool>(opener_));
        connect(action, &QAction::triggered, this, [this, path] { OpenRecordFile(path); });
        fileMenu_->insertAction(before, action);
        recentActions_ << action;
    }
}

void CMainFrame::OnOpen() {
    if (!opener_) {
        return;
    }
    const QString start =
        documentPath_.isEmpty() ? QDir::currentPath() : QFileInfo(documentPath_).absolutePath();
    const QString filter = Latin(kRecordFilter) + QStringLiteral(";;") + tr("All Files (*)");
    const QString path = QFileDialog::getOpenFileName(this, tr("Open"), start, filter);
    if (!path.isEmpty()) {
        OpenRecordFile(path);
    }
}

void CMainFrame::OnSave() {
    if (documentPath_.isEmpty()) {
        OnSaveAs();
        return;
    }
    if (saver_ && saver_(documentPath_)) {
        SetDocumentPath(documentPath_);
    }
}

void CMainFrame::OnSaveAs() {
    if (!saver_) {
        return;
    }
    const QString start =
        documentPath_.isEmpty() ? QDir::current().filePath(Latin(kAppName)) : documentPath_;
    QString path = QFileDialog::getSaveFileName(this, tr("Save As"), start, Latin(kRecordFilter));
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += Latin(kRecordExtension);
    }
    if (saver_(path)) {
        SetDocumentPath(QFileInfo(path).absoluteFilePath());
    }
}

void CMainFrame::OnAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CMainFrame::CycleFocusPane(bool forward) {
    // F6 moves between three panes: the page strip, the current page and the
    // form's device buttons.
    auto focusable = [](QWidget* w) {
        return w && (w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled();
    };
    auto firstIn = [&](QWidget* pane) -> QWidget* {
        if (pane == nullptr || focusable(pane)) {
            return pane && focusable(pane) ? pane : nullptr;
        }
        int guard = 0;
        for (QWidget* w = pane->nextInFocusChain(); w && w != pane && guard < 10000;
             w = w->nextInFocusChain(), ++guard) {
            if (pane->isAncestorOf(w) && focusable(w)) {
                return w;
            }
        }
        return nullptr;
    };
    auto firstOf = [&](std::initializer_list<QWidget*> widgets) -> QWidget* {
        for (QWidget* w : widgets) {
            if (focusable(w)) {
                return w;
            }
        }
        return nullptr;
    };
    CQTabCtrl* tabs = view_->Tabs();
    QWidget* const paneRoots[] = {tabs->tabBar(), tabs->currentWidget(), view_};
    QWidget* const targets[] = {
        firstIn(tabs->tabBar()), firstIn(tabs->currentWidget()),
        firstOf({view_->OpenDeviceButton(), view_->SetComPortButton(), view_->ExitButton()})};
    QWidget* focus = QApplication::focusWidget();
    int at = -1;
    for (int i = 0; i < 3 && focus; ++i) {
        if (focus == paneRoots[i] || paneRoots[i]->isAncestorOf(focus)) {
            at = i;
            break;
        }
    }
    for (int step = 1; step <= 3; ++step) {
        const int next = ((at + (forward ? step : -step)) % 3 + 3) % 3;
        if (targets[next]) {
            targets[next]->setFocus(Qt::ShortcutFocusReason);
            return;
        }
    }
}

void CMainFrame::ExitWithoutQuestion() {
    askBeforeClose_ = false;
    if (!close()) {
        askBeforeClose_ = true;
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (askBeforeClose_ && !prompt_.Ask(kMsgReallyExit, PromptIcon::Question)) {
        event->ignore();
        return;
    }
    clock_timer_.stop();
    StoreRecentFiles();
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
    const QString path = urls.first().toLocalFile();
    QMetaObject::invokeMethod(
        this, [this, path] { OpenRecordFile(path); }, Qt::QueuedConnection);
}

}  // namespace tavix
