#include "ui/records/SettingsGroupsView.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/FlightEvents.h"
#include "platform/ScreenFit.h"

namespace tavix {

namespace {

QString Figure(const std::optional<double>& value, int decimals) {
    return value ? QString::fromStdString(PointNumber(*value, decimals)) : QString();
}

}  // namespace

SettingsGroupsView::SettingsGroupsView(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromLatin1(kSettingsGroupsTitle));
    table_ = new QTableWidget(0, 9, this);
    table_->setHorizontalHeaderLabels({tr("Group"), tr("Flights"), tr("First"), tr("Last"),
                                       tr("Duration (s)"), tr("mAh"), tr("Max Temp (C)"),
                                       tr("Peak Current (A)"), tr("Changed")});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    status_ = new QLabel(QString::fromLatin1(kSettingsGroupsPickTwo), this);
    status_->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    compare_ = buttons->addButton(tr("&Compare"), QDialogButtonBox::ActionRole);
    connect(compare_, &QPushButton::clicked, this, &SettingsGroupsView::CompareSelected);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addWidget(status_);
    layout->addWidget(buttons);
    resize(WithinScreen(*this, {900, 360}));
}

void SettingsGroupsView::SetFlights(const std::vector<LogbookEntry>& entries) {
    groups_ = GroupBySettings(entries);
    paths_.clear();
    for (const LogbookEntry& e : entries) {
        paths_.push_back(QString::fromStdString(e.path));
    }
    table_->setRowCount(static_cast<int>(groups_.size()));
    for (int r = 0; r < table_->rowCount(); ++r) {
        const SettingsGroup& g = groups_[static_cast<std::size_t>(r)];
        QStringList changed;
        for (const std::string& c : g.changed) {
            changed << QString::fromStdString(c);
        }
        const QString cells[] = {QString::number(g.number),
                                 QString::number(g.flights.size()),
                                 QString::fromStdString(g.firstFlight),
                                 QString::fromStdString(g.lastFlight),
                                 Figure(g.meanSeconds, 1),
                                 Figure(g.meanMah, 0),
                                 Figure(g.maxTemperature, 1),
                                 Figure(g.meanPeakCurrent, 1),
                                 changed.join(QStringLiteral("; "))};
        for (int c = 0; c < 9; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c == 8) {
                item->setToolTip(changed.join(QLatin1Char('\n')));
            } else if (c != 2 && c != 3) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            table_->setItem(r, c, item);
        }
    }
    table_->resizeColumnsToContents();
    status_->setText(QString::fromLatin1(kSettingsGroupsPickTwo));
}

void SettingsGroupsView::CompareSelected() {
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    if (rows.size() != 2) {
        status_->setText(QString::fromLatin1(kSettingsGroupsPickTwo));
        return;
    }
    const auto across = FlightsAcross(groups_[static_cast<std::size_t>(rows[0].row())],
                                      groups_[static_cast<std::size_t>(rows[1].row())]);
    emit compareRequested({paths_[across[0]], paths_[across[1]]});
}

}  // namespace tavix
