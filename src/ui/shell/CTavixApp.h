#pragma once
// The application object: owns, for the whole run, the settings file and the
// one data store every page reaches, and runs the start-up in its order:
//
//   1. config.ini from the working directory (a missing file shows up in 2)
//   2. the start-up settings; when they cannot be read: "Incorrect config
//      file!" and the program ends (exit code 1)
//   3. the main window with its form (the recent-file list comes with it)
//   4. the program's wiring of the device sessions and the document
//   5. the window shown, then the record file of the command line opened
//
// A record file that cannot be opened is reported by the document and the
// program stays up with an empty record.

#include <functional>
#include <memory>
#include <string>

#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "records/CTavixDoc.h"
#include "shell/CommandLine.h"

namespace tavix {

class Clock;
class Prompt;
class CMainFrame;

class CTavixApp {
public:
    static constexpr int kExitStartupFailed = 1;
    static constexpr int kExitUsage = 2;

    // Called once the main window exists, before it is shown: connects the
    // sessions and the document to the window and its form.
    using Wiring = std::function<void(CTavixApp& app, CMainFrame& frame)>;

    // `prompt` shows the start-up messages and, later, the exit question.
    CTavixApp(Prompt& prompt, const Clock& clock);
    ~CTavixApp();
    CTavixApp(const CTavixApp&) = delete;
    CTavixApp& operator=(const CTavixApp&) = delete;

    void SetWiring(Wiring wiring) { wiring_ = std::move(wiring); }

    // The start-up. False: the program is to end (the user has been told why).
    bool InitInstance(const CommandLine& line);

    CAppConfig& Config() { return config_; }
    CTavixDoc& Document() { return doc_; }
    CIniFile& Ini() { return ini_; }
    Prompt& GetPrompt() { return prompt_; }
    const Clock& GetClock() const { return clock_; }
    // The --port of this run (a path, "COMn" or "demo"); empty: the stored port.
    const std::string& PortOption() const { return portOption_; }
    CMainFrame* MainFrame() const { return frame_.get(); }

private:
    Prompt& prompt_;
    const Clock& clock_;
    CIniFile ini_;
    CAppConfig config_;
    // The record document: owner of the flight the window shows.
    CTavixDoc doc_{config_, ini_};
    std::string portOption_;
    Wiring wiring_;
    std::unique_ptr<CMainFrame> frame_;
};

}  // namespace tavix
