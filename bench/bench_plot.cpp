// The record page's drawing on a full record (8 channels x 16384 samples):
//   - a full redraw of grid and curves at pen widths 1, 2 and 5, with each
//     pixel column reduced to its first, lowest, highest and last point
//     (reduced:1) against drawing every point (reduced:0);
//   - a mouse move over the curves: read-out, status text and repaint;
//   - a measuring cursor dragged with the power curve shown: span statistics,
//     the span panel's texts and a repaint over the cached curves;
//   - ComputePoints (smoothing, conversion, points) for windows 1, 16, 1024;
//   - four full records laid over each other: a full redraw at pen widths 1,
//     2 and 5 (compare with the reduced single-record redraw), and the
//     read-out of all four under the pointer with its tooltip and status text;
//   - the stacked layout of the same four records: six plots (five channels
//     and the power), each flight's curve in each (compare with the
//     single-record redraw);
//   - the X/Y plot of four full records with its time-at-level histogram.
// Runs on Qt's offscreen platform; the curves are drawn by the raster engine
// as on screen.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "plot/CurveModel.h"
#include "plot/PlotStack.h"
#include "ui/plot/CCurveView.h"
#include "ui/plot/CurvePainter.h"
#include "ui/plot/FlightOverlayPainter.h"
#include "ui/plot/RecordPage.h"
#include "ui/plot/StackPainter.h"
#include "ui/plot/XYPlotView.h"

