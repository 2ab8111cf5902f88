#include "SpanPanel.h"

#include <QGridLayout>
#include <QLabel>
#include <algorithm>
#include <utility>

#include "CurvePainter.h"
#include "platform/GbkText.h"
#include "platform/UiLanguage.h"
#include "plot/PlotMessages.h"
#include "plot/SpanReadout.h"

namespace tavix {

namespace {

constexpr int kColumnGap = 14;

QLabel* ValueLabel(QWidget* parent, const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

SpanPanel::SpanPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("spanPanel"));
    labelA_ = ValueLabel(this, QStringLiteral("spanLabelA"));
    labelB_ = ValueLabel(this, QStringLiteral("spanLabelB"));
    // In the colours of the cursors' lines.
    const QString style = QStringLiteral("color: %1; font-weight: bold");
    labelA_->setStyleSheet(style.arg(CurvePainter::kCursorColourA.name()));
    labelB_->setStyleSheet(style.arg(CurvePainter::kCursorColourB.name()));
    labelA_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    labelB_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    duration_ = ValueLabel(this, QStringLiteral("spanDuration"));
    capacity_ = ValueLabel(this, QStringLiteral("spanCapacity"));
    energy_ = ValueLabel(this, QStringLiteral("spanEnergy"));

    // Five lines: the cursors and the span's totals on the left, a column
    // per curve on the right.
    grid_ = new QGridLayout(this);
    grid_->setContentsMargins(0, 0, 0, 0);
    grid_->setHorizontalSpacing(8);
    grid_->setVerticalSpacing(1);
    grid_->addWidget(labelA_, 0, 0, 1, 2);
    grid_->addWidget(labelB_, 1, 0, 1, 2);
    const std::array<std::pair<const char*, QLabel*>, 3> totals{{{kSpanCaptionDuration, duration_},
                                                                 {kSpanCaptionCapacity, capacity_},
                                                                 {kSpanCaptionEnergy, energy_}}};
    for (int i = 0; i < 3; ++i) {
        totalCaptions_[static_cast<std::size_t>(i)] = new QLabel(ShownText(totals[i].first), this);
        grid_->addWidget(totalCaptions_[static_cast<std::size_t>(i)], i + 2, 0);
        grid_->addWidget(totals[i].second, i + 2, 1);
    }

    static constexpr const char* kRowCaptions[kRowCount] = {kSpanRowMin, kSpanRowMax, kSpanRowMean,
                                                            kSpanRowChange};
    for (int r = 0; r < kRowCount; ++r) {
        rowCaptions_[r] = new QLabel(ShownText(kRowCaptions[r]), this);
        grid_->addWidget(rowCaptions_[r], r + 1, 2);
    }
    for (int c = 0; c < kQuantityCount; ++c) {
        Column& column = columns_[c];
        column.heading = ValueLabel(this, QStringLiteral("spanHeading%1").arg(c));
        grid_->addWidget(column.heading, 0, c + 3);
        for (int r = 0; r < kRowCount; ++r) {
            column.values[r] = ValueLabel(this, QStringLiteral("spanValue%1_%2").arg(c).arg(r));
            grid_->addWidget(column.values[r], r + 1, c + 3);
        }
        // Room before each column, whatever the style makes of the spacing.
        column.heading->setContentsMargins(kColumnGap, 0, 0, 0);
        for (QLabel* value : column.values) {
            value->setContentsMargins(kColumnGap, 0, 0, 0);
        }
    }
    // Before both cursors stand, the hint alone takes one line: the curves
    // keep the room until there is a span to show.
    hint_ = new QLabel(ShownText(kSpanHint), this);
    hint_->setObjectName(QStringLiteral("spanHint"));
    hint_->setEnabled(false);  // drawn greyed: a help text, not a value
    hint_->setWordWrap(true);  // on one line where there is room for it
    grid_->addWidget(hint_, 0, 2, 1, kQuantityCount + 2);
    grid_->setColumnStretch(kQuantityCount + 3, 1);
    grid_->setColumnMinimumWidth(1, 64);
}

void SpanPanel::Show(const SpanReadout& readout) {
    labelA_->setText(ShownText(readout.labelA));
    labelB_->setText(ShownText(readout.labelB));
    duration_->setText(ShownText(readout.duration));
    capacity_->setText(ShownText(readout.capacity));
    energy_->setText(ShownText(readout.energy));
    hint_->setVisible(!readout.complete);
    labelA_->setVisible(!readout.labelA.empty());
    labelB_->setVisible(!readout.labelB.empty());
    for (QLabel* total : {duration_, capacity_, energy_}) {
        total->setVisible(readout.complete);
    }
    for (QLabel* caption : totalCaptions_) {
        caption->setVisible(readout.complete);
    }
    for (QLabel* caption : rowCaptions_) {
        caption->setVisible(readout.complete);
    }

    shown_ =
        readout.complete ? static_cast<int>(std::min(readout.rows.size(), columns_.size())) : 0;
    for (int c = 0; c < kQuantityCount; ++c) {
        Column& column = columns_[c];
        const bool used = c < shown_;
        column.heading->setVisible(used);
        for (QLabel* value : column.values) {
            value->setVisible(used);
        }
        if (!used) {
            continue;
        }
        const SpanRow& row = readout.rows[c];
        QString heading = ShownText(row.name);
        if (!row.unit.empty()) {
            heading += QStringLiteral(" (") + ShownText(row.unit) + QLatin1Char(')');
        }
        column.heading->setText(heading);
        column.values[kRowMin]->setText(ShownText(row.min));
        column.values[kRowMax]->setText(ShownText(row.max));
        column.values[kRowMean]->setText(ShownText(row.mean));
        column.values[kRowChange]->setText(ShownText(row.change));
    }
}

QString SpanPanel::LabelA() const {
    return labelA_->text();
}
QString SpanPanel::Duration() const {
    return duration_->text();
}
QString SpanPanel::Capacity() const {
    return capacity_->text();
}
QString SpanPanel::Energy() const {
    return energy_->text();
}
bool SpanPanel::HintShown() const {
    return !hint_->isHidden();
}

QStringList SpanPanel::Headings() const {
    QStringList headings;
    for (int c = 0; c < shown_; ++c) {
        headings << columns_[c].heading->text();
    }
    return headings;
}

QString SpanPanel::Value(int column, Row row) const {
    if (column < 0 || column >= shown_ || row < 0 || row >= kRowCount) {
        return {};
    }
    return columns_[column].values[row]->text();
}

}  // namespace tavix
