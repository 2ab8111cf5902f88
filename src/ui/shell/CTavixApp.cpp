#include "ui/shell/CTavixApp.h"

#include "config/ConfigLocation.h"
#include "platform/GbkText.h"
#include "shell/Prompt.h"
#include "ui/shell/CMainFrame.h"
#include "ui/shell/CTavixView.h"

namespace tavix {

CTavixApp::CTavixApp(Prompt& prompt, const Clock& clock) : prompt_(prompt), clock_(clock) {
    InstallPathText();  // file names in messages keep their own characters
}

CTavixApp::~CTavixApp() {
    frame_.reset();
}

bool CTavixApp::InitInstance(const CommandLine& line) {
    portOption_ = line.port;

    // The file the command line named (the program's start chooses one when
    // none was named), else config.ini in the working directory. Whether the
    // file was there shows in the next step.
    ini_.SetFilePath(line.config.empty() ? std::string(kConfigFileName) : line.config);
    ini_.Load();
    if (!config_.LoadStartupSettings(ini_, prompt_, clock_, doc_.Record())) {
        prompt_.Message(kMsgIncorrectConfig, PromptIcon::Exclamation, config_.startupFailure);
        return false;
    }

    frame_ = std::make_unique<CMainFrame>(config_, doc_, ini_, prompt_, clock_);
    frame_->View()->SetPortOverride(QString::fromStdString(portOption_));
    if (wiring_) {
        wiring_(*this, *frame_);
    }
    frame_->show();
    if (!line.file.empty()) {
        frame_->OpenRecordFile(QString::fromLocal8Bit(line.file.c_str()));
    }
    return true;
}

}  // namespace tavix
