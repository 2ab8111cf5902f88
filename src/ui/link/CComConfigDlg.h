#pragma once
// "Com Port Setting": the port every device page opens from now on. Above the
// list of COM 1-16 stand the serial ports present on this machine (path,
// description, manufacturer, USB id, serial number), refreshed while the
// window is open so an adapter plugged in shows up; the one in use is bold.
// Beside the list it shows what the chosen entry means on this system (the
// device path) and whether that device is there; "Diagnose" tells why a port
// does or does not work. The choice goes into the settings and config.ini at
// once; nothing already open is touched.

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

#include "link/PortDoctor.h"
#include "link/SerialPorts.h"
#include "shell/ComPortChoice.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;
class QTreeWidget;

namespace tavix {

class CAppConfig;
class CIniFile;
class Prompt;
class MessageBoxPrompt;

class CComConfigDlg : public QDialog {
    Q_OBJECT
public:
    // The ports present, arranged, with `current` marked (SystemSerialPorts by default).
    using PortLister = std::function<std::vector<SerialPortEntry>(const std::string& current)>;
    // The doctor's report on a port (DiagnoseLocalPort by default).
    using Diagnoser = std::function<PortReport(const std::string& port)>;

    static constexpr int kRefreshMs = 1000;

    // `portOverride`: the --port of this run, when given (it wins over the list).
    CComConfigDlg(CAppConfig& config, CIniFile& ini, const QString& portOverride = {},
                  QWidget* parent = nullptr);
    ~CComConfigDlg() override;

    QComboBox* PortList() const { return list_; }
    QTreeWidget* PresentPorts() const { return present_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    QPushButton* ApplyButton() const { return apply_; }
    QPushButton* DiagnoseButton() const { return diagnose_; }
    QLabel* DeviceLabel() const { return device_; }
    const ComPortChoice& Choice() const { return *choice_; }
    // Where a failed save is reported (by default a message box over the dialog).
    void SetPrompt(Prompt& prompt) { prompt_ = &prompt; }
    void SetPortLister(PortLister lister);
    void SetDiagnoser(Diagnoser diagnoser) { diagnoser_ = std::move(diagnoser); }
    // Lists the ports present again (the timer does it every kRefreshMs).
    void RefreshPorts();
    // The port "Diagnose" looks at: the one chosen in the window.
    std::string ChosenPath() const;
    // The report window of the last "Diagnose", while it is open.
    QDialog* ReportWindow() const { return report_; }

signals:
    // A port number was stored (settings and config.ini).
    void portStored(int port);

private:
    void Store(int port);
    void StorePath(const std::string& path);
    void SaveResult(int port, bool saved);
    void ShowDevice();
    void Diagnose();

    CAppConfig& config_;
    CIniFile& ini_;
    QString portOverride_;
    std::unique_ptr<MessageBoxPrompt> boxes_;
    Prompt* prompt_ = nullptr;
    std::unique_ptr<ComPortChoice> choice_;
    PortLister lister_;
    Diagnoser diagnoser_;
    std::vector<SerialPortEntry> shown_;
    QTreeWidget* present_ = nullptr;
    QComboBox* list_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* apply_ = nullptr;
    QPushButton* diagnose_ = nullptr;
    QLabel* device_ = nullptr;
    QLabel* saveNote_ = nullptr;
    QTimer* refresh_ = nullptr;
    QDialog* report_ = nullptr;
    bool refreshing_ = false;
};

}  // namespace tavix
