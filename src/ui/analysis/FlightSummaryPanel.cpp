#include "ui/analysis/FlightSummaryPanel.h"

#include <QGridLayout>
#include <QLabel>
#include <algorithm>

#include "analysis/AnalysisMessages.h"
#include "platform/UiLanguage.h"

namespace tavix {

FlightSummaryPanel::FlightSummaryPanel(QWidget* parent, int pairsPerLine, const char* omitted)
    : QWidget(parent) {
    Build(QuantityTexts(FlightQuantities{}), pairsPerLine, omitted, false);
}

FlightSummaryPanel::FlightSummaryPanel(const std::vector<QuantityText>& layout, QWidget* parent,
                                       int pairsPerLine)
    : QWidget(parent) {
    Build(layout, pairsPerLine, nullptr, true);
}

void FlightSummaryPanel::Build(const std::vector<QuantityText>& texts, int pairsPerLine,
                               const char* omitted, bool lastTakesLine) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setVerticalSpacing(1);
    layout->setHorizontalSpacing(10);
    const int perLine = std::max(1, pairsPerLine);
    for (const QuantityText& text : texts) {
        if (omitted != nullptr && text.caption == omitted) {
            continue;
        }
        const int index = static_cast<int>(values_.size());
        auto* caption = new QLabel(ShownText(text.caption.c_str()) + QLatin1Char(':'), this);
        auto* value = new QLabel(this);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setObjectName(QString::fromLatin1(text.caption.c_str()));
        const int line = index / perLine;
        const int column = index % perLine * 2;
        layout->addWidget(caption, line, column);
        if (lastTakesLine && &text == &texts.back() && column == 0) {
            // A sentence rather than a figure ("2.4 s: not enough steady
            // flight"): it wraps in a narrow window instead of being cut.
            value->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            value->setWordWrap(true);
            caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);  // beside its first line
            // It reaches into an empty last column that takes the width to
            // spare, so the figures above stay together.
            layout->addWidget(value, line, 1, 1, 2 * perLine);
            layout->setColumnStretch(2 * perLine, 1);
        } else {
            layout->addWidget(value, line, column + 1);
        }
        // A little room between a value and the next caption on its line.
        layout->setColumnMinimumWidth(column + 1, 64);
        captions_.push_back(caption);
        values_.push_back(value);
    }
    Clear();
}

void FlightSummaryPanel::SetRecord(const FlightData& data) {
    Show(QuantityTexts(data));
}

void FlightSummaryPanel::SetQuantities(const FlightQuantities& quantities) {
    Show(QuantityTexts(quantities));
}

void FlightSummaryPanel::Clear() {
    for (QLabel* value : values_) {
        value->setText(ShownText(kNoValue));
    }
}

QString FlightSummaryPanel::Value(const QString& caption) const {
    for (QLabel* value : values_) {
        if (value->objectName() == caption) {
            return value->text();
        }
    }
    return {};
}

void FlightSummaryPanel::Show(const std::vector<QuantityText>& texts) {
    for (const QuantityText& text : texts) {
        const QString caption = ShownText(text.caption.c_str());
        for (QLabel* value : values_) {
            if (value->objectName() == caption) {
                value->setText(ShownText(text.value.c_str()).trimmed());
            }
        }
    }
}

}  // namespace tavix
