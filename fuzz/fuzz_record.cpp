// The record file reader on arbitrary bytes: a file is either refused with a
// message or read whole; whatever it holds, nothing is read or written
// outside the record memory, and what was read writes back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "records/CTavixDoc.h"
#include "records/RecordCodec.h"

using namespace tavix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static CIniFile ini = [] {
        CIniFile file;
        file.PutText("1L40", "kvalue0", "0.1", true);
        file.PutText("1L40", "kvalue4", "0.000001", true);
        return file;
    }();
    static CAppConfig config;

    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Kept between runs: the record memory is large, and a reader that took
    // something from a previous file would show in the comparison below.
    static auto record = std::make_unique<FlightRecord>();
    const RecordReadResult read = DecodeRecordFile(bytes, *record, "fuzz.dat");
    if (read.ok) {
        // Everything the header announced was read; writing it back gives
        // those bytes again. The ESC settings stored after the channels are
        // written anew (one well-formed section, whatever the file held), the
        // sections of newer builds as they came, and all read back the same.
        const std::size_t announced =
            RecordFileSize(record->header.channels, record->header.samples);
        const std::string again = EncodeRecordFile(*record);
        if (again.size() < announced || bytes.substr(0, announced) != again.substr(0, announced)) {
            std::abort();
        }
        static auto reread = std::make_unique<FlightRecord>();
        const RecordReadResult back = DecodeRecordFile(again, *reread, "again.dat");
        if (!back.ok || back.trailingBytes != 0 || reread->escBlock != record->escBlock ||
            reread->otherSections != record->otherSections || !reread->extensionDamage.empty()) {
            std::abort();
        }
    } else if (read.message.empty()) {
        std::abort();
    }

    // The whole open, as the window does it: calibration, form fields, the
    // record replaced only on success.
    static CTavixDoc doc(config, ini);
    RecordForm form;
    std::string message;
    const bool opened = doc.LoadRecord(bytes, "fuzz.dat", form, message);
    if (opened != (read.ok && ini.EntryCount(FixedText(record->header.hwCode)) != -1)) {
        std::abort();
    }
    if (opened) {
        const RecordHeader& h = doc.Record().header;
        if (h.yAxis < 0 || h.yAxis >= kChannelCount || !(form.gearRate > 0.0f)) {
            std::abort();
        }
    }
    return 0;
}
