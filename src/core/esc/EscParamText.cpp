#include "esc/EscParamText.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "base/FormatText.h"
#include "base/OutsideText.h"
#include "base/PlainText.h"
#include "base/Translate.h"
#include "device/DeviceVersion.h"

namespace tavix {

namespace {

bool AllDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c));
    });
}

const EscFieldPlace* FindField(const EscSeriesTable& table, const std::string& name) {
    for (const EscFieldPlace& place : table.fields) {
        if (SameName(FieldName(table, place.field), name)) {
            return &place;
        }
    }
    return nullptr;
}

std::string VersionText(const EscParamState& state) {
    std::string version;
    for (const std::string& group : state.version) {
        version += group;
    }
    return UpToZero(version);
}

// A line of a parameter file without its comment and blanks.
std::string WithoutComment(const std::string& line) {
    return Trimmed(line.substr(0, line.find(kParamFileComment)));
}

int ByteAt(const Bytes& block, std::size_t offset) {
    return offset < block.size() ? block[offset] : 0;
}

}  // namespace

std::vector<EscNamedValue> PageValues(const EscSeriesTable& table, const EscParamState& state) {
    struct Placed {
        int row;
        int column;
        EscNamedValue value;
    };
    std::vector<Placed> shown;
    std::vector<EscNamedValue> hidden;
    for (std::size_t i = 0; i < table.lists.size(); ++i) {
        const EscList& list = table.lists[i];
        const int selected = i < state.selection.size() ? state.selection[i] : -1;
        EscNamedValue value{ListName(list),
                            selected >= 0 ? list.entries[static_cast<std::size_t>(selected)] : "",
                            "", ExplainText(list.explain, list.unit)};
        if (list.hidden) {
            hidden.push_back(value);
        } else {
            shown.push_back({list.row, list.column, value});
        }
    }
    for (const EscFieldPlace& place : table.fields) {
        shown.push_back({place.row, place.column,
                         EscNamedValue{FieldName(table, place.field), state.Text(place.field),
                                       place.unit, ExplainText(place.explain, place.unit)}});
    }
    std::stable_sort(shown.begin(), shown.end(), [](const Placed& a, const Placed& b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    std::vector<EscNamedValue> values;
    for (Placed& p : shown) {
        values.push_back(std::move(p.value));
    }
    values.insert(values.end(), hidden.begin(), hidden.end());
    return values;
}

std::string ShownValue(const EscNamedValue& value) {
    return value.value.empty() || value.unit.empty() ? value.value : value.value + " " + value.unit;
}

MessageParts ValueParts(const EscNamedValue& value) {
    if (value.unknownByte < 0) {
        return MessageParts::Word(ShownValue(value));
    }
    return MessageParts(value.unit.empty() ? "%s" : "%s %s",
                        {MessageParts(kEscUnknownValue, {std::to_string(value.unknownByte)}),
                         MessageParts::Word(value.unit)});
}

std::vector<EscNamedValue> ParamFileValues(const std::string& text) {
    std::vector<EscNamedValue> values;
    std::istringstream in(text);
    std::string line;
    bool heading = false;
    while (std::getline(in, line)) {
        line = WithoutComment(line);
        if (line.empty() || line[0] == '#') {
            continue;
        }
        if (!heading) {
            if (line != kParamFileHeading) {
                return {};
            }
            heading = true;
            continue;
        }
        const std::size_t colon = line.find(':');
        if (colon != std::string::npos) {
            values.push_back(
                EscNamedValue{Trimmed(line.substr(0, colon)), Trimmed(line.substr(colon + 1)), ""});
        }
    }
    return values;
}

std::vector<EscDiffLine> DiffParams(const std::vector<EscNamedValue>& a,
                                    const std::vector<EscNamedValue>& b) {
    auto shown = [](const std::vector<EscNamedValue>& values) {
        std::vector<NamedValue> out;
        out.reserve(values.size());
        for (const EscNamedValue& value : values) {
            out.push_back({value.name, ShownValue(value)});
        }
        return out;
    };
    const auto parts = [](const std::vector<EscNamedValue>& values, const std::string& name) {
        for (const EscNamedValue& value : values) {
            if (SameName(value.name, name)) {
                return ValueParts(value);
            }
        }
        return MessageParts::Word({});
    };
    std::vector<EscDiffLine> lines;
    for (ValueDiff& line : DiffValues(shown(a), shown(b))) {
        MessageParts shownA = parts(a, line.name);
        MessageParts shownB = parts(b, line.name);
        lines.push_back({std::move(line), std::move(shownA), std::move(shownB)});
    }
    return lines;
}

std::string CheckSetting(const EscSeriesTable& table, const std::string& name,
                         const std::string& value, EscSetting& setting) {
    const int list = FindList(table, name);
    if (list >= 0) {
        const EscList& l = table.lists[static_cast<std::size_t>(list)];
        const int entry = FindEntry(l, value);
        if (entry < 0) {
            std::string choices;
            for (const std::string& e : l.entries) {
                choices += (choices.empty() ? "\"" : ", \"") + e + "\"";
            }
            return FormatShown(kMsgUnknownEscValue, value.c_str(), ListName(l).c_str(),
                               choices.c_str(), static_cast<int>(l.entries.size()) - 1);
        }
        setting = EscSetting{list, entry, {}};
        return {};
    }
    if (const EscFieldPlace* field = FindField(table, name)) {
        const std::string fieldName = FieldName(table, field->field);
        if (field->field != EscField::TemperatureOffset) {
            return FormatShown(kMsgEscNotSettable, fieldName.c_str());
        }
        const std::string digits = Trimmed(value);
        // The page would keep only the low 8 bits of a larger number; a typed
        // value that cannot be stored is refused instead.
        if (!AllDigits(digits) || digits.size() > 3 || std::stoi(digits) > 255) {
            return kMsgTemperatureOffsetRange;
        }
        setting = EscSetting{-1, -1, digits};
        return {};
    }
    return FormatShown(kMsgUnknownEscParameter, table.name.c_str(), name.c_str());
}

std::string ParamFileText(const EscSeriesTable& table, const EscParamState& state, bool explain) {
    std::string text = std::string(kParamFileHeading) + "\n";
    text += std::string(kParamFileSeries) + ": " + table.name + "\n";
    // Values on one line each: a version string from the ESC may hold any
    // byte, and a raw line break in it would make the file unreadable.
    text += std::string(kParamFileVersion) + ": " + EscapeControls(VersionText(state)) + "\n";
    for (const EscNamedValue& v : PageValues(table, state)) {
        text += v.name + ": " + EscapeControls(v.value);
        if (!v.value.empty() && !v.unit.empty()) {
            text += " " + v.unit;
        }
        if (explain && !v.explain.empty()) {
            text += kParamFileComment + v.explain;
        }
        text += "\n";
    }
    return text;
}

std::string ParamFileText(const EscSeriesTable& table, const EscBlockValues& values) {
    EscParamState state;
    ShowValues(state, values);
    return ParamFileText(table, state);
}

std::vector<EscNamedValue> BlockValues(const EscSeriesTable& table, const Bytes& block) {
    EscParamState state;
    const EscBlockValues decoded = DecodeParamBlock(table, block);
    ShowValues(state, decoded);
    std::vector<EscNamedValue> values = PageValues(table, state);
    for (std::size_t i = 0; i < table.lists.size(); ++i) {
        const std::size_t offset = table.lists[i].offset;
        if (decoded.selection[i] >= 0 || offset >= block.size()) {
            continue;
        }
        const std::string name = ListName(table.lists[i]);
        for (EscNamedValue& value : values) {
            if (value.name == name) {
                value.unknownByte = int{block[offset]};
                value.value = ValueParts(value).Text();
            }
        }
    }
    return values;
}

std::vector<MessageParts> RestoreChanges(const EscSeriesTable& table, const Bytes& holds,
                                         const Bytes& snapshot) {
    std::vector<MessageParts> lines;
    std::vector<std::string> changed;
    for (const EscDiffLine& line :
         DiffParams(BlockValues(table, holds), BlockValues(table, snapshot))) {
        if (line.differs) {
            lines.push_back(MessageParts(
                kEscChangeLine, {MessageParts::Word(line.name + ":"), line.shownA, line.shownB}));
            changed.push_back(line.name);
        }
    }
    const auto named = [&changed](const std::string& name) {
        return std::find(changed.begin(), changed.end(), name) != changed.end();
    };
    // The calibration shows as three ranges; a byte of it that changes none
    // of them (a half microsecond lost to the division) is named by offset.
    const bool calibrationShown = named(FieldName(table, EscField::ForwardRange)) ||
                                  named(FieldName(table, EscField::ReverseRange)) ||
                                  named(FieldName(table, EscField::Neutral));
    for (std::size_t offset : NotTaken(table, snapshot, holds)) {
        const std::string name = OffsetName(table, offset);
        const bool calibration =
            table.calibrationOffset && name == OffsetName(table, *table.calibrationOffset);
        if (named(name) || (calibration && calibrationShown)) {
            continue;
        }
        lines.push_back(MessageParts(
            kEscOffsetChange, {std::to_string(offset), name, std::to_string(ByteAt(holds, offset)),
                               std::to_string(ByteAt(snapshot, offset))}));
    }
    return lines;
}

std::string ChangesText(const std::vector<MessageParts>& lines) {
    if (lines.empty()) {
        return kTextNothingChanges;
    }
    std::string text;
    for (const MessageParts& line : lines) {
        text += (text.empty() ? "" : "\r\n") + line.Shown();
    }
    return text;
}

const EscSeriesTable* StoredBlockTable(const std::string& block) {
    if (block.size() != kParamBlockSize) {
        return nullptr;
    }
    return SeriesTable(SeriesOf(block.substr(kBlockVersionOffset, kBlockVersionSize)));
}

std::optional<std::vector<NamedValue>> StoredSettings(const std::string& block) {
    const EscSeriesTable* table = StoredBlockTable(block);
    if (table == nullptr) {
        return std::nullopt;
    }
    std::vector<NamedValue> settings;
    for (const EscNamedValue& value : BlockValues(*table, Bytes(block.begin(), block.end()))) {
        settings.push_back({value.name, ShownValue(value)});
    }
    return settings;
}

std::vector<EscSetting> ParseParamFile(const EscSeriesTable& table, const std::string& text,
                                       const std::string& fileName, std::string& error) {
    std::vector<EscSetting> settings;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    bool heading = false;
    bool series = false;
    while (std::getline(in, line)) {
        ++number;
        line = WithoutComment(line);
        if (line.empty() || line[0] == '#') {
            continue;
        }
        if (!heading) {
            if (line != kParamFileHeading) {
                break;
            }
            heading = true;
            continue;
        }
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) {
            error = FormatShown(kMsgParamFileLine, fileName.c_str(), number,
                                "a line must read \"Name: value\"");
            return {};
        }
        const std::string name = Trimmed(line.substr(0, colon));
        const std::string value = Trimmed(line.substr(colon + 1));
        if (SameName(name, kParamFileSeries)) {
            if (!SameName(value, table.name)) {
                error = FormatShown(kMsgOtherSeries, value.c_str(), table.name.c_str());
                return {};
            }
            series = true;
            continue;
        }
        if (!series) {
            break;  // the series comes first
        }
        if (SameName(name, kParamFileVersion) || value.empty()) {
            continue;  // the ESC's own, or a list the ESC left without a value
        }
        const EscFieldPlace* field = FindField(table, name);
        if (field != nullptr && field->field != EscField::TemperatureOffset) {
            continue;  // the ESC's own values, there for the reader
        }
        EscSetting setting;
        const std::string refusal = CheckSetting(table, name, value, setting);
        if (!refusal.empty()) {
            error = FormatShown(kMsgParamFileLine, fileName.c_str(), number, refusal.c_str());
            return {};
        }
        settings.push_back(setting);
    }
    if (!heading || !series) {
        error = FormatShown(kMsgNotParamFile, fileName.c_str());
        return {};
    }
    error.clear();
    return settings;
}

}  // namespace tavix
