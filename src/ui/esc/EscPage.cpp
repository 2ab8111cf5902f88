#include "ui/esc/EscPage.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "base/AtomicFile.h"
#include "base/FormatText.h"
#include "base/OutsideText.h"
#include "base/PlainText.h"
#include "base/RegularFile.h"
#include "base/Translate.h"
#include "esc/EscMessages.h"
#include "esc/EscPageEdits.h"
#include "esc/EscParamText.h"
#include "link/DeviceRequest.h"
#include "platform/GbkText.h"
#include "platform/UiLanguage.h"
#include "platform/UserEscHistory.h"
#include "shell/Prompt.h"
#include "ui/esc/EscHistoryDlg.h"
#include "ui/shell/Resources.h"

namespace tavix {

namespace {

constexpr int kIconSize = 24;
constexpr int kVersionBoxWidth = 56;
constexpr int kFieldWidth = 90;

QString Text(const std::string& gbk) {
    // An edit box shows its text up to the first zero byte; the ESC's bytes
    // before it may be anything, so control characters are shown escaped.
    return FromGbk(EscapeControls(UpToZero(gbk)));
}

// A parameter's explanation with its unit, each in the window's language.
QString ShownExplanation(const std::string& explain, const std::string& unit) {
    return FromGbk(ExplainText(Translate(explain.c_str()), Translate(unit.c_str())));
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
    : SessionPage(parent),
      prompt_(prompt),
      session_(
          std::make_unique<EscParamSession>(table, Comm(), Timers(), prompt, std::move(port))) {
    EnsureResources();
    Build(table);
    chooseFile = [this](bool save, const QString& suggested) {
        const QString filter = ShownText(kParamFileFilter);
        if (!save) {
            return QFileDialog::getOpenFileName(this, ShownText(kBtnLoadParamFile), suggested,
                                                filter);
        }
        QString path = QFileDialog::getSaveFileName(this, QString::fromLatin1(kBtnSaveParamFile),
                                                    suggested, filter);
        if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) {
            path += QString::fromLatin1(kParamFileExtension);
        }
        return path;
    };
    session_->SetHistory(&UserEscHistory());
    session_->changed = [this] { Refresh(); };
    Refresh();
}

EscPage::~EscPage() {
    session_->changed = nullptr;
}

void EscPage::Build(const EscSeriesTable& table) {
    auto* outer = new QVBoxLayout(this);
    auto* group = new QGroupBox(ShownText(table.caption.c_str()), this);
    group->setObjectName(QStringLiteral("seriesGroup"));
    outer->addWidget(group);
    outer->addStretch(1);
    auto* layout = new QVBoxLayout(group);

    auto* versionRow = new QHBoxLayout;
    versionRow->addWidget(new QLabel(ShownText(kLabelEscFirmwareVersion), group));
    for (std::size_t g = 0; g < kEscVersionGroups; ++g) {
        version_[g] = ReadOnlyBox(group);
        version_[g]->setMaxLength(static_cast<int>(kEscVersionGroupSize));
        version_[g]->setFixedWidth(kVersionBoxWidth);
        versionRow->addWidget(version_[g]);
    }
    versionRow->addStretch(1);
    layout->addLayout(versionRow);

    // Each column of the table is three grid columns. A page of two columns
    // puts the label beside its control (label, control, unit); a wider page
    // puts it above, so that long labels fit (control, unit, gap).
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(table.columns > 2 ? 2 : 10);
    const bool stacked = table.columns > 2;
    for (int c = 0; c < table.columns; ++c) {
        grid->setColumnStretch(3 * c + (stacked ? 0 : 1), 1);
        if (stacked) {
            grid->setColumnMinimumWidth(3 * c + 2, 16);
        }
    }
    const auto place = [&](const std::string& caption, QWidget* control, const std::string& unit,
                           int row, int column, Qt::Alignment align) {
        auto* label = new QLabel(ShownText(caption.c_str()), group);
        label->setBuddy(control);
        // A field and its unit stay together.
        QWidget* cell = control;
        if (!unit.empty()) {
            cell = new QWidget(group);
            auto* row = new QHBoxLayout(cell);
            row->setContentsMargins(0, 0, 0, 0);
            control->setParent(cell);
            row->addWidget(control);
            row->addWidget(new QLabel(ShownText(unit.c_str()), cell));
            row->addStretch(1);
        }
        if (stacked) {
            grid->addWidget(label, 2 * row, 3 * column, 1, 2, Qt::AlignLeft | Qt::AlignBottom);
            grid->addWidget(cell, 2 * row + 1, 3 * column, align);
            grid->setRowMinimumHeight(2 * row, 22);
        } else {
            grid->addWidget(label, row, 3 * column, Qt::AlignRight);
            grid->addWidget(cell, row, 3 * column + 1, align);
        }
    };
    for (std::size_t i = 0; i < table.lists.size(); ++i) {
        const EscList& list = table.lists[i];
        auto* combo = new QComboBox(group);
        for (const std::string& entry : list.entries) {
            combo->addItem(ShownText(entry));
        }
        combo->setCurrentIndex(-1);
        combo->setAccessibleName(QString::fromLatin1(ListName(list).c_str()));
        tips_[combo] = ShownExplanation(list.explain, list.unit);
        connect(combo, &QComboBox::activated, this,
                [this, i](int index) { session_->Select(i, index); });
        lists_.push_back(combo);
        if (list.hidden) {
            combo->hide();  // held, never seen
            continue;
        }
        place(list.label, combo, {}, list.row, list.column, {});
    }
    for (const EscFieldPlace& field : table.fields) {
        QLineEdit* box = ReadOnlyBox(group);
        box->setMaximumWidth(kFieldWidth);
        if (field.field == EscField::TemperatureOffset) {
            box->setReadOnly(false);
            box->setEnabled(true);
            box->setValidator(
                new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
            connect(box, &QLineEdit::textEdited, this, [this](const QString& text) {
                session_->SetTemperatureOffset(text.toStdString());
            });
        }
        box->setAccessibleName(ShownText(field.label.c_str()));
        tips_[box] = ShownExplanation(field.explain, field.unit);
        box->setToolTip(tips_[box]);
        fields_[static_cast<std::size_t>(field.field)] = box;
        place(field.label, box, field.unit, field.row, field.column, Qt::AlignLeft);
    }
    // A series with many settings (three columns of six) is taller than the
    // tab of an 800 x 600 window: its settings scroll there, while the status
    // and the buttons stay in sight, instead of lists squeezed until their
    // values are cut.
    auto* settings = new QWidget;
    settings->setLayout(grid);
    auto* scroll = new QScrollArea(group);
    scroll->setObjectName(QStringLiteral("settingsScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(settings);
    scroll->setMinimumSize(
        settings->minimumSizeHint().width() + scroll->verticalScrollBar()->sizeHint().width(),
        settings->minimumSizeHint().height() / 2);
    layout->addSpacing(8);
    layout->addWidget(scroll, 1);
    layout->addSpacing(12);

    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(new QLabel(ShownText(kLabelEscStatus), group));
    progress_ = new QProgressBar(group);
    progress_->setRange(0, kActivityMax);
    progress_->setTextVisible(false);
    statusRow->addWidget(progress_, 1);
    icon_ = new QLabel(group);
    icon_->setObjectName(QStringLiteral("escStatusIcon"));
    icon_->setFixedSize(kIconSize, kIconSize);
    statusRow->addWidget(icon_);
    layout->addLayout(statusRow);

    auto* buttons = new QHBoxLayout;
    save_ = new QPushButton(ShownText(kBtnSaveParamFile), group);
    load_ = new QPushButton(ShownText(kBtnLoadParamFile), group);
    read_ = new QPushButton(ShownText(kBtnEscReadFromEsc), group);
    history_ = new QPushButton(ShownText(kBtnEscHistory), group);
    buttons->addWidget(read_);
    buttons->addWidget(history_);
    buttons->addWidget(save_);
    buttons->addWidget(load_);
    presets_ = new QPushButton(ShownText(kBtnEscPresets), group);
    presetMenu_ = new EscPresetMenu(
        *session_, prompt_,
        [this](bool save, const QString& suggested) { return chooseFile(save, suggested); },
        presets_);
    presets_->setMenu(presetMenu_);
    buttons->addWidget(presets_);
    batch_ = new QPushButton(ShownText(kBtnEscBatch), group);
    connect(batch_, &QPushButton::clicked, this, [this] { OnBatch(); });
    buttons->addWidget(batch_);
    connect(read_, &QPushButton::clicked, this, [this] { session_->OnReadFromEsc(); });
    connect(history_, &QPushButton::clicked, this, [this] { OnHistory(); });
    connect(save_, &QPushButton::clicked, this, [this] { OnSaveToFile(); });
    connect(load_, &QPushButton::clicked, this, [this] { OnLoadFromFile(); });
    buttons->addStretch(1);
    default_ = new QPushButton(ShownText(kBtnEscDefaultValue), group);
    update_ = new QPushButton(ShownText(kBtnEscUpdate), group);
    buttons->addWidget(default_);
    buttons->addWidget(update_);
    layout->addLayout(buttons);
    connect(default_, &QPushButton::clicked, this, [this] { session_->OnDefault(); });
    connect(update_, &QPushButton::clicked, this, [this] { session_->OnUpdate(); });
}

void EscPage::OnSaveToFile() {
    if (!session_->Visible()) {
        return;
    }
    const QString suggested =
        QString::fromLatin1(Table().name.c_str()) + ShownText(kParamFileExtension);
    const QString path = chooseFile(true, suggested);
    if (path.isEmpty()) {
        return;
    }
    const QByteArray text = FromGbk(ParamFileText(Table(), session_->State())).toUtf8();
    std::string reason;
    if (!WriteFileAtomically(
            QFile::encodeName(path).toStdString(),
            std::string_view(text.constData(), static_cast<std::size_t>(text.size())), &reason)) {
        prompt_.Message(FormatShown(kMsgCantWriteParamFile, ToGbk(path).c_str(), reason.c_str()),
                        PromptIcon::Exclamation);
    }
}

void EscPage::OnLoadFromFile() {
    if (!session_->Visible()) {
        return;
    }
    const QString path = chooseFile(false, QString());
    if (path.isEmpty()) {
        return;
    }
    // A FIFO would freeze the window and /dev/zero fill the memory: only a
    // regular file of a parameter file's size is read.
    std::string raw;
    std::string reason;
    if (!ReadRegularFile(QFile::encodeName(path).toStdString(), kLargestParamFile, raw, &reason)) {
        prompt_.Message(FormatShown(kMsgCantReadParamFile, ToGbk(path).c_str()),
                        PromptIcon::Exclamation, reason);
        return;
    }
    const std::string text =
        ToGbk(QString::fromUtf8(raw.data(), static_cast<qsizetype>(raw.size())));
    const std::string refusal = LoadParamFile(*session_, text, ToGbk(QFileInfo(path).fileName()));
    if (!refusal.empty()) {
        prompt_.Message(refusal, PromptIcon::Exclamation);
        return;
    }
    prompt_.Message(kMsgEscLoadedNotSent, PromptIcon::Information);
}

void EscPage::OnHistory() {
    if (!session_->Visible() || historyDlg_) {
        return;
    }
    historyDlg_ = new EscHistoryDlg(*session_, UserEscHistory(), this);
    historyDlg_->setAttribute(Qt::WA_DeleteOnClose);
    historyDlg_->open();
}

void EscPage::OnBatch() {
    if (!session_->Visible() || batchDlg_) {
        return;
    }
    batchDlg_ = new EscBatchDlg(*session_, prompt_, this);
    batchDlg_->setAttribute(Qt::WA_DeleteOnClose);
    batchDlg_->open();
}

void EscPage::PageShown() {
    session_->OnShow(true);
}

void EscPage::PageHidden() {
    session_->OnHide();
}

void EscPage::Refresh() {
    const EscParamState& s = session_->State();
    for (std::size_t g = 0; g < kEscVersionGroups; ++g) {
        version_[g]->setText(Text(s.version[g]));
    }
    // Values changed since the last read are marked until Update writes them.
    const std::vector<bool> changed = session_->ChangedLists();
    // A control's tooltip says what it does, and whether it is not yet in the ESC.
    const auto tip = [this](QWidget* control, const char* state) {
        const QString explain = tips_.value(control);
        control->setToolTip(state == nullptr ? explain
                                             : explain + QStringLiteral("\n") + ShownText(state));
    };
    const auto mark = [&tip](QWidget* control, bool on) {
        control->setStyleSheet(on ? QStringLiteral("background: #fff0a0; font-weight: bold;")
                                  : QString());
        tip(control, on ? kTipEscChanged : nullptr);
    };
    for (std::size_t i = 0; i < lists_.size(); ++i) {
        const QSignalBlocker block(lists_[i]);
        lists_[i]->setCurrentIndex(s.selection[i]);
        mark(lists_[i], changed[i]);
    }
    if (QLineEdit* offset = fields_[static_cast<std::size_t>(EscField::TemperatureOffset)]) {
        mark(offset, session_->TemperatureOffsetChanged());
        // A value the ESC cannot hold shows so while it is typed; "Update" refuses it.
        if (TemperatureOffsetValue(s.Text(EscField::TemperatureOffset)) < 0) {
            offset->setStyleSheet(QStringLiteral("background: #ffc8c8; font-weight: bold;"));
            tip(offset, kMsgTemperatureOffsetRange);
        }
    }
    const bool idle = s.phase != EscPhase::Reading && s.phase != EscPhase::Writing;
    read_->setEnabled(idle);
    presets_->setEnabled(idle);
    batch_->setEnabled(idle);
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
