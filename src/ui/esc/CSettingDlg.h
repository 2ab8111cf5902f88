#pragma once
// The parameter page of one ESC series: the generic page on the series' row of
// the registry. The holder builds one for every row, so a new series needs no
// page class of its own.

#include "esc/EscSeries.h"
#include "ui/esc/EscPage.h"

namespace tavix {

class CSettingDlg : public EscPage {
    Q_OBJECT
public:
    CSettingDlg(const EscSeriesTable& table, Prompt& prompt, PortSource port,
                QWidget* parent = nullptr)
        : EscPage(table, prompt, std::move(port), parent) {}
};

}  // namespace tavix
