#include "ui/records/CLogbookDlg.h"

#include <QAbstractTableModel>
#include <QBrush>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "base/OutsideText.h"
#include "platform/GbkText.h"
#include "platform/LocalPath.h"
#include "platform/UiLanguage.h"
#include "plot/EventMarkers.h"
#include "records/MotorBook.h"
#include "records/PackBook.h"
#include "ui/records/ModelsView.h"
#include "ui/records/PacksView.h"
#include "ui/records/SettingsGroupsView.h"

namespace tavix {

namespace {

// The logbook's columns, then the reason a file could not be opened.
constexpr int kErrorColumn = kLogbookColumns;
constexpr int kModelColumns = kLogbookColumns + 1;

bool IsNumberColumn(int column) {
    switch (static_cast<LogbookColumn>(column)) {
        case LogbookColumn::Duration:
        case LogbookColumn::Rate:
        case LogbookColumn::MaxCurrent:
        case LogbookColumn::MinVoltage:
        case LogbookColumn::MaxTemperature:
        case LogbookColumn::MaxRpm:
        case LogbookColumn::Capacity:
        case LogbookColumn::Resistance:
        case LogbookColumn::Events:
            return true;
        default:
            return false;
    }
}

}  // namespace

// The entries in the order they were read; the proxy sorts them.
class LogbookTableModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void Clear() {
        beginResetModel();
        entries_.clear();
        endResetModel();
    }
    void Append(LogbookEntry entry) {
        const int row = static_cast<int>(entries_.size());
        beginInsertRows({}, row, row);
        entries_.push_back(std::move(entry));
        endInsertRows();
    }
    const LogbookEntry& At(int row) const { return entries_[static_cast<std::size_t>(row)]; }
    const std::vector<LogbookEntry>& Entries() const { return entries_; }
    int Failed() const {
        return static_cast<int>(std::count_if(entries_.begin(), entries_.end(),
                                              [](const LogbookEntry& e) { return !e.ok; }));
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(entries_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : kModelColumns;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
            return QAbstractTableModel::headerData(section, orientation, role);
        }
        return ShownText(section == kErrorColumn ? kLogbookErrorHeading
                                                 : kLogbookHeadings[section]);
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) {
            return {};
        }
        const LogbookEntry& e = At(index.row());
        const int column = index.column();
        switch (role) {
            case Qt::DisplayRole:
                // Every cell is program text (GBK, file names converted),
                // with control characters shown escaped.
                if (column == kErrorColumn) {
                    return ShownText(EscapeControls(e.ok ? e.warning : e.error));
                }
                return FromGbk(LogbookCell(e, static_cast<LogbookColumn>(column)));
            case Qt::ToolTipRole:
                if (e.ok && e.worstEvent && column == static_cast<int>(LogbookColumn::Events)) {
                    return tr("Worst: %1").arg(ShownText(EventKindName(*e.worstEvent)));
                }
                if (e.ok && !e.warning.empty()) {
                    return ShownText(e.warning);
                }
                return e.ok ? QString::fromLocal8Bit(e.path.c_str())
                            : ShownText(EscapeControls(e.error));
            case Qt::ForegroundRole:
                // A record that cannot be right in dark orange, one that did not open in red.
                if (e.ok && !e.warning.empty()) {
                    return QVariant(QBrush(QColor(0xB0, 0x50, 0x00)));
                }
                return e.ok ? QVariant() : QVariant(QBrush(Qt::red));
            case Qt::BackgroundRole:
                // The events cell in the colour of the flight's worst kind.
                if (e.ok && e.worstEvent && column == static_cast<int>(LogbookColumn::Events)) {
                    const std::uint32_t c = EventColour(*e.worstEvent);
                    return QBrush(QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF).lighter(170));
                }
                return {};
            case Qt::TextAlignmentRole:
                return IsNumberColumn(column) ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                              : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
            default:
                return {};
        }
    }

private:
    std::vector<LogbookEntry> entries_;
};

