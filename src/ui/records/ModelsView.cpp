#include "ui/records/ModelsView.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/GbkText.h"
#include "platform/UiLanguage.h"
#include "records/MotorBook.h"
#include "ui/records/TrendPlot.h"

namespace tavix {

ModelsView::ModelsView(QWidget* parent)
    : TrendTableView(Headings(kMotorHeadings), kMsgNoModels,
                     {TrendChart{tr("Kv (rpm/V)"), 0}, TrendChart{tr("Rm (mOhm)"), 1},
                      TrendChart{tr("Propeller k (W/krpm^3)"), 3}},
                     parent) {
    setObjectName(QStringLiteral("modelsView"));
    setWindowTitle(ShownText(kModelsTitle));
    resize(900, 600);
    plot_->setObjectName(QStringLiteral("modelPlot"));
}

void ModelsView::SetFlights(const std::vector<MotorFlight>& history) {
    const std::vector<ModelTrend> trends = SummarizeModels(history);
    auto modelIndex = [&trends](const std::string& model) {
        for (std::size_t i = 0; i < trends.size(); ++i) {
            if (trends[i].model == model) {
                return static_cast<int>(i);
            }
        }
        return -1;
    };
    table_->setRowCount(static_cast<int>(history.size()));
    for (int r = 0; r < static_cast<int>(history.size()); ++r) {
        const MotorFlight& flight = history[r];
        const int model = modelIndex(flight.model);
        for (int c = 0; c < kMotorColumns; ++c) {
            const auto column = static_cast<MotorColumn>(c);
            // The alerts are written again in the window's language.
            auto* item =
                new QTableWidgetItem(column == MotorColumn::Alert && flight.estimate.figures
                                         ? FromGbk(ShownAlert(flight))
                                         : ShownText(MotorCell(flight, column)));
            if (column == MotorColumn::Model && model >= 0) {
                item->setForeground(TrendColour(model));
            } else if (column >= MotorColumn::Steady && column <= MotorColumn::Efficiency) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            } else if (column == MotorColumn::Alert && !flight.alerts.empty()) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
                item->setForeground(QColor(200, 0, 0));
            } else if (column == MotorColumn::Alert) {
                item->setForeground(palette().color(QPalette::PlaceholderText));
            }
            table_->setItem(r, c, item);
        }
    }
    table_->resizeColumnsToContents();
    empty_->setVisible(trends.empty());

    std::vector<TrendLine> lines;
    for (const ModelTrend& trend : trends) {
        lines.push_back({ShownText(trend.model), {}});
        for (const MotorFlight& f : trend.flights) {
            TrendPoint point{f.time, {}, !f.alerts.empty()};
            if (const auto& figures = f.estimate.figures) {
                point.values = {figures->kv, figures->rmOhm * 1000.0, figures->propK};
            }
            lines.back().points.push_back(point);
        }
    }
    plot_->SetLines(std::move(lines));
}

}  // namespace tavix
