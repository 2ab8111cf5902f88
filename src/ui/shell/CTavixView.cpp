#include "ui/shell/CTavixView.h"

#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "config/CAppConfig.h"
#include "platform/GbkText.h"
#include "platform/UiLanguage.h"
#include "shell/GearRateRule.h"
#include "ui/link/CComConfigDlg.h"
#include "ui/plot/RecordPage.h"
#include "ui/shell/CQTabCtrl.h"
#include "ui/shell/CWelcomeDlg.h"
#include "ui/shell/GbkLimitedEdit.h"
#include "ui/shell/Resources.h"

namespace tavix {

namespace {

constexpr int kIconSize = 28;

QPushButton* MakeButton(const char* caption, QWidget* parent) {
    auto* button = new QPushButton(ShownText(caption), parent);
    button->setAutoDefault(false);
    return button;
}

void KeepPlaceWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

}  // namespace

CTavixView::CTavixView(CAppConfig& config, FlightData& shown, CIniFile& ini, QWidget* parent)
    : QWidget(parent), config_(config), shown_(shown), ini_(ini) {
    EnsureResources();
    setObjectName(QStringLiteral("mainForm"));
    RecordHeader& header = shown_.record.header;
    gearRate_ = InitialGearRate(header.gearRate);
    if (!IsUsableGearRate(header.gearRate)) {
        header.gearRate = 1.0f;  // the configured value was no usable gear rate
    }
    poles_ = header.poles;

    BuildLayout();

    gearEdit_->setText(QString::fromStdString(GearRateText(gearRate_)));
    polesEdit_->setText(QString::number(poles_));
    note_->SetLimitedText(FromGbk(FixedText(header.note)));

    SetConnected(false);
    SetTabsEnabled({true, false, false, false, false});
    tabs_->SelectQuietly(kTabWelcome);
    ShowPageControls(kTabWelcome);
    upload_->setEnabled(false);
    recordPage_->ShowRecord();
}

CTavixView::~CTavixView() = default;

void CTavixView::BuildLayout() {
    tabs_ = new CQTabCtrl(this);
    tabs_->setObjectName(QStringLiteral("pageTabs"));
    welcome_ = new CWelcomeDlg(tabs_);
    pages_[kTabWelcome] = welcome_;
    for (int tab = 1; tab < kTabCount; ++tab) {
        if (tab == kTabRecord) {
            // The record's curves, statistics and channel controls.
            recordPage_ = new RecordPage(shown_, config_.smoothing, tabs_);
            connect(recordPage_, &RecordPage::statusTextChanged, this, &CTavixView::SetStatusText);
            pages_[tab] = recordPage_;
            continue;
        }
        auto* page = new QWidget(tabs_);
        page->setObjectName(QStringLiteral("page%1").arg(tab));
        pages_[tab] = page;
    }
    for (int tab = 0; tab < kTabCount; ++tab) {
        tabs_->addTab(pages_[tab], ShownText(kTabCaptions[tab]));
    }
    tabs_->SetChangingHandler([this](int from, int to) {
        for (const PageHold& hold : holds_) {
            if (hold.tab == from && to != from && hold.active && hold.active()) {
                if (hold.refused) {
                    QTimer::singleShot(0, this, hold.refused);
                }
                return -1;  // the page is working: it stays
            }
        }
        previousTab_ = from;
        return 0;
    });
    connect(tabs_, &CQTabCtrl::selectionChanged, this, &CTavixView::OnTabChanged);

    // Below the pages: the device's description (welcome page) or the
    // record's note (record page) in one place.
    textArea_ = new QStackedWidget(this);
    description_ = new QPlainTextEdit(textArea_);
    description_->setObjectName(QStringLiteral("descriptionBox"));
    description_->setReadOnly(true);
    description_->setPlaceholderText(tr("The opened device's description appears here."));
    note_ = new GbkLimitedEdit(kNoteMaxBytes, textArea_);
    note_->setObjectName(QStringLiteral("noteBox"));
    note_->setPlaceholderText(tr("Note kept with the record"));
    note_->setTabChangesFocus(true);
    noText_ = new QWidget(textArea_);
    textArea_->addWidget(description_);
    textArea_->addWidget(note_);
    textArea_->addWidget(noText_);
    textArea_->setFixedHeight(64);

    setCom_ = MakeButton(kBtnSetComPort, this);
    openDevice_ = MakeButton(kBtnOpenDevice, this);
    icon_ = new QLabel(this);
    icon_->setObjectName(QStringLiteral("statusIcon"));
    icon_->setFixedSize(kIconSize, kIconSize);

    userGroup_ = new QGroupBox(ShownText(kGroupUserParameter), this);
    gearEdit_ = new QLineEdit(userGroup_);
    gearEdit_->setObjectName(QStringLiteral("gearRateEdit"));
    gearEdit_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,5}\\.?[0-9]{0,4}")), gearEdit_));
    gearEdit_->setMaximumWidth(80);
    polesEdit_ = new QLineEdit(userGroup_);
    polesEdit_->setObjectName(QStringLiteral("poleNumberEdit"));
    polesEdit_->setValidator(new QIntValidator(0, 9999, polesEdit_));
    polesEdit_->setMaximumWidth(80);
    auto* form = new QFormLayout(userGroup_);
    auto* gearLabel = new QLabel(ShownText(kLabelGearRate), userGroup_);
    auto* polesLabel = new QLabel(ShownText(kLabelPoleNumber), userGroup_);
    form->addRow(gearLabel, gearEdit_);
    form->addRow(polesLabel, polesEdit_);
    // The pack the uploaded flights are flown on, written as the note's
    // first line so the logbook can follow each pack.
    packEdit_ = new QLineEdit(userGroup_);
    packEdit_->setObjectName(QStringLiteral("packEdit"));
    packEdit_->setMaxLength(40);
    packEdit_->setMaximumWidth(120);
    packEdit_->setPlaceholderText(tr("battery name"));
    packEdit_->setToolTip(tr("Uploaded flights get the note's first line \"Pack: NAME\""));
    form->addRow(new QLabel(tr("Pack :"), userGroup_), packEdit_);
    // The model (motor and propeller) they are flown with, a note line too,
    // so the logbook can follow each motor.
    modelEdit_ = new QLineEdit(userGroup_);
    modelEdit_->setObjectName(QStringLiteral("modelEdit"));
    modelEdit_->setMaxLength(40);
    modelEdit_->setMaximumWidth(120);
    modelEdit_->setPlaceholderText(tr("model name"));
    modelEdit_->setToolTip(tr("Uploaded flights get the note line \"Model: NAME\""));
    form->addRow(new QLabel(tr("Model :"), userGroup_), modelEdit_);
    connect(gearEdit_, &QLineEdit::textEdited, this, &CTavixView::OnGearRateEdited);
    connect(polesEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        bool ok = false;
        const int poles = text.trimmed().toInt(&ok);
        if (!ok) {
            return;  // emptied to be retyped: the number stays until there is one
        }
        poles_ = poles;
        emit poleNumberChanged(poles_);
    });

    upload_ = MakeButton(kBtnUpload, this);
    clear_ = MakeButton(kBtnClear, this);
    exit_ = MakeButton(kBtnExit, this);
    exit_->setDefault(true);
    for (QWidget* w : {static_cast<QWidget*>(userGroup_), static_cast<QWidget*>(upload_),
                       static_cast<QWidget*>(clear_)}) {
        KeepPlaceWhenHidden(w);
    }

    connect(setCom_, &QPushButton::clicked, this, &CTavixView::RunComPortDialog);
    connect(openDevice_, &QPushButton::clicked, this, &CTavixView::openDeviceRequested);
    connect(upload_, &QPushButton::clicked, this, &CTavixView::uploadRequested);
    connect(clear_, &QPushButton::clicked, this, [this] {
        if (clear_->isVisible()) {
            emit clearRequested();
        }
    });
    // Closing goes through the main window, which asks first.
    connect(exit_, &QPushButton::clicked, this,
            [this] { QMetaObject::invokeMethod(window(), &QWidget::close, Qt::QueuedConnection); });

    // The pages grow with the window; the text box widens along the bottom;
    // the device buttons stay bottom-left, the user parameters and the
    // record / exit buttons bottom-right.
    auto* deviceRow = new QHBoxLayout();
    deviceRow->addWidget(setCom_);
    deviceRow->addWidget(openDevice_);
    deviceRow->addSpacing(6);
    deviceRow->addWidget(icon_);
    deviceRow->addStretch(1);

    auto* left = new QVBoxLayout();
    left->addWidget(textArea_);
    left->addLayout(deviceRow);

    auto* buttons = new QVBoxLayout();
    buttons->addWidget(upload_);
    buttons->addWidget(clear_);
    buttons->addWidget(exit_);
    buttons->addStretch(1);

    auto* bottom = new QHBoxLayout();
    bottom->addLayout(left, 1);
    bottom->addWidget(userGroup_, 0, Qt::AlignBottom);
    bottom->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(tabs_, 1);
    layout->addLayout(bottom);

    setTabOrder(tabs_, description_);
    setTabOrder(description_, note_);
    setTabOrder(note_, setCom_);
    setTabOrder(setCom_, openDevice_);
    setTabOrder(openDevice_, gearEdit_);
    setTabOrder(gearEdit_, polesEdit_);
    setTabOrder(polesEdit_, packEdit_);
    setTabOrder(packEdit_, modelEdit_);
    setTabOrder(modelEdit_, upload_);
    setTabOrder(upload_, clear_);
    setTabOrder(clear_, exit_);
}

