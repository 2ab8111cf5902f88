#pragma once
// The parameter page of the Velmor series: the generic page on the Velmor table.

#include "esc/EscSeries.h"
#include "ui/esc/EscPage.h"

namespace tavix {

class CVesselSettingDlg : public EscPage {
    Q_OBJECT
public:
    CVesselSettingDlg(Prompt& prompt, PortSource port, QWidget* parent = nullptr)
        : EscPage(VelmorTable(), prompt, std::move(port), parent) {}
};

}  // namespace tavix