namespace {

// Sorts by the logbook's own order (numbers by value, the date by time) and
// keeps the files that could not be opened last, by name, in both directions.
class LogbookSortProxy : public QSortFilterProxyModel {
public:
    LogbookSortProxy(LogbookTableModel* model, QObject* parent)
        : QSortFilterProxyModel(parent), model_(model) {}

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override {
        const LogbookEntry& a = model_->At(left.row());
        const LogbookEntry& b = model_->At(right.row());
        const bool ascending = sortOrder() == Qt::AscendingOrder;
        // The view reverses this order when descending: files that could not
        // be opened are made to come last, by name, either way.
        if (a.ok != b.ok) {
            return a.ok == ascending;
        }
        if (!a.ok) {
            return ascending ? a.name < b.name : b.name < a.name;
        }
        const auto column = left.column() == kErrorColumn
                                ? LogbookColumn::File
                                : static_cast<LogbookColumn>(left.column());
        return LogbookLess(a, b, column);
    }

private:
    LogbookTableModel* model_;
};

}  // namespace

CLogbookDlg::CLogbookDlg(const CIniFile& ini, const std::array<int, kChannelCount>& smoothing,
                         QWidget* parent)
    : QDialog(parent), ini_(ini), smoothing_(smoothing) {
    setWindowTitle(ShownText(kLogbookTitle));
    setObjectName(QStringLiteral("logbook"));
    resize(1100, 480);

    model_ = new LogbookTableModel(this);
    proxy_ = new LogbookSortProxy(model_, this);
    proxy_->setSourceModel(model_);
    proxy_->setDynamicSortFilter(true);

    auto* folderLabel = new QLabel(tr("&Folder:"), this);
    folderEdit_ = new QLineEdit(this);
    folderLabel->setBuddy(folderEdit_);
    auto* browse = new QPushButton(tr("&Browse..."), this);
    auto* reload = new QPushButton(tr("&Reload"), this);
    reload->setAutoDefault(false);
    packs_ = new QPushButton(ShownText(kPacksTitle) + QStringLiteral("..."), this);
    packs_->setObjectName(QStringLiteral("packsButton"));
    packs_->setAutoDefault(false);
    packs_->setEnabled(false);
    packs_->setToolTip(tr("The flights gathered by the pack their note names (\"Pack: NAME\")"));
    models_ = new QPushButton(ShownText(kModelsTitle) + QStringLiteral("..."), this);
    models_->setObjectName(QStringLiteral("modelsButton"));
    models_->setAutoDefault(false);
    models_->setEnabled(false);
    models_->setToolTip(
        tr("Each flight's motor and propeller, by the model its note names (\"Model: NAME\")"));
    settings_ = new QPushButton(ShownText(kSettingsGroupsTitle) + QStringLiteral("..."), this);
    settings_->setObjectName(QStringLiteral("settingsButton"));
    settings_->setAutoDefault(false);
    settings_->setEnabled(false);
    settings_->setToolTip(
        tr("The flights in the order flown, grouped by the ESC settings they "
           "flew with, and what each change did"));
    browse->setAutoDefault(false);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folderLabel);
    folderRow->addWidget(folderEdit_, 1);
    folderRow->addWidget(browse);
    folderRow->addWidget(reload);
    folderRow->addWidget(packs_);
    folderRow->addWidget(models_);
    folderRow->addWidget(settings_);

    table_ = new QTableView(this);
    table_->setModel(proxy_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(static_cast<int>(LogbookColumn::Date), Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);

    progress_ = new QProgressBar(this);
    progress_->setTextVisible(true);
    progress_->hide();
    status_ = new QLabel(this);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox(this);
    open_ = buttons->addButton(tr("&Open"), QDialogButtonBox::AcceptRole);
    open_->setDefault(true);
    compare_ = buttons->addButton(tr("&Compare"), QDialogButtonBox::ActionRole);
    compare_->setObjectName(QStringLiteral("compareButton"));
    compare_->setToolTip(ShownText(kLogbookCompareTip));
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    close->setAutoDefault(false);

    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(status_, 1);
    statusRow->addWidget(progress_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(folderRow);
    layout->addWidget(table_, 1);
    layout->addLayout(statusRow);
    layout->addWidget(buttons);

    timer_ = new QTimer(this);
    timer_->setInterval(0);
    connect(timer_, &QTimer::timeout, this, &CLogbookDlg::ReadSome);

    connect(browse, &QPushButton::clicked, this, &CLogbookDlg::Browse);
    connect(reload, &QPushButton::clicked, this, [this] { SetFolder(folderEdit_->text()); });
    connect(folderEdit_, &QLineEdit::returnPressed, this,
            [this] { SetFolder(folderEdit_->text()); });
    connect(table_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { OpenRow(index.row()); });
    connect(open_, &QPushButton::clicked, this, [this] {
        const QModelIndex current = table_->currentIndex();
        if (current.isValid()) {
            OpenRow(current.row());
        }
    });
    connect(compare_, &QPushButton::clicked, this, &CLogbookDlg::CompareSelected);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(packs_, &QPushButton::clicked, this, &CLogbookDlg::ShowPacks);
    connect(models_, &QPushButton::clicked, this, &CLogbookDlg::ShowModels);
    connect(settings_, &QPushButton::clicked, this, &CLogbookDlg::ShowSettings);
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &CLogbookDlg::UpdateOpenButton);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CLogbookDlg::UpdateOpenButton);
    UpdateOpenButton();
}

