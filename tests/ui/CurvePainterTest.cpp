// Reducing each pixel column to four points must not change the picture: the
// curves drawn from the reduced points against one polyline through every point.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <memory>
#include <random>

#include "plot/CurveModel.h"
#include "ui/plot/CurvePainter.h"

namespace tavix {
namespace {

QImage Draw(CurveModel& model, bool reduce) {
    const PlotGeometry& g = model.View().Geometry();
    QImage image(g.viewWidth, g.viewHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    CurvePainter curves;
    curves.DrawGrid(painter, g);
    curves.DrawCurves(painter, model, reduce);
    return image;
}

int Differences(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            n += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
        }
    }
    return n;
}

// Pixels of `curve` in `a` with no pixel of that colour within one pixel in `b`.
int FarPixels(const QImage& a, const QImage& b, QRgb curve) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb colour = a.pixel(x, y);
            if (colour != curve) {
                continue;
            }
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy) {
                for (int dx = -1; dx <= 1 && !near; ++dx) {
                    near = b.valid(x + dx, y + dy) && b.pixel(x + dx, y + dy) == colour;
                }
            }
            n += near ? 0 : 1;
        }
    }
    return n;
}

TEST(CurvePainterTest, ReducedCurvesLookLikeEveryPointDrawn) {
    auto record = std::make_unique<FlightData>();
    record->record.header.samples = 6000;
    record->record.header.channels = 3;
    record->record.dataLoaded = true;
    std::mt19937 generator(5);
    std::uniform_int_distribution<int> step(-30, 30);
    for (int i = 0; i < 3; ++i) {
        record->record.calibration[i] = {0.01f, 0.0f};
        record->record.ranges[i] = {0.0f, 100.0f};
        record->record.channels[i].colour = 0x0000FFu << (8 * i);
        record->record.channels[i].visible = 1;
        int value = 5000;
        for (int j = 0; j < 6000; ++j) {
            value = std::clamp(value + step(generator), 0, 10000);
            record->record.raw[i][j] = value;
        }
    }
    const std::array<int, kChannelCount> windows{1, 1, 1, 1, 1, 1, 1, 1};
    CurveModel model(*record, windows);
    model.Place(401, 301);
    model.OnInitialUpdate();

    // Every pixel of the curve in one picture has the curve's colour within a
    // pixel in the other: a one-pixel pen differs only where segments end,
    // square-capped wide segments from round joins only at the edges. (One
    // curve at a time: where curves cross, either may lie on top.)
    const QRgb red = qRgb(255, 0, 0);
    for (const int pen : {1, 3}) {
        for (int i = 0; i < 3; ++i) {
            record->record.channels[i].line = pen;
            record->record.channels[i].visible = i == 0 ? 1 : 0;
        }
        const QImage reduced = Draw(model, true);
        const QImage every = Draw(model, false);
        EXPECT_EQ(FarPixels(reduced, every, red), 0) << pen;
        EXPECT_EQ(FarPixels(every, reduced, red), 0) << pen;
        EXPECT_LT(Differences(reduced, every), reduced.width() * reduced.height() / 100) << pen;
    }
}

TEST(CurvePainterTest, TimeLabelsThinOutWhereTheCellsAreNarrowerThanThem) {
    // A full record at 15 samples per second, zoomed to its last ten: labels
    // such as "1091.66", seven characters of the axis font.
    auto record = std::make_unique<FlightData>();
    record->record.header.samples = kMaxSamples;
    record->record.header.channels = 1;
    record->record.header.rate = 15;
    record->record.dataLoaded = true;
    const std::array<int, kChannelCount> windows{1, 1, 1, 1, 1, 1, 1, 1};
    CurveModel model(*record, windows);
    model.Place(1001, 301);
    model.OnInitialUpdate();
    ASSERT_TRUE(model.ZoomAt(1000, 100));
    ASSERT_EQ(model.View().TimeLabels()[9].find_first_not_of(' '), 0u)
        << model.View().TimeLabels()[9];
    const QFontMetrics metrics(CurvePainter::AxisFont());
    const int label =
        metrics.horizontalAdvance(QString::fromLatin1(model.View().TimeLabels()[9].c_str()));
    struct Case {
        int cell;
        int stride;
    };
    const Case cases[] = {{label + 20, 1}, {label - 2, 2}, {label / 3, 5}, {label / 6, 10}};
    for (const Case& c : cases) {
        model.Place(10 * c.cell + 1, 301);
        EXPECT_EQ(CurvePainter::TimeLabelStride(model, metrics), c.stride) << c.cell;
    }
}

}  // namespace
}  // namespace tavix
