#pragma once
// The logbook's "Packs" view: per battery pack the number of flights, total
// and mean mAh, lowest voltage per cell, internal resistance, first and last
// flight (records/PackBook), and a plot of mAh per flight, lowest V/cell and
// resistance over the dates, one colour per pack.

#include <QDialog>
#include <QWidget>
#include <vector>

#include "analysis/PackTrend.h"

class QLabel;
class QTableWidget;

namespace tavix {

inline constexpr const char* kPacksTitle = "Packs";

// Three charts over one date axis; passive.
class PackTrendPlot : public QWidget {
    Q_OBJECT
public:
    explicit PackTrendPlot(QWidget* parent = nullptr);
    void SetPacks(const std::vector<PackRow>& packs);
    QSize sizeHint() const override { return {640, 330}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<PackRow> packs_;
};

class PacksView : public QDialog {
    Q_OBJECT
public:
    explicit PacksView(QWidget* parent = nullptr);
    void SetPacks(const std::vector<PackRow>& packs);

    QTableWidget* Table() const { return table_; }
    PackTrendPlot* Plot() const { return plot_; }

private:
    QTableWidget* table_ = nullptr;
    PackTrendPlot* plot_ = nullptr;
    QLabel* empty_ = nullptr;
};

// The colour of the i-th pack in the plot and the table.
QColor PackColour(int index);

}  // namespace tavix
