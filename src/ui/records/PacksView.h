#pragma once
// The logbook's "Packs" view: per battery pack the number of flights, total
// and mean mAh, lowest voltage per cell, internal resistance, first and last
// flight (records/PackBook), and a plot of mAh per flight, lowest V/cell and
// resistance over the dates, one colour per pack.

#include <QWidget>
#include <vector>

#include "analysis/PackTrend.h"
#include "base/Translate.h"
#include "ui/records/TrendTableView.h"

namespace tavix {

inline constexpr const char* kPacksTitle = TAVIX_TR("Packs");

class PacksView : public TrendTableView {
    Q_OBJECT
public:
    explicit PacksView(QWidget* parent = nullptr);
    void SetPacks(const std::vector<PackRow>& packs);
};

}  // namespace tavix
