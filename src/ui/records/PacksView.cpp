#include "ui/records/PacksView.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <optional>

#include "platform/GbkText.h"
#include "records/PackBook.h"

namespace tavix {

namespace {

std::optional<double> Milli(const std::optional<double>& value) {
    return value ? std::optional<double>(*value * 1000.0) : std::nullopt;
}

}  // namespace

PacksView::PacksView(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("packsView"));
    setWindowTitle(QString::fromLatin1(kPacksTitle));
    resize(820, 560);
    table_ = new QTableWidget(this);
    table_->setColumnCount(kPackColumns);
    QStringList headings;
    for (const char* heading : kPackHeadings) {
        headings << QString::fromLatin1(heading);
    }
    table_->setHorizontalHeaderLabels(headings);
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->horizontalHeader()->setStretchLastSection(true);
    empty_ = new QLabel(QString::fromLatin1(kMsgNoPacks), this);
    empty_->setWordWrap(true);
    plot_ = new TrendPlot({TrendChart{tr("mAh per flight"), 0}, TrendChart{tr("Lowest V/cell"), 2},
                           TrendChart{tr("Resistance (mOhm)"), 1}},
                          this);
    plot_->setObjectName(QStringLiteral("packPlot"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addWidget(empty_);
    layout->addWidget(plot_, 2);
}

void PacksView::SetPacks(const std::vector<PackRow>& packs) {
    table_->setRowCount(static_cast<int>(packs.size()));
    for (int r = 0; r < static_cast<int>(packs.size()); ++r) {
        for (int c = 0; c < kPackColumns; ++c) {
            auto* item = new QTableWidgetItem(FromGbk(PackCell(packs[r], c)));
            if (c == 0) {
                item->setForeground(TrendColour(r));
            } else if (c < 6) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            table_->setItem(r, c, item);
        }
    }
    table_->resizeColumnsToContents();
    empty_->setVisible(packs.empty());
    std::vector<TrendLine> lines;
    for (const PackRow& row : packs) {
        lines.push_back({FromGbk(row.pack), {}});
        for (const PackFlight& f : row.history) {
            lines.back().points.push_back(
                {f.time, {f.capacityMah, f.minCellVoltage, Milli(f.ohms)}, false});
        }
    }
    plot_->SetLines(std::move(lines));
}

}  // namespace tavix
