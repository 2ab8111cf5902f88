#pragma once
// The page "4.Show the Record": the curves with their axis labels, the record
// statistics, "Snap", and the row of channel controls (Y axis, display and
// colour of each channel) in the container "channelControls".
//
// The channel controls drive the page through SetYAxis, SetChannelVisible and
// SetChannelColour; storing the choices in config.ini is theirs.
//
// Below the statistics: the flight's computed quantities (FlightSummaryPanel),
// the "Power curve" box with the power curve's colour button, and the span
// between the measuring cursors (SpanPanel). While records are compared, the
// difference table (ComparisonPanel) takes the place of the flight's
// quantities and the span: it compares both for every record. A colour chosen for the power
// curve is announced by powerColourChosen; storing it is the owner's job.

#include <QImage>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "analysis/FlightEvents.h"
#include "flight/FlightData.h"
#include "flight/FlightRecord.h"
#include "plot/PlotStack.h"

class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QSplitter;
class QToolButton;

namespace tavix {

class CCurveView;
class CColorPicker;
class Comparison;
class ComparisonPanel;
class CurveModel;
class EventListPanel;
class EventMarkerStrip;
class FlightMapDlg;
class FlightSummaryPanel;
class PlotStack;
class RecordChart;
class SpanPanel;

class RecordPage : public QWidget {
    Q_OBJECT
public:
    // The statistics values, in the order they stand on the page.
    enum Statistic {
        kStatMaxCurrent,
        kStatMinVoltage,
        kStatMaxThrottle,
        kStatMaxPower,
        kStatMaxTemperature,
        kStatSamplingRate,
        kStatisticCount
    };

    // `data` (the flight shown) and `windows` (the smoothing windows) outlive the page.
    RecordPage(FlightData& data, const std::array<int, kChannelCount>& windows,
               QWidget* parent = nullptr);
    ~RecordPage() override;

    // A record was loaded (or none, at start): the whole record, its points,
    // statistics and labels.
    void ShowRecord();
    // The record's ranges may have changed (a device profile was loaded):
    // curves and Y labels follow them. Cheap when they have not: it may be
    // called whenever the page is shown or the device state changes.
    void ApplyRanges();

    // --- what the channel controls call ---------------------------------
    // The Y labels show `channel`'s scale in its colour (stored as the
    // record's Y-axis channel).
    void SetYAxis(int channel);
    void SetChannelVisible(int channel, bool visible);
    void SetChannelColour(int channel, std::uint32_t colorref);

    // --- computed power and the measuring cursors ----------------------
    // The power curve's colour (COLORREF) from the settings; no signal.
    void SetPowerColour(std::uint32_t colorref);
    // Shows or hides the power curve, as its check box does.
    void SetPowerShown(bool shown);
    // Removes the measuring cursors, as Esc does.
    void ClearCursors();

    // --- flight events ----------------------------------------------------
    // The limits the events are found with (from the settings); finds them
    // again for the shown record. No signal.
    void SetEventLimits(const EventLimits& limits);
    const std::vector<FlightEvent>& Events() const { return events_; }
    // Puts cursor A on the event's first sample and B where it ends, showing
    // the whole record first when the event is out of view.
    void ChooseEvent(int index);

    // --- records compared with this one ----------------------------------
    // Shows `comparison` (null: none): its flights on the curves, the
    // difference table under them while two or more records are compared.
    void ShowComparison(Comparison* comparison);
    ComparisonPanel* CompareView() const { return compare_; }

    // --- the Map (throttle bands and the X/Y plot) ------------------------
    // Opens the Map of the record and the records compared with it.
    void ShowMap();
    FlightMapDlg* MapView() const { return map_; }
    QPushButton* MapButton() const { return mapButton_; }

