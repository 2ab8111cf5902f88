#pragma once
// The parameter page of the Peldan series: the generic page on the Peldan table.

#include "esc/EscSeries.h"
#include "ui/esc/EscPage.h"

namespace tavix {

class CZASettingDlg : public EscPage {
    Q_OBJECT
public:
    CZASettingDlg(Prompt& prompt, PortSource port, QWidget* parent = nullptr)
        : EscPage(PeldanTable(), prompt, std::move(port), parent) {}
};

}  // namespace tavix
