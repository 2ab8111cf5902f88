#pragma once
// "Batch...": the same settings into ESC after ESC on the adapter, for the
// four or eight ESCs of one model. The pilot picks the settings (the page's
// values or a preset of the series) and how many ESCs, presses "Start", and
// plugs in one ESC after another; each ESC met gets a row (written, refused
// for another series, or failed, with what did not take), and the report
// can be saved as CSV. EscBatch decides; the dialog draws it.
//
// The batch has a port of its own: while the dialog is open the page's port
// is closed, and when it closes the page reads the ESC on the line again,
// so it never shows the values of an ESC that has been unplugged.

#include <QDialog>
#include <functional>
#include <memory>

#include "esc/EscBatch.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace tavix {

class CMSComm;
class EscBatchWire;
class EscParamSession;
class Prompt;
class QtTimerHost;

class EscBatchDlg : public QDialog {
    Q_OBJECT
public:
    EscBatchDlg(EscParamSession& page, Prompt& prompt, QWidget* parent = nullptr);
    ~EscBatchDlg() override;

    // Asks for the CSV file to save the report to; empty when the user
    // cancels. A file dialog unless replaced (tests).
    std::function<QString(const QString& suggested)> chooseReport;

    // For the widget tests.
    QComboBox* Settings() const { return settings_; }
    QSpinBox* Count() const { return count_; }
    QPushButton* StartButton() const { return start_; }
    QPushButton* ReportButton() const { return report_; }
    QLabel* Line() const { return line_; }
    QTableWidget* Rows() const { return rows_; }
    const EscBatch* Batch() const { return batch_.get(); }

protected:
    void done(int result) override;

private:
    void OnStart();
    void OnSaveReport();
    void Refresh();
    void EndBatch();

    EscParamSession& page_;
    Prompt& prompt_;
    std::unique_ptr<CMSComm> comm_;
    std::unique_ptr<QtTimerHost> wireTimers_;
    std::unique_ptr<QtTimerHost> batchTimers_;
    std::unique_ptr<EscBatchWire> wire_;
    std::unique_ptr<EscBatch> batch_;
    QComboBox* settings_ = nullptr;
    QSpinBox* count_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* report_ = nullptr;
    QLabel* line_ = nullptr;
    QTableWidget* rows_ = nullptr;
    bool pageClosed_ = false;
};

}  // namespace tavix
