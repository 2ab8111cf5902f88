#include "ui/app/AppRoot.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <optional>

#include "analysis/PackTrend.h"
#include "base/FormatText.h"
#include "base/OutsideText.h"
#include "base/PlainText.h"
#include "base/Translate.h"
#include "config/CAppConfig.h"
#include "device/ConnectedDevice.h"
#include "device/IdentifySession.h"
#include "device/MainFormLine.h"
#include "link/CMSComm.h"
#include "link/PortName.h"
#include "logger/FlightSplitter.h"
#include "logger/LoggerLink.h"
#include "platform/GbkText.h"
#include "platform/QtTimerHost.h"
#include "platform/SerialBackendFactory.h"
#include "platform/UiLanguage.h"
#include "platform/UserEscHistory.h"
#include "records/StoredFlights.h"
#include "shell/Prompt.h"
#include "shell/TabPolicy.h"
#include "ui/app/DevicePages.h"
#include "ui/device/DevicePage.h"
#include "ui/logger/CFlightListDlg.h"
#include "ui/logger/CMyProgressDlg.h"
#include "ui/plot/RecordPage.h"
#include "ui/records/CLogbookDlg.h"
#include "ui/shell/CMainFrame.h"
#include "ui/shell/CTavixView.h"

namespace tavix {

namespace {

constexpr int kPresenceCheckMs = 1000;

}  // namespace

AppRoot::AppRoot(CMainFrame& frame, CAppConfig& config, CIniFile& ini, Prompt& prompt,
                 const Clock& clock, const std::string& portOption)
    : QObject(nullptr),
      frame_(frame),
      view_(*frame.View()),
      records_(frame, config, ini, prompt, clock),
      comm_(std::make_unique<CMSComm>(MakeSerialBackend(portOption))),
      timers_(std::make_unique<QtTimerHost>()),
      line_(std::make_unique<MainFormLine>(*comm_, *timers_, prompt)),
      device_(std::make_shared<ConnectedDevice>(&clock)),
      identity_(std::make_unique<IdentifySession>(*line_, prompt, ini, config,
                                                  frame.Document().Record())),
      link_(std::make_unique<LoggerLink>(*line_, *identity_, prompt, clock,
                                         frame.Document().Record())) {
    CIniFile* iniFile = &ini;
    const PortSource port = [portOption, &config, iniFile] {
        return ResolvePort(portOption, config.comPort, *iniFile);
    };
    line_->SetPortSource(port);
    identity_->SetDevice(device_.get());
    // Another port ends what was known of the device on the old one.
    connect(&view_, &CTavixView::comPortChanged, this, [this, port](int) {
        device_->SetPort(port());
        ApplyState();
    });
    // An adapter pulled out while idle leaves no time-out to tell: look for
    // its port now and then, so the window does not show a device that is gone.
    auto* presence = new QTimer(this);
    presence->setInterval(kPresenceCheckMs);
    connect(presence, &QTimer::timeout, this, [this, port] {
        if (!identity_->State().connected) {
            return;
        }
        std::string path = port();
        if (path.empty() || path == kDemoPort) {
            return;
        }
        if (path.find('/') == std::string::npos) {
            path = "/dev/" + path;  // a bare name is one of the system's devices
        }
        identity_->OnPortPresence(QFileInfo::exists(QString::fromStdString(path)));
    });
    presence->start();
    identity_->changed = [this] { ApplyState(); };
    identity_->keepBlock = [](const Bytes& block) {
        return KeepEscSnapshot(SnapshotReason::Read, block);
    };
    link_->changed = [this] { ApplyState(); };
    link_->startProgress = [this] { StartProgress(); };
    link_->storeRecord = CTavixDoc::StoreFlight;
    link_->openRecord = [this](const std::string& path) {
        frame_.OpenRecordFile(QString::fromLocal8Bit(path.c_str()));
    };

    connect(&view_, &CTavixView::openDeviceRequested, this, [this] {
        identity_->OnOpenDevice();
        ApplyState();  // also when the port did not open and nothing was sent
    });
    Prompt* shown = &prompt;
    // The note a flight's record carries: the form's note with the pack's and
    // the model's lines. Empty when it would not fit (said to the user).
    auto noteWith = [this, shown](const QString& pack) -> std::optional<std::string> {
        std::string note = WithNoteLine(WithPackLine(ToGbk(view_.NoteText()), ToGbk(pack)),
                                        kModelPrefix, ToGbk(view_.ModelText()));
        if (note.size() > kMaxNoteLength) {
            shown->Message(FormatShown(kMsgNoteWithPackTooLong, static_cast<int>(kMaxNoteLength)),
                           PromptIcon::Exclamation);
            return std::nullopt;
        }
        return note;
    };
    connect(&view_, &CTavixView::uploadRequested, this, [this, noteWith] {
        // The upload opens its last flight in place of the record on screen.
        if (!records_.MayLeaveRecord()) {
            return;
        }
        const std::optional<std::string> note = noteWith(view_.PackText());
        if (!note) {
            return;
        }
        // The logbook's folder counts too: a flight stored there is not new.
        link_->searchFolders.clear();
        if (frame_.Logbook() != nullptr && !frame_.Logbook()->Folder().isEmpty()) {
            link_->searchFolders.push_back(frame_.Logbook()->Folder().toLocal8Bit().toStdString());
        }
        link_->OnUploadRecordData(UploadForm{view_.GearRate(), view_.PoleNumber(), *note});
    });
    link_->findStored = FindStoredCandidates;
    // The flight list: ticks and a pack per flight.
    link_->chooseFlights = [this, noteWith](FlightList& list) {
        CFlightListDlg dialog(list, view_.PackText(), &frame_);
        if (dialog.exec() != QDialog::Accepted) {
            return false;
        }
        dialog.TakeTicks(list);
        const std::vector<QString> packs = dialog.Packs();
        for (std::size_t i = 0; i < list.flights.size(); ++i) {
            if (list.flights[i].selected) {
                list.flights[i].note = noteWith(packs[i]);
                if (!list.flights[i].note) {
                    return false;
                }
            }
        }
        return true;
    };
    connect(&view_, &CTavixView::clearRequested, this, [this] { link_->OnClearData(); });

    pages_ = InstallDevicePages(
        view_, DevicePageContext{config, ini, prompt, port, *identity_, *link_, device_});
    identity_->hideDevicePages = [this] {
        for (DevicePage* page : pages_) {
            page->PageHidden();
        }
        pagesHidden_ = true;
    };

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
    ApplyState();
}

AppRoot::~AppRoot() = default;

void AppRoot::ApplyState() {
    const IdentityState& device = identity_->State();
    const MainFormControls controls = TabPolicy(
        {device.identifying, device.connected, device.hasLogger, Document().Record().dataLoaded});
    view_.SetConnected(device.connected);
    // The wait for the device's answer can take seconds: say what goes on.
    if (device.identifying != identifyingShown_) {
        identifyingShown_ = device.identifying;
        view_.SetStatusText(ShownText(device.identifying ? kStatusIdentifying : kStatusReady));
    }
    view_.SetTabsEnabled(controls.tabs);
    view_.SetSetComPortEnabled(controls.setComPortEnabled);
    view_.SetOpenDeviceEnabled(controls.openDeviceEnabled);
    view_.SetUploadEnabled(controls.uploadEnabled);
    view_.SetClearEnabled(controls.clearEnabled);
    // Texts from the device, shown on one line with control characters escaped.
    view_.SetDescriptionText(FromGbk(EscapeControls(device.description)));
    const std::string version = UpToZero(device.version);
    view_.SetVersionText(ShownText(EscapeControls(version)));
    const int shown = view_.CurrentTab();
    const int tab = identity_->TakeTabRequest();
    if (tab >= 0) {
        view_.SelectTab(tab);
    }
    // "Open Device" took every page's port; once it is over, the page on
    // screen takes its own back (a page selected on request, even the one
    // already on screen, has done so already: selecting a tab shows its page).
    if (pagesHidden_ && !device.identifying) {
        pagesHidden_ = false;
        if (tab < 0 && view_.CurrentTab() == shown) {
            if (auto* page = qobject_cast<DevicePage*>(view_.Page(shown))) {
                page->PageShown();
            }
        }
    }
    // "Open Device" over a shown record loads the device's ranges into it.
    if (view_.RecordShown()) {
        view_.RecordView()->ApplyRanges();
    }
}

void AppRoot::StartProgress() {
    auto* dialog = new CMyProgressDlg(link_->Transfer(), &frame_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &CMyProgressDlg::transferFinished, this,
            [this](bool ok) { link_->OnProgressFinished(ok); });
    dialog->start();
}

}  // namespace tavix
