#include "RecordPage.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "CColorPicker.h"
#include "CCurveView.h"
#include "ChannelControls.h"
#include "ChartImageExport.h"
#include "ComparisonPanel.h"
#include "CurvePainter.h"
#include "EventMarkerStrip.h"
#include "FlightMapDlg.h"
#include "FlightOverlayPainter.h"
#include "SpanPanel.h"
#include "analysis/AnalysisMessages.h"
#include "analysis/FlightQuantities.h"
#include "analysis/MotorHealth.h"
#include "base/OutsideText.h"
#include "platform/ColorRef.h"
#include "platform/GbkText.h"
#include "platform/UiLanguage.h"
#include "plot/CurveModel.h"
#include "plot/EventMarkers.h"
#include "plot/PlotMessages.h"
#include "plot/PlotStack.h"
#include "plot/SpanReadout.h"
#include "records/Comparison.h"
#include "records/RecordCheck.h"
#include "shell/ShellMessages.h"
#include "ui/analysis/EventLimitsDlg.h"
#include "ui/analysis/EventListPanel.h"
#include "ui/analysis/FlightSummaryPanel.h"

namespace tavix {

namespace {

QLabel* Caption(const char* text, QWidget* parent) {
    return new QLabel(ShownText(text), parent);
}

// Rows between two stacked plots.
constexpr int kStripGap = 6;

}  // namespace

// The curves with their labels around them: it places the grid (one plot, or
// the stacked plots) in what room the labels leave, shrinks the curve view to
// the grid and paints the labels.
class RecordChart : public QWidget {
public:
    RecordChart(CurveModel& model, QWidget* parent) : QWidget(parent), model_(model) {
        setObjectName(QStringLiteral("chart"));
        view_ = new CCurveView(model, this);
        setMinimumSize(320, 160);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
    CCurveView* View() const { return view_; }
    PlotLayout Layout() const { return layout_; }
    const std::vector<int>& StackedCurves() const { return stacked_; }
    const PlotStack& Stack() const { return stack_; }
    void SetLayout(PlotLayout layout) {
        layout_ = layout;
        Relayout();
    }
    void SetStackedCurves(std::vector<int> curves) {
        stacked_ = std::move(curves);
        Relayout();
    }
    // The plots follow the size, the layout and the curves there are to draw.
    void Relayout() {
        const QMargins m = CurvePainter::LabelMargins();
        const int width = this->width() - m.left() - m.right();
        const int height = this->height() - m.top() - m.bottom();
        const std::vector<int> curves =
            layout_ == PlotLayout::Stacked ? model_.DrawnCurves(stacked_) : std::vector<int>();
        if (!curves.empty()) {
            // The flights' names stand above the plots, not over them.
            const int legend = FlightOverlayPainter::LegendBand(model_);
            stack_.Arrange(curves, width, height - legend, kStripGap);
            model_.Place(width, stack_.StripGeometry().viewHeight, 0, kStripRows);
            view_->setGeometry(m.left(), m.top() + legend, model_.View().Geometry().viewWidth,
                               stack_.ViewHeight());
            view_->SetStack(&stack_);
        } else {
            model_.Place(width, height);
            const PlotGeometry& g = model_.View().Geometry();
            view_->setGeometry(m.left(), m.top(), g.viewWidth, g.viewHeight);
            view_->SetStack(nullptr);
        }
        view_->InvalidateCurves();
        update();
    }

protected:
    void resizeEvent(QResizeEvent*) override { Relayout(); }
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (view_->Stack() != nullptr) {
            painter_.DrawStackLabels(painter, model_, stack_, view_->pos());
            painter.translate(view_->x(), CurvePainter::LabelMargins().top());
            flights_.DrawLegend(painter, model_);
        } else {
            painter_.DrawAxisLabels(painter, model_, view_->pos());
        }
    }

private:
    CurveModel& model_;
    CCurveView* view_ = nullptr;
    CurvePainter painter_;
    FlightOverlayPainter flights_;
    PlotLayout layout_ = PlotLayout::Overlay;
    std::vector<int> stacked_ = DefaultStackedCurves();
    PlotStack stack_;
};

RecordPage::RecordPage(FlightData& data, const std::array<int, kChannelCount>& windows,
                       QWidget* parent)
    : QWidget(parent), record_(data.record), model_(std::make_unique<CurveModel>(data, windows)) {
    setObjectName(QStringLiteral("recordPage"));
    chart_ = new RecordChart(*model_, this);
    view_ = chart_->View();

    // Statistics in two lines below the curves; each caption after a value
    // begins with that value's unit.
    static constexpr const char* kObjectNames[kStatisticCount] = {
        "statMaxCurrent", "statMinVoltage",     "statMaxThrottle",
        "statMaxPower",   "statMaxTemperature", "statSamplingRate"};
    for (int i = 0; i < kStatisticCount; ++i) {
        values_[i] = new QLabel(ShownText(kStatisticNone), this);
        values_[i]->setObjectName(QString::fromLatin1(kObjectNames[i]));
        values_[i]->setMinimumWidth(48);
        values_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        values_[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    auto* firstLine = new QHBoxLayout();
    firstLine->addWidget(Caption(kCaptionMaxCurrent, this));
    firstLine->addWidget(values_[kStatMaxCurrent]);
    firstLine->addWidget(Caption(kCaptionMinVoltage, this));
    firstLine->addWidget(values_[kStatMinVoltage]);
    firstLine->addWidget(Caption(kCaptionMaxThrottle, this));
    firstLine->addWidget(values_[kStatMaxThrottle]);
    firstLine->addWidget(Caption(kCaptionPercent, this));
    firstLine->addStretch(1);
    auto* secondLine = new QHBoxLayout();
    secondLine->addWidget(Caption(kCaptionMaxPower, this));
    secondLine->addWidget(values_[kStatMaxPower]);
    secondLine->addWidget(Caption(kCaptionMaxTemperature, this));
    secondLine->addWidget(values_[kStatMaxTemperature]);
    // The degree sign of the temperature before it is the device's own text.
    secondLine->addWidget(new QLabel(
        FromGbk(std::string(kCaptionSamplingRate, 2)) + ShownText(kCaptionSamplingRateWords),
        this));
    secondLine->addWidget(values_[kStatSamplingRate]);
    secondLine->addWidget(Caption(kCaptionSamplesPerSecond, this));
    secondLine->addStretch(1);

    snap_ = new QPushButton(ShownText(kBtnSnap), this);
    snap_->setObjectName(QStringLiteral("snapButton"));
    snap_->setAutoDefault(false);
    snap_->setToolTip(tr("Save the record page as an image"));
    connect(snap_, &QPushButton::clicked, this, &RecordPage::snapRequested);
    mapButton_ = new QPushButton(tr("&Map..."), this);
    mapButton_->setObjectName(QStringLiteral("mapButton"));
    mapButton_->setAutoDefault(false);
    mapButton_->setToolTip(
        tr("Where the motor spends the flight: time and load per throttle band, and any "
           "quantity against another"));
    connect(mapButton_, &QPushButton::clicked, this, &RecordPage::ShowMap);

    // The layout of the curves: all on one plot, or one plot per curve.
    stackedCheck_ = new QCheckBox(tr("Stac&ked"), this);
    stackedCheck_->setObjectName(QStringLiteral("stackedCheck"));
    stackedCheck_->setToolTip(
        tr("One plot per curve, one above the other over one time axis; off: all curves on one "
           "plot"));
    connect(stackedCheck_, &QCheckBox::toggled, this, [this](bool stacked) {
        const PlotLayout layout = stacked ? PlotLayout::Stacked : PlotLayout::Overlay;
        if (layout != chart_->Layout()) {
            SetLayout(layout);
            emit layoutChosen(layout);
        }
    });
    plotsMenu_ = new QMenu(this);
    for (int curve = 0; curve <= CurveModel::kPowerCurve; ++curve) {
        QAction* action = plotsMenu_->addAction(
            curve == CurveModel::kPowerCurve ? tr("Power") : tr(kChannelCaptions[curve]));
        action->setCheckable(true);
        action->setData(curve);
        connect(action, &QAction::toggled, this, [this] { OnStackedPlotsPicked(); });
    }
    plotsButton_ = new QToolButton(this);
    plotsButton_->setObjectName(QStringLiteral("stackedPlotsButton"));
    plotsButton_->setText(tr("Plots"));
    plotsButton_->setToolTip(
        tr("The curves the stacked layout plots (the power while its curve is shown)"));
    plotsButton_->setMenu(plotsMenu_);
    plotsButton_->setPopupMode(QToolButton::InstantPopup);
    plotsButton_->setFocusPolicy(Qt::StrongFocus);
    SetStackedCurves(DefaultStackedCurves());
    plotsButton_->setEnabled(false);  // until the plots are stacked
    auto* layoutRow = new QHBoxLayout();
    layoutRow->addWidget(stackedCheck_);
    layoutRow->addWidget(plotsButton_);

    // The Y-axis, display and colour choices of the eight channels go here.
    channelControls_ = new QWidget(this);
    channelControls_->setObjectName(QStringLiteral("channelControls"));
    new QVBoxLayout(channelControls_);
    channelControls_->layout()->setContentsMargins(0, 0, 0, 0);

    auto* side = new QVBoxLayout();
    side->addWidget(snap_);
    side->addWidget(mapButton_);
    side->addLayout(layoutRow);
    side->addWidget(channelControls_, 1);

    // A record holding values no logger produces is marked for as long as
    // it is shown: its numbers would otherwise look like a flight's.
    implausible_ = new QLabel(this);
    implausible_->setObjectName(QStringLiteral("implausibleMark"));
    implausible_->setWordWrap(true);
    implausible_->setStyleSheet(
        QStringLiteral("QLabel { background: #c62828; color: white; font-weight: bold; "
                       "padding: 3px; }"));
    implausible_->hide();
    auto* plotColumn = new QVBoxLayout();
    plotColumn->setSpacing(2);
    plotColumn->addWidget(implausible_);
    plotColumn->addWidget(chart_, 1);

    // Above: the curves, their statistics and the side column; below, in a
    // part of its own that scrolls when the window is small: the flight's
    // quantities, the span or the comparison. The rule between them moves.
    auto* upper = new QWidget(this);
    upper->setObjectName(QStringLiteral("curvesPart"));
    auto* layout = new QGridLayout(upper);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(plotColumn, 0, 0);
    layout->addLayout(firstLine, 1, 0);
    layout->addLayout(secondLine, 2, 0);
    layout->addLayout(side, 0, 1, 3, 1);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(0, 1);
    analysis_ = new QScrollArea(this);
    analysis_->setObjectName(QStringLiteral("analysisPart"));
    analysis_->setWidgetResizable(true);
    analysis_->setFrameShape(QFrame::NoFrame);
    analysis_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    split_ = new QSplitter(Qt::Vertical, this);
    split_->setObjectName(QStringLiteral("recordSplit"));
    split_->setChildrenCollapsible(false);
    split_->addWidget(upper);
    split_->addWidget(analysis_);
    split_->setStretchFactor(0, 3);
    split_->setStretchFactor(1, 1);
    auto* pageLayout = new QVBoxLayout(this);
    pageLayout->setContentsMargins(4, 4, 4, 4);
    pageLayout->addWidget(split_);

    connect(view_, &CCurveView::valuesRead, this,
            [this] { emit statusTextChanged(ShownText(model_->StatusText())); });
    connect(view_, &CCurveView::windowChanged, chart_, qOverload<>(&QWidget::update));
    // The events along the top edge of the curves.
    markers_ = new EventMarkerStrip(*model_, view_);
    connect(view_, &CCurveView::windowChanged, markers_, &EventMarkerStrip::Relayout);
    connect(markers_, &EventMarkerStrip::eventChosen, this, &RecordPage::ChooseEvent);

    // The flight's quantities, the power curve and the cursors' span.
    analysis_->setWidget(BuildAnalysis());
    // The power curve's box with the page's other choices of what is drawn.
    auto* power = new QHBoxLayout();
    power->addWidget(powerCheck_);
    power->addWidget(powerColour_);
    power->addStretch(1);
    side->insertLayout(3, power);
    connect(view_, &CCurveView::cursorsChanged, this, &RecordPage::UpdateSpan);
    connect(view_, &CCurveView::cursorsChanged, compare_, &ComparisonPanel::UpdateSpan);
    connect(compare_, &ComparisonPanel::curvesChanged, this, &RecordPage::CurvesChanged);
    connect(compare_, &ComparisonPanel::statusTextChanged, this, &RecordPage::statusTextChanged);
    connect(compare_, &ComparisonPanel::comparisonChanged, this,
            [this] { ComparisonShown(compare_->isVisibleTo(this)); });
}

void RecordPage::ShowComparison(Comparison* comparison) {
    // What the table replaces goes first, so the page never needs the room
    // of both at once (a window would grow to hold them).
    if (comparison != nullptr && comparison->Active()) {
        ComparisonShown(true);
    }
    compare_->Show(comparison);
    ComparisonShown(compare_->isVisibleTo(this));
}

void RecordPage::ComparisonShown(bool comparing) {
    // The difference table takes the place of the flight's quantities,
    // events list and span (it compares the figures of every record) and
    // shares the height with the curves.
    summary_->setVisible(!comparing);
    motor_->setVisible(!comparing);
    // The reference's events stay marked along the curves.
    eventList_->setVisible(!comparing);
    spanRule_->setVisible(!comparing);
    span_->setVisible(!comparing);
    // The table gets two fifths of the height, the flight's own figures
    // what they need.
    const int height = split_->height();
    const int below =
        comparing ? height * 2 / 5 : std::min(height / 2, analysis_->widget()->sizeHint().height());
    if (height > 0) {
        split_->setSizes({height - below, below});
    }
}

QWidget* RecordPage::BuildAnalysis() {
    // Three lines of the flight's quantities with the power curve's box, a
    // rule, then the cursors' span: compact, so the curves keep their room.
    auto* row = new QWidget(this);
    row->setObjectName(QStringLiteral("analysisRow"));
    // Max.Power stands with the statistics above already.
    summary_ = new FlightSummaryPanel(row, 2, kQuantityMaxPower);
    summary_->setObjectName(QStringLiteral("flightSummary"));
    // The motor's figures of the flight, beside its quantities.
    motor_ = new FlightSummaryPanel(MotorTexts(MotorEstimate{}), row, 2);
    motor_->setObjectName(QStringLiteral("motorFigures"));
    motor_->setToolTip(ShownText(kMotorFiguresTip));
    // Narrower than its figures' line in a small window: the Steady line wraps.
    motor_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    powerCheck_ = new QCheckBox(ShownText(kPowerCheckCaption), row);
    powerCheck_->setObjectName(QStringLiteral("powerCheck"));
    powerCheck_->setEnabled(false);
    powerColour_ = new CColorPicker(row);
    powerColour_->setObjectName(QStringLiteral("powerColourPicker"));
    powerColour_->setToolTip(ShownText(kPowerColourTip));
    powerColour_->setAccessibleName(ShownText(kPowerColourTip));
    powerColour_->SetColour(model_->PowerColour());
    eventList_ = new EventListPanel(row);
    // As many events as the height gives room for.
    eventList_->setMinimumSize(180, 84);
    eventList_->setMaximumWidth(180);
    eventList_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    // The quantities keep their room; the list takes what is left.
    summary_->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
    // The difference table under the curves while records are compared.
    compare_ = new ComparisonPanel(*model_, row);
    compare_->setMinimumHeight(100);
    auto* flight = new QHBoxLayout();
    // The motor's figures above the power curve's box: the width is shared
    // with the quantities and the events at the window's smallest size.
    auto* motorColumn = new QVBoxLayout();
    motorColumn->addWidget(motor_);
    motorColumn->addStretch(1);
    // The figures keep their lines together at the top when the part is tall.
    flight->addWidget(summary_, 0, Qt::AlignTop);
    flight->addSpacing(16);
    flight->addLayout(motorColumn, 1);  // room to spare keeps the Steady line whole
    flight->addWidget(compare_, 100);   // all the width while it is shown
    flight->addStretch(1);
    flight->addWidget(eventList_);

    auto* rule = new QFrame(row);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    spanRule_ = rule;
    span_ = new SpanPanel(row);
    span_->setAccessibleName(ShownText(kSpanTitle));

    auto* layout = new QVBoxLayout(row);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->setSpacing(3);
    layout->addLayout(flight);
    layout->addWidget(rule);
    layout->addWidget(span_);

    connect(powerCheck_, &QCheckBox::toggled, this, &RecordPage::SetPowerShown);
    connect(powerColour_, &CColorPicker::colourChanged, this, &RecordPage::OnPowerColourPicked);
    connect(eventList_, &EventListPanel::eventChosen, this, &RecordPage::ChooseEvent);
    connect(eventList_, &EventListPanel::limitsRequested, this, &RecordPage::AskLimits);
    UpdateSpan();
    return row;
}

void RecordPage::UpdateSpan() {
    span_->Show(ReadSpan(*model_));
    UpdateMap();
}

void RecordPage::ShowMap() {
    if (map_ == nullptr) {
        map_ = new FlightMapDlg(this);
    }
    map_->show();
    UpdateMap();
    map_->raise();
    map_->activateWindow();
}

void RecordPage::UpdateMap() {
    if (map_ == nullptr || !map_->isVisible()) {
        return;
    }
    std::vector<MapFlight> flights;
    const SpanIndex* index = model_->Index();
    if (index == nullptr || !model_->View().RecordPresent()) {
        map_->ShowFlights({});
        return;
    }
    const std::optional<int> a = model_->Cursors().SampleOf(Cursor::A);
    const std::optional<int> b = model_->Cursors().SampleOf(Cursor::B);
    const Comparison* comparison = compare_->Shown();
    const bool comparing = comparison != nullptr && comparison->Active();
    const double rate = index->Rate() > 0 ? index->Rate() : 1.0;
    for (int k = 0; k < (comparing ? comparison->Count() : 1); ++k) {
        MapFlight flight;
        flight.index = k == 0 ? index : comparison->Record(k).index.get();
        flight.name = comparing ? FromGbk(EscapeControls(comparison->Name(k))) : tr("This record");
        flight.colour = FromColorRef(kFlightColours[k]);
        if (a && b) {
            // The cursors stand on the reference's axis: each record's own
            // samples there, as its curves are drawn.
            const double offset = comparing ? comparison->Offset(k) : 0.0;
            const double own = flight.index->Rate() > 0 ? flight.index->Rate() : 1.0;
            auto sample = [&](int at) {
                return static_cast<int>(std::lround((at / rate - offset) * own));
            };
            flight.span = std::minmax(sample(*a), sample(*b));
            if (flight.span->second < 0 || flight.span->first >= flight.index->Samples()) {
                flight.span.reset();  // the span lies outside this record
            }
        }
        flights.push_back(flight);
    }
    map_->ShowFlights(std::move(flights));
}

void RecordPage::SetPowerShown(bool shown) {
    if (powerCheck_->isChecked() != shown) {
        powerCheck_->setChecked(shown);  // comes back here through toggled
        return;
    }
    model_->SetPowerShown(shown);
    chart_->Relayout();  // its scale at the right edge, or its stacked plot
    UpdateSpan();
}

void RecordPage::SetLayout(PlotLayout layout) {
    {
        const QSignalBlocker quiet(stackedCheck_);
        stackedCheck_->setChecked(layout == PlotLayout::Stacked);
    }
    plotsButton_->setEnabled(layout == PlotLayout::Stacked);
    chart_->SetLayout(layout);
}

PlotLayout RecordPage::Layout() const {
    return chart_->Layout();
}

void RecordPage::SetStackedCurves(const std::vector<int>& curves) {
    for (QAction* action : plotsMenu_->actions()) {
        const QSignalBlocker quiet(action);
        const int curve = action->data().toInt();
        action->setChecked(std::find(curves.begin(), curves.end(), curve) != curves.end());
    }
    chart_->SetStackedCurves(curves);
}

const std::vector<int>& RecordPage::StackedCurves() const {
    return chart_->StackedCurves();
}

QWidget* RecordPage::Chart() const {
    return chart_;
}

const PlotStack& RecordPage::Stack() const {
    return chart_->Stack();
}

void RecordPage::OnStackedPlotsPicked() {
    std::vector<int> curves;
    for (QAction* action : plotsMenu_->actions()) {
        if (action->isChecked()) {
            curves.push_back(action->data().toInt());
        }
    }
    chart_->SetStackedCurves(curves);
    emit stackedCurvesChosen(curves);
}

void RecordPage::SetPowerColour(std::uint32_t colorref) {
    model_->SetPowerColour(colorref);
    {
        // The program's own change: nothing to store.
        const QSignalBlocker quiet(powerColour_);
        powerColour_->SetColour(colorref);
    }
    view_->InvalidateCurves();
    chart_->update();
}

void RecordPage::OnPowerColourPicked(std::uint32_t colorref) {
    // The picker reports only a colour other than the one it showed.
    model_->SetPowerColour(colorref);
    view_->InvalidateCurves();
    chart_->update();
    emit powerColourChosen(colorref);
}

void RecordPage::ClearCursors() {
    view_->ClearCursors();
}

RecordPage::~RecordPage() = default;

void RecordPage::ShowRecord() {
    model_->OnInitialUpdate();
    if (chart_->Layout() == PlotLayout::Stacked) {
        chart_->Relayout();  // this record's channels
    }
    const std::string mark = ImplausibleMark(record_);
    implausible_->setText(QString::fromStdString(mark));
    implausible_->setVisible(!mark.empty());
    UpdateStatistics();
    CurvesChanged();
    // One SpanIndex per record, the model's: the quantities come from it.
    if (const SpanIndex* index = model_->Index()) {
        summary_->SetQuantities(ComputeQuantities(*index));
        motor_->Show(MotorTexts(FlightMotor(*index)));
    } else {
        summary_->Clear();
        motor_->Clear();
    }
    powerCheck_->setEnabled(model_->PowerAvailable());
    FindEvents();
    UpdateSpan();
    // The values under the pointer were those of the record before.
    emit statusTextChanged(ShownText(kStatusReady));
}

void RecordPage::ApplyRanges() {
    if (model_->ApplyRanges()) {
        CurvesChanged();
    }
}

void RecordPage::FindEvents() {
    const SpanIndex* index = model_->Index();
    events_ =
        index != nullptr ? tavix::FindEvents(record_, *index, limits_) : std::vector<FlightEvent>();
    eventList_->SetEvents(events_);
    markers_->SetEvents(events_);
}

void RecordPage::SetEventLimits(const EventLimits& limits) {
    limits_ = limits;
    FindEvents();
}

void RecordPage::AskLimits() {
    const std::optional<EventLimits> chosen = AskEventLimits(this, limits_);
    if (!chosen) {
        return;
    }
    SetEventLimits(*chosen);
    emit eventLimitsChosen(*chosen);
}

void RecordPage::ChooseEvent(int index) {
    if (index < 0 || index >= static_cast<int>(events_.size()) || !model_->View().RecordPresent()) {
        return;
    }
    const FlightEvent& e = events_[static_cast<std::size_t>(index)];
    const CursorPlaces places = CursorsAround(e, model_->View().SampleCount());
    if (places.a < model_->View().FirstVisible() || places.b >= model_->View().LastVisible()) {
        model_->ShowAll();
        view_->InvalidateCurves();
        chart_->update();
        markers_->Relayout();
    }
    model_->Cursors().PlaceAtSample(Cursor::A, places.a);
    model_->Cursors().PlaceAtSample(Cursor::B, places.b);
    view_->update();
    UpdateSpan();
    // What happened, in words, where the values under the pointer stand.
    emit statusTextChanged(QStringLiteral("%1 s  %2: %3")
                               .arg(QString::fromStdString(PointNumber(e.time, 1)),
                                    ShownText(EventKindName(e.kind)), ShownText(e.message)));
}

void RecordPage::UpdateStatistics() {
    const CurveStatistics& s = model_->Statistics();
    const std::string* texts[kStatisticCount] = {&s.maxCurrent, &s.minVoltage,     &s.maxThrottle,
                                                 &s.maxPower,   &s.maxTemperature, &s.samplingRate};
    for (int i = 0; i < kStatisticCount; ++i) {
        values_[i]->setText(ShownText(texts[i]->c_str()));
    }
}

void RecordPage::CurvesChanged() {
    chart_->Relayout();  // the stacked plots make room for the legend
    UpdateMap();
}

void RecordPage::SetYAxis(int channel) {
    if (channel < 0 || channel >= kChannelCount) {
        return;
    }
    model_->BuildYLabels(channel);
    chart_->update();
}

void RecordPage::SetChannelVisible(int channel, bool visible) {
    if (channel < 0 || channel >= kChannelCount) {
        return;
    }
    // The display boxes choose the curves of the one plot; the stacked
    // plots are chosen with "Plots".
    record_.channels[channel].visible = visible ? 1 : 0;
    view_->InvalidateCurves();
    UpdateSpan();  // a column per curve on screen
}

void RecordPage::SetChannelColour(int channel, std::uint32_t colorref) {
    if (channel < 0 || channel >= kChannelCount) {
        return;
    }
    record_.channels[channel].colour = colorref;
    view_->InvalidateCurves();
    chart_->update();  // the Y labels, when they are this channel's
}

void RecordPage::ShowWhole(bool whole) {
    compare_->ShowWhole(whole);
    analysis_->setVerticalScrollBarPolicy(whole ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    // The table's new size reaches the layouts around it through posted
    // layout requests, one level at a time.
    for (int level = 0; level < 3; ++level) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    }
    // The whole table while records are compared; otherwise the flight's
    // figures at their least.
    QWidget* below = analysis_->widget();
    const QSize contents =
        compare_->isVisibleTo(this) ? below->sizeHint() : below->minimumSizeHint();
    analysis_->setMinimumSize(whole ? contents : QSize(0, 0));
    // The curves take what the figures below leave.
    split_->setStretchFactor(1, whole ? 0 : 1);
    if (whole) {
        split_->setSizes({split_->height(), 0});
    }
}

QImage RecordPage::RenderImage() {
    // An image of the page is of the flight: the page's own commands are
    // left out of it (their place stays empty).
    QWidget* const commands[] = {snap_,        mapButton_,  stackedCheck_,
                                 plotsButton_, powerCheck_, powerColour_};
    std::array<bool, 6> hidden{};
    for (std::size_t i = 0; i < hidden.size(); ++i) {
        hidden[i] = commands[i]->isHidden();
        commands[i]->hide();
    }
    const QImage image = RenderWidget(this);
    for (std::size_t i = 0; i < hidden.size(); ++i) {
        commands[i]->setHidden(hidden[i]);
    }
    return image;
}

}  // namespace tavix
