#include "esc/EscPresetStore.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/FormatText.h"
#include "base/NamedValues.h"
#include "base/PathText.h"
#include "base/Paths.h"
#include "base/RegularFile.h"
#include "base/Translate.h"
#include "esc/EscHistory.h"
#include "esc/EscParamText.h"

namespace tavix {

namespace fs = std::filesystem;

std::string PresetFolderIn(const UserFolders& folders) {
    return DataFolderIn(folders, "esc-presets");
}

std::string PresetNameRefusal(const std::string& name) {
    if (name.empty()) {
        return kMsgPresetNameEmpty;
    }
    const char* why = nullptr;
    if (name.find_first_of("/\\") != std::string::npos) {
        why = kWhyPresetSeparator;
    } else if (name[0] == '.') {
        why = kWhyPresetDot;
    } else if (std::any_of(name.begin(), name.end(), [](char c) {
                   return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
               })) {
        why = kWhyPresetControl;
    } else if (name.size() > kLongestPresetName) {
        why = kWhyPresetLong;
    }
    if (why == nullptr) {
        return {};
    }
    // A name refused for its control characters is shown without them.
    std::string shown;
    for (char c : name.substr(0, kLongestPresetName)) {
        shown.push_back(static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c);
    }
    return FormatShown(kMsgPresetNameRefused, PathText(shown).c_str(), why);
}

std::string ParamFileSeries(const std::string& text) {
    for (const EscNamedValue& value : ParamFileValues(text)) {
        if (SameName(value.name, kParamFileSeries)) {
            return value.value;
        }
    }
    return {};
}

std::string PresetNameOfFile(const std::string& path) {
    std::string name = Utf8FromPath(PathFromUtf8(path).filename());
    const std::string ext = kParamFileExtension;
    if (name.size() > ext.size() && name.ends_with(ext)) {
        name.resize(name.size() - ext.size());
    } else if (const std::size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) {
        name.resize(dot);
    }
    return name;
}

EscPresetStore::EscPresetStore(std::string folder, Convert toFileText, Convert fromFileText)
    : folder_(std::move(folder)),
      toFileText_(std::move(toFileText)),
      fromFileText_(std::move(fromFileText)) {}

std::string EscPresetStore::PathOf(const std::string& name) const {
    return JoinPath(folder_, name + kParamFileExtension);
}

std::string EscPresetStore::FileText(const std::string& gbk) const {
    return toFileText_ ? toFileText_(gbk) : gbk;
}

std::string EscPresetStore::ProgramText(const std::string& raw) const {
    return fromFileText_ ? fromFileText_(raw) : raw;
}

std::vector<EscPreset> EscPresetStore::List() const {
    std::vector<EscPreset> presets;
    std::error_code ec;
    const std::string ext = kParamFileExtension;
    for (fs::directory_iterator it(PathFromUtf8(folder_), ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string file = Utf8FromPath(it->path().filename());
        if (file.size() <= ext.size() || !file.ends_with(ext)) {
            continue;
        }
        const std::string name = file.substr(0, file.size() - ext.size());
        std::string text;
        if (!PresetNameRefusal(name).empty() || !Read(name, text).empty()) {
            continue;
        }
        const std::string series = ParamFileSeries(text);
        if (!series.empty()) {
            presets.push_back({name, series, PathOf(name)});
        }
    }
    std::sort(presets.begin(), presets.end(),
              [](const EscPreset& a, const EscPreset& b) { return a.name < b.name; });
    return presets;
}

std::string EscPresetStore::ReadRaw(const std::string& name, std::string& raw) const {
    if (std::string refusal = PresetNameRefusal(name); !refusal.empty()) {
        return refusal;
    }
    std::error_code ec;
    if (folder_.empty() || !fs::exists(PathFromUtf8(PathOf(name)), ec)) {
        return FormatShown(kMsgNoSuchPreset, PathText(name).c_str());
    }
    std::string reason;
    if (!ReadRegularFile(PathOf(name), kLargestParamFile, raw, &reason)) {
        return FormatShown(kMsgCantReadPreset, PathText(name).c_str(), reason.c_str());
    }
    return {};
}

std::string EscPresetStore::WriteRaw(const std::string& name, const std::string& raw,
                                     bool replace) const {
    if (std::string refusal = PresetNameRefusal(name); !refusal.empty()) {
        return refusal;
    }
    if (folder_.empty()) {
        return kMsgNoPresetFolder;
    }
    std::error_code ec;
    fs::create_directories(PathFromUtf8(folder_), ec);
    if (ec) {
        return FormatShown(kMsgCantWritePreset, PathText(name).c_str(), ec.message().c_str());
    }
    std::string reason;
    if (replace) {
        if (!WriteFileAtomically(PathOf(name), raw, &reason)) {
            return FormatShown(kMsgCantWritePreset, PathText(name).c_str(), reason.c_str());
        }
        return {};
    }
    switch (CreateFileAtomically(PathOf(name), raw, &reason)) {
        case CreateResult::Created:
            return {};
        case CreateResult::NameTaken:
            return FormatShown(kMsgPresetExists, PathText(name).c_str());
        case CreateResult::Failed:
            break;
    }
    return FormatShown(kMsgCantWritePreset, PathText(name).c_str(), reason.c_str());
}

std::string EscPresetStore::Save(const std::string& name, const std::string& text,
                                 bool replace) const {
    return WriteRaw(name, FileText(text), replace);
}

std::string EscPresetStore::Read(const std::string& name, std::string& text) const {
    std::string raw;
    std::string refusal = ReadRaw(name, raw);
    if (refusal.empty()) {
        text = ProgramText(raw);
    }
    return refusal;
}

std::string EscPresetStore::ReadFor(const EscSeriesTable& table, const std::string& name,
                                    std::string& text) const {
    std::string refusal = Read(name, text);
    if (!refusal.empty()) {
        return refusal;
    }
    const std::string series = ParamFileSeries(text);
    if (series.empty()) {
        return FormatShown(kMsgNotParamFile, PathText(PathOf(name)).c_str());
    }
    if (!SameName(series, table.name)) {
        return FormatShown(kMsgPresetOtherSeries, PathText(name).c_str(), series.c_str(),
                           table.name.c_str());
    }
    return {};
}

std::string EscPresetStore::Rename(const std::string& from, const std::string& to) const {
    std::string raw;
    if (std::string refusal = ReadRaw(from, raw); !refusal.empty()) {
        return refusal;
    }
    if (from == to) {
        return {};
    }
    // Written under the new name first, never over another preset; the old
    // one goes only once the new one is whole.
    if (std::string refusal = WriteRaw(to, raw, false); !refusal.empty()) {
        return refusal;
    }
    return Delete(from);
}

std::string EscPresetStore::Delete(const std::string& name) const {
    if (std::string refusal = PresetNameRefusal(name); !refusal.empty()) {
        return refusal;
    }
    std::error_code ec;
    if (folder_.empty() || !fs::remove(PathFromUtf8(PathOf(name)), ec)) {
        return ec ? FormatShown(kMsgCantDeletePreset, PathText(name).c_str(), ec.message().c_str())
                  : FormatShown(kMsgNoSuchPreset, PathText(name).c_str());
    }
    return {};
}

std::string EscPresetStore::Import(const std::string& file, const std::string& name,
                                   bool replace) const {
    const std::string as = name.empty() ? PresetNameOfFile(file) : name;
    if (std::string refusal = PresetNameRefusal(as); !refusal.empty()) {
        return refusal;
    }
    std::string raw;
    std::string reason;
    if (!ReadRegularFile(file, kLargestParamFile, raw, &reason)) {
        return FormatShown(kMsgCantReadParamFile, PathText(file).c_str()) + " (" + reason + ")";
    }
    // Checked as it will be applied, so a preset never fails later for a
    // line it had from the start.
    const std::string text = ProgramText(raw);
    const std::string series = ParamFileSeries(text);
    if (series.empty()) {
        return FormatShown(kMsgNotParamFile, PathText(file).c_str());
    }
    const EscSeriesTable* table = SeriesTableNamed(series);
    if (table == nullptr) {
        return FormatShown(kMsgPresetUnknownSeries, PathText(file).c_str(), series.c_str());
    }
    std::string error;
    (void)ParseParamFile(*table, text, PathText(file), error);
    if (!error.empty()) {
        return error;
    }
    return WriteRaw(as, raw, replace);
}

std::string EscPresetStore::Export(const std::string& name, const std::string& file) const {
    std::string raw;
    if (std::string refusal = ReadRaw(name, raw); !refusal.empty()) {
        return refusal;
    }
    std::string reason;
    if (!WriteFileAtomically(file, raw, &reason)) {
        return FormatShown(kMsgCantExportPreset, PathText(name).c_str(), PathText(file).c_str(),
                           reason.c_str());
    }
    return {};
}

}  // namespace tavix
