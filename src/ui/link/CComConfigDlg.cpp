#include "ui/link/CComConfigDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "base/FormatText.h"
#include "base/OutsideText.h"
#include "base/Translate.h"
#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "link/PortName.h"
#include "platform/GbkText.h"
#include "platform/MessageBoxPrompt.h"
#include "platform/SystemPorts.h"
#include "platform/UiLanguage.h"
#include "shell/ShellMessages.h"

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

bool SameList(const std::vector<SerialPortEntry>& a, const std::vector<SerialPortEntry>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].path != b[i].path || a[i].inUse != b[i].inUse ||
            a[i].description != b[i].description || a[i].serialNumber != b[i].serialNumber) {
            return false;
        }
    }
    return true;
}

QString PortText(const std::string& text) {
    return QString::fromStdString(EscapeControls(text));
}

}  // namespace

CComConfigDlg::CComConfigDlg(CAppConfig& config, CIniFile& ini, const QString& portOverride,
                             QWidget* parent)
    : QDialog(parent),
      config_(config),
      ini_(ini),
      portOverride_(portOverride),
      boxes_(std::make_unique<MessageBoxPrompt>(this)),
      prompt_(boxes_.get()),
      lister_(SystemSerialPorts),
      diagnoser_(DiagnoseLocalPort) {
    setObjectName(QStringLiteral("comConfigDialog"));
    setWindowTitle(ShownText(kComCaption));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    choice_ = std::make_unique<ComPortChoice>(config.comPort, [this](int port) { Store(port); });
    choice_->SetStorePath([this](const std::string& path) {
        StorePath(path);
        return config_.comPort;
    });

    auto* presentLabel = new QLabel(tr("&Serial ports present:"), this);
    present_ = new QTreeWidget(this);
    present_->setObjectName(QStringLiteral("presentPorts"));
    present_->setRootIsDecorated(false);
    present_->setHeaderLabels(
        {tr("Port"), tr("Description"), tr("Manufacturer"), tr("USB id"), tr("Serial number")});
    present_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    present_->setMinimumSize(560, 130);
    presentLabel->setBuddy(present_);

    auto* label = new QLabel(ShownText(kComLabel), this);
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

    diagnose_ = new QPushButton(tr("&Diagnose"), this);
    diagnose_->setToolTip(tr("Tell why the chosen port does or does not work"));
    ok_ = new QPushButton(ShownText(kBtnOk), this);
    cancel_ = new QPushButton(ShownText(kBtnCancel), this);
    apply_ = new QPushButton(ShownText(kBtnApply), this);
    ok_->setDefault(true);
    apply_->setEnabled(false);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(14, 14, 14, 12);
    grid->addWidget(presentLabel, 0, 0, 1, 2);
    grid->addWidget(present_, 1, 0, 1, 2);
    grid->addWidget(label, 2, 0);
    grid->addWidget(list_, 2, 1, Qt::AlignLeft);
    grid->addWidget(device_, 3, 1);
    grid->addWidget(overrideNote, 4, 0, 1, 2);
    grid->addWidget(saveNote_, 5, 0, 1, 2);
    auto* buttons = new QHBoxLayout();
    buttons->addWidget(diagnose_);
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addWidget(apply_);
    grid->addLayout(buttons, 6, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(list_, &QComboBox::activated, this, [this](int index) {
        choice_->Select(index);
        present_->clearSelection();
        apply_->setEnabled(choice_->ApplyEnabled());
        ShowDevice();
    });
    // A row chosen by click or keyboard; the current row alone (set when the
    // list takes the focus) chooses nothing.
    connect(present_, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem*> chosen = present_->selectedItems();
        if (refreshing_ || chosen.isEmpty()) {
            return;
        }
        const std::string path = chosen.front()->data(0, Qt::UserRole).toString().toStdString();
        if (path.empty()) {
            return;
        }
        const auto [number, unstored] = ComNumberFor(path, ini_);
        choice_->SelectPath(path, unstored ? 0 : number);
        list_->setCurrentIndex(choice_->Selection());
        apply_->setEnabled(choice_->ApplyEnabled());
        ShowDevice();
    });
    connect(apply_, &QPushButton::clicked, this, [this] {
        choice_->Apply();
        apply_->setEnabled(choice_->ApplyEnabled());
        RefreshPorts();
    });
    connect(ok_, &QPushButton::clicked, this, [this] {
        choice_->Ok();
        accept();
    });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(diagnose_, &QPushButton::clicked, this, &CComConfigDlg::Diagnose);

    // Adapters come and go while the window is open: look again every second.
    refresh_ = new QTimer(this);
    refresh_->setInterval(kRefreshMs);
    connect(refresh_, &QTimer::timeout, this, &CComConfigDlg::RefreshPorts);
    refresh_->start();
    RefreshPorts();
    ShowDevice();
}

CComConfigDlg::~CComConfigDlg() = default;

void CComConfigDlg::Store(int port) {
    SaveResult(port, config_.SetComPort(ini_, port));
}

void CComConfigDlg::StorePath(const std::string& path) {
    bool saved = false;
    const int port = StorePortPath(config_, ini_, path, saved);
    SaveResult(port, saved);
}