namespace {

using namespace tavix;

constexpr int kPlotWidth = 990;
constexpr int kPlotHeight = 610;

// A flight-like record: every channel wanders (a random walk) across its range.
std::unique_ptr<FlightData> MakeFullRecord(int penWidth, unsigned seed = 11) {
    auto flight = std::make_unique<FlightData>();
    FlightRecord* record = &flight->record;
    record->header.samples = kMaxSamples;
    record->header.channels = kChannelCount;
    record->header.rate = 30;
    record->header.poles = 14;
    record->header.gearRate = 4.3f;
    record->dataLoaded = true;
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> step(-40, 40);
    for (int i = 0; i < kChannelCount; ++i) {
        record->calibration[i] = {0.01f, 0.0f};
        record->ranges[i] = {0.0f, 100.0f};
        record->channels[i].colour = 0x203040u * static_cast<std::uint32_t>(i + 1);
        record->channels[i].line = penWidth;
        record->channels[i].visible = 1;
        int value = 5000;
        for (auto& sample : record->raw[i]) {
            value = std::clamp(value + step(generator), 100, 9900);
            sample = value;
        }
    }
    record->calibration[kMotorRpm].k = 0.000001f;
    return flight;
}

std::array<int, kChannelCount> Windows(int window) {
    std::array<int, kChannelCount> windows{};
    windows.fill(window);
    return windows;
}

void BM_FullRedraw(benchmark::State& state) {
    const int pen = static_cast<int>(state.range(0));
    const bool reduce = state.range(1) != 0;
    auto record = MakeFullRecord(pen);
    const auto windows = Windows(4);
    CurveModel model(*record, windows);
    model.Place(kPlotWidth + 1, kPlotHeight + 1);
    model.OnInitialUpdate();
    CurvePainter painter;
    QImage image(kPlotWidth + 1, kPlotHeight + 1, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&image);
        painter.DrawGrid(p, model.View().Geometry());
        painter.DrawCurves(p, model, reduce);
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetLabel(reduce ? "reduced" : "every point");
}
BENCHMARK(BM_FullRedraw)
    ->ArgNames({"pen", "reduced"})
    ->ArgsProduct({{1, 2, 5}, {1, 0}})
    ->Unit(benchmark::kMillisecond);

void BM_MouseMoveReadOut(benchmark::State& state) {
    auto record = MakeFullRecord(2);
    const auto windows = Windows(4);
    RecordPage page(*record, windows);
    page.resize(1280, 800);
    page.show();
    page.ShowRecord();
    QCoreApplication::processEvents();
    CCurveView* view = page.CurveView();
    view->repaint();  // the curves into their cached image, once
    QString status;
    QObject::connect(&page, &RecordPage::statusTextChanged,
                     [&status](const QString& text) { status = text; });
    int x = 0;
    for (auto _ : state) {
        x = (x + 7) % view->width();
        const QPointF at(x, view->height() / 2);
        QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(view, &move);
        view->repaint();
        benchmark::DoNotOptimize(status.size());
    }
}
BENCHMARK(BM_MouseMoveReadOut)->Unit(benchmark::kMicrosecond);

void BM_CursorDrag(benchmark::State& state) {
    auto record = MakeFullRecord(2);
    const auto windows = Windows(4);
    RecordPage page(*record, windows);
    page.resize(1280, 800);
    page.show();
    page.ShowRecord();
    page.SetPowerShown(true);
    QCoreApplication::processEvents();
    CCurveView* view = page.CurveView();
    view->repaint();
    const int y = view->height() / 2;
    auto send = [view, y](QEvent::Type type, int x, Qt::MouseButton button,
                          Qt::MouseButtons buttons, Qt::KeyboardModifiers keys) {
        const QPointF at(x, y);
        QMouseEvent event(type, at, view->mapToGlobal(at), button, buttons, keys);
        QCoreApplication::sendEvent(view, &event);
    };
    send(QEvent::MouseButtonPress, 20, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    send(QEvent::MouseButtonRelease, 20, Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier);
    // Ctrl+press places B and keeps it grabbed: each move drags it.
    send(QEvent::MouseButtonPress, 40, Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier);
    int x = 40;
    for (auto _ : state) {
        x = x + 7 >= view->width() ? 40 : x + 7;
        send(QEvent::MouseMove, x, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        view->repaint();
        QCoreApplication::processEvents();  // the panel's new texts laid out and painted
    }
    send(QEvent::MouseButtonRelease, x, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
}
BENCHMARK(BM_CursorDrag)->Unit(benchmark::kMicrosecond);

void BM_ComputePoints(benchmark::State& state) {
    auto record = MakeFullRecord(1);
    const auto windows = Windows(static_cast<int>(state.range(0)));
    CurveModel model(*record, windows);
    model.Place(kPlotWidth + 1, kPlotHeight + 1);
    model.OnInitialUpdate();
    for (auto _ : state) {
        model.ComputePoints();
        benchmark::DoNotOptimize(model.Points(0).data());
    }
}
BENCHMARK(BM_ComputePoints)
    ->ArgName("window")
    ->Arg(1)
    ->Arg(16)
    ->Arg(1024)
    ->Unit(benchmark::kMillisecond);

// The shown record and three more laid over it, a second apart.
struct FourFlights {
    explicit FourFlights(int pen) : windows(Windows(4)) {
        for (unsigned k = 0; k < 4; ++k) {
            flights.push_back(MakeFullRecord(pen, 11 + k));
        }
        model = std::make_unique<CurveModel>(*flights[0], windows);
        model->Place(kPlotWidth + 1, kPlotHeight + 1);
        model->OnInitialUpdate();
        model->SetReferenceLegend("flight0.dat  2026-12-07 10:00");
        for (int k = 1; k < 4; ++k) {
            // Converted by their owner, as a comparison converts what it adds.
            flights[static_cast<std::size_t>(k)]->Convert(windows);
            model->AddFlight(*flights[static_cast<std::size_t>(k)], k * 1.0,
                             "flight" + std::to_string(k) + ".dat  2026-12-07 10:00");
        }
    }
    std::array<int, kChannelCount> windows;
    std::vector<std::unique_ptr<FlightData>> flights;
    std::unique_ptr<CurveModel> model;
};

void BM_OverlayRedraw(benchmark::State& state) {
    FourFlights four(static_cast<int>(state.range(0)));
    const CurveModel& model = *four.model;
    CurvePainter painter;
    FlightOverlayPainter overlay;
    QImage image(kPlotWidth + 1, kPlotHeight + 1, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&image);
        painter.DrawGrid(p, model.View().Geometry());
        overlay.DrawFlights(p, model);
        painter.DrawCurves(p, model);
        overlay.DrawLegend(p, model);
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_OverlayRedraw)->ArgName("pen")->Arg(1)->Arg(2)->Arg(5)->Unit(benchmark::kMillisecond);

// The stacked layout: six plots (the five logged channels and the power),
// each with the curve of every one of the four flights, in the room of the
// single plot above (compare with BM_FullRedraw at the same pen).
void BM_StackedRedraw(benchmark::State& state) {
    FourFlights four(static_cast<int>(state.range(0)));
    CurveModel& model = *four.model;
    model.SetPowerShown(true);
    const std::vector<int> curves = model.DrawnCurves(DefaultStackedCurves());
    PlotStack stack;
    stack.Arrange(curves, kPlotWidth + 1, kPlotHeight + 1, 6);
    model.Place(kPlotWidth + 1, stack.StripGeometry().viewHeight, 0, kStripRows);
    StackPainter painter;
    FlightOverlayPainter overlay;
    QImage image(kPlotWidth + 1, stack.ViewHeight(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&image);
        painter.Draw(p, model, stack);
        overlay.DrawLegend(p, model);
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetLabel(std::to_string(curves.size()) + " plots x 4 flights");
}
BENCHMARK(BM_StackedRedraw)->ArgName("pen")->Arg(1)->Arg(2)->Arg(5)->Unit(benchmark::kMillisecond);

void BM_OverlayReadOut(benchmark::State& state) {
    FourFlights four(2);
    CurveModel& model = *four.model;
    model.SetPowerShown(true);
    int x = 0;
    for (auto _ : state) {
        x = (x + 7) % model.View().Geometry().plotWidth;
        model.OnMouseMove(x);
        const std::string tooltip = model.TooltipText();
        const std::string status = model.StatusText();
        benchmark::DoNotOptimize(tooltip.size() + status.size());
    }
}
BENCHMARK(BM_OverlayReadOut)->Unit(benchmark::kMicrosecond);

// The X/Y plot of four full records (4 x 16384 points, RPM against throttle)
// computed and drawn with its histogram, as a change of axis or span redraws it.
void BM_XYRedraw(benchmark::State& state) {
    FourFlights four(1);
    std::vector<std::unique_ptr<SpanIndex>> indexes;
    std::vector<XYFlight> flights;
    for (const auto& flight : four.flights) {
        indexes.push_back(std::make_unique<SpanIndex>(*flight));
        flights.push_back({indexes.back().get()});
    }
    XYPlotView view;
    view.SetColours({Qt::blue, Qt::red, Qt::darkGreen, Qt::black});
    const QSize size(kPlotWidth, kPlotHeight);
    QImage image(size, QImage::Format_RGB32);
    int axis = 0;
    for (auto _ : state) {
        // Another Y each time, so the points are computed afresh.
        view.Plot().SetAxes(kThrottle, axis++ % 2 == 0 ? kMotorRpm : kCurrent);
        view.Plot().SetFlights(flights);
        QPainter p(&image);
        view.Draw(p, size);
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_XYRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
