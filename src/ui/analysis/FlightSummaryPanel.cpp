#include "ui/analysis/FlightSummaryPanel.h"

#include <QFormLayout>
#include <QLabel>

#include "analysis/AnalysisTexts.h"

namespace tavix {

FlightSummaryPanel::FlightSummaryPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QFormLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setLabelAlignment(Qt::AlignLeft);
    const std::vector<QuantityText> empty = QuantityTexts(FlightQuantities{});
    for (const QuantityText& text : empty) {
        auto* caption =
            new QLabel(QString::fromLatin1(text.caption.c_str()) + QLatin1Char(':'), this);
        auto* value = new QLabel(this);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setObjectName(QString::fromLatin1(text.caption.c_str()));
        layout->addRow(caption, value);
        captions_.push_back(caption);
        values_.push_back(value);
    }
    Clear();
}

void FlightSummaryPanel::SetRecord(const FlightRecord& record) {
    Show(QuantityTexts(record));
}

void FlightSummaryPanel::SetQuantities(const FlightQuantities& quantities) {
    Show(QuantityTexts(quantities));
}

void FlightSummaryPanel::Clear() {
    for (QLabel* value : values_) {
        value->setText(QString::fromLatin1(kNoValue));
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
    for (std::size_t i = 0; i < texts.size() && i < values_.size(); ++i) {
        values_[i]->setText(QString::fromLatin1(texts[i].value.c_str()).trimmed());
    }
}

}  // namespace tavix
