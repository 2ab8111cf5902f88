#pragma once
// The logbook's "Models" view: every flight's motor figures by model in the
// order they were flown, its alerts marked (records/MotorBook), and per model
// the trend of Kv, Rm and the propeller's k over the dates, alerts ringed.

#include <vector>

#include "analysis/MotorHealth.h"
#include "base/Translate.h"
#include "ui/records/TrendTableView.h"

namespace tavix {

inline constexpr const char* kModelsTitle = TAVIX_TR("Models");

class ModelsView : public TrendTableView {
    Q_OBJECT
public:
    explicit ModelsView(QWidget* parent = nullptr);
    // The flights as MotorHistory gives them.
    void SetFlights(const std::vector<MotorFlight>& history);
};

}  // namespace tavix