CLogbookDlg::~CLogbookDlg() = default;

bool CLogbookDlg::IsLoading() const {
    return timer_->isActive();
}

int CLogbookDlg::RowCount() const {
    return proxy_->rowCount();
}

const LogbookEntry* CLogbookDlg::EntryAtRow(int row) const {
    if (row < 0 || row >= proxy_->rowCount()) {
        return nullptr;
    }
    return &model_->At(proxy_->mapToSource(proxy_->index(row, 0)).row());
}

void CLogbookDlg::SetFolder(const QString& folder) {
    timer_->stop();
    folder_ = folder;
    folderEdit_->setText(QDir::toNativeSeparators(folder));
    model_->Clear();
    packs_->setEnabled(false);
    models_->setEnabled(false);
    settings_->setEnabled(false);
    pending_.clear();
    next_ = 0;
    std::string error;
    if (!ListRecordFiles(LocalPath(folder), pending_, error)) {
        progress_->hide();
        summary_ = ShownText(EscapeControls(error));
        status_->setText(summary_);
        UpdateOpenButton();
        emit loadingFinished();
        return;
    }
    reader_ = std::make_unique<LogbookReader>(ini_, smoothing_);
    progress_->setRange(0, static_cast<int>(pending_.size()));
    progress_->setValue(0);
    progress_->setVisible(!pending_.empty());
    status_->setText(ShownText(kLogbookReading).arg(0).arg(pending_.size()));
    timer_->start();
}

void CLogbookDlg::hideEvent(QHideEvent* event) {
    if (IsLoading()) {
        timer_->stop();
        reader_.reset();
        progress_->hide();
        status_->clear();
    }
    QDialog::hideEvent(event);
}

void CLogbookDlg::ReadSome() {
    QElapsedTimer slice;
    slice.start();
    for (int read = 0;
         read < kFilesPerPass && next_ < pending_.size() && slice.elapsed() < kSliceMs; ++read) {
        model_->Append(reader_->Read(pending_[next_++]));
    }
    progress_->setValue(static_cast<int>(next_));
    status_->setText(ShownText(kLogbookReading).arg(next_).arg(pending_.size()));
    if (next_ >= pending_.size()) {
        FinishLoading();
    }
}

void CLogbookDlg::FinishLoading() {
    timer_->stop();
    reader_.reset();
    progress_->hide();
    const int failed = model_->Failed();
    const int flights = model_->rowCount() - failed;
    if (model_->rowCount() == 0) {
        summary_ = ShownText(kLogbookEmpty);
    } else if (failed == 0) {
        summary_ = ShownText(kLogbookAllRead).arg(flights);
    } else {
        summary_ = ShownText(kLogbookSummary).arg(flights).arg(failed);
    }
    status_->setText(summary_);
    packs_->setEnabled(flights > 0);
    models_->setEnabled(flights > 0);
    settings_->setEnabled(flights > 0);
    table_->resizeColumnsToContents();
    if (!table_->currentIndex().isValid() && proxy_->rowCount() > 0) {
        table_->selectRow(0);
    }
    UpdateOpenButton();
    emit loadingFinished();
}

void CLogbookDlg::OpenRow(int row) {
    const LogbookEntry* entry = EntryAtRow(row);
    if (entry == nullptr) {
        return;
    }
    if (!entry->ok) {
        status_->setText(ShownText(EscapeControls(entry->error)));
        return;
    }
    emit openRequested(QString::fromLocal8Bit(entry->path.c_str()));
}

