// Start-up time of the program to its main window shown: the benchmark starts itself again
// as a child process which does what main does (application object, socket library check,
// CBrevixDlg, the window's modal loop) on the offscreen platform and reports, on the
// monotonic clock, when it reached main, made the application object, built the window,
// saw the window exposed and had its first frame painted. The parent counts from just
// before it forked the child, so loading the program and its libraries is included. The
// child also reports its own figure from its start time in /proc/self/stat (10 ms steps).
// The first run is shown apart: it may find the libraries and fonts not yet cached.
//
// Usage: e2e_startup_bench [runs after the first, 10 by default]

#include <unistd.h>

#include <QEvent>
#include <QMetaObject>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/brevix_app.h"
#include "app/brevix_dlg.h"
#include "e2e_child_process.h"
#include "e2e_figures.h"
#include "e2e_proc_files.h"
#include "e2e_scratch_dir.h"
#include "e2e_watchdog.h"
#include "link/socket_layer.h"
#include "settings/clock.h"

namespace {

constexpr const char* kChildVariable = "BREVIX_STARTUP_BENCH_CHILD";
constexpr int kDefaultRuns = 10;
constexpr int kMostRuns = 30;
constexpr auto kTimeLimit = std::chrono::seconds(55);
constexpr auto kChildWait = std::chrono::milliseconds(10000);
constexpr double kAimMs = 150;

// The moments one start reached, in monotonicNanos.
struct StartMoments {
    int64_t forked = 0;
    int64_t inMain = 0;
    int64_t applicationMade = 0;
    int64_t windowBuilt = 0;
    int64_t exposed = 0;
    int64_t painted = 0;
    double selfMeasuredMs = 0;  // the child's own figure from /proc/self/stat
};

// Notes the first exposure of the main window, then, once the frame that follows has been
// painted, reports and closes the window.
class ExposureWatch final : public QObject {
  public:
    ExposureWatch(CBrevixDlg& window, StartMoments& moments) : window_(window), moments_(moments) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Expose || moments_.exposed != 0) return false;
        auto* surface = qobject_cast<QWindow*>(watched);
        if (surface == nullptr || surface != window_.windowHandle()) return false;
        moments_.exposed = monotonicNanos();
        moments_.selfMeasuredMs = millisecondsSinceStart(getpid());
        QMetaObject::invokeMethod(
            this, [this] { report(); }, Qt::QueuedConnection);
        return false;
    }

  private:
    void report() {
        moments_.painted = monotonicNanos();
        std::printf("%" PRId64 " %" PRId64 " %" PRId64 " %" PRId64 " %" PRId64 " %.1f\n",
                    moments_.inMain, moments_.applicationMade, moments_.windowBuilt,
                    moments_.exposed, moments_.painted, moments_.selfMeasuredMs);
        std::fflush(stdout);
        window_.done(0);
    }

    CBrevixDlg& window_;
    StartMoments& moments_;
};

// The child: main's steps, watched.
int startLikeMain(int argc, char** argv) {
    StartMoments moments;
    moments.inMain = monotonicNanos();
    CBrevixApp application(argc, argv);
    moments.applicationMade = monotonicNanos();
    if (!so_startup()) return 1;
    const SystemClock clock;
    CBrevixDlg window(argc, argv, clock);
    moments.windowBuilt = monotonicNanos();
    ExposureWatch watch(window, moments);
    application.installEventFilter(&watch);
    window.exec();
    return moments.painted != 0 ? 0 : 1;
}

bool runChild(const ScratchDir& dir, StartMoments& moments) {
    ChildProcess child;
    const bool started =
        child.start({"/proc/self/exe",
                     {"-host127.0.0.1", "-port2000", "-colors"},
                     {std::string(kChildVariable) + "=1", "QT_QPA_PLATFORM=offscreen"},
                     dir.path(),
                     dir.file("child.err")});
    std::string line;
    if (!started || !child.readLine(line, kChildWait)) return false;
    moments.forked = child.startedAt();
    const int fields =
        std::sscanf(line.c_str(), "%" SCNd64 " %" SCNd64 " %" SCNd64 " %" SCNd64 " %" SCNd64 " %lf",
                    &moments.inMain, &moments.applicationMade, &moments.windowBuilt,
                    &moments.exposed, &moments.painted, &moments.selfMeasuredMs);
    const int status = child.stop(std::chrono::milliseconds(3000));
    return fields == 6 && status == 0;
}

double msBetween(int64_t from, int64_t to) {
    return static_cast<double>(to - from) * 1e-6;
}

double median(std::vector<double> values) {
    return percentile(std::move(values), 0.5);
}

struct Stage {
    const char* label;
    int64_t StartMoments::*from;
    int64_t StartMoments::*to;
};

constexpr Stage kStages[] = {
    {"  fork to main (exec, loading libraries)", &StartMoments::forked, &StartMoments::inMain},
    {"  application object made", &StartMoments::inMain, &StartMoments::applicationMade},
    {"  main window built and initialised", &StartMoments::applicationMade,
     &StartMoments::windowBuilt},
    {"  window shown until exposed", &StartMoments::windowBuilt, &StartMoments::exposed},
    {"  first frame painted", &StartMoments::exposed, &StartMoments::painted},
};

void printFigures(const StartMoments& first, const std::vector<StartMoments>& runs) {
    std::vector<double> toExposed;
    std::vector<double> selfMeasured;
    for (const StartMoments& run : runs) {
        toExposed.push_back(msBetween(run.forked, run.exposed));
        selfMeasured.push_back(run.selfMeasuredMs);
    }
    std::printf("start-up to the main window exposed, offscreen, %zu runs after a first one\n",
                runs.size());
    printInfo("first run: process start to window exposed", msBetween(first.forked, first.exposed),
              "ms");
    printFigure("process start to window exposed, median", median(toExposed), "ms", Aim::Below,
                kAimMs);
    printFigure("process start to window exposed, slowest", percentile(toExposed, 1.0), "ms",
                Aim::Below, kAimMs);
    printInfo("same, from /proc/self/stat start time, median", median(selfMeasured), "ms");
    for (const Stage& stage : kStages) {
        std::vector<double> times;
        for (const StartMoments& run : runs)
            times.push_back(msBetween(run.*stage.from, run.*stage.to));
        printInfo(stage.label, median(times), "ms (median)");
    }
}

int measureStarts(int argc, char** argv) {
    Watchdog watchdog(kTimeLimit);
    const long asked = argc > 1 ? std::strtol(argv[1], nullptr, 10) : kDefaultRuns;
    const int runs = asked > 0 && asked <= kMostRuns ? static_cast<int>(asked) : kDefaultRuns;
    ScratchDir dir;
    StartMoments first;
    std::vector<StartMoments> measured(static_cast<std::size_t>(runs));
    bool ok = !dir.path().empty() && runChild(dir, first);
    for (StartMoments& run : measured) ok = ok && runChild(dir, run);
    if (!ok) {
        std::fprintf(stderr, "a start of the window failed\n");
        return 1;
    }
    printFigures(first, measured);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv(kChildVariable) != nullptr) return startLikeMain(argc, argv);
    return measureStarts(argc, argv);
}
