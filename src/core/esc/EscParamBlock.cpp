#include "esc/EscParamBlock.h"

#include <algorithm>
#include <cctype>

#include "esc/EscMessages.h"

namespace tavix {

namespace {

constexpr std::size_t kCalibrationSize = 6;  // three 16-bit values

std::uint8_t At(const Bytes& block, std::size_t offset) {
    return offset < block.size() ? block[offset] : 0;
}

int Low16(const Bytes& block, std::size_t at) {
    return At(block, at) | (At(block, at + 1) << 8);
}

void PutLow16(Bytes& block, std::size_t at, int value) {
    block[at] = static_cast<std::uint8_t>(value & 0xFF);
    block[at + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

}  // namespace

EscBlockValues DecodeParamBlock(const EscSeriesTable& table, const Bytes& block) {
    EscBlockValues values;
    for (std::size_t i = 0; i < kBlockVersionSize; ++i) {
        values.version.push_back(static_cast<char>(At(block, kBlockVersionOffset + i)));
    }
    for (const EscList& list : table.lists) {
        const std::uint8_t value = At(block, list.offset);
        values.selection.push_back(value < list.entries.size() ? value : -1);
    }
    auto set = [&values](EscField field, int number) {
        values.texts[static_cast<std::size_t>(field)] = std::to_string(number);
    };
    if (table.throttleByteOffset) {
        set(EscField::ThrottleRange, At(block, *table.throttleByteOffset) * 8);
    }
    if (table.calibrationOffset) {
        const std::size_t at = *table.calibrationOffset;
        ThrottleCalibration& c = values.calibration;
        c = {Low16(block, at), Low16(block, at + 2), Low16(block, at + 4)};
        set(EscField::ForwardRange, (c.forward - c.neutral) / 2);
        set(EscField::ReverseRange, (c.neutral - c.reverse) / 2);
        set(EscField::Neutral, c.neutral / 2);
    }
    if (table.temperatureOffset) {
        set(EscField::TemperatureOffset, At(block, *table.temperatureOffset));
    }
    return values;
}

Bytes RestoreBlock(const EscSeriesTable& table, const Bytes& snapshot) {
    Bytes block(kParamBlockSize, 0);
    block[kBlockFlagOffset] = kBlockFlag;
    for (std::size_t offset : CarriedOffsets(table)) {
        block[offset] = At(snapshot, offset);
    }
    return block;
}

int TemperatureOffsetValue(const std::string& text) {
    if (text.empty()) {
        return 0;
    }
    if (text.size() > 3 || !std::all_of(text.begin(), text.end(), [](char c) {
            return std::isdigit(static_cast<unsigned char>(c));
        })) {
        return -1;
    }
    const int value = std::stoi(text);
    return value <= 255 ? value : -1;
}

Bytes EncodeParamBlock(const EscSeriesTable& table, const EscBlockValues& values, const Bytes& kept,
                       std::string& refusal) {
    Bytes block(kParamBlockSize, 0);
    block[kBlockFlagOffset] = kBlockFlag;

    if (values.version.size() != kBlockVersionSize) {
        refusal = kMsgEscInvalidVersion;
        return {};
    }
    std::copy(values.version.begin(), values.version.end(),
              block.begin() + static_cast<std::ptrdiff_t>(kBlockVersionOffset));

    if (table.calibrationOffset) {
        const ThrottleCalibration& c = values.calibration;
        if (!c.InOrder()) {
            refusal = kMsgEscCalibrationOutOfOrder;
            return {};
        }
        const std::size_t at = *table.calibrationOffset;
        PutLow16(block, at, c.reverse);
        PutLow16(block, at + 2, c.neutral);
        PutLow16(block, at + 4, c.forward);
    }
    for (std::size_t i = 0; i < table.lists.size(); ++i) {
        const int index = i < values.selection.size() ? values.selection[i] : -1;
        block[table.lists[i].offset] =
            index < 0 ? kNoSelectionByte : static_cast<std::uint8_t>(index);
    }
    for (std::size_t offset : table.keptOffsets) {
        block[offset] = At(kept, offset);
    }
    if (table.temperatureOffset) {
        const int offset = TemperatureOffsetValue(values.Text(EscField::TemperatureOffset));
        if (offset < 0) {
            refusal = kMsgTemperatureOffsetRange;
            return {};
        }
        block[*table.temperatureOffset] = static_cast<std::uint8_t>(offset);
    }
    refusal.clear();
    return block;
}

std::string OffsetName(const EscSeriesTable& table, std::size_t offset) {
    for (const EscList& list : table.lists) {
        if (list.offset == offset) {
            return ListName(list);
        }
    }
    if (offset >= kBlockVersionOffset && offset < kBlockVersionOffset + kBlockVersionSize) {
        return kParamFileVersion;
    }
    if (table.temperatureOffset && offset == *table.temperatureOffset) {
        return FieldName(table, EscField::TemperatureOffset);
    }
    if (table.calibrationOffset && offset >= *table.calibrationOffset &&
        offset < *table.calibrationOffset + kCalibrationSize) {
        return TAVIX_TR("throttle calibration");
    }
    return TAVIX_TR("kept as read");
}

std::vector<std::size_t> NotTaken(const EscSeriesTable& table, const Bytes& written,
                                  const Bytes& holds) {
    std::vector<std::size_t> offsets;
    for (std::size_t offset : CarriedOffsets(table)) {
        if (At(written, offset) != At(holds, offset)) {
            offsets.push_back(offset);
        }
    }
    return offsets;
}

std::string NamesOf(const EscSeriesTable& table, const std::vector<std::size_t>& offsets) {
    std::vector<std::string> names;
    for (std::size_t offset : offsets) {
        std::string name = OffsetName(table, offset);
        if (std::find(names.begin(), names.end(), name) == names.end()) {
            names.push_back(std::move(name));
        }
    }
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : ", ") + name;
    }
    return text;
}

}  // namespace tavix
