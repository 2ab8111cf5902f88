#pragma once
// The parameter page of an ESC series, built from the series' table: the
// series caption around it, the firmware version in four boxes, the labelled
// lists in the table's rows and columns, the throttle (and, for the Ostrin,
// temperature) fields, the progress bar, the status icon and the "Default
// Value" and "Update" buttons. It holds no rules: EscParamSession decides,
// the page draws its state and forwards the user's clicks.

#include <QHash>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "esc/EscParamSession.h"
#include "link/PortName.h"
#include "ui/device/DevicePage.h"
#include "ui/esc/EscBatchDlg.h"
#include "ui/esc/EscHistoryDlg.h"
#include "ui/esc/EscPresetMenu.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace tavix {

class Prompt;

class EscPage : public SessionPage {
    Q_OBJECT
public:
    EscPage(const EscSeriesTable& table, Prompt& prompt, PortSource port,
            QWidget* parent = nullptr);
    ~EscPage() override;

    void PageShown() override;
    void PageHidden() override;

    EscParamSession& Session() { return *session_; }
    const EscSeriesTable& Table() const { return session_->Table(); }

    // The controls, for the widget tests.
    QComboBox* List(std::size_t index) const { return lists_.at(index); }
    QLineEdit* Field(EscField field) const { return fields_[static_cast<std::size_t>(field)]; }
    QLineEdit* VersionBox(std::size_t group) const { return version_.at(group); }
    QProgressBar* Progress() const { return progress_; }
    QPushButton* DefaultButton() const { return default_; }
    QPushButton* UpdateButton() const { return update_; }
    bool IconConnected() const { return iconConnected_; }
    QPushButton* SaveButton() const { return save_; }
    QPushButton* LoadButton() const { return load_; }
    QPushButton* ReadButton() const { return read_; }
    QPushButton* HistoryButton() const { return history_; }
    QPushButton* PresetsButton() const { return presets_; }
    QPushButton* BatchButton() const { return batch_; }
    // The "Batch..." dialog while it is open, else nullptr.
    EscBatchDlg* BatchDialog() const { return batchDlg_; }
    EscPresetMenu* PresetsMenu() const { return presetMenu_; }
    // The "History..." dialog while it is open, else nullptr.
    EscHistoryDlg* HistoryDialog() const { return historyDlg_; }

    // Asks for the parameter file to save to (`save`) or load from; an empty
    // path when the user cancels. A file dialog unless replaced (tests).
    std::function<QString(bool save, const QString& suggested)> chooseFile;

protected:
    void Refresh() override;

private:
    void Build(const EscSeriesTable& table);
    void OnSaveToFile();
    void OnLoadFromFile();
    void OnHistory();
    void OnBatch();

    Prompt& prompt_;
    std::unique_ptr<EscParamSession> session_;
    std::vector<QComboBox*> lists_;
    std::array<QLineEdit*, kEscFieldCount> fields_{};
    std::array<QLineEdit*, kEscVersionGroups> version_{};
    QProgressBar* progress_ = nullptr;
    QLabel* icon_ = nullptr;
    QPushButton* default_ = nullptr;
    QPushButton* update_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* load_ = nullptr;
    QPushButton* read_ = nullptr;
    QPushButton* history_ = nullptr;
    QPushButton* presets_ = nullptr;
    EscPresetMenu* presetMenu_ = nullptr;
    QPointer<EscHistoryDlg> historyDlg_;
    QPushButton* batch_ = nullptr;
    QPointer<EscBatchDlg> batchDlg_;
    QHash<const QWidget*, QString> tips_;  // what each control's parameter does
    bool iconConnected_ = false;
};

}  // namespace tavix
