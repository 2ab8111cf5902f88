#include "records/CTavixDoc.h"

#include <memory>

#include "base/AtomicFile.h"
#include "base/PathText.h"
#include "base/RegularFile.h"
#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "config/CalibrationBook.h"
#include "logger/FlightSplitter.h"
#include "records/RecordCodec.h"
#include "records/RecordMessages.h"

namespace tavix {

namespace {

using ull = unsigned long long;

}  // namespace

CTavixDoc::CTavixDoc(CAppConfig& config, CIniFile& ini) : config_(config), ini_(ini) {}

std::string CTavixDoc::Serialize(const FlightRecord& record) {
    const int channels = record.header.channels;
    const int samples = record.header.samples;
    std::string out;
    out.reserve(channels > 0 && samples > 0 ? RecordFileSize(channels, samples) : kRecordFixedSize);
    Encode(record.header, out);
    Encode(record.logger, out);
    Encode(record.ranges, out);
    for (int ch = 0; ch < channels && ch < kChannelCount; ++ch) {
        Encode(record.channels[ch], out);
        for (int j = 0; j < samples && j < kMaxSamples; ++j) {
            const auto v = static_cast<std::uint32_t>(record.raw[ch][j]);
            const char bytes[4] = {static_cast<char>(v), static_cast<char>(v >> 8),
                                   static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
            out.append(bytes, 4);
        }
    }
    EncodeExtension(record, out);
    return out;
}

RecordReadResult CTavixDoc::Serialize(std::string_view bytes, FlightRecord& into,
                                      const std::string& name) {
    RecordReadResult result;
    if (bytes.size() < kRecordFixedSize) {
        result.message = FormatText(kMsgRecordTooShort, PathText(name).c_str(),
                                    ull{kRecordFixedSize}, static_cast<ull>(bytes.size()));
        return result;
    }
    const RecordHeader header = DecodeHeader(bytes);
    if (header.channels < 1 || header.channels > kChannelCount) {
        result.message =
            FormatText(kMsgRecordBadChannels, PathText(name).c_str(), int{header.channels});
        return result;
    }
    if (header.samples < 1 || header.samples > kMaxSamples) {
        result.message =
            FormatText(kMsgRecordBadSamples, PathText(name).c_str(), int{header.samples});
        return result;
    }
    const std::size_t needed = RecordFileSize(header.channels, header.samples);
    if (bytes.size() < needed) {
        result.message = FormatText(kMsgRecordTooShort, PathText(name).c_str(),
                                    static_cast<ull>(needed), static_cast<ull>(bytes.size()));
        return result;
    }

    into.header = header;
    into.logger = DecodeLoggerBlock(bytes.substr(RecordHeader::kSize));
    into.ranges = DecodeAxisRanges(bytes.substr(RecordHeader::kSize + LoggerBlock::kSize));
    std::size_t pos = kRecordFixedSize;
    for (int ch = 0; ch < header.channels; ++ch) {
        into.channels[ch] = DecodeChannelInfo(bytes.substr(pos));
        pos += ChannelInfo::kSize;
        for (int j = 0; j < header.samples; ++j, pos += 4) {
            const auto* b = reinterpret_cast<const unsigned char*>(bytes.data() + pos);
            const std::uint32_t v =
                b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
            into.raw[ch][j] = static_cast<std::int32_t>(v);
        }
    }
    result.ok = true;
    const std::size_t extension = DecodeExtension(bytes.substr(needed), into);
    result.trailingBytes = bytes.size() - needed - extension;
    return result;
}

bool CTavixDoc::StoreFlight(const std::string& path, const FlightRecord& record,
                            std::string& reason) {
    return StoreNewRecordFile(path, Serialize(record), reason);
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
        message = FormatText(kMsgRecordNotReadWhole, PathText(path).c_str(),
                             record.notReadWhole.c_str());
        return false;
    }
    std::string reason;
    if (!WriteFileAtomically(path, Serialize(record), &reason)) {
        message = FormatText(kMsgRecordSaveFailed, PathText(path).c_str(), reason.c_str());
        return false;
    }
    // The file now holds the whole record.
    record.readFrom = path;
    record.notReadWhole.clear();
    return true;
}

bool CTavixDoc::OnSaveDocument(const std::string& path, const RecordForm& form,
                               std::string& message) {
    return StoreRecord(path, config_.Record(), form.note, message);
}

bool CTavixDoc::OnOpenDocument(const std::string& path, RecordForm& form, std::string& message) {
    auto loaded =
        ReadRecordFile(path, CalibrationBook::FromIni(ini_), form, message, &config_.Record());
    if (!loaded) {
        return false;
    }
    config_.TakeCurrent(std::move(loaded));
    return true;
}

bool CTavixDoc::LoadRecord(std::string_view bytes, const std::string& name, RecordForm& form,
                           std::string& message) {
    // Start from the record in memory so that channels the file does not hold
    // keep their settings, then replace what the file brings.
    auto loaded = LoadRecordFile(bytes, name, CalibrationBook::FromIni(ini_), form, message,
                                 &config_.Record());
    if (!loaded) {
        return false;
    }
    config_.TakeCurrent(std::move(loaded));
    return true;
}

}  // namespace tavix
