#include "records/CTavixDoc.h"

#include <memory>

#include "base/AtomicFile.h"
#include "base/FormatText.h"
#include "base/PathText.h"
#include "base/RegularFile.h"
#include "base/Translate.h"
#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "config/CalibrationBook.h"
#include "records/RecordCodec.h"
#include "records/RecordMessages.h"

namespace tavix {

CTavixDoc::CTavixDoc(CAppConfig& config, CIniFile& ini)
    : config_(config), ini_(ini), current_(std::make_unique<FlightData>()) {}

CTavixDoc::~CTavixDoc() = default;

const ConversionResult& CTavixDoc::Convert() {
    return current_->Convert(config_.smoothing);
}

void CTavixDoc::TakeCurrent(std::unique_ptr<FlightData> flight) {
    if (flight) {
        *current_ = std::move(*flight);
    }
}

bool CTavixDoc::StoreFlight(const std::string& path, const FlightRecord& record,
                            std::string& reason) {
    return StoreNewRecordFile(path, EncodeRecordFile(record), reason);
}

bool CTavixDoc::StoreRecord(const std::string& path, FlightRecord& record, const std::string& note,
                            std::string& message) {
    // An unchanged note keeps its field byte for byte, so opening and saving
    // a file gives the same file.
    const std::string stored = note.substr(0, kMaxNoteLength);
    if (FixedText(record.header.note) != stored) {
        SetFixedText(record.header.note, stored);
    }
    if (!record.notReadWhole.empty() && SameFile(path, record.readFrom)) {
        message = FormatShown(kMsgRecordNotReadWhole, PathText(path).c_str(),
                              record.notReadWhole.c_str());
        return false;
    }
    std::string reason;
    if (!WriteFileAtomically(path, EncodeRecordFile(record), &reason)) {
        message = FormatShown(kMsgRecordSaveFailed, PathText(path).c_str(), reason.c_str());
        return false;
    }
    // The file now holds the whole record.
    record.readFrom = path;
    record.notReadWhole.clear();
    return true;
}

bool CTavixDoc::OnSaveDocument(const std::string& path, const RecordForm& form,
                               std::string& message) {
    return StoreRecord(path, Record(), form.note, message);
}

bool CTavixDoc::OnOpenDocument(const std::string& path, RecordForm& form, std::string& message) {
    auto loaded = ReadRecordFile(path, CalibrationBook::FromIni(ini_), form, message, &Record());
    if (!loaded) {
        return false;
    }
    TakeCurrent(std::move(loaded));
    return true;
}

bool CTavixDoc::LoadRecord(std::string_view bytes, const std::string& name, RecordForm& form,
                           std::string& message) {
    // Start from the record in memory so that channels the file does not hold
    // keep their settings, then replace what the file brings.
    auto loaded =
        LoadRecordFile(bytes, name, CalibrationBook::FromIni(ini_), form, message, &Record());
    if (!loaded) {
        return false;
    }
    TakeCurrent(std::move(loaded));
    return true;
}

}  // namespace tavix
