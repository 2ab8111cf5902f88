#include "ui/analysis/EventListPanel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/ColorRef.h"
#include "platform/UiLanguage.h"
#include "plot/EventMarkers.h"

namespace tavix {

EventListPanel::EventListPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("eventList"));
    title_ = new QLabel(ShownText(kEventListTitle), this);
    limits_ = new QPushButton(ShownText(kEventLimitsButton), this);
    limits_->setObjectName(QStringLiteral("eventLimitsButton"));
    limits_->setAutoDefault(false);
    limits_->setToolTip(tr("The lowest voltage per cell, the highest temperature and current"));
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("eventTree"));
    // Narrow, beside the quantities: the text of an event is its tooltip.
    list_->setColumnCount(2);
    list_->setHeaderLabels({tr("Time (s)"), tr("Kind")});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->header()->setStretchLastSection(true);
    list_->setAccessibleName(ShownText(kEventListTitle));

    auto* top = new QHBoxLayout();
    top->addWidget(title_);
    top->addStretch(1);
    top->addWidget(limits_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(top);
    layout->addWidget(list_, 1);

    connect(limits_, &QPushButton::clicked, this, &EventListPanel::limitsRequested);
    auto choose = [this](QTreeWidgetItem* item) {
        if (item != nullptr && item->data(0, Qt::UserRole).isValid()) {
            emit eventChosen(item->data(0, Qt::UserRole).toInt());
        }
    };
    connect(list_, &QTreeWidget::itemClicked, this, choose);
    connect(list_, &QTreeWidget::itemActivated, this, choose);
    connect(list_, &QTreeWidget::currentItemChanged, this,
            [choose](QTreeWidgetItem* item) { choose(item); });
}

void EventListPanel::SetEvents(const std::vector<FlightEvent>& events) {
    const QSignalBlocker quiet(list_);
    list_->clear();
    title_->setText(QStringLiteral("%1 (%2)").arg(ShownText(kEventListTitle)).arg(events.size()));
    if (events.empty()) {
        auto* none = new QTreeWidgetItem(list_, {QString(), ShownText(kNoEventsText)});
        none->setFlags(Qt::ItemIsEnabled);
        return;
    }
    for (std::size_t i = 0; i < events.size(); ++i) {
        const FlightEvent& e = events[i];
        auto* item = new QTreeWidgetItem(list_, {QString::fromStdString(PointNumber(e.time, 1)),
                                                 ShownText(EventKindName(e.kind))});
        QPixmap swatch(10, 10);
        swatch.fill(FromColorRef(EventColour(e.kind)));
        item->setIcon(1, QIcon(swatch));
        item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        item->setToolTip(0, ShownText(e.message));
        item->setToolTip(1, ShownText(e.message));
        item->setData(0, Qt::UserRole, static_cast<int>(i));
    }
    list_->resizeColumnToContents(0);
}

}  // namespace tavix
