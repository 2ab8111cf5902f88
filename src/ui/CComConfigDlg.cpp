#include "CComConfigDlg.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSerialPortInfo>

#include "base/FormatText.h"
#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "link/PortName.h"
#include "platform/MessageBoxPrompt.h"
#include "shell/ShellTexts.h"

namespace tavix {

namespace {

bool DeviceExists(const QString& path) {
    if (QFileInfo::exists(path)) {
        return true;
    }
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : ports) {
        if (info.portName() == path || info.systemLocation() == path) {
            return true;
        }
    }
    return false;
}

}  // namespace

CComConfigDlg::CComConfigDlg(CAppConfig& config, CIniFile& ini, const QString& portOverride,
                             QWidget* parent)
    : QDialog(parent),
      config_(config),
      ini_(ini),
      boxes_(std::make_unique<MessageBoxPrompt>(this)),
      prompt_(boxes_.get()) {
    setObjectName(QStringLiteral("comConfigDialog"));
    setWindowTitle(QString::fromLatin1(kComCaption));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    choice_ = std::make_unique<ComPortChoice>(config.comPort, [this](int port) { Store(port); });

    auto* label = new QLabel(QString::fromLatin1(kComLabel), this);
    list_ = new QComboBox(this);
    for (int i = 0; i < ComPortChoice::kEntryCount; ++i) {
        list_->addItem(QString::fromStdString(ComPortChoice::EntryText(i)));
    }
    list_->setCurrentIndex(choice_->Selection());
    label->setBuddy(list_);

    device_ = new QLabel(this);
    device_->setObjectName(QStringLiteral("deviceLabel"));
    device_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    device_->setMinimumWidth(260);

    auto* overrideNote = new QLabel(this);
    overrideNote->setWordWrap(true);
    if (!portOverride.isEmpty()) {
        overrideNote->setText(tr("This run uses --port %1 instead.").arg(portOverride));
    } else {
        overrideNote->hide();
    }

    saveNote_ = new QLabel(this);
    saveNote_->setObjectName(QStringLiteral("saveNote"));
    saveNote_->setWordWrap(true);
    saveNote_->hide();

    ok_ = new QPushButton(QString::fromLatin1(kBtnOk), this);
    cancel_ = new QPushButton(QString::fromLatin1(kBtnCancel), this);
    apply_ = new QPushButton(QString::fromLatin1(kBtnApply), this);
    ok_->setDefault(true);
    apply_->setEnabled(false);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(14, 14, 14, 12);
    grid->addWidget(label, 0, 0);
    grid->addWidget(list_, 0, 1);
    grid->addWidget(device_, 1, 1);
    grid->addWidget(overrideNote, 2, 0, 1, 2);
    grid->addWidget(saveNote_, 3, 0, 1, 2);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addWidget(apply_);
    grid->addLayout(buttons, 4, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(list_, &QComboBox::activated, this, [this](int index) {
        choice_->Select(index);
        apply_->setEnabled(choice_->ApplyEnabled());
        ShowDevice();
    });
    connect(apply_, &QPushButton::clicked, this, [this] {
        choice_->Apply();
        apply_->setEnabled(choice_->ApplyEnabled());
    });
    connect(ok_, &QPushButton::clicked, this, [this] {
        choice_->Ok();
        accept();
    });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    ShowDevice();
}

CComConfigDlg::~CComConfigDlg() = default;

void CComConfigDlg::Store(int port) {
    // The number holds for this run even when config.ini cannot be written;
    // the window says so instead of pretending it was saved. The note alone
    // would vanish with the dialog after Ok, so a box says it too.
    const bool saved = config_.SetComPort(ini_, port);
    saveNote_->setVisible(!saved);
    emit portStored(port);
    if (!saved) {
        const std::string text = FormatText(kMsgComPortNotSaved, port);
        saveNote_->setText(QString::fromStdString(text));
        if (ini_.TellSaveFailure()) {
            prompt_->Message(text, PromptIcon::Exclamation, ini_.SaveFailureDetail());
        }
    }
}

void CComConfigDlg::ShowDevice() {
    const int port = choice_->SelectedPort();
    if (port == 0) {
        device_->setText(tr("No port chosen (config.ini holds %1)").arg(config_.comPort));
        return;
    }
    const QString path = QString::fromStdString(PortPathFor(port, ini_));
    device_->setText(DeviceExists(path) ? tr("%1  (present)").arg(path)
                                        : tr("%1  (not found)").arg(path));
}

}  // namespace tavix
