#pragma once
// Ties the record document (CTavixDoc) to the windows: the frame's Open, Save,
// Save As, recent files and dropped files reach the document; a loaded record
// goes onto the form (note, gear rate, pole number) and the record page (its
// curves, statistics and channel controls); "Snap" and "Save As &JPG" export
// the record page as an image.

#include <QObject>
#include <QString>
#include <memory>

#include "records/CTavixDoc.h"

namespace tavix {

class CAppConfig;
class ChannelControls;
class ChartImageExport;
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

    // The frame's hooks: load or store a record file; true on success.
    bool OpenRecord(const QString& path);
    bool SaveRecord(const QString& path);

private:
    void ShowLoadedRecord(const RecordForm& form);

    CMainFrame& frame_;
    CTavixView& view_;
    CAppConfig& config_;
    Prompt& prompt_;
    CTavixDoc doc_;
    ChannelControls* channels_ = nullptr;  // owned by the record page
    std::unique_ptr<ChartImageExport> chartExport_;
};

}  // namespace tavix
