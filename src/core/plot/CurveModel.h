#pragma once
// The curves of the record page without a window: where each sample is
// drawn, the values under the pointer, the statistics and the Y labels. Where
// the plot stands and which part of the record it shows (the grid, the visible
// window, the two-click zoom, the time labels) is its PlotView; the model
// forwards the mouse to it and maps the points to each new window. The widget
// only draws what this model says and forwards the mouse.
//
// The model owns the plot points; the flight it draws keeps the raw samples
// and, beside them, the smoothed ones (ComputePoints converts the flight).
//
// What it draws is a list of traces (plot/PlotTrace): the record's channels,
// then the electrical power (voltage x current), a derived trace scaled to
// its own range and drawn on request. It holds
// the two measuring cursors A and B (MeasureCursors). The statistics of the
// power and of the cursors' span come from one SpanIndex, built each time a
// record is shown.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "flight/Conversion.h"
#include "flight/FlightData.h"
#include "flight/FlightRecord.h"
#include "plot/CurveReadout.h"
#include "plot/FlightOverlay.h"
#include "plot/MeasureCursors.h"
#include "plot/PlotTrace.h"
#include "plot/PlotView.h"

namespace tavix {

// The power curve's colour until the settings name one: deep pink (COLORREF
// 0x00BBGGRR), unlike any of the eight channels' default colours.
inline constexpr std::uint32_t kDefaultPowerColour = 0x9314FF;

// The points of a polyline reduced to at most four per pixel column (the
// first, the lowest and the highest in the order they come, the last): the
// same picture with far fewer segments. `points` must have non-decreasing x.
void ReduceToColumns(std::span<const PlotPoint> points, std::vector<PlotPoint>& out);

// The statistics values of the page, as shown (no leading blanks).
struct CurveStatistics {
    std::string maxCurrent;
    std::string minVoltage;
    std::string maxThrottle;
    std::string maxPower;
    std::string maxTemperature;
    std::string samplingRate;
};

class CurveModel {
public:
    // `data` and `windows` (the smoothing windows of the settings) outlive the model.
    CurveModel(FlightData& data, const std::array<int, kChannelCount>& windows);
    // The model reads the windows where they stand (config.ini's may change),
    // so a temporary would be read after its end.
    CurveModel(FlightData& data, const std::array<int, kChannelCount>&& windows) = delete;
    ~CurveModel();
    CurveModel(const CurveModel&) = delete;
    CurveModel& operator=(const CurveModel&) = delete;

    // --- placement ------------------------------------------------------
    // Places the grid in a view of this size; with a record the points are
    // computed again for the new plot, keeping the visible window.
    void Place(int width, int height, int strip = 0, int rows = kGridCells);
    // The view state itself: the grid, the window, the zoom, the time labels.
    const PlotView& View() const { return view_; }

    // --- the record ------------------------------------------------------
    // After a record was opened (and once at start): takes the sample count
    // and the data-loaded flag, shows the whole record, computes the points,
    // fills the statistics and builds the labels. A pending first click stays.
    void OnInitialUpdate();
    // Smooths and converts the whole record and computes every point.
    void ComputePoints();
    // The record's axis ranges changed (a device profile was loaded): the
    // points and the Y labels follow them, the time window stays. Does
    // nothing, and returns false, when they are those last drawn.
    bool ApplyRanges();
    // Zooms to the samples between the two clicks (at least 10).
    void ZoomToSelection();
    // The whole record again, its points computed afresh.
    void ShowAll();

    // --- the mouse (view coordinates) -------------------------------------
    ClickResult OnLeftClick(int x);
    // A right click: false (nothing done) without a record.
    bool OnRightClick();
    // The values under the pointer at `x`: false (nothing done) without a record.
    bool OnMouseMove(int x);
    // Moving through the record with the wheel, a pan drag and the + and -
    // keys: the view moves its window (PlotView says how) and the points
    // and the time labels follow. True when the window changed.
    bool ZoomAt(int x, double notches) { return Follow(view_.ZoomAt(x, notches)); }
    bool ZoomAtCentre(double notches) { return ZoomAt(view_.Geometry().plotWidth / 2, notches); }
    bool BeginPan(int x) { return view_.BeginPan(x); }
    bool PanTo(int x) { return Follow(view_.PanTo(x)); }
    void EndPan() { view_.EndPan(); }

    // --- what the view draws ----------------------------------------------
    // The window, the zoom and the grid are the view's (View()).
    int ChannelCount() const { return ChannelsOf(record_); }
    // The points drawn for `channel`: samples first visible to last visible - 1.
    std::span<const PlotPoint> VisiblePoints(int channel) const;
    // Every computed point of `channel` (the visible window's x are those of the zoom).
    std::span<const PlotPoint> Points(int channel) const;
    const FlightRecord& Record() const { return record_; }
    const FlightData& Data() const { return data_; }

    // --- statistics -------------------------------------------------------
    const CurveStatistics& Statistics() const { return statistics_; }
    // "%5.1f" of the observed minimum / maximum of channels 0-4.
    const std::string& MinText(int channel) const { return minText_[channel]; }
    const std::string& MaxText(int channel) const { return maxText_[channel]; }

    // --- read-out ---------------------------------------------------------
    // The values under the pointer (after OnMouseMove): each channel's, the
    // power's and each flight's, with their texts.
    const CurveReadout& Readout() const { return readout_; }
    // The tooltip markup and the status text of the current values (GBK);
    // each value of the tooltip in its curve's colour (CurveColour).
    std::string TooltipText() const;
    // Only curve `curve`'s line (every flight's value), as the stacked
    // layout's plot of that curve reads.
    std::string CurveTooltipText(int curve) const;
    std::string StatusText() const;

