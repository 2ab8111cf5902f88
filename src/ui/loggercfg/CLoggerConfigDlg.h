#pragma once
// The "3.Logger Configuration" page: the logger's cycle-record mode, sampling
// rate and number of stored flights, "Default Value" and "Update". It draws
// the state of its LoggerParamSession and forwards the user's picks and
// clicks; every rule lives in the session.

#include <memory>

#include "link/PortName.h"
#include "ui/device/DevicePage.h"

class QComboBox;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace tavix {

class LoggerParamSession;
class Prompt;

class CLoggerConfigDlg : public SessionPage {
    Q_OBJECT
public:
    CLoggerConfigDlg(Prompt& prompt, PortSource port, QWidget* parent = nullptr);
    ~CLoggerConfigDlg() override;

    void PageShown() override;
    void PageHidden() override;
    // "Clear Data" on the main form takes the page's port and gives it back.
    void LendPort();
    void PortReturned();

    LoggerParamSession& Session() { return *session_; }
    QComboBox* CycleList() const { return cycle_; }
    QComboBox* RateList() const { return rate_; }
    QLineEdit* FlightTimesBox() const { return flights_; }
    QPushButton* DefaultButton() const { return default_; }
    QPushButton* UpdateButton() const { return update_; }

protected:
    void Refresh() override;

private:
    QComboBox* cycle_ = nullptr;
    QComboBox* rate_ = nullptr;
    QLineEdit* flights_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* default_ = nullptr;
    QPushButton* update_ = nullptr;
    std::unique_ptr<LoggerParamSession> session_;
};

}  // namespace tavix
