#include "ui/records/PacksView.h"

#include <QDateTime>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

#include "platform/GbkText.h"
#include "records/PackBook.h"

namespace tavix {

namespace {

struct Chart {
    const char* title;
    std::function<std::optional<double>(const PackFlight&)> value;
    int decimals;
};

const Chart kCharts[] = {
    {"mAh per flight", [](const PackFlight& f) { return f.capacityMah; }, 0},
    {"Lowest V/cell", [](const PackFlight& f) { return f.minCellVoltage; }, 2},
    {"Resistance (mOhm)",
     [](const PackFlight& f) {
         return f.ohms ? std::optional<double>(*f.ohms * 1000.0) : std::nullopt;
     },
     1},
};

}  // namespace

QColor PackColour(int index) {
    static const QColor kColours[] = {QColor(0, 90, 200),  QColor(220, 60, 0),  QColor(0, 150, 60),
                                      QColor(150, 0, 170), QColor(200, 150, 0), QColor(0, 160, 170),
                                      QColor(120, 70, 30), QColor(90, 90, 90)};
    return kColours[index % static_cast<int>(std::size(kColours))];
}

PackTrendPlot::PackTrendPlot(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("packPlot"));
    setMinimumSize(360, 240);
}

void PackTrendPlot::SetPacks(const std::vector<PackRow>& packs) {
    packs_ = packs;
    update();
}

void PackTrendPlot::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
    p.setRenderHint(QPainter::Antialiasing);
    if (packs_.empty()) {
        return;
    }
    std::int64_t first = packs_.front().firstFlight;
    std::int64_t last = packs_.front().lastFlight;
    for (const PackRow& row : packs_) {
        first = std::min(first, row.firstFlight);
        last = std::max(last, row.lastFlight);
    }
    const QFontMetrics fm = p.fontMetrics();
    const int left = fm.horizontalAdvance(QStringLiteral("00000.0")) + 8;
    const int right = 12;
    const int legend = fm.height() + 6;
    const int bottom = fm.height() + 6;  // the dates
    const int charts = static_cast<int>(std::size(kCharts));
    const int chartHeight = (height() - legend - bottom) / charts;
    const int width = std::max(10, this->width() - left - right);
    auto xOf = [&](std::int64_t time) {
        return last == first ? left + width / 2
                             : left + static_cast<int>(static_cast<double>(time - first) * width /
                                                       static_cast<double>(last - first));
    };

    // Legend: one colour per pack.
    int x = left;
    for (std::size_t i = 0; i < packs_.size(); ++i) {
        p.fillRect(QRect(x, 4, 10, 10), PackColour(static_cast<int>(i)));
        const QString name = FromGbk(packs_[i].pack);
        p.setPen(palette().color(QPalette::Text));
        p.drawText(x + 14, 4 + fm.ascent() - 1, name);
        x += 14 + fm.horizontalAdvance(name) + 16;
    }

    for (int c = 0; c < charts; ++c) {
        const Chart& chart = kCharts[c];
        const QRect area(left, legend + c * chartHeight + fm.height() + 2, width,
                         chartHeight - fm.height() - 10);
        p.setPen(palette().color(QPalette::Text));
        p.drawText(left, legend + c * chartHeight + fm.ascent(), QString::fromLatin1(chart.title));
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(area.adjusted(0, 0, -1, -1));
        std::optional<double> low;
        std::optional<double> high;
        for (const PackRow& row : packs_) {
            for (const PackFlight& f : row.history) {
                if (const auto v = chart.value(f)) {
                    low = low ? std::min(*low, *v) : *v;
                    high = high ? std::max(*high, *v) : *v;
                }
            }
        }
        if (!low) {
            p.drawText(area, Qt::AlignCenter, tr("no values"));
            continue;
        }
        double span = *high - *low;
        const double pad = span > 0 ? span * 0.1 : std::max(std::fabs(*low) * 0.05, 0.01);
        const double bottomValue = *low - pad;
        span = *high + pad - bottomValue;
        auto yOf = [&](double v) {
            return area.bottom() - static_cast<int>((v - bottomValue) / span * area.height());
        };
        p.setPen(palette().color(QPalette::Text));
        p.drawText(QRect(0, area.top() - fm.height() / 2, left - 4, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(*high + pad, 'f', chart.decimals));
        p.drawText(QRect(0, area.bottom() - fm.height() / 2, left - 4, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(bottomValue, 'f', chart.decimals));
        for (std::size_t i = 0; i < packs_.size(); ++i) {
            const QColor colour = PackColour(static_cast<int>(i));
            p.setPen(QPen(colour, 1.5));
            p.setBrush(colour);
            QPainterPath line;
            bool started = false;
            for (const PackFlight& f : packs_[i].history) {
                const auto v = chart.value(f);
                if (!v) {
                    continue;
                }
                const QPointF point(xOf(f.time), yOf(*v));
                if (started) {
                    line.lineTo(point);
                } else {
                    line.moveTo(point);
                    started = true;
                }
                p.drawEllipse(point, 2.5, 2.5);
            }
            p.setBrush(Qt::NoBrush);
            p.drawPath(line);
        }
    }
    // The dates of the first and the last flight.
    p.setPen(palette().color(QPalette::Text));
    const int y = height() - 4;
    const QString from =
        QDateTime::fromSecsSinceEpoch(first).toString(QStringLiteral("yyyy-MM-dd hh:mm"));
    const QString to =
        QDateTime::fromSecsSinceEpoch(last).toString(QStringLiteral("yyyy-MM-dd hh:mm"));
    p.drawText(left, y, from);
    if (last != first) {
        p.drawText(left + width - fm.horizontalAdvance(to), y, to);
    }
}

PacksView::PacksView(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("packsView"));
    setWindowTitle(QString::fromLatin1(kPacksTitle));
    resize(820, 560);
    table_ = new QTableWidget(this);
    table_->setColumnCount(kPackColumns);
    QStringList headings;
    for (const char* heading : kPackHeadings) {
        headings << QString::fromLatin1(heading);
    }
    table_->setHorizontalHeaderLabels(headings);
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->horizontalHeader()->setStretchLastSection(true);
    empty_ = new QLabel(QString::fromLatin1(kMsgNoPacks), this);
    empty_->setWordWrap(true);
    plot_ = new PackTrendPlot(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addWidget(empty_);
    layout->addWidget(plot_, 2);
}

void PacksView::SetPacks(const std::vector<PackRow>& packs) {
    table_->setRowCount(static_cast<int>(packs.size()));
    for (int r = 0; r < static_cast<int>(packs.size()); ++r) {
        for (int c = 0; c < kPackColumns; ++c) {
            auto* item = new QTableWidgetItem(FromGbk(PackCell(packs[r], c)));
            if (c == 0) {
                item->setForeground(PackColour(r));
            } else if (c < 6) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            table_->setItem(r, c, item);
        }
    }
    table_->resizeColumnsToContents();
    empty_->setVisible(packs.empty());
    plot_->SetPacks(packs);
}

}  // namespace tavix
