#pragma once
// "Com Port Setting": the port every device page opens from now on. Beside
// the list it shows what the chosen entry means on this system (the device
// path) and whether that device is there. The choice goes into the settings
// and config.ini at once; nothing already open is touched.

#include <QDialog>
#include <memory>

#include "shell/ComPortChoice.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace tavix {

class CAppConfig;
class CIniFile;
class Prompt;
class MessageBoxPrompt;

class CComConfigDlg : public QDialog {
    Q_OBJECT
public:
    // `portOverride`: the --port of this run, when given (it wins over the list).
    CComConfigDlg(CAppConfig& config, CIniFile& ini, const QString& portOverride = {},
                  QWidget* parent = nullptr);
    ~CComConfigDlg() override;

    QComboBox* PortList() const { return list_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    QPushButton* ApplyButton() const { return apply_; }
    QLabel* DeviceLabel() const { return device_; }
    const ComPortChoice& Choice() const { return *choice_; }
    // Where a failed save is reported (by default a message box over the dialog).
    void SetPrompt(Prompt& prompt) { prompt_ = &prompt; }

signals:
    // A port number was stored (settings and config.ini).
    void portStored(int port);

private:
    void Store(int port);
    void ShowDevice();

    CAppConfig& config_;
    CIniFile& ini_;
    std::unique_ptr<MessageBoxPrompt> boxes_;
    Prompt* prompt_ = nullptr;
    std::unique_ptr<ComPortChoice> choice_;
    QComboBox* list_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* apply_ = nullptr;
    QLabel* device_ = nullptr;
    QLabel* saveNote_ = nullptr;
};

}  // namespace tavix
