#pragma once
// The logbook window (File > Logbook...): every record file of a folder on one
// line, sortable by any column by a click on its heading. Double-click (or
// Open) opens a flight in the main window; a file that could not be opened is
// listed in red with its reason. Selecting two to four flights (Ctrl+click,
// Shift+click) and pressing Compare (or Enter) opens them together, the
// topmost selected the reference.
//
// The files are read a few at a time between window events, with a progress
// bar, so a folder of hundreds of records never freezes the window. Each file
// is read by core's LogbookReader on its own copy of the settings.

#include <QDialog>
#include <array>
#include <memory>
#include <vector>

#include "base/Translate.h"
#include "config/CIniFile.h"
#include "flight/FlightRecord.h"
#include "records/Logbook.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;
class QTimer;

namespace tavix {

class LogbookTableModel;
class PacksView;
class ModelsView;
class SettingsGroupsView;

// Texts of the window.
inline constexpr const char* kLogbookTitle = TAVIX_TR("Logbook");
inline constexpr const char* kLogbookReading = TAVIX_TR("Reading %1 of %2 record files...");
inline constexpr const char* kLogbookSummary =
    TAVIX_TR("%1 flights, %2 files could not be opened.");
inline constexpr const char* kLogbookAllRead = TAVIX_TR("%1 flights.");
inline constexpr const char* kLogbookEmpty =
    TAVIX_TR("There are no record files (.dat) in this folder.");
inline constexpr const char* kLogbookChooseFolder = TAVIX_TR("Folder of record files");
inline constexpr const char* kLogbookCompareTip =
    TAVIX_TR("Open the 2 to 4 selected flights together; the topmost is the reference");
inline constexpr const char* kLogbookCompareTooFew =
    TAVIX_TR("Select 2 to 4 flights that open to compare them.");

class CLogbookDlg : public QDialog {
    Q_OBJECT
public:
    // `ini` and `smoothing` are copied at every (re)load, so changed settings
    // count from the next load on.
    CLogbookDlg(const CIniFile& ini, const std::array<int, kChannelCount>& smoothing,
                QWidget* parent = nullptr);
    ~CLogbookDlg() override;

    // Lists `folder` anew, reading its files in the background.
    void SetFolder(const QString& folder);
    // The size the window opens at: wide enough for every column of the
    // table and a dozen rows, but never larger than `available` (the room
    // the screen leaves).
    QSize OpeningSize(const QSize& available) const;
    QString Folder() const { return folder_; }
    bool IsLoading() const;

    // The entry shown on row `row` of the table, in its current order.
    const LogbookEntry* EntryAtRow(int row) const;
    int RowCount() const;

    QTableView* Table() const { return table_; }
    QProgressBar* Progress() const { return progress_; }
    QLabel* StatusLabel() const { return status_; }
    QPushButton* OpenButton() const { return open_; }
    QPushButton* CompareButton() const { return compare_; }
    // The selected rows, top to bottom.
    QList<int> SelectedRows() const;
    // "Compare": the selected flights that open go to compareRequested, the
    // others are named with their reason on the status line.
    void CompareSelected();
    QPushButton* PacksButton() const { return packs_; }
    // The "Packs" view (after ShowPacks; null before).
    PacksView* Packs() const { return packsView_; }
    // Opens the "Packs" view over the flights listed.
    void ShowPacks();
    QPushButton* ModelsButton() const { return models_; }
    // The "Models" view (after ShowModels; null before).
    ModelsView* Models() const { return modelsView_; }
    // Opens the "Models" view over the flights listed.
    void ShowModels();
    QPushButton* SettingsButton() const { return settings_; }
    // The "Settings" view (after ShowSettings; null before).
    SettingsGroupsView* Settings() const { return settingsView_; }
    // Opens the "Settings" view: the flights grouped by their ESC settings.
    void ShowSettings();

    // A pass between window events reads at most this many files, and stops
    // early after this many ms.
    static constexpr int kFilesPerPass = 16;
    static constexpr int kSliceMs = 25;

signals:
    // The user chose a flight to open in the main window.
    void openRequested(const QString& path);
    // The user chose flights to open together: the first is the reference.
    void compareRequested(const QStringList& paths);
    void loadingFinished();

protected:
    // Closing the window stops reading; the next File > Logbook... reads anew.
    void hideEvent(QHideEvent* event) override;

private:
    void ReadSome();
    void FinishLoading();
    void OpenRow(int row);
    void Browse();
    void UpdateOpenButton();

    const CIniFile& ini_;
    const std::array<int, kChannelCount>& smoothing_;
    QString folder_;
    QString summary_;  // what the status line says when no failed file is current
    std::unique_ptr<LogbookReader> reader_;
    std::vector<std::string> pending_;
    std::size_t next_ = 0;

    LogbookTableModel* model_ = nullptr;
    QSortFilterProxyModel* proxy_ = nullptr;
    QLineEdit* folderEdit_ = nullptr;
    QTableView* table_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* open_ = nullptr;
    QPushButton* compare_ = nullptr;
    QPushButton* packs_ = nullptr;
    QPushButton* models_ = nullptr;
    QPushButton* settings_ = nullptr;
    PacksView* packsView_ = nullptr;
    ModelsView* modelsView_ = nullptr;
    SettingsGroupsView* settingsView_ = nullptr;
    QTimer* timer_ = nullptr;
};

}  // namespace tavix
