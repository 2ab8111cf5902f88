// config.ini from anywhere: load it, read it as start-up does, save it, load
// the saved file again. Whatever the bytes, loading must not fail or crash,
// and the saved file must load back to exactly the same settings.

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "shell/Clock.h"
#include "shell/Prompt.h"

namespace {

class SilentPrompt : public tavix::Prompt {
public:
    void Message(const std::string&, tavix::PromptIcon, const std::string&) override {}
    bool Ask(const std::string&, tavix::PromptIcon) override { return true; }
};

class StoppedClock : public tavix::Clock {
public:
    std::int64_t Now() const override { return 1394193600; }
    tavix::LocalTime LocalNow() const override { return {2014, 3, 7, 12, 0, 0}; }
};

const std::string& ScratchDir() {
    // Kept for the whole run: the clean-up at exit still needs the name.
    static const std::string* dir = [] {
        // In memory where the system has it: every save flushes to the disk,
        // which would make each run wait for it.
        std::error_code ec;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::string pattern = (base / "fuzz_ini.XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        auto* name = new std::string(pattern);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(ScratchDir(), ec);
        });
        return name;
    }();
    return *dir;
}

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz_ini: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = ScratchDir() + "/in.ini";
    const std::string output = ScratchDir() + "/out.ini";
    {
        std::FILE* file = std::fopen(input.c_str(), "wb");
        Check(file != nullptr, "cannot create the input file");
        Check(size == 0 || std::fwrite(data, 1, size, file) == size, "cannot write the input file");
        std::fclose(file);
    }

    tavix::CIniFile ini;
    ini.SetFilePath(input);
    Check(ini.Load(), "an existing file did not load");

    // Read it the way the program does.
    static tavix::CAppConfig config;
    static auto record = std::make_unique<tavix::FlightRecord>();
    SilentPrompt prompt;
    StoppedClock clock;
    if (config.LoadStartupSettings(ini, prompt, clock, *record)) {
        const std::string hw = ini.GetText("hardware", "default");
        config.LoadHardwareProfile(ini, hw, *record);
    }
    for (const char* section : {"", "display", "1A02"}) {
        ini.EntryCount(section);
        ini.GetInt(section, "");
        ini.GetReal(section, "kvalue0");
        ini.GetText(section, "description");
    }
    Check(record->header.yAxis >= 0 && record->header.yAxis < tavix::kChannelCount,
          "Y-axis channel out of range");
    for (int window : config.smoothing) {
        Check(window >= 1, "smoothing window below 1");
    }

    ini.SetFilePath(output);
    if (ini.StoppedAtLine() != 0) {
        // Read only in part: never written back.
        Check(!ini.Save(), "a file read only in part was saved");
        return 0;
    }
    Check(ini.Save(), "save failed");

    tavix::CIniFile again;
    again.SetFilePath(output);
    Check(again.Load(), "the saved file did not load");
    Check(again.Text() == ini.Text(), "the saved file loads back differently");
    return 0;
}