    // --- the layout of the curves -----------------------------------------
    // All curves on one plot, or one plot per curve ("Stacked"); no signal.
    void SetLayout(PlotLayout layout);
    PlotLayout Layout() const;
    // The curves the stacked layout plots, top to bottom (channels, and
    // CurveModel::kPowerCurve); no signal.
    void SetStackedCurves(const std::vector<int>& curves);
    const std::vector<int>& StackedCurves() const;
    const PlotStack& Stack() const;
    QCheckBox* StackedCheck() const { return stackedCheck_; }
    QToolButton* StackedPlotsButton() const { return plotsButton_; }

    // For a drawn page (an image): every part at the size of its contents,
    // without scroll bars or the comparison's controls; the page's minimum
    // size then says how large the image must be.
    void ShowWhole(bool whole);

    // The page as it looks, drawn off-screen (no window in front of it),
    // without its own command buttons.
    QImage RenderImage();

    CurveModel& Model() { return *model_; }
    CCurveView* CurveView() const { return view_; }
    QWidget* ChannelControls() const { return channelControls_; }
    QPushButton* SnapButton() const { return snap_; }
    QLabel* StatisticLabel(Statistic which) const { return values_[which]; }
    // The chart: the curves and their axis labels.
    QWidget* Chart() const;
    FlightSummaryPanel* Summary() const { return summary_; }
    // The motor's figures of the flight (analysis/MotorHealth).
    FlightSummaryPanel* MotorPanel() const { return motor_; }
    SpanPanel* Span() const { return span_; }
    QCheckBox* PowerCheck() const { return powerCheck_; }
    CColorPicker* PowerColourPicker() const { return powerColour_; }
    EventListPanel* EventList() const { return eventList_; }
    EventMarkerStrip* EventMarkers() const { return markers_; }
    // The red mark over the curves while the record holds implausible values.
    QLabel* ImplausibleMarkLabel() const { return implausible_; }

signals:
    // Pane 0 of the status bar: the values under the pointer.
    void statusTextChanged(const QString& text);
    void snapRequested();
    // The user chose another colour for the power curve (already drawn in it).
    void powerColourChosen(std::uint32_t colorref);
    // The user set other event limits (already in use); storing them is the
    // owner's job.
    void eventLimitsChosen(const tavix::EventLimits& limits);
    // The user chose the layout, or the stacked layout's curves (already
    // drawn so); storing them is the owner's job.
    void layoutChosen(tavix::PlotLayout layout);
    void stackedCurvesChosen(const std::vector<int>& curves);

private:
    void UpdateStatistics();
    void CurvesChanged();
    QWidget* BuildAnalysis();
    void UpdateSpan();
    void OnPowerColourPicked(std::uint32_t colorref);
    void FindEvents();
    void AskLimits();
    void ComparisonShown(bool comparing);
    // The Map follows the records, the comparison and the cursors.
    void UpdateMap();
    void OnStackedPlotsPicked();

    FlightRecord& record_;
    std::unique_ptr<CurveModel> model_;
    RecordChart* chart_ = nullptr;
    QCheckBox* stackedCheck_ = nullptr;
    QToolButton* plotsButton_ = nullptr;
    QMenu* plotsMenu_ = nullptr;
    CCurveView* view_ = nullptr;
    QWidget* channelControls_ = nullptr;
    QPushButton* snap_ = nullptr;
    QPushButton* mapButton_ = nullptr;
    FlightMapDlg* map_ = nullptr;
    std::array<QLabel*, kStatisticCount> values_{};
    FlightSummaryPanel* summary_ = nullptr;
    FlightSummaryPanel* motor_ = nullptr;
    SpanPanel* span_ = nullptr;
    QCheckBox* powerCheck_ = nullptr;
    CColorPicker* powerColour_ = nullptr;
    EventListPanel* eventList_ = nullptr;
    EventMarkerStrip* markers_ = nullptr;
    ComparisonPanel* compare_ = nullptr;
    QWidget* spanRule_ = nullptr;
    QLabel* implausible_ = nullptr;
    QSplitter* split_ = nullptr;
    QScrollArea* analysis_ = nullptr;
    EventLimits limits_;
    std::vector<FlightEvent> events_;
};

}  // namespace tavix