void CTavixView::OnTabChanged(int tab) {
    if (!tabs_->IsTabEnabled(tab)) {
        // Not open to the user now: the previous page stays.
        tabs_->SelectQuietly(previousTab_);
        return;
    }
    ShowPageControls(tab);
}

void CTavixView::ShowPageControls(int tab) {
    if (shownTab_ >= 0 && shownTab_ != tab) {
        emit pageHidden(shownTab_);
    }
    shownTab_ = tab;
    textArea_->setCurrentWidget(tab == kTabWelcome  ? static_cast<QWidget*>(description_)
                                : tab == kTabRecord ? static_cast<QWidget*>(note_)
                                                    : noText_);
    clear_->setVisible(tab == kTabLogger);
    userGroup_->setVisible(tab == kTabRecord);
    upload_->setVisible(tab == kTabRecord);
    const bool record = tab == kTabRecord;
    if (record != recordShown_) {
        recordShown_ = record;
        emit recordShownChanged(record);
        if (!record) {
            // The values under the pointer belong to a chart no longer on screen.
            emit statusTextChanged(ShownText(kStatusReady));
        }
    }
    emit pageShown(tab);
}

void CTavixView::SetConnected(bool connected) {
    connected_ = connected;
    const QString file =
        connected ? QStringLiteral(":/connected.png") : QStringLiteral(":/notconnected.png");
    icon_->setPixmap(QIcon(file).pixmap(kIconSize, kIconSize));
    icon_->setToolTip(connected ? tr("Device connected") : tr("No device connected"));
}