QSize CLogbookDlg::OpeningSize(const QSize& available) const {
    // The columns as wide as their captions and values; an empty table still
    // shows every caption.
    table_->resizeColumnsToContents();
    const QHeaderView* header = table_->horizontalHeader();
    int columns = 0;
    for (int i = 0; i < header->count(); ++i) {
        columns += header->isSectionHidden(i) ? 0 : header->sectionSize(i);
    }
    const int tableFrame = 2 * table_->frameWidth() + table_->verticalHeader()->width() +
                           table_->verticalScrollBar()->sizeHint().width();
    const QMargins margins = layout()->contentsMargins();
    const int width = columns + tableFrame + margins.left() + margins.right();
    constexpr int kRows = 12;
    const int rows = kRows * table_->verticalHeader()->defaultSectionSize();
    const int height = sizeHint().height() - table_->sizeHint().height() + header->height() + rows +
                       2 * table_->frameWidth() +
                       table_->horizontalScrollBar()->sizeHint().height();
    return QSize(std::min(std::max(width, minimumSizeHint().width()), available.width() * 95 / 100),
                 std::min(height, available.height() * 9 / 10));
}

QList<int> CLogbookDlg::SelectedRows() const {
    QList<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        rows << index.row();
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CLogbookDlg::CompareSelected() {
    const QList<int> rows = SelectedRows();
    if (rows.size() < 2 || rows.size() > 4) {
        status_->setText(ShownText(kLogbookCompareTooFew));
        return;
    }
    QStringList paths;
    QStringList refused;
    for (const int row : rows) {
        const LogbookEntry* entry = EntryAtRow(row);
        if (entry->ok) {
            paths << QString::fromLocal8Bit(entry->path.c_str());
        } else {
            refused << ShownText(EscapeControls(entry->name + ": " + entry->error));
        }
    }
    if (paths.size() < 2) {
        refused.prepend(ShownText(kLogbookCompareTooFew));
    }
    status_->setText(refused.join(QStringLiteral("\n")));
    if (paths.size() >= 2) {
        emit compareRequested(paths);
    }
}

void CLogbookDlg::ShowPacks() {
    if (packsView_ == nullptr) {
        packsView_ = new PacksView(this);
    }
    packsView_->SetPacks(SummarizePacks(PackFlights(model_->Entries())));
    packsView_->show();
    packsView_->raise();
    packsView_->activateWindow();
}

void CLogbookDlg::ShowModels() {
    if (modelsView_ == nullptr) {
        modelsView_ = new ModelsView(this);
    }
    modelsView_->SetFlights(MotorHistory(MotorFlights(model_->Entries())));
    modelsView_->show();
    modelsView_->raise();
    modelsView_->activateWindow();
}

void CLogbookDlg::ShowSettings() {
    if (settingsView_ == nullptr) {
        settingsView_ = new SettingsGroupsView(this);
        connect(settingsView_, &SettingsGroupsView::compareRequested, this,
                &CLogbookDlg::compareRequested);
    }
    settingsView_->SetFlights(model_->Entries());
    settingsView_->show();
    settingsView_->raise();
    settingsView_->activateWindow();
}

void CLogbookDlg::Browse() {
    const QString folder =
        QFileDialog::getExistingDirectory(this, ShownText(kLogbookChooseFolder), folder_);
    if (!folder.isEmpty()) {
        SetFolder(folder);
    }
}

void CLogbookDlg::UpdateOpenButton() {
    const LogbookEntry* entry = EntryAtRow(table_->currentIndex().row());
    // One flight opens, two to four compare; Enter does what fits the selection.
    const qsizetype selected = SelectedRows().size();
    open_->setEnabled(entry != nullptr && entry->ok && selected <= 1);
    compare_->setEnabled(selected >= 2 && selected <= 4);
    (selected >= 2 ? compare_ : open_)->setDefault(true);
    // The reason of a failed file, in full, while it is the current row.
    if (!IsLoading()) {
        if (selected > 4) {
            status_->setText(ShownText(kLogbookCompareTooFew));
        } else if (entry != nullptr && !entry->ok) {
            status_->setText(ShownText(EscapeControls(entry->error)));
        } else if (entry != nullptr && !entry->warning.empty()) {
            status_->setText(ShownText(EscapeControls(entry->warning)));
        } else {
            status_->setText(summary_);
        }
    }
}

}  // namespace tavix
