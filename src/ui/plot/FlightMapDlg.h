#pragma once
// "Map": where the motor spends its flight, for the record shown and every
// record compared with it, beside the X/Y plot of any quantity against
// another.
//
//   [Map] [X/Y]
//   Band width: [10 %]
//   | Record | Throttle (%) | Time (s) | Mean current (A) | ... |
//   | a.dat  | 0-10         | 12.40    | 1.2              | ... |
//
//   X: [Throttle (%) v]  Y: [Motor RPM v]  [Whole flight v]
//   (the points of each record in its colour, the time at each X level under them)
//
// The dialog shows what the record page gives it (MapFlights: a name, the
// values the curves draw, a colour and the samples between the cursors); the
// bands are analysis/ThrottleMap's and the plot plot/XYPlot's.

#include <QColor>
#include <QDialog>
#include <QString>
#include <optional>
#include <utility>
#include <vector>
#include "base/Translate.h"

class QComboBox;
class QSpinBox;
class QTableWidget;
class QTabWidget;

namespace tavix {

class SpanIndex;
class XYPlotView;

// Texts of the dialog.
inline constexpr const char* kMapTitle = TAVIX_TR("Map");
inline constexpr const char* kMapTab = TAVIX_TR("&Map");
inline constexpr const char* kXYTab = TAVIX_TR("&X/Y");
inline constexpr const char* kMapBandCaption = TAVIX_TR("&Band width:");
inline constexpr const char* kMapRecordHeading = TAVIX_TR("Record");
inline constexpr const char* kMapNoRecord =
    TAVIX_TR("Open a record to see where its motor spends the flight.");
inline constexpr const char* kMapNoThrottle = TAVIX_TR("%1 has no throttle channel.");
inline constexpr const char* kXYWhole = TAVIX_TR("Whole flight");
inline constexpr const char* kXYBetweenCursors = TAVIX_TR("Between cursors A and B");

// One record as the dialog shows it.
struct MapFlight {
    QString name;
    const SpanIndex* index = nullptr;  // outlives the dialog's use of it
    QColor colour;
    // Its samples between the cursors A and B, when both are placed.
    std::optional<std::pair<int, int>> span;
};

class FlightMapDlg : public QDialog {
    Q_OBJECT
public:
    explicit FlightMapDlg(QWidget* parent = nullptr);

    // The records to show (the reference first); empty: no record.
    void ShowFlights(std::vector<MapFlight> flights);

    QTabWidget* Tabs() const { return tabs_; }
    QSpinBox* BandBox() const { return band_; }
    QTableWidget* Table() const { return table_; }
    QComboBox* SpanBox() const { return span_; }
    XYPlotView* Plot() const { return plot_; }

private:
    void FillTable();
    void FillPlot();

    std::vector<MapFlight> flights_;
    QTabWidget* tabs_ = nullptr;
    QSpinBox* band_ = nullptr;
    QTableWidget* table_ = nullptr;
    QComboBox* x_ = nullptr;
    QComboBox* y_ = nullptr;
    QComboBox* span_ = nullptr;
    XYPlotView* plot_ = nullptr;
};

}  // namespace tavix
