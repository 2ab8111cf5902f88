#include "ui/records/TrendTableView.h"
#include "platform/UiLanguage.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tavix {

TrendTableView::TrendTableView(const QStringList& headings, const char* emptyText,
                               std::array<TrendChart, kTrendCharts> charts, QWidget* parent)
    : QDialog(parent) {
    table_ = new QTableWidget(this);
    table_->setColumnCount(static_cast<int>(headings.size()));
    table_->setHorizontalHeaderLabels(headings);
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->horizontalHeader()->setStretchLastSection(true);
    empty_ = new QLabel(ShownText(emptyText), this);
    empty_->setWordWrap(true);
    plot_ = new TrendPlot(std::move(charts), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addWidget(empty_);
    layout->addWidget(plot_, 2);
}

}  // namespace tavix
