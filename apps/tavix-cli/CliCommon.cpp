#include "CliCommon.h"

#include <filesystem>
#include <ostream>

#include "platform/GbkText.h"

namespace tavix::cli {

void StreamPrompt::Message(const std::string& text, PromptIcon icon) {
    shown.push_back(text);
    if (icon == PromptIcon::Information) {
        io_.out << Printable(text) << '\n';
    } else {
        ++failures;
        io_.err << Printable(text) << '\n';
    }
    io_.out.flush();
}

bool StreamPrompt::Ask(const std::string& text, PromptIcon) {
    shown.push_back(text);
    return answer;
}

std::unique_ptr<Settings> LoadSettings(const std::string& path, StreamPrompt& prompt,
                                       const Io& io) {
    auto settings = std::make_unique<Settings>();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        io.err << "Can't open the settings file " << path
               << (std::filesystem::exists(path, ec) ? " (not a file)" : " (no such file)")
               << "! Run tavix-cli where config.ini is, or name it with --config FILE.\n";
        return nullptr;
    }
    settings->ini.SetFilePath(path);
    if (!settings->ini.Load()) {
        io.err << "Can't read the settings file " << path << "!\n";
        return nullptr;
    }
    if (!settings->config.LoadStartupSettings(settings->ini, prompt, settings->clock)) {
        prompt.Message(kMsgIncorrectConfig, PromptIcon::Stop);
        return nullptr;
    }
    return settings;
}

std::string Printable(const std::string& gbk) {
    // Zero bytes (a version string may carry them) end the text, as on screen.
    const std::string text = gbk.substr(0, gbk.find('\0'));
    return FromGbk(text).toStdString();
}

}  // namespace tavix::cli
