#pragma once
// Presets: parameter files kept under a name the pilot chose ("3S race",
// "crawler soft"), so the settings of one model can be put onto another ESC,
// or shared, without hunting for a file. A preset is exactly the file "Save
// to File..." writes, stored as NAME.esc.txt in the user's data folder
// ($XDG_DATA_HOME/Tavix/esc-presets); a preset exported is such a file again,
// and any parameter file can be imported as one.
//
// A name is a file name, so it is checked before it is used: not empty, no
// path separator (a name must not reach outside the folder), no leading dot
// (hidden files, "." and ".."), no control characters, not too long. Names
// are the file system's text (UTF-8); messages show them through PathText.
//
// Every preset written is written whole or not at all (AtomicFile). Saving
// or importing never replaces a preset of the same name unless asked to, and
// renaming never replaces one at all.

#include <functional>
#include <string>
#include <vector>

#include "base/UserFolders.h"

#include "base/Translate.h"
#include "esc/EscSeries.h"

namespace tavix {

inline constexpr std::size_t kLongestPresetName = 80;

// Refusals and captions (formats for FormatText; %s names are PathText).
inline constexpr const char* kMsgPresetNameEmpty = TAVIX_TR("A preset needs a name.");
inline constexpr const char* kMsgPresetNameRefused = TAVIX_TR("\"%s\" can't name a preset: %s.");
inline constexpr const char* kWhyPresetSeparator = TAVIX_TR("it may not hold / or \\");
inline constexpr const char* kWhyPresetDot = TAVIX_TR("it may not begin with a dot");
inline constexpr const char* kWhyPresetControl = TAVIX_TR("it may not hold control characters");
inline constexpr const char* kWhyPresetLong = TAVIX_TR("it is longer than 80 bytes");
inline constexpr const char* kMsgNoSuchPreset = TAVIX_TR("There is no preset named \"%s\".");
inline constexpr const char* kMsgPresetExists = TAVIX_TR("A preset named \"%s\" exists already.");
inline constexpr const char* kMsgCantWritePreset = TAVIX_TR("Can't write the preset \"%s\" (%s)!");
inline constexpr const char* kMsgCantReadPreset = TAVIX_TR("Can't read the preset \"%s\" (%s)!");
inline constexpr const char* kMsgCantDeletePreset =
    TAVIX_TR("Can't delete the preset \"%s\" (%s)!");
inline constexpr const char* kMsgCantExportPreset =
    TAVIX_TR("Can't export the preset \"%s\" to %s (%s)!");
inline constexpr const char* kMsgPresetOtherSeries = TAVIX_TR(
    "The preset \"%s\" holds parameters of the %s series, but this ESC is of the %s series!");
inline constexpr const char* kMsgPresetUnknownSeries =
    TAVIX_TR("%s holds parameters of the %s series, which this program does not know.");
inline constexpr const char* kMsgNoPresetFolder =
    TAVIX_TR("There is no folder for presets: neither XDG_DATA_HOME nor HOME is set.");

struct EscPreset {
    std::string name;    // as the user gave it (file system text)
    std::string series;  // "Velmor", as the file names it
    std::string path;    // the preset's file
};

// The presets' folder: esc-presets in the user's data folder; empty when the
// system names none.
std::string PresetFolderIn(const UserFolders& folders);

// Why `name` can't name a preset; empty when it can.
[[nodiscard]] std::string PresetNameRefusal(const std::string& name);

// The series line of a parameter text (GBK): "Velmor"; empty when the text is
// no parameter file or names no series.
std::string ParamFileSeries(const std::string& text);

// The name a file imported without one gets: its file name without the
// folder and without ".esc.txt" (or its last extension).
std::string PresetNameOfFile(const std::string& path);

class EscPresetStore {
public:
    // Converts between the program's GBK text and the files' UTF-8 (the
    // edges pass their converters; without them the bytes stay as they are).
    using Convert = std::function<std::string(const std::string&)>;
    EscPresetStore(std::string folder, Convert toFileText = {}, Convert fromFileText = {});

    const std::string& Folder() const { return folder_; }

    // Every preset, by name; files that are no parameter file are left out.
    std::vector<EscPreset> List() const;

    // Keeps `text` (a parameter file, GBK) as the preset `name`. A preset of
    // that name is replaced only when `replace`. Returns why not, or empty.
    [[nodiscard]] std::string Save(const std::string& name, const std::string& text,
                                   bool replace) const;
    // The preset's parameter text (GBK) in `text`; returns why not, or empty.
    [[nodiscard]] std::string Read(const std::string& name, std::string& text) const;
    // The same, refused (naming both series) when the preset is not of `table`'s series.
    [[nodiscard]] std::string ReadFor(const EscSeriesTable& table, const std::string& name,
                                      std::string& text) const;
    [[nodiscard]] std::string Rename(const std::string& from, const std::string& to) const;
    [[nodiscard]] std::string Delete(const std::string& name) const;
    // Takes the parameter file `file` as the preset `name` (PresetNameOfFile
    // when empty), every line checked against its series first.
    [[nodiscard]] std::string Import(const std::string& file, const std::string& name,
                                     bool replace) const;
    // Writes the preset, as it is stored, to `file` (replacing what is there).
    [[nodiscard]] std::string Export(const std::string& name, const std::string& file) const;

    std::string PathOf(const std::string& name) const;

private:
    [[nodiscard]] std::string ReadRaw(const std::string& name, std::string& raw) const;
    [[nodiscard]] std::string WriteRaw(const std::string& name, const std::string& raw,
                                       bool replace) const;
    std::string FileText(const std::string& gbk) const;
    std::string ProgramText(const std::string& raw) const;

    std::string folder_;
    Convert toFileText_;
    Convert fromFileText_;
};

}  // namespace tavix
