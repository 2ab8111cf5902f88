#include "LoggerLinkBinding.h"

#include <filesystem>

#include "CMainFrame.h"
#include "CMyProgressDlg.h"
#include "CTavixView.h"
#include "config/CAppConfig.h"
#include "link/CMSComm.h"
#include "link/PortName.h"
#include "logger/FlightSplitter.h"
#include "logger/LoggerLink.h"
#include "platform/GbkText.h"
#include "platform/QtTimerHost.h"
#include "platform/SerialBackendFactory.h"
#include "records/RecordSummary.h"
#include "shell/Prompt.h"
#include "ui/device/DevicePage.h"
#include "ui/device/DevicePages.h"

namespace tavix {

namespace {

std::string LocalPath(const QString& path) {
    return path.toLocal8Bit().toStdString();
}

}  // namespace

LoggerLinkBinding::LoggerLinkBinding(CMainFrame& frame, CAppConfig& config, CIniFile& ini,
                                     Prompt& prompt, const Clock& clock,
                                     const std::string& portOption)
    : QObject(nullptr),
      frame_(frame),
      view_(*frame.View()),
      config_(config),
      prompt_(prompt),
      doc_(config, ini),
      comm_(std::make_unique<CMSComm>(MakeSerialBackend(portOption))),
      timers_(std::make_unique<QtTimerHost>()),
      link_(std::make_unique<LoggerLink>(*comm_, *timers_, prompt, clock, ini, config)) {
    link_->portOption = portOption;
    link_->changed = [this] { ApplyState(); };
    link_->startProgress = [this] { StartProgress(); };
    link_->storeRecord = [](const std::string& path, const FlightRecord& record,
                            std::string& reason) {
        return StoreNewRecordFile(path, CTavixDoc::Serialize(record), reason);
    };
    link_->openRecord = [this](const std::string& path) {
        frame_.OpenRecordFile(QString::fromLocal8Bit(path.c_str()));
    };

    connect(&view_, &CTavixView::openDeviceRequested, this, [this] { link_->OnOpenDevice(); });
    connect(&view_, &CTavixView::uploadRequested, this, [this] {
        link_->OnUploadRecordData(
            UploadForm{view_.GearRate(), view_.PoleNumber(), ToGbk(view_.NoteText())});
    });
    connect(&view_, &CTavixView::clearRequested, this, [this] { link_->OnClearData(); });

    CIniFile* iniFile = &ini;
    pages_ = InstallDevicePages(
        view_, DevicePageContext{config, ini, prompt,
                                 [portOption, &config, iniFile] {
                                     return ResolvePort(portOption, config.comPort, *iniFile);
                                 },
                                 *link_});
    link_->hideDevicePages = [this] {
        for (DevicePage* page : pages_) {
            page->PageHidden();
        }
    };

    frame_.SetRecordOpener([this](const QString& path) { return OpenRecord(path); });
    frame_.SetRecordSaver([this](const QString& path) { return SaveRecord(path); });
    ApplyState();
}

LoggerLinkBinding::~LoggerLinkBinding() = default;

void LoggerLinkBinding::ApplyState() {
    const LoggerLinkState& s = link_->State();
    view_.SetConnected(s.connected);
    auto tabs = s.tabEnabled;
    // A record on screen keeps its page, whatever the device says.
    tabs[kTabRecord] = tabs[kTabRecord] || config_.Record().dataLoaded;
    view_.SetTabsEnabled(tabs);
    view_.SetSetComPortEnabled(s.setComPortEnabled);
    view_.SetOpenDeviceEnabled(s.openDeviceEnabled);
    view_.SetUploadEnabled(s.uploadEnabled);
    view_.SetClearEnabled(s.clearEnabled);
    view_.SetDescriptionText(FromGbk(s.description));
    const std::string version = s.version.substr(0, s.version.find('\0'));
    view_.SetVersionText(FromGbk(version));
    const int tab = link_->TakeTabRequest();
    if (tab >= 0) {
        view_.SelectTab(tab);
    }
}

void LoggerLinkBinding::StartProgress() {
    auto* dialog = new CMyProgressDlg(link_->Transfer(), &frame_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &CMyProgressDlg::transferFinished, this,
            [this](bool ok) { link_->OnProgressFinished(ok); });
    dialog->start();
}

bool LoggerLinkBinding::OpenRecord(const QString& path) {
    RecordForm form;
    std::string message;
    if (!doc_.OnOpenDocument(LocalPath(path), form, message)) {
        prompt_.Message(message, PromptIcon::Exclamation);
        return false;
    }
    ShowLoadedRecord(form, path);
    return true;
}

bool LoggerLinkBinding::SaveRecord(const QString& path) {
    RecordForm form;
    form.note = ToGbk(view_.NoteText());
    form.gearRate = view_.GearRate();
    form.poles = view_.PoleNumber();
    std::string message;
    if (!doc_.OnSaveDocument(LocalPath(path), form, message)) {
        prompt_.Message(message, PromptIcon::Exclamation);
        return false;
    }
    return true;
}

void LoggerLinkBinding::ShowLoadedRecord(const RecordForm& form, const QString& path) {
    view_.SetNoteText(FromGbk(form.note.substr(0, form.note.find('\0'))));
    view_.SetGearRate(form.gearRate);
    view_.SetPoleNumber(form.poles);

    std::error_code ec;
    const auto size = std::filesystem::file_size(LocalPath(path), ec);
    const ConversionResult& conversion = config_.Convert();
    const std::string summary =
        RecordSummaryText({config_.Record(), form, conversion, LocalPath(path),
                           ec ? std::nullopt : std::optional<std::uintmax_t>(size)});
    view_.SetRecordSummary(FromGbk(summary));

    // The record's page is where a loaded record is shown.
    view_.SetTabEnabled(kTabRecord, true);
    view_.SelectTab(kTabRecord);
}

}  // namespace tavix
