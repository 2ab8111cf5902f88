#include "ui/plot/ComparisonPanel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "CurvePainter.h"
#include "analysis/AnalysisMessages.h"
#include "base/OutsideText.h"
#include "platform/ColorRef.h"
#include "platform/GbkText.h"
#include "platform/UiLanguage.h"
#include "plot/CurveModel.h"
#include "records/Comparison.h"
#include "shell/ShellMessages.h"

namespace tavix {

namespace {

// The alignment modes in the order the box lists them.
constexpr AlignMode kModes[] = {AlignMode::Start, AlignMode::Throttle, AlignMode::CursorA};

int ModeIndex(AlignMode mode) {
    for (int i = 0; i < 3; ++i) {
        if (kModes[i] == mode) {
            return i;
        }
    }
    return 0;
}

// A file name or a setting's value from outside, shown with its control
// characters escaped, as the logbook shows them.
QString Outside(const std::string& gbk) {
    return ShownText(EscapeControls(gbk));
}

// Table columns: the captions, the reference's values, then each other
// flight's values and their differences to the reference's.
int ValueColumn(int flight) {
    return flight == 0 ? 1 : 2 * flight;
}

QToolButton* MenuButton(const char* text, QMenu* menu, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(ShownText(text));
    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return button;
}

}  // namespace

ComparisonPanel::ComparisonPanel(CurveModel& model, QWidget* parent)
    : QWidget(parent), model_(model) {
    setObjectName(QStringLiteral("comparisonPanel"));
    auto* caption = new QLabel(ShownText(kCompareAlignCaption));
    align_ = new QComboBox(this);
    align_->setObjectName(QStringLiteral("alignBox"));
    align_->addItems({ShownText(kCompareAlignStart),
                      ShownText(kCompareAlignThrottle).arg(kDefaultAlignThrottle),
                      ShownText(kCompareAlignCursor)});
    caption->setBuddy(align_);
    // The column beside the table stays narrow; the list shows the whole texts.
    align_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    align_->setMinimumContentsLength(16);
    percent_ = new QSpinBox(this);
    percent_->setObjectName(QStringLiteral("alignPercent"));
    percent_->setRange(1, 100);
    percent_->setValue(static_cast<int>(kDefaultAlignThrottle));
    percent_->setSuffix(QStringLiteral(" %"));
    percent_->setToolTip(tr("The throttle level each record is aligned at"));
    percent_->setAccessibleName(tr("Throttle level"));
    alignMenu_ = new QMenu(this);
    alignAt_ = MenuButton(kCompareAlignAtCursor, alignMenu_, this);
    alignAt_->setObjectName(QStringLiteral("alignAtCursorButton"));
    alignAt_->setToolTip(tr("Align a record at the moment cursor A marks"));
    removeMenu_ = new QMenu(this);
    remove_ = MenuButton(kCompareRemove, removeMenu_, this);
    remove_->setObjectName(QStringLiteral("removeFromComparisonButton"));

    table_ = new QTableWidget(this);
    table_->setObjectName(QStringLiteral("differenceTable"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
    table_->horizontalHeader()->setHighlightSections(false);
    table_->setContextMenuPolicy(Qt::CustomContextMenu);
    table_->setAccessibleName(tr("Difference table"));

    // The table takes the width; the alignment and the records' commands
    // stand in a column beside it.
    controls_ = new QWidget(this);
    auto* controls = new QVBoxLayout(controls_);
    controls->setContentsMargins(0, 0, 0, 0);
    controls->setSpacing(2);
    controls->addWidget(caption);
    controls->addWidget(align_);
    controls->addWidget(percent_);
    controls->addWidget(alignAt_);
    controls->addWidget(remove_);
    controls->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_, 1);
    layout->addWidget(controls_);
    for (QWidget* control : {static_cast<QWidget*>(align_), static_cast<QWidget*>(percent_),
                             static_cast<QWidget*>(alignAt_), static_cast<QWidget*>(remove_)}) {
        control->setMaximumWidth(200);
    }

    connect(align_, &QComboBox::activated, this, [this] { OnAlignChosen(); });
    connect(percent_, &QSpinBox::valueChanged, this, [this](int value) {
        align_->setItemText(1, ShownText(kCompareAlignThrottle).arg(value));
        if (align_->currentIndex() == 1) {
            OnAlignChosen();
        }
    });
    connect(table_, &QWidget::customContextMenuRequested, this, &ComparisonPanel::ShowContextMenu);
    // Delete in the table takes out the record whose column is current.
    table_->installEventFilter(this);
    hide();
}

ComparisonPanel::~ComparisonPanel() = default;

int ComparisonPanel::FlightOfColumn(int column) {
    return column <= 0 ? -1 : column == 1 ? 0 : column / 2;
}

void ComparisonPanel::Show(Comparison* comparison) {
    comparison_ = comparison;
    model_.ClearFlights();
    const bool active = comparison_ != nullptr && comparison_->Active();
    if (active) {
        model_.SetReferenceLegend(comparison_->Legend(0));
        for (int flight = 1; flight < comparison_->Count(); ++flight) {
            model_.AddFlight(*comparison_->Record(flight).flight, comparison_->Offset(flight),
                             comparison_->Legend(flight));
        }
    }
    ShowControls();
    setVisible(active);
    emit curvesChanged();
}

void ComparisonPanel::ShowControls() {
    if (comparison_ == nullptr) {
        table_->clear();
        return;
    }
    {
        const QSignalBlocker quiet(percent_);
        percent_->setValue(static_cast<int>(comparison_->ThrottlePercent()));
        align_->setItemText(1, ShownText(kCompareAlignThrottle).arg(percent_->value()));
    }
    align_->setCurrentIndex(ModeIndex(comparison_->Mode()));
    percent_->setEnabled(comparison_->Mode() == AlignMode::Throttle);
    FillMenus();
    FillTable();
}

void ComparisonPanel::SetAlignment(AlignMode mode, double percent) {
    if (comparison_ == nullptr) {
        return;
    }
    if (mode == AlignMode::CursorA) {
        comparison_->SetAlignment(mode, percent, CursorASeconds());
        emit statusTextChanged(
            ShownText(CursorASeconds() ? kCompareCursorHint : kCompareNeedsCursorA));
    } else {
        comparison_->SetAlignment(mode, percent);
    }
    Realigned();
}

void ComparisonPanel::OnAlignChosen() {
    const int index = std::clamp(align_->currentIndex(), 0, 2);
    SetAlignment(kModes[index], percent_->value());
}

void ComparisonPanel::AlignAtCursor(int flight) {
    const std::optional<double> at = CursorASeconds();
    if (comparison_ == nullptr || !at) {
        emit statusTextChanged(ShownText(kCompareNeedsCursorA));
        return;
    }
    comparison_->AlignAtCursor(flight, *at);
    Realigned();
    // Where the reference's point is, so a flight that jumped is explained.
    const QString point = QString::number(comparison_->Alignment().front().seconds, 'f', 2);
    emit statusTextChanged(
        flight == 0
            ? ShownText(kCompareAlignedReference).arg(point)
            : ShownText(kCompareAlignedFlight).arg(Outside(comparison_->Name(flight)), point));
}

void ComparisonPanel::RemoveFlight(int flight) {
    if (comparison_ == nullptr || flight < 1 || flight >= comparison_->Count()) {
        return;
    }
    comparison_->Remove(flight);
    model_.RemoveFlight(flight);
    if (comparison_->Active()) {
        Realigned();
        return;
    }
    Show(comparison_);  // the record alone again
    // Nothing is compared: no hint about aligning records stays behind.
    emit statusTextChanged(ShownText(kStatusReady));
    emit comparisonChanged();
}

void ComparisonPanel::Realigned() {
    for (int flight = 1; flight < comparison_->Count(); ++flight) {
        model_.SetFlightOffset(flight, comparison_->Offset(flight));
    }
    ShowControls();
    emit curvesChanged();
    emit comparisonChanged();
}

void ComparisonPanel::UpdateSpan() {
    alignAt_->setEnabled(CursorASeconds().has_value());
    if (comparison_ != nullptr && comparison_->Active()) {
        FillTable();
    }
}

std::optional<double> ComparisonPanel::CursorASeconds() const {
    const std::optional<int> a = model_.Cursors().SampleOf(Cursor::A);
    const SpanIndex* index = model_.Index();
    if (!a || index == nullptr || index->Rate() <= 0) {
        return std::nullopt;
    }
    return static_cast<double>(*a) / index->Rate();
}

std::optional<SpanRequest> ComparisonPanel::CursorSpan() const {
    const std::optional<int> a = model_.Cursors().SampleOf(Cursor::A);
    const std::optional<int> b = model_.Cursors().SampleOf(Cursor::B);
    const SpanIndex* index = model_.Index();
    if (!a || !b || index == nullptr || index->Rate() <= 0) {
        return std::nullopt;
    }
    const double rate = index->Rate();
    return SpanRequest{*a / rate, *b / rate};
}

void ComparisonPanel::FillTable() {
    table_->clear();
    table_->clearSpans();
    if (comparison_ == nullptr || !comparison_->Active()) {
        table_->setRowCount(0);
        table_->setColumnCount(0);
        return;
    }
    const CompareTable table = comparison_->Table(CursorSpan());
    const int flights = static_cast<int>(table.flights.size());
    const int columns = 2 * flights;
    table_->setColumnCount(columns);
    table_->setRowCount(static_cast<int>(table.rows.size()));
    QStringList heads{QString()};
    for (int flight = 0; flight < flights; ++flight) {
        const QString name = Outside(table.flights[static_cast<std::size_t>(flight)]);
        heads << (flight == 0 ? ShownText(kCompareReference).arg(name) : name);
        if (flight > 0) {
            heads << ShownText(kHeadDifference);
        }
    }
    table_->setHorizontalHeaderLabels(heads);
    QFont bold = table_->font();
    bold.setBold(true);
    // Each record's columns in its colour, as its curves and its legend line.
    std::vector<QColor> colours;
    for (int flight = 0; flight < flights; ++flight) {
        colours.push_back(FromColorRef(model_.CurveColour(flight, 0)));
        for (const int column : {ValueColumn(flight), ValueColumn(flight) + (flight > 0 ? 1 : 0)}) {
            if (QTableWidgetItem* head = table_->horizontalHeaderItem(column)) {
                head->setForeground(colours.back());
                head->setFont(bold);
            }
        }
    }
    for (int r = 0; r < static_cast<int>(table.rows.size()); ++r) {
        const CompareTable::Row& row = table.rows[static_cast<std::size_t>(r)];
        auto* caption = new QTableWidgetItem(ShownText(row.caption));
        table_->setItem(r, 0, caption);
        if (row.kind == CompareRowKind::Section) {
            caption->setFont(bold);
            table_->setSpan(r, 0, 1, columns);
            continue;
        }
        for (int flight = 0; flight < flights; ++flight) {
            const auto i = static_cast<std::size_t>(flight);
            const QString value = i < row.values.size() ? Outside(row.values[i]) : QString();
            auto* item = new QTableWidgetItem(value);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            item->setForeground(colours[i]);
            if (value.contains(ShownText(kTextNotReached))) {
                item->setForeground(QColor(0xB0, 0x50, 0x00));
                item->setToolTip(tr("The throttle never reached the level: aligned at the start"));
            }
            table_->setItem(r, ValueColumn(flight), item);
            if (flight > 0 && i < row.differences.size()) {
                auto* difference = new QTableWidgetItem(ShownText(row.differences[i]));
                difference->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                table_->setItem(r, ValueColumn(flight) + 1, difference);
            }
        }
    }
    table_->resizeColumnsToContents();
    if (whole_) {
        const int frame = 2 * table_->frameWidth();
        table_->setFixedSize(table_->horizontalHeader()->length() + frame,
                             table_->horizontalHeader()->sizeHint().height() +
                                 table_->verticalHeader()->length() + frame);
    }
}

void ComparisonPanel::ShowWhole(bool whole) {
    whole_ = whole;
    controls_->setVisible(!whole);
    const Qt::ScrollBarPolicy bars = whole ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    table_->setHorizontalScrollBarPolicy(bars);
    table_->setVerticalScrollBarPolicy(bars);
    if (!whole) {
        table_->setMinimumSize(0, 0);
        table_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    FillTable();
}

namespace {

// An entry may be running this (it removed its record): it goes later.
void ClearMenu(QMenu& menu) {
    for (QAction* action : menu.actions()) {
        menu.removeAction(action);
        action->deleteLater();
    }
}

}  // namespace

void ComparisonPanel::FillRemoveMenu(QMenu& menu) {
    ClearMenu(menu);
    if (comparison_ == nullptr) {
        return;
    }
    for (int flight = 1; flight < comparison_->Count(); ++flight) {
        QAction* remove = menu.addAction(Outside(comparison_->Name(flight)));
        connect(remove, &QAction::triggered, this, [this, flight] { RemoveFlight(flight); });
    }
}

void ComparisonPanel::FillMenus() {
    ClearMenu(*alignMenu_);
    FillRemoveMenu(*removeMenu_);
    if (comparison_ == nullptr) {
        return;
    }
    for (int flight = 0; flight < comparison_->Count(); ++flight) {
        QAction* align = alignMenu_->addAction(
            ShownText(kCompareAlignFlightAt).arg(Outside(comparison_->Name(flight))));
        connect(align, &QAction::triggered, this, [this, flight] { AlignAtCursor(flight); });
    }
    alignAt_->setEnabled(CursorASeconds().has_value());
    remove_->setEnabled(comparison_->Active());
}

void ComparisonPanel::ShowContextMenu(const QPoint& at) {
    const int flight = FlightOfColumn(table_->columnAt(at.x()));
    if (comparison_ == nullptr || flight < 0 || flight >= comparison_->Count()) {
        return;
    }
    const QString name = Outside(comparison_->Name(flight));
    QMenu menu(this);
    QAction* align = menu.addAction(ShownText(kCompareAlignFlightAt).arg(name));
    align->setEnabled(CursorASeconds().has_value());
    connect(align, &QAction::triggered, this, [this, flight] { AlignAtCursor(flight); });
    if (flight > 0) {
        QAction* remove = menu.addAction(ShownText(kCompareRemoveFlight).arg(name));
        connect(remove, &QAction::triggered, this, [this, flight] { RemoveFlight(flight); });
    }
    menu.exec(table_->viewport()->mapToGlobal(at));
}

bool ComparisonPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        const int flight = FlightOfColumn(table_->currentColumn());
        if (flight > 0) {
            RemoveFlight(flight);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace tavix
