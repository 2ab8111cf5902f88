#include "ui/app/RecordBinding.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPlainTextEdit>

#include "base/FormatText.h"
#include "base/PlainText.h"
#include "base/Translate.h"
#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "config/IniNames.h"
#include "platform/GbkText.h"
#include "platform/LocalPath.h"
#include "platform/UiLanguage.h"
#include "plot/CurveModel.h"
#include "plot/PlotMessages.h"
#include "plot/PlotStack.h"
#include "records/AnalysisLimits.h"
#include "shell/Prompt.h"
#include "shell/ShellMessages.h"
#include "ui/app/ComparisonBinding.h"
#include "ui/plot/ChannelControls.h"
#include "ui/plot/ChartImageExport.h"
#include "ui/plot/RecordPage.h"
#include "ui/shell/CMainFrame.h"
#include "ui/shell/CTavixView.h"

namespace tavix {

RecordBinding::RecordBinding(CMainFrame& frame, CAppConfig& config, CIniFile& ini, Prompt& prompt,
                             const Clock& clock)
    : QObject(nullptr),
      frame_(frame),
      view_(*frame.View()),
      config_(config),
      prompt_(prompt),
      doc_(frame.Document()),
      chartExport_(std::make_unique<ChartImageExport>(prompt, clock)),
      comparison_(std::make_unique<ComparisonBinding>(frame, config, ini, prompt)) {
    frame_.SetRecordOpener([this](const QString& path) { return OpenRecord(path); });
    frame_.SetRecordSaver([this](const QString& path) { return SaveRecord(path); });

    // The Y axis, the curves shown and their colours, below the curves.
    RecordPage& page = *view_.RecordView();
    QWidget* area = page.ChannelControls();
    channels_ = new ChannelControls(config, doc_.Record(), ini, prompt, area);
    area->layout()->addWidget(channels_);
    connect(channels_, &ChannelControls::yAxisChanged, &page, &RecordPage::SetYAxis);
    connect(channels_, &ChannelControls::channelVisibleChanged, &page,
            &RecordPage::SetChannelVisible);
    connect(channels_, &ChannelControls::channelColourChanged, &page,
            &RecordPage::SetChannelColour);
    channels_->SetRecord();

    // Nothing typed is lost: an edited note marks the record changed, and
    // leaving it asks first.
    askSave = [this](const std::string& text) {
        const auto answer = QMessageBox::warning(
            &frame_, ShownText(kTitleSaveChanges), ShownText(text),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
        return answer == QMessageBox::Save      ? SaveAnswer::Save
               : answer == QMessageBox::Discard ? SaveAnswer::Discard
                                                : SaveAnswer::Cancel;
    };
    connect(view_.NoteBox(), &QPlainTextEdit::textChanged, this, [this] { OnNoteEdited(); });
    frame_.SetLeaveGuard([this] { return edits_.Changed(); }, [this] { return MayLeaveRecord(); });

    // A gear rate or pole number typed while a record is open is for the next
    // upload; the record keeps its own (its RPM was computed with them).
    gearHint_ = new QLabel(view_.UserParameterGroup());
    gearHint_->setObjectName(QStringLiteral("gearHint"));
    // One line, so the form keeps its height and the chart its size.
    gearHint_->setToolTip(ShownText(kTipGearAppliesToUpload));
    gearHint_->hide();
    if (auto* form = qobject_cast<QFormLayout*>(view_.UserParameterGroup()->layout())) {
        form->addRow(gearHint_);
    }
    connect(&view_, &CTavixView::gearRateChanged, this, [this] { UpdateGearHint(); });
    connect(&view_, &CTavixView::poleNumberChanged, this, [this] { UpdateGearHint(); });

    // "Open Device" may have loaded a profile with other ranges meanwhile.
    connect(&view_, &CTavixView::pageShown, this, [this](int tab) {
        if (tab == kTabRecord) {
            view_.RecordView()->ApplyRanges();
        }
    });

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
            prompt_.Message(FormatShown(kMsgPowerColourNotSaved, iniFile->FilePath().c_str(),
                                        iniFile->LastError().c_str()),
                            PromptIcon::Exclamation);
        }
    });

    // The layout of the curves and the stacked layout's curves: config.ini's,
    // each choice written at once.
    page.SetStackedCurves(ParseStackedCurves(ini.GetText(kIniDisplaySection, kIniStackedEntry)));
    page.SetLayout(ParseLayout(ini.GetText(kIniDisplaySection, kIniLayoutEntry))
                       .value_or(PlotLayout::Overlay));
    const auto storeDisplay = [this, iniFile](const char* entry, const std::string& value) {
        iniFile->PutText(kIniDisplaySection, entry, value, true);
        if (!iniFile->Save()) {
            prompt_.Message(FormatText(kMsgSettingNotSaved, iniFile->FilePath().c_str(),
                                       iniFile->LastError().c_str()),
                            PromptIcon::Exclamation);
        }
    };
    connect(&page, &RecordPage::layoutChosen, this, [storeDisplay](PlotLayout layout) {
        storeDisplay(kIniLayoutEntry, LayoutName(layout));
    });
    connect(&page, &RecordPage::stackedCurvesChosen, this,
            [storeDisplay](const std::vector<int>& curves) {
                storeDisplay(kIniStackedEntry, StackedCurvesText(curves));
            });

    // The event limits: config.ini's (or the defaults), written when changed.
    page.SetEventLimits(ReadEventLimits(ini));
    connect(&page, &RecordPage::eventLimitsChosen, this,
            [this, iniFile](const EventLimits& limits) {
                if (!WriteEventLimits(*iniFile, limits)) {
                    prompt_.Message(FormatShown(kMsgLimitsNotSaved, iniFile->FilePath().c_str(),
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
    // A record opened is compared with nothing yet.
    comparison_->NewReference(path);
    if (!form.warning.empty()) {
        prompt_.Message(form.warning, PromptIcon::Exclamation);
    }
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
    edits_.Loaded(form.note);
    comparison_->ReferenceSaved(QFileInfo(path).absoluteFilePath());
    return true;
}

bool RecordBinding::MayLeaveRecord() {
    const std::string name = ToGbk(QFileInfo(frame_.DocumentPath()).fileName());
    const bool leaves = edits_.MayLeave(name, askSave, [this] { return frame_.SaveDocument(); });
    frame_.SetDocumentChanged(edits_.Changed());
    return leaves;
}

void RecordBinding::OnNoteEdited() {
    if (edits_.NoteEdited(ToGbk(view_.NoteText()))) {
        frame_.SetDocumentChanged(edits_.Changed());
    }
}

void RecordBinding::UpdateGearHint() {
    const std::string hint = GearHint(doc_.Record().dataLoaded, recordGear_, recordPoles_,
                                      view_.GearRate(), view_.PoleNumber());
    gearHint_->setText(ShownText(hint.c_str()));
    gearHint_->setVisible(!hint.empty());
}

void RecordBinding::ShowLoadedRecord(const RecordForm& form) {
    view_.SetNoteText(FromGbk(UpToZero(form.note)));
    // What the box shows now is the saved note.
    edits_.Loaded(ToGbk(view_.NoteText()));
    frame_.SetDocumentChanged(false);
    recordGear_ = form.gearRate;
    recordPoles_ = form.poles;
    view_.SetGearRate(form.gearRate);
    view_.SetPoleNumber(form.poles);
    UpdateGearHint();

    // The curves smooth and convert the current flight, which keeps its
    // statistics.
    view_.RecordView()->ShowRecord();
    channels_->SetRecord();

    // The record's page is where a loaded record is shown.
    view_.SetTabEnabled(kTabRecord, true);
    view_.SelectTab(kTabRecord);
}

}  // namespace tavix
