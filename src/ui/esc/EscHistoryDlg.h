#pragma once
// "History...": the snapshots of the page's series, newest first (date,
// reason, version). Choosing one shows its values beside the page's, the
// differing parameters marked; "Restore" puts them on the page, where
// "Update" then writes them.

#include <QDialog>
#include <vector>

#include "esc/EscHistory.h"

class QListWidget;
class QPushButton;
class QTableWidget;

namespace tavix {

class EscParamSession;

class EscHistoryDlg : public QDialog {
    Q_OBJECT
public:
    EscHistoryDlg(EscParamSession& session, const EscHistory& history, QWidget* parent = nullptr);

    // For the widget tests.
    QListWidget* Snapshots() const { return list_; }
    QTableWidget* Values() const { return table_; }
    QPushButton* RestoreButton() const { return restore_; }
    const std::vector<EscSnapshot>& Shown() const { return snapshots_; }

private:
    void ShowSnapshot(int row);
    void OnRestore();

    EscParamSession& session_;
    std::vector<EscSnapshot> snapshots_;
    QListWidget* list_ = nullptr;
    QTableWidget* table_ = nullptr;
    QPushButton* restore_ = nullptr;
};

}  // namespace tavix
