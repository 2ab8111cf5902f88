#include "ui/esc/EscHistoryDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/OutsideText.h"
#include "esc/EscMessages.h"
#include "esc/EscPageEdits.h"
#include "esc/EscParamSession.h"
#include "esc/EscParamText.h"
#include "platform/GbkText.h"
#include "platform/ScreenFit.h"
#include "platform/UiLanguage.h"

namespace tavix {

namespace {

const QColor kDiffers(255, 236, 160);

// A parameter's name as the page's label shows it ("Drag Brake:"), without
// the colon.
QString ShownName(const std::string& name) {
    QString label = ShownText(name + ":");
    while (label.endsWith(u':') || label.endsWith(u'\uFF1A')) {
        label.chop(1);
    }
    return label;
}

}  // namespace

EscHistoryDlg::EscHistoryDlg(EscParamSession& session, const EscHistory& history, QWidget* parent)
    : QDialog(parent), session_(session) {
    setWindowTitle(tr("ESC Settings History"));
    setObjectName(QStringLiteral("escHistory"));
    resize(WithinScreen(*this, {900, 520}));
    for (EscSnapshot& snapshot : history.List()) {
        if (snapshot.series == session.Table().name) {
            snapshots_.push_back(std::move(snapshot));
        }
    }

    auto* layout = new QVBoxLayout(this);
    auto* panes = new QHBoxLayout;
    layout->addLayout(panes, 1);
    list_ = new QListWidget(this);
    list_->setAccessibleName(QStringLiteral("Snapshots"));
    for (const EscSnapshot& s : snapshots_) {
        // The time and reason lines are the file's own: shown escaped.
        list_->addItem(QStringLiteral("%1  %2  %3")
                           .arg(QString::fromLatin1(EscapeControls(s.time).c_str()),
                                ShownText(EscapeControls(s.reason)),
                                ShownText(EscapeControls(s.version))));
    }
    list_->setMinimumWidth(list_->fontMetrics().horizontalAdvance(QStringLiteral(
                               "2026-12-07 14:30:05  before-upgrade  TVKC20140C300312")) +
                           24);
    panes->addWidget(list_, 0);
    table_ = new QTableWidget(0, 3, this);
    table_->setHorizontalHeaderLabels({tr("Parameter"), tr("On the page"), tr("In the snapshot")});
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->setWordWrap(false);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    panes->addWidget(table_, 1);

    // Where the files are, so that they can be found, copied or opened as parameter files.
    auto* folder =
        new QLabel((snapshots_.empty() ? tr("No snapshot of this series has been kept yet (%1).")
                                       : tr("Snapshots are kept in %1."))
                       .arg(QString::fromLocal8Bit(history.Folder().c_str())),
                   this);
    folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(folder);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    restore_ = buttons->addButton(ShownText(kBtnEscRestore), QDialogButtonBox::ActionRole);
    restore_->setEnabled(false);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(restore_, &QPushButton::clicked, this, [this] { OnRestore(); });
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { ShowSnapshot(row); });
    if (!snapshots_.empty()) {
        list_->setCurrentRow(0);
    }
}

void EscHistoryDlg::ShowSnapshot(int row) {
    restore_->setEnabled(row >= 0);
    table_->setRowCount(0);
    if (row < 0 || row >= static_cast<int>(snapshots_.size())) {
        return;
    }
    const EscSeriesTable& table = session_.Table();
    const auto lines =
        DiffParams(PageValues(table, session_.State()),
                   BlockValues(table, snapshots_[static_cast<std::size_t>(row)].block));
    table_->setRowCount(static_cast<int>(lines.size()));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const EscDiffLine& line = lines[i];
        const int r = static_cast<int>(i);
        const QString mark = line.differs ? QStringLiteral("\u2260 ") : QString();
        table_->setItem(r, 0, new QTableWidgetItem(mark + ShownName(line.name)));
        table_->setItem(r, 1, new QTableWidgetItem(ShownText(line.shownA)));
        table_->setItem(r, 2, new QTableWidgetItem(ShownText(line.shownB)));
        for (int c = 0; c < 3 && line.differs; ++c) {
            table_->item(r, c)->setBackground(kDiffers);
            QFont font = table_->item(r, c)->font();
            font.setBold(true);
            table_->item(r, c)->setFont(font);
        }
    }
}

void EscHistoryDlg::OnRestore() {
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(snapshots_.size())) {
        return;
    }
    // The session says what will change, asks, and writes; the page shows the
    // write and its read-back, so the dialog closes once it is under way.
    RestoreSnapshot(session_, snapshots_[static_cast<std::size_t>(row)].block);
    if (session_.State().phase == EscPhase::Writing) {
        accept();
    }
}

}  // namespace tavix
