#pragma once
// The computed quantities of the shown record, for the record page beside its
// statistics: maximum power, capacity and energy drawn, average current,
// cells and the lowest voltage per cell. Passive: it shows what core computes
// (analysis/FlightQuantities) and holds no rule of its own.

#include <QWidget>
#include <vector>

#include "analysis/FlightQuantities.h"
#include "flight/FlightData.h"

class QLabel;

namespace tavix {

class FlightSummaryPanel : public QWidget {
    Q_OBJECT
public:
    // `pairsPerLine` captions with their values stand on each line (one by
    // default: a column of six). The quantity captioned `omitted` is left out
    // (a page that shows it elsewhere already).
    explicit FlightSummaryPanel(QWidget* parent = nullptr, int pairsPerLine = 1,
                                const char* omitted = nullptr);
    // A panel of other figures: one caption per text of `layout`, in its order
    // (the values read "-" until Show).
    FlightSummaryPanel(const std::vector<QuantityText>& layout, QWidget* parent, int pairsPerLine);

    // A converted flight (after FlightData::Convert).
    void SetRecord(const FlightData& data);
    // When the caller has the quantities already (from its own SpanIndex).
    void SetQuantities(const FlightQuantities& quantities);
    // No record: every value reads "-".
    void Clear();

    // The value shown beside `caption` (one of the captions of
    // analysis/AnalysisMessages.h); empty for an unknown caption.
    QString Value(const QString& caption) const;
    // The values of the captions `texts` name (others keep theirs).
    void Show(const std::vector<QuantityText>& texts);

private:
    void Build(const std::vector<QuantityText>& layout, int pairsPerLine, const char* omitted);

    std::vector<QLabel*> captions_;
    std::vector<QLabel*> values_;
};

}  // namespace tavix
