#pragma once
// The record document: the one owner of the window's flight (the record on
// screen with its conversion). It writes that flight to record files (*.dat)
// and makes a loaded file (see records/RecordFile) the current flight; the
// settings (config.ini, CAppConfig) give it only the smoothing windows and the
// profiles' calibration. The file, byte for byte:
//
//   RecordHeader 816 | LoggerBlock 52 | AxisRange x 8 (64) |
//   for each channel: ChannelInfo 88, then `samples` raw samples (int32)
//
// so a file is 932 + channels x (88 + 4 x samples) bytes, little-endian, with
// no magic number and no checksum. Calibration is not in the file: it comes
// from config.ini by the file's hardware code when the file is opened.
//
// Opening reads into a flight of its own first. A file that does not fit the
// record memory, ends early, or names a hardware code config.ini does not know
// is refused with a message, and the record on screen stays as it was.
// Bytes after the last channel are ignored: the file has no length field of its
// own to check them against, the program has always read only what the header
// announces, and a record that is whole should open even when something (a
// transfer tool, a block-padded medium) appended bytes to it.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "flight/FlightData.h"
#include "flight/FlightRecord.h"
#include "records/RecordFile.h"

namespace tavix {

class CAppConfig;
class CIniFile;

class CTavixDoc {
public:
    CTavixDoc(CAppConfig& config, CIniFile& ini);
    ~CTavixDoc();
    CTavixDoc(const CTavixDoc&) = delete;
    CTavixDoc& operator=(const CTavixDoc&) = delete;

    // The current flight. Its place stays the same for the document's life:
    // the record page, the sessions that fill its header on identification
    // and upload, and the channel controls hold references to it, so a flight
    // that is opened is moved into it.
    FlightData& Current() { return *current_; }
    const FlightData& Current() const { return *current_; }
    FlightRecord& Record() { return current_->record; }
    const FlightRecord& Record() const { return current_->record; }
    // Smooths and converts the current flight with the configured windows;
    // its observed extremes and maximum power stay in Current().conversion.
    const ConversionResult& Convert();

    // Saves the current record to `path`, with the form's note as its user
    // note. The file is replaced only when every byte was written.
    [[nodiscard]] bool OnSaveDocument(const std::string& path, const RecordForm& form,
                                      std::string& message);
    // Writes `record` to `path` with `note` as its user note (the upload
    // stores each flight this way).
    [[nodiscard]] static bool StoreRecord(const std::string& path, FlightRecord& record,
                                          const std::string& note, std::string& message);
    // Writes one uploaded flight, as it stands, to a new record file at
    // `path`, never over a file that took the name meanwhile; false with the
    // system's `reason` (the upload's StoreRecordFn).
    [[nodiscard]] static bool StoreFlight(const std::string& path, const FlightRecord& record,
                                          std::string& reason);

    // Opens `path` as the current record: reads it, reloads calibration (k, c)
    // from config.ini by its hardware code, sets the data-loaded flag and fills
    // `form`. On refusal returns false with `message` and changes nothing.
    // Showing the record page is the caller's job.
    [[nodiscard]] bool OnOpenDocument(const std::string& path, RecordForm& form,
                                      std::string& message);
    // The same on bytes already read (`name` for messages).
    [[nodiscard]] bool LoadRecord(std::string_view bytes, const std::string& name, RecordForm& form,
                                  std::string& message);

private:
    void TakeCurrent(std::unique_ptr<FlightData> flight);

    CAppConfig& config_;
    CIniFile& ini_;
    std::unique_ptr<FlightData> current_;
};

}  // namespace tavix
