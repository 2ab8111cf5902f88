#pragma once
// The commands of tavix-cli. Each takes its arguments (without the program and
// command names) and returns the exit status.

#include <string>
#include <vector>

#include "CliCommon.h"

namespace tavix::cli {

using Args = std::vector<std::string>;

int RunIdentify(const Args& args, const Io& io);
int RunUpload(const Args& args, const Io& io);
int RunInfo(const Args& args, const Io& io);
int RunLogger(const Args& args, const Io& io);
int RunClear(const Args& args, const Io& io);
int RunFirmware(const Args& args, const Io& io);
int RunLogbook(const Args& args, const Io& io);
int RunCsv(const Args& args, const Io& io);
// Draws with Qt Widgets: needs a QApplication (the offscreen platform will do).
int RunImage(const Args& args, const Io& io);
int RunEsc(const Args& args, const Io& io);

// The whole command line (without the program name): picks the command.
int RunCli(const Args& args, const Io& io);

}  // namespace tavix::cli
