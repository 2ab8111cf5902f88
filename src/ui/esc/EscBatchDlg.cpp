#include "ui/esc/EscBatchDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/AtomicFile.h"
#include "base/FormatText.h"
#include "base/Translate.h"
#include "esc/EscBatchWire.h"
#include "esc/EscMessages.h"
#include "esc/EscParamSession.h"
#include "esc/EscParamText.h"
#include "esc/EscPresetStore.h"
#include "link/CMSComm.h"
#include "platform/GbkText.h"
#include "platform/QtTimerHost.h"
#include "platform/ScreenFit.h"
#include "platform/SerialBackendFactory.h"
#include "platform/UiLanguage.h"
#include "platform/UserEscHistory.h"
#include "platform/UserEscPresets.h"
#include "shell/Prompt.h"

namespace tavix {

namespace {

constexpr int kDefaultCount = 4;
constexpr int kMostEscs = 99;
constexpr const char* kStartLine = QT_TRANSLATE_NOOP(
    "tavix::EscBatchDlg", "Pick the settings and the number of ESCs, then press Start.");

}  // namespace

EscBatchDlg::EscBatchDlg(EscParamSession& page, Prompt& prompt, QWidget* parent)
    : QDialog(parent), page_(page), prompt_(prompt) {
    chooseReport = [this](const QString& suggested) {
        QString path = QFileDialog::getSaveFileName(this, ShownText(kBtnBatchSaveReport), suggested,
                                                    ShownText(kBatchReportFilter));
        if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) {
            path += QStringLiteral(".csv");
        }
        return path;
    };
    setWindowTitle(ShownText(kTitleEscBatch));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    settings_ = new QComboBox(this);
    settings_->addItem(ShownText(kBatchPageValues));
    for (const EscPreset& preset : UserEscPresets().List()) {
        if (preset.series == page.Table().name) {
            settings_->addItem(QFile::decodeName(QByteArray::fromStdString(preset.name)),
                               QByteArray::fromStdString(preset.name));
        }
    }
    form->addRow(ShownText(kLabelBatchSettings), settings_);
    count_ = new QSpinBox(this);
    count_->setRange(1, kMostEscs);
    count_->setValue(kDefaultCount);
    form->addRow(ShownText(kLabelBatchCount), count_);
    layout->addLayout(form);

    line_ = new QLabel(tr(kStartLine), this);
    line_->setWordWrap(true);
    layout->addWidget(line_);
    rows_ = new QTableWidget(0, 5, this);
    rows_->setHorizontalHeaderLabels(
        {tr("ESC"), tr("Version"), tr("Series"), tr("Result"), tr("Not taken")});
    rows_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    rows_->horizontalHeader()->setStretchLastSection(true);
    rows_->verticalHeader()->hide();
    rows_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(rows_, 1);

    auto* buttons = new QHBoxLayout;
    start_ = new QPushButton(ShownText(kBtnBatchStart), this);
    start_->setDefault(true);
    report_ = new QPushButton(ShownText(kBtnBatchSaveReport), this);
    report_->setEnabled(false);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addWidget(start_);
    buttons->addWidget(report_);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(start_, &QPushButton::clicked, this, [this] { OnStart(); });
    connect(report_, &QPushButton::clicked, this, [this] { OnSaveReport(); });
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(WithinScreen(*this, {620, 420}));
}

EscBatchDlg::~EscBatchDlg() {
    if (batch_) {
        batch_->changed = nullptr;
    }
}