void CTavixView::SetTabEnabled(int tab, bool enabled) {
    tabs_->EnableTab(tab, enabled);
}

void CTavixView::SetTabsEnabled(const std::array<bool, kTabCount>& enabled) {
    for (int tab = 0; tab < kTabCount; ++tab) {
        tabs_->EnableTab(tab, enabled[tab]);
    }
}

bool CTavixView::IsTabEnabled(int tab) const {
    return tabs_->IsTabEnabled(tab);
}

bool CTavixView::SelectTab(int tab) {
    tabs_->SelectTab(tab);
    return tabs_->currentIndex() == tab;
}

int CTavixView::CurrentTab() const {
    return tabs_->currentIndex();
}

void CTavixView::SetDescriptionText(const QString& text) {
    description_->setPlainText(text.left(kDescriptionMaxChars));
}

QString CTavixView::DescriptionText() const {
    return description_->toPlainText();
}

void CTavixView::SetVersionText(const QString& text) {
    version_ = text;
    emit versionTextChanged(QStringLiteral(" ") + text);
}

void CTavixView::SetStatusText(const QString& text) {
    emit statusTextChanged(text);
}

void CTavixView::SetUploadEnabled(bool enabled) {
    upload_->setEnabled(enabled);
}
void CTavixView::SetClearEnabled(bool enabled) {
    clear_->setEnabled(enabled);
}
void CTavixView::SetSetComPortEnabled(bool enabled) {
    setCom_->setEnabled(enabled);
}
void CTavixView::SetOpenDeviceEnabled(bool enabled) {
    openDevice_->setEnabled(enabled);
}

