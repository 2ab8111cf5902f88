#include "LoggerLinkBinding.h"

#include <QDir>
#include <QFileInfo>

#include "CMainFrame.h"
#include "CMyProgressDlg.h"
#include "CTavixView.h"
#include "base/AtomicFile.h"
#include "base/FormatText.h"
#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "device/IdentifySession.h"
#include "device/MainFormLine.h"
#include "link/CMSComm.h"
#include "link/PortName.h"
#include "logger/LoggerLink.h"
#include "platform/GbkText.h"
#include "platform/QtTimerHost.h"
#include "platform/SerialBackendFactory.h"
#include "plot/CurveModel.h"
#include "plot/PlotTexts.h"
#include "shell/Prompt.h"
#include "shell/TabPolicy.h"
#include "ui/device/DevicePage.h"
#include "ui/device/DevicePages.h"
#include "ui/plot/ChartImageExport.h"
#include "ui/plot/RecordPage.h"

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
      line_(std::make_unique<MainFormLine>(*comm_, *timers_, prompt)),
      identity_(std::make_unique<IdentifySession>(*line_, prompt, ini, config)),
      link_(std::make_unique<LoggerLink>(*line_, *identity_, prompt, clock, config)) {
    CIniFile* iniFile = &ini;
    const PortSource port = [portOption, &config, iniFile] {
        return ResolvePort(portOption, config.comPort, *iniFile);
    };
    line_->port = port;
    identity_->changed = [this] { ApplyState(); };
    link_->changed = [this] { ApplyState(); };
    link_->startProgress = [this] { StartProgress(); };
    link_->storeRecord = [](const std::string& path, const FlightRecord& record,
                            std::string& reason) {
        return WriteFileAtomically(path, CTavixDoc::Serialize(record), &reason);
    };
    link_->openRecord = [this](const std::string& path) {
        frame_.OpenRecordFile(QString::fromLocal8Bit(path.c_str()));
    };

    connect(&view_, &CTavixView::openDeviceRequested, this, [this] {
        identity_->OnOpenDevice();
        ApplyState();  // also when the port did not open and nothing was sent
    });
    connect(&view_, &CTavixView::uploadRequested, this, [this] {
        link_->OnUploadRecordData(
            UploadForm{view_.GearRate(), view_.PoleNumber(), ToGbk(view_.NoteText())});
    });
    connect(&view_, &CTavixView::clearRequested, this, [this] { link_->OnClearData(); });

    pages_ =
        InstallDevicePages(view_, DevicePageContext{config, ini, prompt, port, *identity_, *link_});
    identity_->hideDevicePages = [this] {
        for (DevicePage* page : pages_) {
            page->PageHidden();
        }
        pagesHidden_ = true;
    };

    frame_.SetRecordOpener([this](const QString& path) { return OpenRecord(path); });
    frame_.SetRecordSaver([this](const QString& path) { return SaveRecord(path); });
    // The logbook opens on the folder of the last upload's files.
    frame_.SetLogbookFolder([this] {
        const std::vector<std::string>& files = link_->State().writtenFiles;
        if (!files.empty()) {
            return QFileInfo(QString::fromLocal8Bit(files.back().c_str())).absolutePath();
        }
        return link_->outputDirectory.empty()
                   ? QDir::currentPath()
                   : QString::fromLocal8Bit(link_->outputDirectory.c_str());
    });

    // "Snap" and File > "Save As &JPG": the record page as an image file.
    chartExport_ = std::make_unique<ChartImageExport>(prompt, clock);
    const auto exportChart = [this] { chartExport_->Run(view_.RecordView(), &frame_); };
    frame_.SetImageExporter(exportChart);
    connect(view_.RecordView(), &RecordPage::snapRequested, this, exportChart);

    // The power curve's colour: the stored one, and a new choice stored at once.
    if (config_.powerColour) {
        view_.RecordView()->SetPowerColour(*config_.powerColour);
    }
    connect(view_.RecordView(), &RecordPage::powerColourChosen, this,
            [this, iniFile](std::uint32_t colorref) {
                if (!config_.SetPowerColour(*iniFile, colorref)) {
                    prompt_.Message(FormatText(kMsgPowerColourNotSaved, iniFile->FilePath().c_str(),
                                               iniFile->LastError().c_str()),
                                    PromptIcon::Exclamation);
                }
            });
    ApplyState();
}

LoggerLinkBinding::~LoggerLinkBinding() = default;

void LoggerLinkBinding::ApplyState() {
    const IdentityState& device = identity_->State();
    const MainFormControls controls = TabPolicy(
        {device.identifying, device.connected, device.hasLogger, config_.Record().dataLoaded});
    view_.SetConnected(device.connected);
    view_.SetTabsEnabled(controls.tabs);
    view_.SetSetComPortEnabled(controls.setComPortEnabled);
    view_.SetOpenDeviceEnabled(controls.openDeviceEnabled);
    view_.SetUploadEnabled(controls.uploadEnabled);
    view_.SetClearEnabled(controls.clearEnabled);
    view_.SetDescriptionText(FromGbk(device.description));
    const std::string version = device.version.substr(0, device.version.find('\0'));
    view_.SetVersionText(FromGbk(version));
    const int shown = view_.CurrentTab();
    const int tab = identity_->TakeTabRequest();
    if (tab >= 0) {
        view_.SelectTab(tab);
    }
    // "Open Device" took every page's port; once it is over, the page on
    // screen takes its own back (a page newly selected has done so already).
    if (pagesHidden_ && !device.identifying) {
        pagesHidden_ = false;
        if (view_.CurrentTab() == shown) {
            if (auto* page = qobject_cast<DevicePage*>(view_.Page(shown))) {
                page->PageShown();
            }
        }
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
    ShowLoadedRecord(form);
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

void LoggerLinkBinding::ShowLoadedRecord(const RecordForm& form) {
    view_.SetNoteText(FromGbk(form.note.substr(0, form.note.find('\0'))));
    view_.SetGearRate(form.gearRate);
    view_.SetPoleNumber(form.poles);

    // The curves smooth and convert the record; the statistics they keep are
    // the data store's too.
    RecordPage& page = *view_.RecordView();
    page.ShowRecord();
    config_.conversion = page.Model().Conversion();

    // The record's page is where a loaded record is shown.
    view_.SetTabEnabled(kTabRecord, true);
    view_.SelectTab(kTabRecord);
}

}  // namespace tavix
