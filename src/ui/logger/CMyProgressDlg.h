#pragma once
// The small window shown while the logger's memory is uploaded: "Data
// Transfering ......", a bar and a line with the amount and the time left.
// UploadProgress polls the upload's TransferState every 50 ms and says when
// the window is to close; the window only shows it. Enter ends it with OK, Esc with
// Cancel. It does not block its caller: start() shows it and returns, and
// transferFinished(ok) reports the outcome.

#include <QDialog>
#include <memory>

#include "shell/UploadProgress.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace tavix {

class QtTimerHost;

class CMyProgressDlg : public QDialog {
    Q_OBJECT
public:
    explicit CMyProgressDlg(TransferState& state, QWidget* parent = nullptr);
    ~CMyProgressDlg() override;

    // Shows the window over the whole program and starts polling.
    void start();
    // One poll, as the 50 ms timer does it.
    void poll();

    UploadProgress::Result result() const { return progress_.GetResult(); }
    int barValue() const;
    QString detailText() const;
    // Stops the transfer as Esc does.
    QPushButton* CancelButton() const { return cancel_; }
    bool polling() const { return progress_.Running(); }

signals:
    // OK: the transfer ended (or the user pressed Enter); false: no data, or Esc.
    void transferFinished(bool ok);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Show();
    void Finish(bool ok);

    std::unique_ptr<QtTimerHost> timers_;
    UploadProgress progress_;
    QProgressBar* bar_ = nullptr;
    QLabel* detail_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace tavix
