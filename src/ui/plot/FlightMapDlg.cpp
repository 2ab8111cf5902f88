#include "FlightMapDlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "XYPlotView.h"
#include "analysis/ThrottleMap.h"
#include "platform/GbkText.h"
#include "platform/ScreenFit.h"
#include "platform/UiLanguage.h"

namespace tavix {

namespace {

QComboBox* QuantityBox(int chosen, QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (const int quantity : kXYQuantities) {
        box->addItem(ShownText(XYQuantityName(quantity)), quantity);
    }
    box->setCurrentIndex(std::max(0, box->findData(chosen)));
    return box;
}

}  // namespace

FlightMapDlg::FlightMapDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("flightMap"));
    setWindowTitle(ShownText(kMapTitle));
    tabs_ = new QTabWidget(this);

    auto* map = new QWidget(tabs_);
    band_ = new QSpinBox(map);
    band_->setObjectName(QStringLiteral("mapBandWidth"));
    band_->setRange(static_cast<int>(kMinMapBand), static_cast<int>(kMaxMapBand));
    band_->setValue(static_cast<int>(kDefaultMapBand));
    band_->setSuffix(QStringLiteral(" %"));
    auto* bandCaption = new QLabel(ShownText(kMapBandCaption), map);
    bandCaption->setBuddy(band_);
    table_ = new QTableWidget(map);
    table_->setObjectName(QStringLiteral("mapTable"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->setAccessibleName(ShownText(kMapTitle));
    auto* bandRow = new QHBoxLayout();
    bandRow->addWidget(bandCaption);
    bandRow->addWidget(band_);
    bandRow->addStretch(1);
    auto* mapLayout = new QVBoxLayout(map);
    mapLayout->addLayout(bandRow);
    mapLayout->addWidget(table_, 1);
    tabs_->addTab(map, ShownText(kMapTab));

    auto* xy = new QWidget(tabs_);
    x_ = QuantityBox(kThrottle, xy);
    x_->setObjectName(QStringLiteral("xyX"));
    y_ = QuantityBox(kMotorRpm, xy);
    y_->setObjectName(QStringLiteral("xyY"));
    span_ = new QComboBox(xy);
    span_->setObjectName(QStringLiteral("xySpan"));
    span_->addItems({ShownText(kXYWhole), ShownText(kXYBetweenCursors)});
    auto* xCaption = new QLabel(tr("&X:"), xy);
    xCaption->setBuddy(x_);
    auto* yCaption = new QLabel(tr("&Y:"), xy);
    yCaption->setBuddy(y_);
    plot_ = new XYPlotView(xy);
    auto* choice = new QHBoxLayout();
    choice->addWidget(xCaption);
    choice->addWidget(x_);
    choice->addSpacing(12);
    choice->addWidget(yCaption);
    choice->addWidget(y_);
    choice->addSpacing(12);
    choice->addWidget(span_);
    choice->addStretch(1);
    auto* xyLayout = new QVBoxLayout(xy);
    xyLayout->addLayout(choice);
    xyLayout->addWidget(plot_, 1);
    tabs_->addTab(xy, ShownText(kXYTab));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    resize(WithinScreen(*this, {900, 560}));
    FillTable();

    connect(band_, &QSpinBox::valueChanged, this, [this] { FillTable(); });
    for (QComboBox* box : {x_, y_, span_}) {
        connect(box, &QComboBox::currentIndexChanged, this, [this] { FillPlot(); });
    }
}

void FlightMapDlg::ShowFlights(std::vector<MapFlight> flights) {
    std::erase_if(flights, [](const MapFlight& f) { return f.index == nullptr; });
    flights_ = std::move(flights);
    FillTable();
    FillPlot();
}

void FlightMapDlg::FillTable() {
    table_->clear();
    QStringList heads{ShownText(kMapRecordHeading)};
    for (const char* heading : kMapHeadings) {
        heads << ShownText(heading);
    }
    table_->setColumnCount(static_cast<int>(heads.size()));
    table_->setHorizontalHeaderLabels(heads);
    table_->setRowCount(0);
    if (flights_.empty()) {
        table_->setRowCount(1);
        table_->setItem(0, 0, new QTableWidgetItem(ShownText(kMapNoRecord)));
        table_->setSpan(0, 0, 1, table_->columnCount());
        return;
    }
    for (const MapFlight& flight : flights_) {
        const ThrottleMap map = MapThrottle(*flight.index, band_->value());
        if (!map.hasThrottle) {
            const int row = table_->rowCount();
            table_->insertRow(row);
            table_->setItem(row, 0,
                            new QTableWidgetItem(ShownText(kMapNoThrottle).arg(flight.name)));
            table_->setSpan(row, 0, 1, table_->columnCount());
            continue;
        }
        const auto rows = MapTextRows(map);
        for (std::size_t r = 1; r < rows.size(); ++r) {
            const int row = table_->rowCount();
            table_->insertRow(row);
            auto* name = new QTableWidgetItem(r == 1 ? flight.name : QString());
            name->setForeground(flight.colour);
            table_->setItem(row, 0, name);
            for (std::size_t c = 0; c < rows[r].size(); ++c) {
                auto* item = new QTableWidgetItem(QString::fromStdString(rows[r][c]));
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                table_->setItem(row, static_cast<int>(c) + 1, item);
            }
        }
    }
    table_->resizeColumnsToContents();
}

void FlightMapDlg::FillPlot() {
    const bool between = span_->currentIndex() == 1;
    std::vector<XYFlight> flights;
    std::vector<QColor> colours;
    for (const MapFlight& flight : flights_) {
        XYFlight xy{flight.index};
        if (between && flight.span) {
            xy.first = flight.span->first;
            xy.last = flight.span->second;
        } else if (between) {
            continue;  // no span of its own: not in the span asked for
        }
        flights.push_back(xy);
        colours.push_back(flight.colour);
    }
    XYPlot& plot = plot_->Plot();
    plot.SetAxes(x_->currentData().toInt(), y_->currentData().toInt());
    plot.SetFlights(std::move(flights));
    plot_->SetColours(std::move(colours));
    plot_->Refresh();
}

}  // namespace tavix
