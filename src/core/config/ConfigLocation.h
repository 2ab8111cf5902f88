#pragma once
// Which config.ini a run reads. In this order:
// 1. the file the user named (tavix-cli --config FILE, tavix --config FILE);
// 2. config.ini in the working folder, where Tavix has always looked (a
//    folder set up by hand, a working folder of older versions);
// 3. the user's own config.ini in the user's settings folder
//    ($XDG_CONFIG_HOME/Tavix, %LOCALAPPDATA%\Tavix), made from the shipped
//    default the first time. An installed Tavix thus works from any folder,
//    and every run of the window and of tavix-cli shares one set of settings.
// When none of these can be had (no settings folder, no default found) the
// choice falls back to the working folder's config.ini, whose absence the
// caller reports as before.

#include <string>
#include <vector>

namespace tavix {

// The name looked up in the working folder and in the user's folder.
inline constexpr const char* kConfigFileName = "config.ini";

struct ConfigPlaces {
    std::string option;  // the file the user named; empty when none
    std::string workingFile = kConfigFileName;
    std::string userFolder;             // the user's settings folder; empty when unknown
    std::vector<std::string> defaults;  // the shipped config.ini; the first one present is copied
};

struct ConfigChoice {
    std::string path;       // the file to load
    bool userFile = false;  // the user's own file (3. above), which a program names for its user
    std::string madeFrom;   // the default the user's file was just made from; empty otherwise
    std::string error;      // why the user's file could not be made; `path` still names it
};

ConfigChoice ChooseConfigFile(const ConfigPlaces& places);

// Where a program finds a file it ships (config.ini, the welcome picture):
// share/tavix beside its bin folder (an installed program, or one in the
// build tree, which has the same layout), else its own folder (a Windows
// install keeps everything together).
std::vector<std::string> ShippedFileCandidates(const std::string& executableFolder,
                                               const char* name);
std::vector<std::string> DefaultConfigCandidates(const std::string& executableFolder);

// The places of this run on this system, with `option` the file the user named.
ConfigPlaces SystemConfigPlaces(const std::string& option);

}  // namespace tavix
