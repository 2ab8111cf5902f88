#include "ui/esc/EscPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "esc/EscMessages.h"
#include "platform/GbkText.h"
#include "ui/Resources.h"

namespace tavix {

namespace {

constexpr int kIconSize = 24;
constexpr int kVersionBoxWidth = 56;

QString Text(const std::string& gbk) {
    // An edit box shows its text up to the first zero byte.
    return FromGbk(gbk.substr(0, gbk.find('\0')));
}

QLineEdit* ReadOnlyBox(QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setReadOnly(true);
    box->setEnabled(false);
    box->setAlignment(Qt::AlignCenter);
    return box;
}

}  // namespace

EscPage::EscPage(const EscSeriesTable& table, Prompt& prompt, PortSource port, QWidget* parent)
    : DevicePage(parent),
      session_(
          std::make_unique<EscParamSession>(table, Comm(), Timers(), prompt, std::move(port))) {
    EnsureResources();
    Build(table);
    session_->changed = [this] { Refresh(); };
    Refresh();
}

EscPage::~EscPage() {
    session_->changed = nullptr;
}

void EscPage::Build(const EscSeriesTable& table) {
    auto* outer = new QVBoxLayout(this);
    auto* group = new QGroupBox(QString::fromLatin1(table.caption.c_str()), this);
    group->setObjectName(QStringLiteral("seriesGroup"));
    outer->addWidget(group);
    outer->addStretch(1);
    auto* layout = new QVBoxLayout(group);

    auto* versionRow = new QHBoxLayout;
    versionRow->addWidget(new QLabel(QString::fromLatin1(kLabelFirmwareVersion), group));
    for (std::size_t g = 0; g < kVersionGroups; ++g) {
        version_[g] = ReadOnlyBox(group);
        version_[g]->setMaxLength(static_cast<int>(kVersionGroupSize));
        version_[g]->setFixedWidth(kVersionBoxWidth);
        versionRow->addWidget(version_[g]);
    }
    versionRow->addStretch(1);
    layout->addLayout(versionRow);

    // Each column of the table is three grid columns: label, control, unit.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    for (int c = 0; c < table.columns; ++c) {
        grid->setColumnStretch(3 * c + 1, 1);
        if (c > 0) {
            grid->setColumnMinimumWidth(3 * c, 0);
        }
    }
    for (std::size_t i = 0; i < table.lists.size(); ++i) {
        const EscList& list = table.lists[i];
        auto* combo = new QComboBox(group);
        for (const std::string& entry : list.entries) {
            combo->addItem(FromGbk(entry));
        }
        combo->setCurrentIndex(-1);
        combo->setAccessibleName(QString::fromLatin1(ListName(list).c_str()));
        connect(combo, &QComboBox::activated, this,
                [this, i](int index) { session_->Select(i, index); });
        lists_.push_back(combo);
        if (list.hidden) {
            combo->hide();  // held, never seen
            continue;
        }
        auto* label = new QLabel(QString::fromLatin1(list.label.c_str()), group);
        label->setBuddy(combo);
        grid->addWidget(label, list.row, 3 * list.column, Qt::AlignRight);
        grid->addWidget(combo, list.row, 3 * list.column + 1);
    }
    for (const EscFieldPlace& place : table.fields) {
        QLineEdit* box = ReadOnlyBox(group);
        if (place.field == EscField::TemperatureOffset) {
            box->setReadOnly(false);
            box->setEnabled(true);
            box->setValidator(
                new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
            connect(box, &QLineEdit::textEdited, this, [this](const QString& text) {
                session_->SetTemperatureOffset(text.toStdString());
            });
        }
        box->setAccessibleName(QString::fromLatin1(place.label.c_str()));
        fields_[static_cast<std::size_t>(place.field)] = box;
        auto* label = new QLabel(QString::fromLatin1(place.label.c_str()), group);
        label->setBuddy(box);
        grid->addWidget(label, place.row, 3 * place.column, Qt::AlignRight);
        grid->addWidget(box, place.row, 3 * place.column + 1);
        if (!place.unit.empty()) {
            grid->addWidget(new QLabel(QString::fromLatin1(place.unit.c_str()), group), place.row,
                            3 * place.column + 2);
        }
    }
    layout->addSpacing(8);
    layout->addLayout(grid);
    layout->addSpacing(12);

    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(new QLabel(QString::fromLatin1(kLabelStatus), group));
    progress_ = new QProgressBar(group);
    progress_->setRange(0, kEscProgressMax);
    progress_->setTextVisible(false);
    statusRow->addWidget(progress_, 1);
    icon_ = new QLabel(group);
    icon_->setObjectName(QStringLiteral("escStatusIcon"));
    icon_->setFixedSize(kIconSize, kIconSize);
    statusRow->addWidget(icon_);
    layout->addLayout(statusRow);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    default_ = new QPushButton(QString::fromLatin1(kBtnDefaultValue), group);
    update_ = new QPushButton(QString::fromLatin1(kBtnUpdate), group);
    buttons->addWidget(default_);
    buttons->addWidget(update_);
    layout->addLayout(buttons);
    connect(default_, &QPushButton::clicked, this, [this] { session_->OnDefault(); });
    connect(update_, &QPushButton::clicked, this, [this] { session_->OnUpdate(); });
}

void EscPage::PageShown() {
    session_->SetVisible(isVisible());
    session_->OnShow(true);
}

void EscPage::PageHidden() {
    session_->SetVisible(isVisible());
    session_->OnHide();
}

void EscPage::showEvent(QShowEvent* event) {
    DevicePage::showEvent(event);
    session_->SetVisible(true);
}

void EscPage::hideEvent(QHideEvent* event) {
    DevicePage::hideEvent(event);
    // A minimised window is still shown as far as the page is concerned.
    if (!event->spontaneous()) {
        session_->SetVisible(false);
    }
}

void EscPage::Refresh() {
    const EscParamState& s = session_->State();
    for (std::size_t g = 0; g < kVersionGroups; ++g) {
        version_[g]->setText(Text(s.version[g]));
    }
    for (std::size_t i = 0; i < lists_.size(); ++i) {
        const QSignalBlocker block(lists_[i]);
        lists_[i]->setCurrentIndex(s.selection[i]);
    }
    for (std::size_t f = 0; f < kEscFieldCount; ++f) {
        if (fields_[f] == nullptr) {
            continue;
        }
        const QString text = Text(s.texts[f]);
        if (fields_[f]->text() != text) {
            fields_[f]->setText(text);
        }
    }
    progress_->setValue(s.progress);
    update_->setEnabled(s.updateEnabled);
    iconConnected_ = s.connected;
    icon_->setPixmap(QIcon(s.connected ? QStringLiteral(":/connected.png")
                                       : QStringLiteral(":/notconnected.png"))
                         .pixmap(kIconSize, kIconSize));
    icon_->setToolTip(s.connected ? tr("ESC connected") : tr("No ESC connected"));
}

}  // namespace tavix
