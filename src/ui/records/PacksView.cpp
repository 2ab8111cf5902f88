#include "ui/records/PacksView.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <optional>

#include "platform/GbkText.h"
#include "platform/ScreenFit.h"
#include "platform/UiLanguage.h"
#include "records/PackBook.h"

namespace tavix {

namespace {

std::optional<double> Milli(const std::optional<double>& value) {
    return value ? std::optional<double>(*value * 1000.0) : std::nullopt;
}

}  // namespace

PacksView::PacksView(QWidget* parent)
    : TrendTableView(Headings(kPackHeadings), kMsgNoPacks,
                     {TrendChart{tr("mAh per flight"), 0}, TrendChart{tr("Lowest V/cell"), 2},
                      TrendChart{tr("Resistance (mOhm)"), 1}},
                     parent) {
    setObjectName(QStringLiteral("packsView"));
    setWindowTitle(ShownText(kPacksTitle));
    resize(WithinScreen(*this, {820, 560}));
    plot_->setObjectName(QStringLiteral("packPlot"));
}

void PacksView::SetPacks(const std::vector<PackRow>& packs) {
    table_->setRowCount(static_cast<int>(packs.size()));
    for (int r = 0; r < static_cast<int>(packs.size()); ++r) {
        for (int c = 0; c < kPackColumns; ++c) {
            auto* item = new QTableWidgetItem(ShownText(PackCell(packs[r], c)));
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
        lines.push_back({ShownText(row.pack), {}});
        for (const PackFlight& f : row.history) {
            lines.back().points.push_back(
                {f.time, {f.capacityMah, f.minCellVoltage, Milli(f.ohms)}, false});
        }
    }
    plot_->SetLines(std::move(lines));
}

}  // namespace tavix
