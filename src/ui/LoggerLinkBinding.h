#pragma once
// Ties the main form's device session (LoggerLink) and the record document
// (CTavixDoc) to the windows: the form's buttons and fields go to the session,
// the session's state goes back onto the form, the progress window and the
// status bar, and the frame's Open/Save reach the document.
//
// It owns what the main form owns in the device's eyes: its own serial
// control, its timers and the session.

#include <QObject>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "records/CTavixDoc.h"

namespace tavix {

class CAppConfig;
class ChartImageExport;
class CIniFile;
class CMainFrame;
class CMSComm;
class CTavixView;
class Clock;
class DevicePage;
class IdentifySession;
class LoggerLink;
class MainFormLine;
class Prompt;
class QtTimerHost;

class LoggerLinkBinding : public QObject {
    Q_OBJECT
public:
    // `portOption`: the --port of this run ("" = the stored port).
    LoggerLinkBinding(CMainFrame& frame, CAppConfig& config, CIniFile& ini, Prompt& prompt,
                      const Clock& clock, const std::string& portOption);
    ~LoggerLinkBinding() override;

    LoggerLink& Link() { return *link_; }
    IdentifySession& Identity() { return *identity_; }
    CTavixDoc& Document() { return doc_; }

    // The frame's hooks: load or store a record file; true on success.
    bool OpenRecord(const QString& path);
    bool SaveRecord(const QString& path);

private:
    void ApplyState();
    void StartProgress();
    void ShowLoadedRecord(const RecordForm& form);

    CMainFrame& frame_;
    CTavixView& view_;
    CAppConfig& config_;
    Prompt& prompt_;
    CTavixDoc doc_;
    std::unique_ptr<CMSComm> comm_;
    std::unique_ptr<QtTimerHost> timers_;
    std::unique_ptr<MainFormLine> line_;
    std::unique_ptr<IdentifySession> identity_;
    std::unique_ptr<LoggerLink> link_;
    std::vector<DevicePage*> pages_;  // owned by the view
    bool pagesHidden_ = false;        // by "Open Device", until it is over
    std::unique_ptr<ChartImageExport> chartExport_;
};

}  // namespace tavix
