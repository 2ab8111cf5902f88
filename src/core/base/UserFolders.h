#pragma once
// The folders of one user's Tavix files: the settings (config.ini) and the
// data the program keeps by itself (the ESC snapshot history). Each system has
// its own convention, read from the environment:
// - Linux and other XDG desktops: $XDG_CONFIG_HOME/Tavix and
//   $XDG_DATA_HOME/Tavix, or ~/.config/Tavix and ~/.local/share/Tavix when the
//   variable is unset, empty or not an absolute path (as the XDG base
//   directory rules say).
// - Windows: both in %LOCALAPPDATA%\Tavix (or %USERPROFILE%\AppData\Local\Tavix).
// Both conventions are plain functions of the environment, so either can be
// checked on any system; System.h says which one this system uses.

#include <functional>
#include <optional>
#include <string>

namespace tavix {

// A variable of the environment as UTF-8 text; nullopt when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;

struct UserFolders {
    std::string config;  // empty when the environment names no home at all
    std::string data;
};

UserFolders XdgUserFolders(const EnvironmentLookup& env);
UserFolders WindowsUserFolders(const EnvironmentLookup& env);

}  // namespace tavix
