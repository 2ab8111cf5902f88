#pragma once
// The logbook's "Settings" view: the flights in the order flown, grouped by
// the ESC settings they flew with (records/SettingsGroups), a row per group
// with its figures and what changed from the group before. Selecting two
// groups and pressing Compare opens, side by side, the last flight before the
// change and the first after it.

#include <QDialog>
#include <QStringList>
#include <vector>

#include "base/Translate.h"
#include "records/SettingsGroups.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace tavix {

inline constexpr const char* kSettingsGroupsTitle = TAVIX_TR("Settings");
inline constexpr const char* kSettingsGroupsPickTwo = TAVIX_TR(
    "Select two groups to compare the last flight before the change with the first after it.");

class SettingsGroupsView : public QDialog {
    Q_OBJECT
public:
    explicit SettingsGroupsView(QWidget* parent = nullptr);
    // Groups `entries` anew; the view keeps their paths for Compare.
    void SetFlights(const std::vector<LogbookEntry>& entries);

    QTableWidget* Table() const { return table_; }
    QPushButton* CompareButton() const { return compare_; }
    QLabel* StatusLabel() const { return status_; }
    void CompareSelected();

signals:
    // The reference first, as the logbook's own Compare.
    void compareRequested(const QStringList& paths);

private:
    std::vector<SettingsGroup> groups_;
    std::vector<QString> paths_;  // of the entries grouped
    QTableWidget* table_ = nullptr;
    QPushButton* compare_ = nullptr;
    QLabel* status_ = nullptr;
};

}  // namespace tavix
