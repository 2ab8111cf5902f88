#include "esc/EscSeries.h"

#include <algorithm>
#include <cctype>

#include "base/NamedValues.h"

namespace tavix {

namespace {

std::string WithoutColon(const std::string& label) {
    std::string name = label;
    while (!name.empty() && (name.back() == ':' || name.back() == ' ')) {
        name.pop_back();
    }
    return name;
}

}  // namespace

const std::vector<const EscSeriesTable*>& EscSeriesRegistry() {
    static const std::vector<const EscSeriesTable*> rows = {
        &TarrowTable(),
        &VelmorTable(),
        &OstrinTable(),
        &PeldanTable(),
    };
    return rows;
}

const EscSeriesTable* SeriesTable(int series) {
    for (const EscSeriesTable* table : EscSeriesRegistry()) {
        if (table->series == series) {
            return table;
        }
    }
    return nullptr;
}

const EscSeriesTable* SeriesTableNamed(const std::string& name) {
    for (const EscSeriesTable* table : EscSeriesRegistry()) {
        if (SameName(table->name, name)) {
            return table;
        }
    }
    return nullptr;
}

std::optional<std::string> FieldDefault(EscField field) {
    switch (field) {
        case EscField::ThrottleRange:
            return "640";
        case EscField::TemperatureOffset:
            return "0";
        default:
            return std::nullopt;  // the calibration is the ESC's, not a setting
    }
}

std::string ListName(const EscList& list) {
    return WithoutColon(list.label);
}

std::string ExplainText(const std::string& explain, const std::string& unit) {
    return unit.empty() ? explain : explain + " [" + unit + "]";
}

std::string FieldName(const EscSeriesTable& table, EscField field) {
    for (const EscFieldPlace& place : table.fields) {
        if (place.field == field) {
            return WithoutColon(place.label);
        }
    }
    return {};
}

int FindList(const EscSeriesTable& table, const std::string& name) {
    for (std::size_t i = 0; i < table.lists.size(); ++i) {
        if (SameName(ListName(table.lists[i]), name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int FindEntry(const EscList& list, const std::string& value) {
    const std::string wanted = NormalName(value);
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        if (SameName(list.entries[i], value)) {
            return static_cast<int>(i);
        }
    }
    if (!wanted.empty() && wanted.size() <= 3 &&
        std::all_of(wanted.begin(), wanted.end(),
                    [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })) {
        const int index = std::stoi(wanted);
        if (index < static_cast<int>(list.entries.size())) {
            return index;
        }
    }
    return -1;
}

std::vector<std::size_t> CarriedOffsets(const EscSeriesTable& table) {
    std::vector<std::size_t> offsets;
    for (const EscList& list : table.lists) {
        offsets.push_back(list.offset);
    }
    offsets.insert(offsets.end(), table.keptOffsets.begin(), table.keptOffsets.end());
    if (table.temperatureOffset) {
        offsets.push_back(*table.temperatureOffset);
    }
    if (table.calibrationOffset) {
        for (std::size_t i = 0; i < 6; ++i) {
            offsets.push_back(*table.calibrationOffset + i);
        }
    }
    for (std::size_t i = 0; i < kBlockVersionSize; ++i) {
        offsets.push_back(kBlockVersionOffset + i);
    }
    std::sort(offsets.begin(), offsets.end());
    offsets.erase(std::unique(offsets.begin(), offsets.end()), offsets.end());
    return offsets;
}

}  // namespace tavix