void EscBatchDlg::OnStart() {
    if (batch_ && !batch_->Finished()) {
        batch_->Stop();  // between ESCs at once, else once the write under way ends
        Refresh();
        return;
    }
    std::string text;
    std::string source = kBatchPageValues;
    if (settings_->currentIndex() <= 0) {
        const std::vector<int>& selection = page_.State().selection;
        if (std::none_of(selection.begin(), selection.end(), [](int s) { return s >= 0; })) {
            prompt_.Message(kMsgPresetNothingToSave, PromptIcon::Exclamation);
            return;
        }
        text = ParamFileText(page_.Table(), page_.State());
    } else {
        const std::string name = settings_->currentData().toByteArray().toStdString();
        source = name;
        if (std::string refusal = UserEscPresets().ReadFor(page_.Table(), name, text);
            !refusal.empty()) {
            prompt_.Message(refusal, PromptIcon::Exclamation);
            return;
        }
    }
    std::string error;
    std::vector<EscSetting> settings = ParseParamFile(page_.Table(), text, source, error);
    if (!error.empty()) {
        prompt_.Message(error, PromptIcon::Exclamation);
        return;
    }
    if (!pageClosed_) {
        page_.OnHide();  // the batch's own port takes the line
        pageClosed_ = true;
    }
    batch_.reset();
    wire_.reset();
    if (!comm_) {
        comm_ = std::make_unique<CMSComm>(MakeSerialBackend(""));
        wireTimers_ = std::make_unique<QtTimerHost>();
        batchTimers_ = std::make_unique<QtTimerHost>();
    }
    wire_ = std::make_unique<EscBatchWire>(
        page_.Table(), std::move(settings), *comm_, *wireTimers_,
        [this] { return page_.PortPath(); }, &UserEscHistory());
    batch_ = std::make_unique<EscBatch>(page_.Table(), count_->value(), *wire_, *batchTimers_);
    wire_->SetBatch(*batch_);
    batchTimers_->SetHandler([this](int id) { batch_->OnTimer(id); });
    batch_->changed = [this] { Refresh(); };
    batch_->Start();
}

void EscBatchDlg::Refresh() {
    const bool running = batch_ && !batch_->Finished();
    if (batch_ && batch_->Finished()) {
        wire_->Close();
    }
    line_->setText(batch_ ? ShownText(batch_->Line()) : tr(kStartLine));
    start_->setText(ShownText(running ? kBtnBatchStop : kBtnBatchStart));
    settings_->setEnabled(!running);
    count_->setEnabled(!running);
    const std::vector<EscBatchRow> rows = batch_ ? batch_->Rows() : std::vector<EscBatchRow>();
    rows_->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const EscBatchRow& row = rows[r];
        QString notTaken;
        for (const std::string& name : row.notTaken) {
            notTaken += (notTaken.isEmpty() ? QString() : QStringLiteral(", ")) + ShownText(name);
        }
        const QStringList cells = {
            QString::number(row.esc), ShownText(row.version), ShownText(row.series),
            row.result.empty() ? tr("writing...") : ShownText(row.result), notTaken};
        for (int c = 0; c < cells.size(); ++c) {
            rows_->setItem(static_cast<int>(r), c, new QTableWidgetItem(cells[c]));
        }
    }
    if (!rows.empty()) {
        rows_->scrollToBottom();
    }
    report_->setEnabled(!running && !rows.empty());
}

void EscBatchDlg::OnSaveReport() {
    if (!batch_) {
        return;
    }
    const QString path = chooseReport(QStringLiteral("batch.csv"));
    if (path.isEmpty()) {
        return;
    }
    std::string reason;
    if (!WriteFileAtomically(QFile::encodeName(path).toStdString(), batch_->ReportCsv(), &reason)) {
        prompt_.Message(FormatShown(kMsgCantWriteBatchReport, ToGbk(path).c_str(), reason.c_str()),
                        PromptIcon::Exclamation);
    }
}

void EscBatchDlg::done(int result) {
    // An ESC is never left half written: closing waits for the write under way.
    if (batch_ && batch_->Phase() == EscBatchPhase::Writing) {
        batch_->Stop();
        Refresh();
        return;
    }
    EndBatch();
    QDialog::done(result);
}

void EscBatchDlg::EndBatch() {
    if (batch_) {
        batch_->changed = nullptr;
        batch_->Stop();
    }
    batch_.reset();
    wire_.reset();
    if (pageClosed_) {
        // The ESC on the line now may be another one: the page reads it.
        pageClosed_ = false;
        page_.OnShow(true);
        page_.OnConnect();
    }
}

}  // namespace tavix
