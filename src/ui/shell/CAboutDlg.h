#pragma once
// "About Tavix": the program icon, its version and what it is for.

#include <QDialog>

namespace tavix {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace tavix
