#pragma once
// The stretch between the measuring cursors as numbers, beside the record
// page's statistics:
//
//   A 12.35 s                Voltage (V)  Current (A)  ...  Power (W)
//   B 15.10 s           Min         11.2          3.5           40.1
//   Duration:  2.75 s   Max         12.4         38.0          452.6
//   Capacity: 12.3 mAh  Mean        11.9         20.1          239.4
//   Energy:  0.123 Wh   A->B        -0.8        +12.5         +140.0
//
// One column per curve on screen. Before both cursors stand it says how to
// place them. Passive: it shows a SpanReadout worded in core.

#include <QWidget>
#include <array>
#include <vector>

#include "analysis/SpanIndex.h"

class QGridLayout;
class QLabel;

namespace tavix {

struct SpanReadout;

class SpanPanel : public QWidget {
    Q_OBJECT
public:
    enum Row { kRowMin, kRowMax, kRowMean, kRowChange, kRowCount };

    explicit SpanPanel(QWidget* parent = nullptr);

    void Show(const SpanReadout& readout);

    // What the panel shows, for tests and the screen reader alike.
    QString LabelA() const;
    QString Duration() const;
    QString Capacity() const;
    QString Energy() const;
    bool HintShown() const;
    // The columns shown, by their heading ("Voltage (V)"), and one value.
    QStringList Headings() const;
    QString Value(int column, Row row) const;

private:
    struct Column {
        QLabel* heading = nullptr;
        std::array<QLabel*, kRowCount> values{};
    };

    QLabel* labelA_ = nullptr;
    QLabel* labelB_ = nullptr;
    QLabel* duration_ = nullptr;
    QLabel* capacity_ = nullptr;
    QLabel* energy_ = nullptr;
    QLabel* hint_ = nullptr;
    std::array<QLabel*, kRowCount> rowCaptions_{};
    std::array<QLabel*, 3> totalCaptions_{};  // duration, capacity, energy
    QGridLayout* grid_ = nullptr;
    std::array<Column, kQuantityCount> columns_{};
    int shown_ = 0;  // columns in use
};

}  // namespace tavix
