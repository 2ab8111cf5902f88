#pragma once
// The parameter page of the Tarrow series: the generic page on the Tarrow table.

#include "esc/EscSeries.h"
#include "ui/esc/EscPage.h"

namespace tavix {

class CSettingDlg : public EscPage {
    Q_OBJECT
public:
    CSettingDlg(Prompt& prompt, PortSource port, QWidget* parent = nullptr)
        : EscPage(TarrowTable(), prompt, std::move(port), parent) {}
};

}  // namespace tavix
