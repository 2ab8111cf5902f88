#include "SpanPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "CurvePainter.h"
#include "platform/GbkText.h"
#include "plot/PlotTexts.h"
#include "plot/SpanReadout.h"

namespace tavix {

namespace {

QLabel* ValueLabel(QWidget* parent, const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QString Latin(const std::string& text) {
    return QString::fromLatin1(text.c_str());
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
    duration_ = ValueLabel(this, QStringLiteral("spanDuration"));
    capacity_ = ValueLabel(this, QStringLiteral("spanCapacity"));
    energy_ = ValueLabel(this, QStringLiteral("spanEnergy"));

    auto* top = new QHBoxLayout();
    top->addWidget(labelA_);
    top->addSpacing(8);
    top->addWidget(labelB_);
    top->addSpacing(12);
    top->addWidget(new QLabel(QString::fromLatin1(kSpanCaptionDuration), this));
    top->addWidget(duration_);
    top->addSpacing(8);
    top->addWidget(new QLabel(QString::fromLatin1(kSpanCaptionCapacity), this));
    top->addWidget(capacity_);
    top->addSpacing(8);
    top->addWidget(new QLabel(QString::fromLatin1(kSpanCaptionEnergy), this));
    top->addWidget(energy_);
    top->addStretch(1);

    hint_ = new QLabel(QString::fromLatin1(kSpanHint), this);
    hint_->setObjectName(QStringLiteral("spanHint"));
    hint_->setWordWrap(true);
    hint_->setEnabled(false);  // drawn greyed: a help text, not a value

    table_ = new QWidget(this);
    grid_ = new QGridLayout(table_);
    grid_->setContentsMargins(0, 0, 0, 0);
    grid_->setHorizontalSpacing(14);
    grid_->setVerticalSpacing(1);
    static constexpr const char* kRowCaptions[kRowCount] = {kSpanRowMin, kSpanRowMax, kSpanRowMean,
                                                            kSpanRowChange};
    for (int r = 0; r < kRowCount; ++r) {
        grid_->addWidget(new QLabel(QString::fromLatin1(kRowCaptions[r]), table_), r + 1, 0);
    }
    for (int c = 0; c < kSeriesCount; ++c) {
        Column& column = columns_[c];
        column.heading = ValueLabel(table_, QStringLiteral("spanHeading%1").arg(c));
        grid_->addWidget(column.heading, 0, c + 1);
        for (int r = 0; r < kRowCount; ++r) {
            column.values[r] = ValueLabel(table_, QStringLiteral("spanValue%1_%2").arg(c).arg(r));
            grid_->addWidget(column.values[r], r + 1, c + 1);
        }
    }
    grid_->setColumnStretch(kSeriesCount + 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    layout->addLayout(top);
    layout->addWidget(hint_);
    layout->addWidget(table_);
    layout->addStretch(1);
}

void SpanPanel::Show(const SpanReadout& readout) {
    labelA_->setText(Latin(readout.labelA));
    labelB_->setText(Latin(readout.labelB));
    duration_->setText(Latin(readout.duration));
    capacity_->setText(Latin(readout.capacity));
    energy_->setText(Latin(readout.energy));
    hint_->setVisible(!readout.complete);
    table_->setVisible(readout.complete);

    shown_ = static_cast<int>(std::min(readout.rows.size(), columns_.size()));
    for (int c = 0; c < kSeriesCount; ++c) {
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
        QString heading = FromGbk(row.name);
        if (!row.unit.empty()) {
            heading += QStringLiteral(" (") + FromGbk(row.unit) + QLatin1Char(')');
        }
        column.heading->setText(heading);
        column.values[kRowMin]->setText(Latin(row.min));
        column.values[kRowMax]->setText(Latin(row.max));
        column.values[kRowMean]->setText(Latin(row.mean));
        column.values[kRowChange]->setText(Latin(row.change));
    }
}

QString SpanPanel::LabelA() const {
    return labelA_->text();
}
QString SpanPanel::LabelB() const {
    return labelB_->text();
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
QString SpanPanel::Hint() const {
    return hint_->text();
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
