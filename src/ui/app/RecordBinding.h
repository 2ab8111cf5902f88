#pragma once
// Ties the record document (CTavixDoc) to the windows: the frame's Open, Save,
// Save As, recent files and dropped files reach the document; a loaded record
// goes onto the form (note, gear rate, pole number) and the record page (its
// curves, statistics and channel controls); "Snap" and "Save As &JPG" export
// the record page as an image.

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "records/CTavixDoc.h"
#include "records/RecordEdits.h"

class QLabel;

namespace tavix {

class CAppConfig;
class ChannelControls;
class ChartImageExport;
class ComparisonBinding;
class CIniFile;
class CMainFrame;
class CTavixView;
class Clock;
class Prompt;

class RecordBinding : public QObject {
    Q_OBJECT
public:
    RecordBinding(CMainFrame& frame, CAppConfig& config, CIniFile& ini, Prompt& prompt,
                  const Clock& clock);
    ~RecordBinding() override;

    CTavixDoc& Document() { return doc_; }
    ChannelControls& Channels() { return *channels_; }
    // The records compared with the one shown.
    ComparisonBinding& Comparisons() { return *comparison_; }

    // The frame's hooks: load or store a record file; true on success.
    bool OpenRecord(const QString& path);
    bool SaveRecord(const QString& path);

    // Before the open record is replaced or the window closes: an edited
    // note is offered for saving (Save / Discard / Cancel); true: go on.
    bool MayLeaveRecord();
    // The Save / Discard / Cancel question (GBK text); a message box unless replaced.
    std::function<SaveAnswer(const std::string& text)> askSave;
    // Below the gear rate and pole number while they differ from the open record's.
    QLabel* GearHintLabel() const { return gearHint_; }

private:
    void ShowLoadedRecord(const RecordForm& form);
    void OnNoteEdited();
    void UpdateGearHint();

    CMainFrame& frame_;
    CTavixView& view_;
    CAppConfig& config_;
    Prompt& prompt_;
    CTavixDoc& doc_;                       // the frame's
    ChannelControls* channels_ = nullptr;  // owned by the record page
    std::unique_ptr<ChartImageExport> chartExport_;
    std::unique_ptr<ComparisonBinding> comparison_;
    RecordEdits edits_;
    QLabel* gearHint_ = nullptr;  // owned by the form's user parameter group
    float recordGear_ = 0.0f;     // the open record's own, as it was loaded
    int recordPoles_ = 0;
};

}  // namespace tavix
