#pragma once
// The parameter page of the Ostrin series: the generic page on the Ostrin table.

#include "esc/EscSeries.h"
#include "ui/esc/EscPage.h"

namespace tavix {

class CVehicleSettingDlg : public EscPage {
    Q_OBJECT
public:
    CVehicleSettingDlg(Prompt& prompt, PortSource port, QWidget* parent = nullptr)
        : EscPage(OstrinTable(), prompt, std::move(port), parent) {}
};

}  // namespace tavix
