#include "ui/esc/EscPageHolder.h"

#include <QStackedLayout>

#include "device/DeviceVersion.h"
#include "ui/esc/CSettingDlg.h"
#include "ui/esc/CVehicleSettingDlg.h"
#include "ui/esc/CVesselSettingDlg.h"
#include "ui/esc/CZASettingDlg.h"

namespace tavix {

EscPageHolder::EscPageHolder(std::function<int()> series, Prompt& prompt, const PortSource& port,
                             QWidget* parent)
    : DevicePage(parent), series_(std::move(series)) {
    stack_ = new QStackedLayout(this);
    pages_ = {new CSettingDlg(prompt, port, this), new CVesselSettingDlg(prompt, port, this),
              new CVehicleSettingDlg(prompt, port, this), new CZASettingDlg(prompt, port, this)};
    for (EscPage* page : pages_) {
        stack_->addWidget(page);
    }
}

EscPage* EscPageHolder::PageOf(int series) const {
    return series >= 0 && series < static_cast<int>(pages_.size())
               ? pages_[static_cast<std::size_t>(series)]
               : nullptr;
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

void EscPageHolder::PageHidden() {
    if (current_ != nullptr) {
        current_->PageHidden();
    }
}

}  // namespace tavix
