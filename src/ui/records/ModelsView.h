#pragma once
// The logbook's "Models" view: every flight's motor figures by model in the
// order they were flown, its alerts marked (records/MotorBook), and per model
// the trend of Kv, Rm and the propeller's k over the dates, alerts ringed.

#include <QDialog>
#include <vector>

#include "analysis/MotorHealth.h"

class QLabel;
class QTableWidget;

namespace tavix {

class TrendPlot;

inline constexpr const char* kModelsTitle = "Models";

class ModelsView : public QDialog {
    Q_OBJECT
public:
    explicit ModelsView(QWidget* parent = nullptr);
    // The flights as MotorHistory gives them.
    void SetFlights(const std::vector<MotorFlight>& history);

    QTableWidget* Table() const { return table_; }
    TrendPlot* Plot() const { return plot_; }

private:
    QTableWidget* table_ = nullptr;
    TrendPlot* plot_ = nullptr;
    QLabel* empty_ = nullptr;
};

}  // namespace tavix
