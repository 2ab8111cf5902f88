#pragma once
// What every command of tavix-cli shares: exit codes, option parsing, the
// message boxes turned into lines on the terminal, and config.ini loaded the
// way the window loads it.
//
// Exit status: 0 success; 1 when the device, a file or the input says no (the
// program's own message, the same text the window shows, on stderr); 2 for a
// usage error.

#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "records/CTavixDoc.h"
#include "shell/Clock.h"
#include "shell/OptionParser.h"
#include "shell/Prompt.h"

namespace tavix::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;

// Where a command writes: results on `out`, messages and progress on `err`.
struct Io {
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal = false;  // progress lines only on a terminal
};

// The commands parse their options with the program's one parser.
using tavix::OptionRule;
using tavix::ParseArgs;
using tavix::ParsedArgs;

// Message boxes as lines: information on `out`, everything else on `err`.
// Questions are answered with `answer` (the window's Yes by default).
class StreamPrompt : public Prompt {
public:
    explicit StreamPrompt(const Io& io) : io_(io) {}
    // A detail goes on a second line.
    void Message(const std::string& text, PromptIcon icon, const std::string& detail = "") override;
    bool Ask(const std::string& text, PromptIcon icon) override;
    // A question whose safe answer is No is printed with its lines on stderr
    // and answered `answerDefaultNo`: a command does not take the harmful road
    // unless its user asked for it with an option.
    bool Confirm(const std::string& text, PromptIcon icon, const std::string& detail,
                 bool defaultYes) override;

    bool answer = true;
    bool answerDefaultNo = false;
    int failures = 0;  // messages that were not information
    std::vector<std::string> shown;

private:
    const Io& io_;
};

// config.ini, its settings and the record document (the flight a command
// works on), as the window loads them at start.
struct Settings {
    CIniFile ini;
    CAppConfig config;
    CTavixDoc doc{config, ini};
    SystemClock clock;
};

// Loads `path` (Invocation::SettingsPath) and applies the start-up
// settings. On failure prints why and returns nullptr.
std::unique_ptr<Settings> LoadSettings(const std::string& path, StreamPrompt& prompt, const Io& io);

// GBK bytes from a device or a record as terminal text (UTF-8). The text may
// be many lines; any other control character is shown as "\xNN", so nothing
// that reaches the terminal can move its cursor or change its state. A single
// field from outside (a version, a note) goes through PrintableField, so that
// a line break inside it cannot split the output's lines either.
std::string Printable(const std::string& gbk);
// One field from outside (up to its first zero byte) as terminal text on one
// line: every control character, the line break too, as "\xNN".
std::string PrintableField(const std::string& gbk);
// Terminal text with every control character but the line end (LF, CR LF) as "\xNN".
std::string NoRawControls(const std::string& text);

// The warning of a record that opened but cannot be right, on standard error;
// nothing for a sound one. The record is still used: it is a warning, not a failure.
void PrintRecordWarning(const Io& io, const std::string& warning);

}  // namespace tavix::cli
