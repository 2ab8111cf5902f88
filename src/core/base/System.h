#pragma once
// What the program asks of the operating system beyond the C++ library: the
// environment, the folder of the running program, the user's folders, local
// time, the path separator and the name a numbered serial port has. Each
// system has its own source file (SystemPosix.cpp, SystemWin32.cpp), and the
// build compiles the one of the system it builds for, so that no caller needs
// to ask which system it runs on. Texts are UTF-8 on every system.

#include <ctime>
#include <optional>
#include <string>

#include "base/Paths.h"
#include "base/UserFolders.h"

namespace tavix {

// The program's own environment.
EnvironmentLookup SystemEnvironment();

// The folder that holds the running program's executable; empty when the
// system cannot say.
std::string ExecutableFolder();

// Where this user's Tavix files go on this system (see UserFolders.h).
UserFolders SystemUserFolders();

// `seconds` since 1970 as the local calendar time; false when the system
// cannot convert it (a time far outside its calendar).
bool ToLocalTime(std::time_t seconds, std::tm& local);

// The name a serial port numbered `number` (from 1) has by itself on this
// system ("COM3"); nullopt where a number stands for a device path that
// config.ini may name.
std::optional<std::string> NumberedPortName(int number);

}  // namespace tavix
