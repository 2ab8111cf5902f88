#include "ui/logger/CMyProgressDlg.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/QtTimerHost.h"
#include "platform/UiLanguage.h"
#include "shell/ShellMessages.h"

namespace tavix {

CMyProgressDlg::CMyProgressDlg(TransferState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      timers_(std::make_unique<QtTimerHost>()),
      progress_(state, timers_.get()) {
    setObjectName(QStringLiteral("progressDialog"));
    setWindowTitle(ShownText(kProgressCaption));

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);
    frame->setLineWidth(2);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    auto* caption = new QLabel(ShownText(kProgressCaption), frame);
    caption->setAlignment(Qt::AlignCenter);
    QFont font = caption->font();
    font.setBold(true);
    caption->setFont(font);

    bar_ = new QProgressBar(frame);
    bar_->setRange(0, UploadProgress::kBarMax);
    bar_->setValue(0);

    detail_ = new QLabel(ShownText(progress_.DetailText()), frame);
    detail_->setObjectName(QStringLiteral("progressDetail"));
    detail_->setAlignment(Qt::AlignCenter);

    auto* hint = new QLabel(tr("Esc stops the upload"), frame);
    hint->setAlignment(Qt::AlignCenter);
    hint->setEnabled(false);
    // The same as Esc, for the mouse. It takes no focus, so Enter keeps its
    // own meaning (close the window, the transfer goes on).
    cancel_ = new QPushButton(tr("Cancel"), frame);
    cancel_->setObjectName(QStringLiteral("progressCancel"));
    cancel_->setAutoDefault(false);
    cancel_->setFocusPolicy(Qt::NoFocus);
    connect(cancel_, &QPushButton::clicked, this, [this] { progress_.OnEscape(); });
    auto* hintRow = new QHBoxLayout();
    hintRow->addStretch(1);
    hintRow->addWidget(hint);
    hintRow->addSpacing(12);
    hintRow->addWidget(cancel_);
    hintRow->addStretch(1);

    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(18, 14, 18, 12);
    layout->setSpacing(8);
    layout->addWidget(caption);
    layout->addWidget(bar_);
    layout->addWidget(detail_);
    layout->addLayout(hintRow);
    setFixedSize(380, 150);

    progress_.onPoll = [this] { Show(); };
}

CMyProgressDlg::~CMyProgressDlg() = default;

void CMyProgressDlg::start() {
    setWindowModality(Qt::ApplicationModal);
    if (parentWidget()) {
        const QRect area = parentWidget()->window()->geometry();
        move(area.center() - rect().center());
    }
    show();
    raise();
    activateWindow();
    progress_.Start([this](bool ok) { Finish(ok); });
}

void CMyProgressDlg::poll() {
    progress_.OnTick();
    Show();
}

int CMyProgressDlg::barValue() const {
    return bar_->value();
}

QString CMyProgressDlg::detailText() const {
    return detail_->text();
}

void CMyProgressDlg::Show() {
    bar_->setValue(progress_.Position());
    detail_->setText(ShownText(progress_.DetailText()));
}

void CMyProgressDlg::Finish(bool ok) {
    done(ok ? QDialog::Accepted : QDialog::Rejected);
    emit transferFinished(ok);
}

void CMyProgressDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            progress_.OnEscape();
            event->accept();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            progress_.OnEnter();
            event->accept();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

void CMyProgressDlg::closeEvent(QCloseEvent* event) {
    // Closed by the window system (it has no close box of its own): as Esc.
    progress_.OnEscape();
    event->accept();
}

}  // namespace tavix
