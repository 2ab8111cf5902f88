#pragma once
// The window's root: it owns the one model of the connected device, the main
// form's line and sessions (IdentifySession for "Open Device", LoggerLink for
// upload and clear) and the program's record binding, and ties them and the
// device pages to the windows: the form's buttons and fields go to the
// sessions, their state goes back onto the form, the progress window and the
// status bar. An upload's last flight is opened through the frame, as
// File > Open would (RecordBinding).

#include <QObject>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "ui/app/RecordBinding.h"

namespace tavix {

class CAppConfig;
class CIniFile;
class CMainFrame;
class CMSComm;
class CTavixView;
class Clock;
class ConnectedDevice;
class DevicePage;
class IdentifySession;
class LoggerLink;
class MainFormLine;
class Prompt;
class QtTimerHost;

class AppRoot : public QObject {
    Q_OBJECT
public:
    // `portOption`: the --port of this run ("" = the stored port).
    AppRoot(CMainFrame& frame, CAppConfig& config, CIniFile& ini, Prompt& prompt,
            const Clock& clock, const std::string& portOption);
    ~AppRoot() override;

    LoggerLink& Link() { return *link_; }
    IdentifySession& Identity() { return *identity_; }
    const ConnectedDevice& Device() const { return *device_; }
    CTavixDoc& Document() { return records_.Document(); }
    RecordBinding& Records() { return records_; }

private:
    void ApplyState();
    void StartProgress();

    CMainFrame& frame_;
    CTavixView& view_;
    RecordBinding records_;
    std::unique_ptr<CMSComm> comm_;
    std::unique_ptr<QtTimerHost> timers_;
    std::unique_ptr<MainFormLine> line_;
    // The connected device: port in use, identity read, block last read,
    // state. The sessions and pages hold views of it.
    std::shared_ptr<ConnectedDevice> device_;
    std::unique_ptr<IdentifySession> identity_;
    std::unique_ptr<LoggerLink> link_;
    std::vector<DevicePage*> pages_;  // owned by the view
    bool pagesHidden_ = false;        // by "Open Device", until it is over
    bool identifyingShown_ = false;   // the status bar says the device is asked
};

}  // namespace tavix
