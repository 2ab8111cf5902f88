#include "ui/logger/CFlightListDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/FormatText.h"
#include "base/Translate.h"
#include "logger/LoggerMessages.h"
#include "platform/GbkText.h"
#include "platform/UiLanguage.h"

namespace tavix {

namespace {

QTableWidgetItem* Cell(const QString& text, Qt::Alignment align = Qt::AlignRight) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(align | Qt::AlignVCenter);
    return item;
}

}  // namespace

CFlightListDlg::CFlightListDlg(const FlightList& list, const QString& pack, QWidget* parent)
    : QDialog(parent), list_(list) {
    setWindowTitle(tr("Upload Record Data"));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(
        ShownText(FormatShown(kFmtFlightListTitle, static_cast<int>(list.flights.size())))
            .trimmed(),
        this);
    layout->addWidget(title);
    if (list.wrapped) {
        auto* ring = new QLabel(QString::fromUtf8(kMsgRingOverwrote), this);
        ring->setWordWrap(true);
        ring->setStyleSheet(QStringLiteral("color: #b35c00;"));
        layout->addWidget(ring);
    }

    table_ = new QTableWidget(static_cast<int>(list.flights.size()), Columns, this);
    table_->setHorizontalHeaderLabels(
        {tr("Upload"), tr("Flight"), tr("Samples"), tr("Duration (s)"), tr("Status"), tr("Pack")});
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    for (int row = 0; row < table_->rowCount(); ++row) {
        const FlightEntry& e = list.flights[static_cast<std::size_t>(row)];
        auto* tick = Cell(QString(), Qt::AlignCenter);
        if (e.Writable()) {
            tick->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
            tick->setCheckState(e.selected ? Qt::Checked : Qt::Unchecked);
        }
        table_->setItem(row, Tick, tick);
        table_->setItem(row, Number, Cell(QString::number(e.Number())));
        table_->setItem(row, Samples, Cell(QString::number(e.place.samples)));
        table_->setItem(row, Duration, Cell(QString::number(e.seconds, 'f', 1)));
        auto* status = Cell(ShownText(FlightStatusText(e)), Qt::AlignLeft);
        status->setToolTip(status->text());
        table_->setItem(row, Status, status);
        auto* packCell = new QTableWidgetItem(e.Writable() ? pack : QString());
        packCell->setFlags(e.Writable()
                               ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                               : Qt::ItemIsSelectable);
        packCell->setToolTip(tr("The battery pack this flight was flown on"));
        table_->setItem(row, Pack, packCell);
    }
    table_->resizeColumnsToContents();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setMinimumWidth(640);
    layout->addWidget(table_);

    auto* quick = new QHBoxLayout;
    auto* newOnly = new QPushButton(tr("&New"), this);
    auto* all = new QPushButton(tr("&All"), this);
    auto* none = new QPushButton(tr("N&one"), this);
    newOnly->setToolTip(tr("Tick the flights no record file holds yet"));
    all->setToolTip(tr("Tick every flight that can be written"));
    quick->addWidget(newOnly);
    quick->addWidget(all);
    quick->addWidget(none);
    quick->addStretch();
    count_ = new QLabel(this);
    quick->addWidget(count_);
    layout->addLayout(quick);
    connect(newOnly, &QPushButton::clicked, this, [this] {
        SetTicks([](const FlightEntry& e) { return e.status == FlightStatus::New; });
    });
    connect(all, &QPushButton::clicked, this,
            [this] { SetTicks([](const FlightEntry&) { return true; }); });
    connect(none, &QPushButton::clicked, this,
            [this] { SetTicks([](const FlightEntry&) { return false; }); });
    connect(table_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() == Tick) {
            UpdateCount();
        }
    });

    auto* buttons = new QDialogButtonBox(this);
    upload_ = buttons->addButton(tr("&Upload"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    upload_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    UpdateCount();
    upload_->setFocus();
}

void CFlightListDlg::SetTicks(bool (*wanted)(const FlightEntry&)) {
    for (int row = 0; row < table_->rowCount(); ++row) {
        QTableWidgetItem* tick = table_->item(row, Tick);
        if (tick->flags() & Qt::ItemIsUserCheckable) {
            tick->setCheckState(
                wanted(list_.flights[static_cast<std::size_t>(row)]) ? Qt::Checked : Qt::Unchecked);
        }
    }
    UpdateCount();
}

void CFlightListDlg::UpdateCount() {
    const auto ticked = static_cast<int>(Ticked().size());
    count_->setText(ticked == 0 ? tr("No flight ticked: nothing will be read.")
                                : tr("%n flight(s) to upload", "", ticked));
}

std::vector<int> CFlightListDlg::Ticked() const {
    std::vector<int> numbers;
    for (int row = 0; row < table_->rowCount(); ++row) {
        const QTableWidgetItem* tick = table_->item(row, Tick);
        if ((tick->flags() & Qt::ItemIsUserCheckable) && tick->checkState() == Qt::Checked) {
            numbers.push_back(list_.flights[static_cast<std::size_t>(row)].Number());
        }
    }
    return numbers;
}

std::vector<QString> CFlightListDlg::Packs() const {
    std::vector<QString> packs;
    for (int row = 0; row < table_->rowCount(); ++row) {
        packs.push_back(table_->item(row, Pack)->text().trimmed());
    }
    return packs;
}

void CFlightListDlg::TakeTicks(FlightList& list) const {
    const std::vector<int> ticked = Ticked();
    std::string unused;
    (void)ApplyChoice(list, FlightChoice{FlightChoice::Numbers, ticked}, unused);
}

}  // namespace tavix
