// ESC parameter files: the reader on arbitrary text for every series, and the
// write-then-read-back property: whatever page state (any version bytes from
// the ESC, any selection, any field text), the file written for it reads back
// without a refusal and sets exactly the values the page showed.
//
// Input: [series][offset][per list: one byte][16 version bytes][field bytes...]
// and the whole input once more as a parameter file to read.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "esc/EscParamText.h"
#include "esc/EscSeries.h"

namespace {

using namespace tavix;

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t Next() { return at_ < size_ ? data_[at_++] : 0; }
    std::string Text(std::size_t count) {
        std::string text;
        for (std::size_t i = 0; i < count; ++i) {
            text += static_cast<char>(Next());
        }
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

void WriteThenReadBack(const EscSeriesTable& table, Input& in) {
    EscParamState state;
    const int offset = in.Next();
    for (const EscList& list : table.lists) {
        // -1 (no value) up to the last entry.
        const int pick = in.Next() % (static_cast<int>(list.entries.size()) + 1);
        state.selection.push_back(pick - 1);
    }
    for (std::string& group : state.version) {
        group = in.Text(kEscVersionGroupSize);
    }
    for (std::string& text : state.texts) {
        text = in.Text(in.Next() % 12);
    }
    state.texts[static_cast<std::size_t>(EscField::TemperatureOffset)] = std::to_string(offset);

    const std::string file = ParamFileText(table, state);
    std::string error;
    const std::vector<EscSetting> settings = ParseParamFile(table, file, "fuzz.esc.txt", error);
    if (!error.empty()) {
        __builtin_trap();  // a file the program wrote must read back
    }
    std::vector<int> read(table.lists.size(), -1);
    std::string offsetRead;
    for (const EscSetting& setting : settings) {
        if (setting.list >= 0) {
            read[static_cast<std::size_t>(setting.list)] = setting.entry;
        } else {
            offsetRead = setting.offsetText;
        }
    }
    for (std::size_t i = 0; i < table.lists.size(); ++i) {
        const int shown = state.selection[i];
        // Entries with the same text read back as the first of them.
        const bool same = shown < 0 ? read[i] == -1
                                    : read[i] >= 0 && table.lists[i].entries[read[i]] ==
                                                          table.lists[i].entries[shown];
        if (!same) {
            __builtin_trap();
        }
    }
    // The temperature offset, where the page has the field, reads back too.
    bool hasOffset = false;
    for (const EscFieldPlace& place : table.fields) {
        hasOffset = hasOffset || place.field == EscField::TemperatureOffset;
    }
    if (offsetRead != (hasOffset ? std::to_string(offset) : std::string())) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const EscSeriesTable* table = SeriesTable(data[0] % 4);
    if (table == nullptr) {
        return 0;
    }
    Input in(data + 1, size - 1);
    WriteThenReadBack(*table, in);

    // The same bytes as a file someone hands the program.
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const std::vector<EscSetting> settings = ParseParamFile(*table, text, "any.esc.txt", error);
    if (!error.empty() && !settings.empty()) {
        __builtin_trap();  // refused means nothing to set
    }
    for (const EscSetting& setting : settings) {
        if (setting.list >= static_cast<int>(table->lists.size()) ||
            (setting.list >= 0 &&
             (setting.entry < 0 ||
              setting.entry >= static_cast<int>(table->lists[setting.list].entries.size())))) {
            __builtin_trap();
        }
    }
    return 0;
}