void CComConfigDlg::SaveResult(int port, bool saved) {
    // The number holds for this run even when config.ini cannot be written;
    // the window says so instead of pretending it was saved. The note alone
    // would vanish with the dialog after Ok, so a box says it too.
    saveNote_->setVisible(!saved);
    emit portStored(port);
    if (!saved) {
        const std::string text = FormatShown(kMsgComPortNotSaved, port);
        saveNote_->setText(ShownText(text));
        if (ini_.TellSaveFailure()) {
            prompt_->Message(text, PromptIcon::Exclamation, ini_.SaveFailureDetail());
        }
    }
}

void CComConfigDlg::SetPortLister(PortLister lister) {
    lister_ = std::move(lister);
    shown_.clear();
    present_->clear();
    RefreshPorts();
}

void CComConfigDlg::RefreshPorts() {
    const std::string current = ResolvePort(portOverride_.toStdString(), config_.comPort, ini_);
    std::vector<SerialPortEntry> ports =
        lister_ ? lister_(current) : std::vector<SerialPortEntry>();
    if (SameList(ports, shown_) && present_->topLevelItemCount() > 0) {
        return;
    }
    shown_ = std::move(ports);
    refreshing_ = true;
    present_->clear();
    if (shown_.empty()) {
        auto* none = new QTreeWidgetItem(present_);
        none->setText(0, tr("No serial ports found: plug the adapter in"));
        none->setFlags(Qt::NoItemFlags);
        refreshing_ = false;
        return;
    }
    const std::string& chosen = choice_->SelectedPath();
    for (const SerialPortEntry& port : shown_) {
        auto* item = new QTreeWidgetItem(present_);
        item->setText(0, PortText(port.path));
        item->setData(0, Qt::UserRole, QString::fromStdString(port.path));
        item->setText(1, PortText(port.description));
        item->setText(2, PortText(port.manufacturer));
        item->setText(3, QString::fromStdString(UsbId(port)));
        item->setText(4, PortText(port.serialNumber));
        item->setToolTip(0, port.HasStableName() ? PortText(port.device) : QString());
        if (port.inUse) {
            QFont bold = item->font(0);
            bold.setBold(true);
            for (int column = 0; column < present_->columnCount(); ++column) {
                item->setFont(column, bold);
            }
            item->setIcon(0, style()->standardIcon(QStyle::SP_DialogApplyButton));
            item->setToolTip(1, tr("In use: the port the device pages open"));
        }
        if (!chosen.empty() && port.path == chosen) {
            item->setSelected(true);
        }
    }
    refreshing_ = false;
}

std::string CComConfigDlg::ChosenPath() const {
    if (!choice_->SelectedPath().empty()) {
        return choice_->SelectedPath();
    }
    if (choice_->SelectedPort() == 0) {
        return ResolvePort(portOverride_.toStdString(), config_.comPort, ini_);
    }
    return PortPathFor(choice_->SelectedPort(), ini_);
}

void CComConfigDlg::Diagnose() {
    // The port this run opens: a --port wins over whatever the list shows.
    const std::string port =
        portOverride_.isEmpty() ? ChosenPath() : ResolvePort(portOverride_.toStdString(), 0, ini_);
    const PortReport report = diagnoser_ ? diagnoser_(port) : PortReport{};
    if (report_ == nullptr) {
        report_ = new QDialog(this);
        report_->setObjectName(QStringLiteral("portReport"));
        auto* text = new QPlainTextEdit(report_);
        text->setObjectName(QStringLiteral("reportText"));
        text->setReadOnly(true);
        text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        text->setMinimumSize(720, 300);
        auto* close = new QDialogButtonBox(QDialogButtonBox::Close, report_);
        connect(close, &QDialogButtonBox::rejected, report_, &QDialog::reject);
        auto* layout = new QVBoxLayout(report_);
        layout->addWidget(text);
        layout->addWidget(close);
    }
    report_->setWindowTitle(tr("Diagnose %1").arg(QString::fromStdString(EscapeControls(port))));
    auto* text = report_->findChild<QPlainTextEdit*>(QStringLiteral("reportText"));
    QString body = FromGbk(report.Shown());
    if (report.found && !report.blocked) {
        body += tr("\nNothing on this machine keeps the port from opening. If the device still "
                   "does not answer, check the cable and that the device has power;\n"
                   "tavix-cli doctor --port %1 also opens the port and identifies the device.")
                    .arg(QString::fromStdString(EscapeControls(port)));
    }
    text->setPlainText(body);
    report_->open();
}

void CComConfigDlg::ShowDevice() {
    const std::string& chosen = choice_->SelectedPath();
    if (!chosen.empty()) {
        const QString path = QString::fromStdString(chosen);
        device_->setText(DeviceExists(path) ? tr("%1  (present)").arg(path)
                                            : tr("%1  (not found)").arg(path));
        return;
    }
    int port = choice_->SelectedPort();
    if (port == 0) {
        if (config_.comPort < 1) {
            device_->setText(tr("No port chosen (config.ini holds %1)").arg(config_.comPort));
            return;
        }
        port = config_.comPort;  // a device path stored beyond COM 16
    }
    const QString path = QString::fromStdString(PortPathFor(port, ini_));
    device_->setText(DeviceExists(path) ? tr("%1  (present)").arg(path)
                                        : tr("%1  (not found)").arg(path));
}

}  // namespace tavix
