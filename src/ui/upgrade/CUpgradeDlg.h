#pragma once
// The "5.Upgrade" page: the firmware version now in the ESC, the firmware file
// to send (Browse ...), Start and Stop, and an activity bar with the share of
// the image sent. All rules are FirmwareDownload's; the page draws its state.
//
// While a download runs the page is busy: the main form refuses other tabs
// and the main window asks before it closes (see ui/app/DevicePages.cpp).

#include <QString>
#include <array>
#include <functional>
#include <memory>

#include "link/PortName.h"
#include "ui/device/DevicePage.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace tavix {

class FirmwareDownload;
class Prompt;

class CUpgradeDlg : public SessionPage {
    Q_OBJECT
public:
    // Asks for a firmware file; an empty text when the user cancels.
    using FileChooser = std::function<QString(QWidget* parent)>;

    CUpgradeDlg(Prompt& prompt, PortSource port, QWidget* parent = nullptr);
    ~CUpgradeDlg() override;

    void PageShown() override;
    void PageHidden() override;

    FirmwareDownload& Session() { return *session_; }
    // A download runs.
    bool Busy() const;
    // Replaces the open-file dialog (tests).
    void SetFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

    // Widgets, for tests.
    const std::array<QLineEdit*, 4>& CurrentVersionBoxes() const { return current_; }
    const std::array<QLineEdit*, 4>& FirmwareVersionBoxes() const { return firmware_; }
    QLineEdit* FileBox() const { return path_; }
    QPushButton* BrowseButton() const { return browse_; }
    QPushButton* StartButton() const { return start_; }
    QPushButton* StopButton() const { return stop_; }
    QLabel* BlockLabel() const { return blocks_; }

    // The open-file dialog of the page ("Dlc" files first, then all files).
    static QString ChooseFirmwareFile(QWidget* parent);

signals:
    void busyChanged(bool busy);
    // A download ended with this version read back from the ESC (its bytes).
    void firmwareInstalled(const QByteArray& version);

protected:
    void Refresh() override;

private:
    void BuildLayout();
    void OnBrowse();

    std::unique_ptr<FirmwareDownload> session_;
    FileChooser chooser_;
    bool wasBusy_ = false;
    std::array<QLineEdit*, 4> current_{};
    std::array<QLineEdit*, 4> firmware_{};
    QLineEdit* path_ = nullptr;
    QPushButton* browse_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* stop_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* blocks_ = nullptr;
    QLabel* icon_ = nullptr;
    QLabel* versionNote_ = nullptr;
    QLabel* warning_ = nullptr;
};

}  // namespace tavix
