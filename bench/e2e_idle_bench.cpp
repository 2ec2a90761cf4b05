// CPU and memory of the real program while the board idles: brevix runs as a child process
// on the offscreen platform with -timer1 -colors, presses Start by itself and connects to a
// tavrel-sim that reports 400 agents once and then sends nothing. After a few seconds to
// settle, the CPU time of the whole process (all threads, from /proc/<pid>/stat) is taken
// over 20 seconds of idling, with the grid refreshed every second; then its resident memory.
//
// Usage: e2e_idle_bench [seconds measured, 20 by default]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include "e2e_child_process.h"
#include "e2e_figures.h"
#include "e2e_proc_files.h"
#include "e2e_scratch_dir.h"
#include "e2e_watchdog.h"

namespace {

constexpr long kDefaultSeconds = 20;
constexpr long kMostSeconds = 40;
constexpr auto kSettle = std::chrono::seconds(4);
constexpr auto kTimeLimit = std::chrono::seconds(kMostSeconds + 20);
constexpr auto kListenWait = std::chrono::milliseconds(10000);
constexpr double kAimCpuPercent = 1;
constexpr double kAimMegabytes = 45;
constexpr const char* kListening = "listening 127.0.0.1:";

long secondsFrom(int argc, char** argv) {
    if (argc < 2) return kDefaultSeconds;
    const long value = std::strtol(argv[1], nullptr, 10);
    return value > 0 && value <= kMostSeconds ? value : kDefaultSeconds;
}

// Starts the simulator on a free loopback port and returns that port, or 0.
int startServer(ChildProcess& server, const ScratchDir& dir) {
    const bool started = server.start(
        {TAVREL_SIM_PROGRAM,
         {"--host", "127.0.0.1", "--port", "0", "--agents", "400", "--count", "400", "--rate",
          "max", "--at-end", "idle", "--final-state", dir.file("final-state.txt")},
         {},
         dir.path(),
         dir.file("tavrel-sim.err")});
    std::string line;
    if (!started || !server.readLine(line, kListenWait) || line.rfind(kListening, 0) != 0) {
        return 0;
    }
    return std::atoi(line.c_str() + std::string(kListening).size());
}

bool startBoard(ChildProcess& board, const ScratchDir& dir, int port) {
    return board.start({BREVIX_PROGRAM,
                        {"-host127.0.0.1", "-port" + std::to_string(port), "-timer1", "-colors"},
                        {"QT_QPA_PLATFORM=offscreen", "BREVIX_PRESS_START=1"},
                        dir.path(),
                        dir.file("brevix.err")});
}

int linesIn(const std::string& path) {
    std::ifstream file(path);
    int lines = 0;
    for (std::string line; std::getline(file, line);) ++lines;
    return lines;
}

void showErrors(const ScratchDir& dir, const char* name) {
    std::ifstream file(dir.file(name));
    for (std::string line; std::getline(file, line);) {
        std::fprintf(stderr, "  %s: %s\n", name, line.c_str());
    }
}

struct Idling {
    double cpuPercent = 0;
    double windowThreadPercent = 0;
    double residentMb = 0;
    double peakResidentMb = 0;
};

// CPU over `seconds` of idling, then memory; false when the board ended meanwhile.
bool measureIdling(ChildProcess& board, long seconds, Idling& idling) {
    const pid_t pid = board.pid();
    const int64_t cpuBefore = processCpuTicks(pid);
    const int64_t windowBefore = threadCpuTicks(pid, pid);
    const int64_t from = monotonicNanos();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const int64_t cpuAfter = processCpuTicks(pid);
    const int64_t windowAfter = threadCpuTicks(pid, pid);
    const double elapsed = static_cast<double>(monotonicNanos() - from) * 1e-9;
    idling.residentMb = static_cast<double>(statusKilobytes(pid, "VmRSS")) / 1024;
    idling.peakResidentMb = static_cast<double>(statusKilobytes(pid, "VmHWM")) / 1024;
    if (!board.running() || cpuBefore < 0 || cpuAfter < 0 || idling.peakResidentMb < 0) {
        return false;
    }
    const double perTick = 100 / clockTicksPerSecond() / elapsed;
    idling.cpuPercent = static_cast<double>(cpuAfter - cpuBefore) * perTick;
    idling.windowThreadPercent = static_cast<double>(windowAfter - windowBefore) * perTick;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Watchdog watchdog(kTimeLimit);
    const long seconds = secondsFrom(argc, argv);
    ScratchDir dir;
    ChildProcess server;
    const int port = dir.path().empty() ? 0 : startServer(server, dir);
    if (port == 0) {
        std::fprintf(stderr, "tavrel-sim did not start listening\n");
        showErrors(dir, "tavrel-sim.err");
        return 1;
    }
    ChildProcess board;
    if (!startBoard(board, dir, port)) {
        std::fprintf(stderr, "brevix could not be started\n");
        return 1;
    }
    std::this_thread::sleep_for(kSettle);
    Idling idling;
    const bool measured = board.running() && measureIdling(board, seconds, idling);
    board.stop();
    // The simulator writes what it sent once the board's connection has ended.
    server.stop(std::chrono::milliseconds(200));
    if (!measured) {
        std::fprintf(stderr, "brevix ended before the measurement was done\n");
        showErrors(dir, "brevix.err");
        return 1;
    }

    std::printf(
        "idle board: brevix -timer1 -colors, offscreen, Start pressed, tavrel-sim with "
        "400 agents then idle, %ld s measured\n",
        seconds);
    printFigure("agents the server reported to the board", linesIn(dir.file("final-state.txt")),
                "agents", Aim::AtLeast, 400);
    printFigure("CPU, whole process", idling.cpuPercent, "% core", Aim::Below, kAimCpuPercent);
    printInfo("CPU, window thread", idling.windowThreadPercent, "% core");
    printFigure("resident memory (VmRSS)", idling.residentMb, "MB", Aim::Below, kAimMegabytes);
    printFigure("peak resident memory (VmHWM)", idling.peakResidentMb, "MB", Aim::Below,
                kAimMegabytes);
    return 0;
}
