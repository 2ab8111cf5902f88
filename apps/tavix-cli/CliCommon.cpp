#include "CliCommon.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

#include "base/OutsideText.h"
#include "base/PlainText.h"
#include "base/RegularFile.h"
#include "platform/GbkText.h"

namespace tavix::cli {

void StreamPrompt::Message(const std::string& text, PromptIcon icon, const std::string& detail) {
    shown.push_back(text);
    std::ostream& to = icon == PromptIcon::Information ? io_.out : io_.err;
    if (icon != PromptIcon::Information) {
        ++failures;
    }
    to << Printable(text) << '\n';
    if (!detail.empty()) {
        // File names and system reasons: terminal text already, but a file
        // name may still hold control characters.
        to << NoRawControls(detail) << '\n';
    }
    io_.out.flush();
}

bool StreamPrompt::Ask(const std::string& text, PromptIcon) {
    shown.push_back(text);
    return answer;
}

bool StreamPrompt::Confirm(const std::string& text, PromptIcon icon, const std::string& detail,
                           bool defaultYes) {
    if (defaultYes) {
        return Ask(text, icon);
    }
    shown.push_back(text);
    // The box's line breaks are "\r\n"; a terminal wants "\n".
    for (std::string lines : {text, detail}) {
        lines.erase(std::remove(lines.begin(), lines.end(), '\r'), lines.end());
        if (!lines.empty()) {
            io_.err << Printable(lines) << '\n';
        }
    }
    return answerDefaultNo;
}

std::unique_ptr<Settings> LoadSettings(const std::string& path, StreamPrompt& prompt,
                                       const Io& io) {
    auto settings = std::make_unique<Settings>();
    std::error_code ec;
    std::string reason;
    if (!IsRegularFile(path, &reason)) {
        io.err << "Can't open the settings file " << path
               << (std::filesystem::exists(path, ec) ? " (not a file)" : " (no such file)")
               << "! Run tavix-cli where config.ini is, or name it with --config FILE.\n"
               << path << ": " << reason << '\n';
        return nullptr;
    }
    settings->ini.SetFilePath(path);
    if (!settings->ini.Load()) {
        io.err << "Can't read the settings file " << path << "!\n"
               << settings->ini.LoadFailureDetail() << '\n';
        return nullptr;
    }
    if (!settings->config.LoadStartupSettings(settings->ini, prompt, settings->clock,
                                              settings->doc.Record())) {
        prompt.Message(kMsgIncorrectConfig, PromptIcon::Stop, settings->config.startupFailure);
        return nullptr;
    }
    return settings;
}

std::string NoRawControls(const std::string& text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        // Line ends stay: LF, and CR LF (the CSV's).
        const bool lineEnd = c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n');
        if ((byte < 0x20 && !lineEnd) || byte == 0x7F) {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

std::string Printable(const std::string& gbk) {
    // Zero bytes (a version string may carry them) end the text, as on screen.
    const std::string text = UpToZero(gbk);
    return NoRawControls(FromGbk(text).toStdString());
}

std::string PrintableField(const std::string& gbk) {
    return Printable(EscapeControls(UpToZero(gbk)));
}

void PrintRecordWarning(const Io& io, const std::string& warning) {
    if (!warning.empty()) {
        io.err << "warning: " << Printable(EscapeControls(warning)) << '\n';
    }
}

}  // namespace tavix::cli