    // --- computed power and the measuring cursors -------------------------
    // The physical values of the shown record (null before a record): built
    // once per OnInitialUpdate, read by the power curve and the cursors.
    const SpanIndex* Index() const { return index_.get(); }
    // The record has voltage and current, so power can be drawn.
    bool PowerAvailable() const;
    // Whether the power curve is drawn (and read out); it is drawn only when
    // available too.
    void SetPowerShown(bool shown) { traces_.At(kPowerCurve).shown = shown; }
    bool PowerShown() const { return traces_.At(kPowerCurve).shown; }
    void SetPowerColour(std::uint32_t colorref) { traces_.At(kPowerCurve).colour = colorref; }
    std::uint32_t PowerColour() const { return traces_.At(kPowerCurve).colour; }
    // The range the power curve fills: from 0 (or the lowest power, when the
    // current runs backwards) to a twentieth above the highest, so the peak
    // stays inside the plot.
    AxisRange PowerRange() const { return traces_.At(kPowerCurve).range; }
    // The power curve's points of the visible window; empty unless it is
    // shown and available.
    std::span<const PlotPoint> VisiblePowerPoints() const;
    // The power curve's scale for the right edge of the plot (W, top first);
    // none unless the curve is drawn.
    std::optional<std::array<std::string, kLabelCount>> PowerLabels() const;
    MeasureCursors& Cursors() { return cursors_; }
    const MeasureCursors& Cursors() const { return cursors_; }

    // --- the traces of the plot ------------------------------------------
    // Trace i (i < kChannelCount) is channel i of the record, then comes
    // the power curve. Added flights keep their traces in the overlay.
    TraceStore& Traces() { return traces_; }
    const TraceStore& Traces() const { return traces_; }
    static constexpr int kPowerCurve = kChannelCount;

    // --- flights laid over the record (plot/FlightOverlay) -----------------
    // The shown record is flight 0, the reference; its time axis is the
    // plot's. Lays `flight` (its owner's, converted, outliving its place
    // here) over it, started `offsetSeconds` after the reference (positive:
    // drawn later), named `legend` in the legend; returns its index (1-3),
    // or -1 when three are shown already.
    int AddFlight(const FlightData& flight, double offsetSeconds, std::string legend);
    // Takes flight `index` (1-3) out; the later ones move up by one.
    void RemoveFlight(int index);
    void SetFlightOffset(int index, double offsetSeconds);
    // The reference and the added flights (1-4).
    int FlightCount() const { return 1 + overlay_.Count(); }
    // The colour (COLORREF) curve `channel` (kPowerCurve: the power) of
    // flight `flight` (0: the shown record) is drawn in. The record alone
    // draws each channel in its own colour; while flights are compared every
    // curve of a flight has the flight's colour (kFlightColours), as its
    // legend line and its column of the comparison table.
    std::uint32_t CurveColour(int flight, int channel) const;
    // The range curve `curve` (kPowerCurve: the power) is drawn over.
    AxisRange CurveRange(int curve) const;
    // Of the curves `chosen` for the stacked layout (channels, kPowerCurve),
    // those this record draws, in their order: the channels it has, and the
    // power while it is shown.
    std::vector<int> DrawnCurves(std::span<const int> chosen) const;
    // The samples of the shown record itself; the time axis (SampleCount)
    // reaches further while a longer flight is compared with it.
    int RecordSamples() const { return SamplesOf(record_); }
    // Back to the record alone.
    void ClearFlights();
    // The reference's name in the legend (the added ones are named by AddFlight).
    void SetReferenceLegend(std::string legend) { referenceLegend_ = std::move(legend); }
    // One entry per flight, the reference first; empty with the record alone.
    std::vector<LegendEntry> Legend() const;
    const FlightOverlay& Overlay() const { return overlay_; }
    // The points drawn for `channel` (kPowerCurve: the power) of added flight
    // `index` (1-3): empty when that curve is not drawn.
    std::span<const PlotPoint> FlightPoints(int index, int channel) const;

    // --- axis labels ------------------------------------------------------
    // Time of the visible window: 11 labels with the decimals their step needs.
    void BuildTimeLabels();
    // The scale of `channel` (its range, stored as the record's Y-axis
    // channel); -1 builds channel 0's without storing it.
    void BuildYLabels(int channel);
    const std::array<std::string, kLabelCount>& YLabels() const { return yLabels_; }
    // The channel whose scale the Y labels show (their colour is its colour).
    int YLabelChannel() const { return yLabelChannel_; }

private:
    void MapWindow();
    // After the view moved its window (`moved`): the points and labels follow.
    bool Follow(bool moved);
    void FillStatistics();
    void ComputePowerPoints();
    // The added flights follow the record's ranges and the visible window.
    void UpdateFlights();
    // The time axis reaches from the start of the first flight shown to the
    // end of the last one; when it changed, the points and the labels follow.
    void FitTimeAxis();

    FlightData& data_;
    FlightRecord& record_;
    const std::array<int, kChannelCount>& windows_;
    PlotView view_;
    std::array<std::vector<PlotPoint>, kChannelCount> points_;

    CurveStatistics statistics_;
    std::array<std::string, kChannelCount> minText_;
    std::array<std::string, kChannelCount> maxText_;
    std::array<std::string, kLabelCount> yLabels_;
    int yLabelChannel_ = 0;
    // The ranges the points were computed with.
    std::array<AxisRange, kChannelCount> drawnRanges_{};

    std::unique_ptr<SpanIndex> index_;
    TraceStore traces_;
    std::vector<PlotPoint> powerPoints_;  // the visible ones
    CurveReadout readout_;
    MeasureCursors cursors_{view_, record_, index_};
    FlightOverlay overlay_;
    std::string referenceLegend_;
    std::optional<float> pointer_;  // the plot position last read out
};

}  // namespace tavix