void CTavixView::SetGearRate(float rate) {
    gearRate_ = RoundGearRate(rate);
    gearEdit_->setText(QString::fromStdString(GearRateText(gearRate_)));
}

void CTavixView::SetPoleNumber(int poles) {
    poles_ = poles;
    polesEdit_->setText(QString::number(poles));
}

QString CTavixView::PackText() const {
    return packEdit_->text().trimmed();
}

QString CTavixView::ModelText() const {
    return modelEdit_->text().trimmed();
}

QString CTavixView::NoteText() const {
    return note_->toPlainText();
}

void CTavixView::SetNoteText(const QString& text) {
    note_->SetLimitedText(text);
}

void CTavixView::OnGearRateEdited(const QString& text) {
    const tavix::GearRateEdit edit = EditGearRate(text.toStdString());
    if (!edit.valid) {
        return;
    }
    gearRate_ = edit.value;
    if (edit.rewrite) {
        const int pos = gearEdit_->cursorPosition();
        const QString shown = QString::fromStdString(edit.text);
        gearEdit_->setText(shown);
        gearEdit_->setCursorPosition(std::min(pos, static_cast<int>(shown.size())));
    }
    emit gearRateChanged(gearRate_);
}

void CTavixView::SetPage(int tab, QWidget* page) {
    if (tab <= kTabWelcome || tab >= kTabCount || page == nullptr || page == pages_[tab]) {
        return;
    }
    const int current = tabs_->currentIndex();
    QWidget* old = pages_[tab];
    pages_[tab] = page;
    tabs_->removeTab(tab);
    tabs_->insertTab(tab, page, ShownText(kTabCaptions[tab]));
    tabs_->SelectQuietly(current);
    old->deleteLater();
}

void CTavixView::AddPageHold(PageHold hold) {
    holds_.push_back(std::move(hold));
}

std::string CTavixView::HoldQuestion() const {
    for (const PageHold& hold : holds_) {
        if (hold.active && hold.active()) {
            return hold.closeQuestion;
        }
    }
    return {};
}

QWidget* CTavixView::Page(int tab) const {
    return tab >= 0 && tab < kTabCount ? pages_[tab] : nullptr;
}

void CTavixView::RunComPortDialog() {
    if (comDialog_) {
        comDialog_->raise();
        comDialog_->activateWindow();
        return;
    }
    comDialog_ = new CComConfigDlg(config_, ini_, portOverride_, this);
    comDialog_->setAttribute(Qt::WA_DeleteOnClose);
    connect(comDialog_, &CComConfigDlg::portStored, this, &CTavixView::comPortChanged);
    comDialog_->open();
}

}  // namespace tavix
