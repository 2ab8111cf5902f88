#pragma once
// The main form: the five pages under the tab strip and the controls around
// them — the device buttons, the connection icon, the description of the
// opened device (with the welcome page), the record note and the user
// parameters gear rate and pole number (with the record page), and "&Exit".
//
// The form holds no device logic. The logger session drives it through the
// setters below and listens to its signals; the pages of tabs 2-5 are put in
// with SetPage(), and pageShown / pageHidden tell them when to open and close
// their ports.

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "flight/FlightRecord.h"
#include "shell/ShellMessages.h"
#include "ui/link/CComConfigDlg.h"
#include "ui/shell/GbkLimitedEdit.h"

class QLabel;
class QLineEdit;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;

namespace tavix {

class CAppConfig;
struct FlightData;
class CIniFile;
class CQTabCtrl;
class CWelcomeDlg;
class RecordPage;

class CTavixView : public QWidget {
    Q_OBJECT
public:
    // The note is kept as GBK bytes in the record (two for a Chinese character).
    static constexpr int kNoteMaxBytes = static_cast<int>(kMaxNoteLength);
    static constexpr int kDescriptionMaxChars = 2048;

    // `shown` is the flight on screen (the record document's): its header
    // gives the form's gear rate, poles and note, and the record page draws it.
    CTavixView(CAppConfig& config, FlightData& shown, CIniFile& ini, QWidget* parent = nullptr);
    ~CTavixView() override;

    // --- what the logger session sets ---------------------------------
    void SetConnected(bool connected);  // the status icon
    bool IsConnected() const { return connected_; }
    void SetTabEnabled(int tab, bool enabled);
    void SetTabsEnabled(const std::array<bool, kTabCount>& enabled);
    bool IsTabEnabled(int tab) const;
    // Switches to `tab` as a click would; a disabled tab is refused and the
    // current one stays. Returns whether `tab` is now current.
    bool SelectTab(int tab);
    int CurrentTab() const;
    void SetDescriptionText(const QString& text);
    QString DescriptionText() const;
    // The device's version text for the status bar (the frame shows it).
    void SetVersionText(const QString& text);
    QString VersionText() const { return version_; }
    // Pane 0 of the status bar.
    void SetStatusText(const QString& text);
    void SetUploadEnabled(bool enabled);
    void SetClearEnabled(bool enabled);
    void SetSetComPortEnabled(bool enabled);
    void SetOpenDeviceEnabled(bool enabled);
    // The --port of this run, shown in the COM port window.
    void SetPortOverride(const QString& port) { portOverride_ = port; }

    // --- user parameters and the record note ---------------------------
    float GearRate() const { return gearRate_; }
    void SetGearRate(float rate);  // shown rounded to two decimals
    int PoleNumber() const { return poles_; }
    void SetPoleNumber(int poles);
    QString NoteText() const;
    void SetNoteText(const QString& text);
    // The battery pack of the flights to upload: the note's first line
    // "Pack: NAME" (records/PackTrend). Empty leaves the note as it is.
    QString PackText() const;
    // The model flown: the note line "Model: NAME" (analysis/NoteLines).
    QString ModelText() const;
    bool RecordShown() const { return recordShown_; }

    // --- pages ---------------------------------------------------------
    // Puts `page` on tab `tab` (1-4) in place of what is there; the view owns it.
    void SetPage(int tab, QWidget* page);
    QWidget* Page(int tab) const;
    // The record page: curves, statistics, "Snap" and the channel controls.
    RecordPage* RecordView() const { return recordPage_; }

    // A page that must not be left while it works (a firmware download): while
    // `active` holds, the tab strip refuses every other tab as it refuses a
    // disabled one, and the main window asks `closeQuestion` (GBK) before closing.
    struct PageHold {
        int tab = 0;
        std::function<bool()> active;
        std::string closeQuestion;
        // Says why another tab was refused (run once the tab strip's own
        // event is over, so a message box does not open inside a click).
        std::function<void()> refused = {};
    };
    void AddPageHold(PageHold hold);
    // The question of the page that holds the form now; empty when none does.
    std::string HoldQuestion() const;

    // Widgets, for the frame's keyboard handling and for tests.
    CQTabCtrl* Tabs() const { return tabs_; }
    CWelcomeDlg* WelcomePage() const { return welcome_; }
    QPushButton* SetComPortButton() const { return setCom_; }
    QPushButton* OpenDeviceButton() const { return openDevice_; }
    QPushButton* UploadButton() const { return upload_; }
    QPushButton* ClearButton() const { return clear_; }
    QPushButton* ExitButton() const { return exit_; }
    QLineEdit* GearRateEdit() const { return gearEdit_; }
    QLineEdit* PoleNumberEdit() const { return polesEdit_; }
    QLineEdit* PackEdit() const { return packEdit_; }
    QLineEdit* ModelEdit() const { return modelEdit_; }
    QPlainTextEdit* DescriptionBox() const { return description_; }
    QPlainTextEdit* NoteBox() const { return note_; }
    QGroupBox* UserParameterGroup() const { return userGroup_; }

signals:
    void openDeviceRequested();
    void uploadRequested();
    void clearRequested();
    void pageShown(int tab);   // the page of `tab` became current
    void pageHidden(int tab);  // the page of `tab` is no longer current
    void recordShownChanged(bool shown);
    void versionTextChanged(const QString& paneText);
    void statusTextChanged(const QString& text);
    void gearRateChanged(float rate);
    void poleNumberChanged(int poles);
    void comPortChanged(int port);

private:
    void BuildLayout();
    void OnTabChanged(int tab);
    void ShowPageControls(int tab);
    void OnGearRateEdited(const QString& text);
    void RunComPortDialog();

    CAppConfig& config_;
    FlightData& shown_;
    CIniFile& ini_;
    CQTabCtrl* tabs_ = nullptr;
    CWelcomeDlg* welcome_ = nullptr;
    std::array<QWidget*, kTabCount> pages_{};
    QStackedWidget* textArea_ = nullptr;
    QPlainTextEdit* description_ = nullptr;
    GbkLimitedEdit* note_ = nullptr;
    RecordPage* recordPage_ = nullptr;
    QWidget* noText_ = nullptr;
    QPushButton* setCom_ = nullptr;
    QPushButton* openDevice_ = nullptr;
    QPushButton* upload_ = nullptr;
    QPushButton* clear_ = nullptr;
    QPushButton* exit_ = nullptr;
    QLabel* icon_ = nullptr;
    QGroupBox* userGroup_ = nullptr;
    QLineEdit* gearEdit_ = nullptr;
    QLineEdit* packEdit_ = nullptr;
    QLineEdit* modelEdit_ = nullptr;
    QLineEdit* polesEdit_ = nullptr;
    QPointer<CComConfigDlg> comDialog_;
    std::vector<PageHold> holds_;

    bool connected_ = false;
    int previousTab_ = 0;
    int shownTab_ = -1;
    bool recordShown_ = false;
    float gearRate_ = 1.0f;
    int poles_ = 0;
    QString version_;
    QString portOverride_;
};

}  // namespace tavix
