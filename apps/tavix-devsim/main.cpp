// tavix-devsim: a simulated ESC (and flight data logger) on a pseudo-terminal.
//
// Prints the path of the terminal to open (e.g. /dev/pts/4) on stdout, then
// answers requests on it in real time, with the chosen faults, until
// interrupted (Ctrl+C) or terminated. Point the program at it with
// `--port /dev/pts/4`, or put the path in config.ini as [communicateset] com<n>.
// SIGUSR1 swaps the ESC on the line for one of the next series (Tarrow,
// Velmor, Ostrin, Peldan, then Tarrow again), as a pilot swapping ESCs would.
// SIGUSR2 flies once more: the logger records a new flight after its last.
// SIGHUP unplugs the ESC (it goes silent) and plugs it in again.

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "DevsimOptions.h"
#include "PtyServer.h"

namespace {

namespace sim = tavix::sim;

constexpr int kUsageError = 2;

volatile std::sig_atomic_t gStop = 0;
volatile std::sig_atomic_t gSwap = 0;
volatile std::sig_atomic_t gFly = 0;
volatile std::sig_atomic_t gUnplug = 0;

void OnSignal(int) {
    gStop = 1;
}

void OnSwap(int) {
    gSwap = 1;
}

void OnFly(int) {
    gFly = 1;
}

void OnUnplug(int) {
    gUnplug = 1;
}

}  // namespace

int main(int argc, char** argv) {
    const sim::DevsimOptions options =
        sim::ParseDevsimOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (options.help) {
        std::fputs(sim::kDevsimUsage, stdout);
        return 0;
    }
    if (!options.error.empty()) {
        std::fprintf(stderr, "tavix-devsim: %s\nTry 'tavix-devsim --help'.\n",
                     options.error.c_str());
        return kUsageError;
    }

    sim::SimDevice device(options.series);
    device.SetFaults(options.faults);
    if (options.memory || options.motor) {
        if (!device.HasLogger()) {
            std::fprintf(stderr, "tavix-devsim: the %s has no logger; --memory is ignored\n",
                         device.Profile().name);
        } else if (options.motor) {
            sim::MemoryPlan plan = sim::MotorMemoryPlan();
            plan.motors = {*options.motor};
            device.LoadMemory(plan);
        } else if (*options.memory == "wrapped") {
            device.LoadMemory(sim::WrappedMemoryPlan());
        } else if (*options.memory == "empty") {
            device.LoadMemory(sim::EmptyMemoryPlan());
        } else if (*options.memory == "troubled") {
            device.LoadMemory(sim::TroubledMemoryPlan());
        } else if (*options.memory == "motor") {
            device.LoadMemory(sim::MotorMemoryPlan());
        } else {
            device.LoadMemory(sim::NormalMemoryPlan());
        }
    }

    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    struct sigaction swap {};
    swap.sa_handler = OnSwap;
    sigemptyset(&swap.sa_mask);
    sigaction(SIGUSR1, &swap, nullptr);
    struct sigaction fly {};
    fly.sa_handler = OnFly;
    sigemptyset(&fly.sa_mask);
    sigaction(SIGUSR2, &fly, nullptr);
    struct sigaction unplug {};
    unplug.sa_handler = OnUnplug;
    sigemptyset(&unplug.sa_mask);
    sigaction(SIGHUP, &unplug, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    sim::PtyServer server(device, options.verbose);
    std::string path;
    std::string error;
    if (!server.Open(path, error)) {
        std::fprintf(stderr, "tavix-devsim: cannot open a pseudo-terminal: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", path.c_str());
    std::fflush(stdout);
    if (options.verbose) {
        std::fprintf(stderr, "serving %s (%s)\n", device.Profile().name, device.Version().c_str());
    }
    return server.Run(gStop, gSwap, gFly, gUnplug);
}
