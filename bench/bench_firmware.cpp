// A firmware download at the speed of a 9600-baud line: tavix-devsim serves
// a paced ESC (960 bytes a second each way) on a pseudo-terminal, and the
// upgrade page's session flashes an image through the real serial backend.
// The time counted runs from Start to the verdict; the device's own time is
// every frame and every reply of the download on the wire. `ratio` is the
// first over the second: what the program adds to the line's own time.
//
// One iteration per size: a 64 KiB image takes a little over a minute.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "fakes/FirmwareFixture.h"
#include "link/CMSComm.h"
#include "link/Frame.h"
#include "platform/QtTimerHost.h"
#include "platform/SerialBackendFactory.h"
#include "shell/Prompt.h"
#include "upgrade/FirmwareDownload.h"

namespace tavix {
namespace {

// The simulated Tarrow's next build: same series and hardware.
constexpr const char* kVersion = "TVKA20141L409999";
constexpr double kLineBytesPerSecond = 960.0;

class YesPrompt : public Prompt {
public:
    void Message(const std::string& text, PromptIcon, const std::string& detail) override {
        messages.push_back(text + (detail.empty() ? "" : ": " + detail));
    }
    bool Ask(const std::string&, PromptIcon) override { return true; }
    std::vector<std::string> messages;
};

// Runs the event loop (the port's and the timers' events) until `done`.
bool RunUntil(const std::function<bool()>& done, int limitMs) {
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done()) {
            loop.quit();
        }
    });
    check.start(10);
    QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
    if (!done()) {
        loop.exec();
    }
    return done();
}

// Bytes on the wire for one download of `imageSize` bytes: each block and its
// 7-byte acknowledgement, the parameter-block write and its acknowledgement,
// the read-back request and its 519-byte reply.
double WireSeconds(std::size_t imageSize) {
    std::size_t bytes = 0;
    for (std::size_t offset = 0; offset < imageSize; offset += kFirmwareBlockSize) {
        const std::size_t block = std::min(kFirmwareBlockSize, imageSize - offset);
        bytes += kFrameOverhead + block + ExpectedReplyLength(kCmdWriteFirmware, block);
    }
    bytes += kFrameOverhead + kParamBlockSize + ExpectedReplyLength(kCmdWriteBlock, 0);
    bytes += kFrameOverhead + ExpectedReplyLength(kCmdReadBlock, kParamBlockSize);
    return static_cast<double>(bytes) / kLineBytesPerSecond;
}

void BM_PacedDownload(benchmark::State& state) {
    const std::size_t imageSize = static_cast<std::size_t>(state.range(0)) * 1024;
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / "tavix-bench-firmware.Dlc";
    std::ofstream(file, std::ios::binary)
        << test::FirmwareText(test::HexText(test::PatternImage(imageSize)), kVersion);

    for (auto _ : state) {
        QProcess devsim;
        devsim.start(QStringLiteral(TAVIX_DEVSIM_PATH), {QStringLiteral("--pace")});
        if (!devsim.waitForReadyRead(5000)) {
            state.SkipWithError("tavix-devsim did not start");
            return;
        }
        const std::string port = devsim.readLine().trimmed().toStdString();
        {
            CMSComm comm(MakeSerialBackend(port));
            QtTimerHost timers;
            YesPrompt prompt;
            FirmwareDownload session(comm, timers, prompt, [port] { return port; });
            session.OnShow(true);
            if (!RunUntil([&] { return session.State().connected; }, 5000)) {
                state.SkipWithError("the simulated ESC did not answer");
                break;
            }
            session.OnBrowse(file.string());
            std::chrono::steady_clock::time_point end;
            session.changed = [&] {
                if (!session.State().busy && end == std::chrono::steady_clock::time_point{}) {
                    end = std::chrono::steady_clock::now();
                }
            };
            const auto start = std::chrono::steady_clock::now();
            session.OnStart();
            RunUntil([&] { return !session.State().busy; }, 600000);
            if (session.State().phase != UpgradePhase::Done) {
                state.SkipWithError(prompt.messages.empty() ? "the download did not end"
                                                            : prompt.messages.back().c_str());
                break;
            }
            const double seconds = std::chrono::duration<double>(end - start).count();
            state.SetIterationTime(seconds);
            state.counters["wire_s"] = WireSeconds(imageSize);
            state.counters["took_s"] = seconds;
            state.counters["ratio"] = seconds / WireSeconds(imageSize);
            session.OnHide();
        }
        devsim.terminate();
        devsim.waitForFinished(5000);
    }
    std::filesystem::remove(file);
}

BENCHMARK(BM_PacedDownload)
    ->Arg(8)
    ->Arg(64)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

}  // namespace
}  // namespace tavix

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
