// tavix-cli esc preset: the parameter page's "Presets" menu without a window.
// Presets are parameter files kept under a name; "apply" writes one as
// "esc write --from" writes a file, read-back and history included.
#include <ostream>

#include "EscJob.h"
#include "base/FormatText.h"
#include "base/PathText.h"
#include "esc/EscPresetStore.h"
#include "platform/UserEscPresets.h"

namespace tavix::cli {

namespace {

constexpr const char* kMsgSaved = "Saved the preset \"%s\" (%s series).";
constexpr const char* kMsgNoPresets = "No presets in %s";

// The words each preset action takes after "preset ACTION".
struct PresetAction {
    const char* name;
    std::size_t least;
    std::size_t most;
    const char* needs;
};
constexpr PresetAction kActions[] = {
    {"list", 0, 0, "list takes no arguments"},
    {"save", 1, 1, "save needs a NAME"},
    {"apply", 1, 1, "apply needs a NAME"},
    {"delete", 1, 1, "delete needs a NAME"},
    {"export", 2, 2, "export needs NAME and FILE"},
    {"import", 1, 2, "import needs FILE and may take a NAME"},
};

int Refused(const Io& io, const std::string& why) {
    io.err << Printable(why) << '\n';
    return kExitRefused;
}

int Done(const Io& io, const std::string& refusal) {
    return refusal.empty() ? kExitOk : Refused(io, refusal);
}

int RunList(const Io& io, const EscPresetStore& store) {
    const std::vector<EscPreset> presets = store.List();
    for (const EscPreset& preset : presets) {
        io.out << PrintableField(PathText(preset.name)) << '\t' << PrintableField(preset.series)
               << '\n';
    }
    if (presets.empty()) {
        io.err << FormatText(kMsgNoPresets, Printable(PathText(store.Folder())).c_str()) << '\n';
    }
    return kExitOk;
}

// Reads the ESC and keeps its parameters as the preset `name`.
int RunSave(const Invocation& call, const EscPresetStore& store, const std::string& name) {
    const bool replace = call.args.Has("--replace");
    // The name is checked before the ESC is read.
    std::string existing;
    if (std::string refusal = PresetNameRefusal(name); !refusal.empty()) {
        return Refused(call.io, refusal);
    }
    if (!replace && store.Read(name, existing).empty()) {
        return Refused(call.io, FormatText(kMsgPresetExists, PathText(name).c_str()) +
                                    " Use --replace to replace it.");
    }
    ConnectedEsc esc(call);
    if (!esc.Open()) {
        return kExitRefused;
    }
    const std::string text = ParamFileText(esc.Table(), esc.Job().Session().State());
    if (std::string refusal = store.Save(name, text, replace); !refusal.empty()) {
        return Refused(call.io, refusal);
    }
    call.io.out << Printable(
                       FormatText(kMsgSaved, PathText(name).c_str(), esc.Table().name.c_str()))
                << '\n';
    return kExitOk;
}

int RunApply(const Invocation& call, const EscPresetStore& store, const std::string& name) {
    EscWriteRequest request;
    request.write = true;
    request.preset = name;
    request.textName = PathText(name);
    request.dryRun = call.args.Has("--dry-run");
    if (std::string refusal = store.Read(name, request.text); !refusal.empty()) {
        return Refused(call.io, refusal);
    }
    return RunEscWrite(call, request);
}

}  // namespace

int RunEscPreset(const Invocation& call) {
    const std::vector<std::string>& words = call.args.positional;
    if (words.size() < 2) {
        return call.UsageError("say preset list, save, apply, delete, export or import");
    }
    const std::string& action = words[1];
    const std::vector<std::string> rest(words.begin() + 2, words.end());
    const PresetAction* known = nullptr;
    for (const PresetAction& a : kActions) {
        if (action == a.name) {
            known = &a;
        }
    }
    if (known == nullptr) {
        return call.UsageError("unknown preset action " + action);
    }
    if (rest.size() < known->least || rest.size() > known->most) {
        return call.UsageError(known->needs);
    }
    if (call.args.Has("--from") || call.args.Has("--explain")) {
        return call.UsageError(call.args.Has("--from") ? "--from is for write"
                                                       : "--explain is for read");
    }
    if (call.args.Has("--dry-run") && action != "apply") {
        return call.UsageError("--dry-run is for preset apply");
    }
    if (call.args.Has("--replace") && action != "save" && action != "import") {
        return call.UsageError("--replace is for preset save and import");
    }
    const EscPresetStore store = UserEscPresets();
    if (action == "list") {
        return RunList(call.io, store);
    }
    if (action == "save") {
        return RunSave(call, store, rest[0]);
    }
    if (action == "apply") {
        return RunApply(call, store, rest[0]);
    }
    if (action == "delete") {
        return Done(call.io, store.Delete(rest[0]));
    }
    if (action == "export") {
        return Done(call.io, store.Export(rest[0], rest[1]));
    }
    return Done(call.io,
                store.Import(rest[0], rest.size() > 1 ? rest[1] : "", call.args.Has("--replace")));
}

}  // namespace tavix::cli
