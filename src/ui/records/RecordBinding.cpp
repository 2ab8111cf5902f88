#include "ui/records/RecordBinding.h"

#include <QLayout>

#include "base/FormatText.h"
#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "platform/GbkText.h"
#include "plot/CurveModel.h"
#include "plot/PlotTexts.h"
#include "records/AnalysisLimits.h"
#include "shell/Prompt.h"
#include "shell/ShellTexts.h"
#include "ui/plot/ChannelControls.h"
#include "ui/plot/ChartImageExport.h"
#include "ui/plot/RecordPage.h"
#include "ui/shell/CMainFrame.h"
#include "ui/shell/CTavixView.h"

namespace tavix {

namespace {

std::string LocalPath(const QString& path) {
    return path.toLocal8Bit().toStdString();
}

}  // namespace

RecordBinding::RecordBinding(CMainFrame& frame, CAppConfig& config, CIniFile& ini, Prompt& prompt,
                             const Clock& clock)
    : QObject(nullptr),
      frame_(frame),
      view_(*frame.View()),
      config_(config),
      prompt_(prompt),
      doc_(config, ini),
      chartExport_(std::make_unique<ChartImageExport>(prompt, clock)) {
    frame_.SetRecordOpener([this](const QString& path) { return OpenRecord(path); });
    frame_.SetRecordSaver([this](const QString& path) { return SaveRecord(path); });

    // The Y axis, the curves shown and their colours, below the curves.
    RecordPage& page = *view_.RecordView();
    QWidget* area = page.ChannelControls();
    channels_ = new ChannelControls(config, ini, prompt, area);
    area->layout()->addWidget(channels_);
    connect(channels_, &ChannelControls::yAxisChanged, &page, &RecordPage::SetYAxis);
    connect(channels_, &ChannelControls::channelVisibleChanged, &page,
            &RecordPage::SetChannelVisible);
    connect(channels_, &ChannelControls::channelColourChanged, &page,
            &RecordPage::SetChannelColour);
    channels_->SetRecord();

    // "Snap" and File > "Save As &JPG": the record page as an image file.
    const auto exportChart = [this] { chartExport_->Run(view_.RecordView(), &frame_); };
    frame_.SetImageExporter(exportChart);
    connect(&page, &RecordPage::snapRequested, this, exportChart);

    // The power curve's colour: the stored one, and a new choice stored at once.
    if (config_.powerColour) {
        page.SetPowerColour(*config_.powerColour);
    }
    CIniFile* iniFile = &ini;
    connect(&page, &RecordPage::powerColourChosen, this, [this, iniFile](std::uint32_t colorref) {
        if (!config_.SetPowerColour(*iniFile, colorref)) {
            prompt_.Message(FormatText(kMsgPowerColourNotSaved, iniFile->FilePath().c_str(),
                                       iniFile->LastError().c_str()),
                            PromptIcon::Exclamation);
        }
    });

    // The event limits: config.ini's (or the defaults), written when changed.
    page.SetEventLimits(ReadEventLimits(ini));
    connect(&page, &RecordPage::eventLimitsChosen, this,
            [this, iniFile](const EventLimits& limits) {
                if (!WriteEventLimits(*iniFile, limits)) {
                    prompt_.Message(FormatText(kMsgLimitsNotSaved, iniFile->FilePath().c_str(),
                                               iniFile->LastError().c_str()),
                                    PromptIcon::Exclamation);
                }
            });
}

RecordBinding::~RecordBinding() = default;

bool RecordBinding::OpenRecord(const QString& path) {
    RecordForm form;
    std::string message;
    if (!doc_.OnOpenDocument(LocalPath(path), form, message)) {
        prompt_.Message(message, PromptIcon::Exclamation);
        return false;
    }
    ShowLoadedRecord(form);
    return true;
}

bool RecordBinding::SaveRecord(const QString& path) {
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

void RecordBinding::ShowLoadedRecord(const RecordForm& form) {
    view_.SetNoteText(FromGbk(form.note.substr(0, form.note.find('\0'))));
    view_.SetGearRate(form.gearRate);
    view_.SetPoleNumber(form.poles);

    // The curves smooth and convert the record; the statistics they keep are
    // the data store's too.
    RecordPage& page = *view_.RecordView();
    page.ShowRecord();
    config_.conversion = page.Model().Conversion();
    channels_->SetRecord();

    // The record's page is where a loaded record is shown.
    view_.SetTabEnabled(kTabRecord, true);
    view_.SelectTab(kTabRecord);
}

}  // namespace tavix
