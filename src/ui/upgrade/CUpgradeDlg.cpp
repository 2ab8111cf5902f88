#include "ui/upgrade/CUpgradeDlg.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <chrono>

#include "base/OutsideText.h"
#include "base/PlainText.h"
#include "link/DeviceRequest.h"
#include "platform/GbkText.h"
#include "platform/LocalPath.h"
#include "platform/UiLanguage.h"
#include "ui/shell/Resources.h"
#include "upgrade/FirmwareDownload.h"
#include "upgrade/UpgradeMessages.h"

namespace tavix {

namespace {

constexpr int kIconSize = 24;

QLineEdit* MakeBox(QWidget* parent, const QString& name, int characters) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    if (characters > 0) {
        // Four characters and a little room, in the box's own font.
        box->setMaxLength(characters);
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("WWWW")) + 16);
    }
    return box;
}

QPushButton* MakeButton(const char* caption, QWidget* parent, const QString& name) {
    auto* button = new QPushButton(ShownText(caption), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

CUpgradeDlg::CUpgradeDlg(Prompt& prompt, PortSource port, QWidget* parent)
    : SessionPage(parent),
      session_(std::make_unique<FirmwareDownload>(Comm(), Timers(), prompt, std::move(port))),
      chooser_(&CUpgradeDlg::ChooseFirmwareFile) {
    EnsureResources();
    setObjectName(QStringLiteral("upgradePage"));
    BuildLayout();
    session_->changed = [this] { Refresh(); };
    session_->nowMs = [] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    };
    session_->installed = [this](const std::string& version) {
        emit firmwareInstalled(QByteArray::fromStdString(version));
    };
    Refresh();
}

CUpgradeDlg::~CUpgradeDlg() {
    session_.reset();
}

void CUpgradeDlg::BuildLayout() {
    auto* currentLabel = new QLabel(ShownText(kLabelCurrentVersion), this);
    auto* currentRow = new QHBoxLayout();
    for (int i = 0; i < 4; ++i) {
        current_[i] = MakeBox(this, QStringLiteral("currentVersion%1").arg(i), 4);
        currentRow->addWidget(current_[i]);
    }
    icon_ = new QLabel(this);
    icon_->setObjectName(QStringLiteral("upgradeStatusIcon"));
    icon_->setFixedSize(kIconSize, kIconSize);
    currentRow->addSpacing(8);
    currentRow->addWidget(icon_);
    versionNote_ = new QLabel(this);
    versionNote_->setObjectName(QStringLiteral("versionNote"));
    currentRow->addWidget(versionNote_);
    currentRow->addStretch(1);

    auto* group = new QGroupBox(ShownText(kGroupUpgradeFile), this);
    path_ = MakeBox(group, QStringLiteral("upgradeFile"), 0);
    path_->setMinimumWidth(320);
    browse_ = MakeButton(kBtnBrowse, group, QStringLiteral("browseButton"));
    auto* fileRow = new QHBoxLayout();
    fileRow->addWidget(path_, 1);
    fileRow->addWidget(browse_);
    auto* firmwareRow = new QHBoxLayout();
    for (int i = 0; i < 4; ++i) {
        firmware_[i] = MakeBox(group, QStringLiteral("firmwareVersion%1").arg(i), 4);
        firmwareRow->addWidget(firmware_[i]);
    }
    firmwareRow->addStretch(1);
    auto* groupGrid = new QGridLayout(group);
    groupGrid->addWidget(new QLabel(ShownText(kLabelUpgradeFile), group), 0, 0);
    groupGrid->addLayout(fileRow, 0, 1);
    groupGrid->addWidget(new QLabel(ShownText(kLabelFirmwareVersion), group), 1, 0);
    groupGrid->addLayout(firmwareRow, 1, 1);
    groupGrid->setColumnStretch(1, 1);

    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("upgradeActivity"));
    progress_->setRange(0, kActivityMax);
    progress_->setTextVisible(false);
    blocks_ = new QLabel(this);
    blocks_->setObjectName(QStringLiteral("blockProgress"));
    blocks_->setMinimumWidth(blocks_->fontMetrics().horizontalAdvance(
        QStringLiteral("block 128 of 128, 100%, about 1 min 10 s left")));
    auto* statusRow = new QHBoxLayout();
    statusRow->setSpacing(10);
    statusRow->addWidget(progress_, 1);
    statusRow->addWidget(blocks_);

    start_ = MakeButton(kBtnStart, this, QStringLiteral("startButton"));
    stop_ = MakeButton(kBtnStop, this, QStringLiteral("stopButton"));
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(start_);
    buttons->addWidget(stop_);

    auto* grid = new QGridLayout();
    grid->addWidget(currentLabel, 0, 0);
    grid->addLayout(currentRow, 0, 1);
    grid->addWidget(group, 1, 0, 1, 2);
    grid->addWidget(new QLabel(ShownText(kLabelUpgradeStatus), this), 2, 0);
    grid->addLayout(statusRow, 2, 1);
    grid->addLayout(buttons, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setVerticalSpacing(14);

    warning_ = new QLabel(this);
    warning_->setObjectName(QStringLiteral("incompleteWarning"));
    warning_->setWordWrap(true);
    warning_->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(24, 20, 24, 20);
    outer->addLayout(grid);
    outer->addSpacing(10);
    outer->addWidget(warning_);
    outer->addStretch(1);

    connect(browse_, &QPushButton::clicked, this, &CUpgradeDlg::OnBrowse);
    connect(start_, &QPushButton::clicked, this, [this] { session_->OnStart(); });
    connect(stop_, &QPushButton::clicked, this, [this] { session_->OnStop(); });
    setTabOrder(browse_, start_);
    setTabOrder(start_, stop_);
}

QString CUpgradeDlg::ChooseFirmwareFile(QWidget* parent) {
    const QString filter = ShownText(kFirmwareFilterLabel) + QStringLiteral(" (") +
                           ShownText(kFirmwarePattern) + QStringLiteral(");;All Files (*)");
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

void CUpgradeDlg::OnBrowse() {
    if (!isVisible()) {
        return;
    }
    const QString path = chooser_ ? chooser_(this) : QString();
    session_->OnBrowse(LocalPath(path));
}

void CUpgradeDlg::PageShown() {
    session_->OnShow(true);
}

void CUpgradeDlg::PageHidden() {
    session_->OnHide();
}

bool CUpgradeDlg::Busy() const {
    return session_ && session_->State().busy;
}

void CUpgradeDlg::Refresh() {
    if (!session_) {
        return;
    }
    const UpgradeState& s = session_->State();
    for (int i = 0; i < 4; ++i) {
        // Up to a zero byte, as an edit box shows it; control characters escaped.
        const auto shown = [](const std::string& group) {
            return FromGbk(EscapeControls(UpToZero(group)));
        };
        current_[i]->setText(shown(s.currentVersion[i]));
        firmware_[i]->setText(shown(s.firmwareVersion[i]));
    }
    path_->setText(QString::fromLocal8Bit(s.filePath.c_str()));
    browse_->setEnabled(s.browseEnabled);
    start_->setEnabled(s.startEnabled && !s.busy);
    stop_->setEnabled(s.stopEnabled);
    // The bar and its label say the same thing.
    progress_->setValue(s.BarValue());
    blocks_->setText(ShownText(s.StatusText()));
    versionNote_->setText(QString::fromLatin1(s.VersionNote().c_str()));
    warning_->setText(QString::fromLatin1(s.Warning().c_str()));
    warning_->setVisible(!s.Warning().empty());
    // No tick for firmware that may not be whole.
    const bool tick = s.connected && s.VersionNote().empty();
    const QString file =
        tick ? QStringLiteral(":/connected.png") : QStringLiteral(":/notconnected.png");
    icon_->setPixmap(QIcon(file).pixmap(kIconSize, kIconSize));
    icon_->setToolTip(tick ? tr("ESC connected") : tr("No ESC connected"));
    if (s.busy != wasBusy_) {
        wasBusy_ = s.busy;
        emit busyChanged(s.busy);
    }
}

}  // namespace tavix
