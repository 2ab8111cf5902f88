#include "ui/esc/EscPageHolder.h"

#include <QStackedLayout>

#include "device/DeviceVersion.h"
#include "esc/EscSeries.h"
#include "ui/esc/CSettingDlg.h"

namespace tavix {

EscPageHolder::EscPageHolder(std::function<int()> series, Prompt& prompt, const PortSource& port,
                             QWidget* parent)
    : DevicePage(parent), series_(std::move(series)) {
    stack_ = new QStackedLayout(this);
    for (const EscSeriesTable* table : EscSeriesRegistry()) {
        pages_.push_back(new CSettingDlg(*table, prompt, port, this));
        stack_->addWidget(pages_.back());
    }
}

EscPage* EscPageHolder::PageOf(int series) const {
    for (EscPage* page : pages_) {
        if (page->Table().series == series) {
            return page;
        }
    }
    return nullptr;
}

void EscPageHolder::PageShown() {
    EscPage* page = PageOf(series_ ? series_() : kSeriesTarrow);
    if (page == nullptr) {
        page = PageOf(kSeriesTarrow);
    }
    current_ = page;
    stack_->setCurrentWidget(page);
    page->PageShown();
}

void EscPageHolder::FollowSeries() {
    // Only a page that met an ESC of another series hands over: Open Device
    // shows the page of what it found itself.
    if (current_ == nullptr || !isVisible() || !series_ ||
        current_->Session().OtherSeriesRead().empty()) {
        return;
    }
    EscPage* page = PageOf(series_());
    if (page == nullptr || page == current_) {
        return;
    }
    current_->PageHidden();
    PageShown();
}

void EscPageHolder::PageHidden() {
    if (current_ != nullptr) {
        current_->PageHidden();
    }
}

}  // namespace tavix
