// What a user of the desktop program waits for, four ways:
//   start   the time from starting vantaro-video to its launcher drawn on screen, with the
//           program's own start report (--report-start) on the offscreen platform; the first
//           run is also the first start with an empty data folder;
//   memory  the resident memory (VmRSS) of the idle program a moment after that;
//   stall   the longest gap between two ticks of a 10 ms timer on the main thread while
//           CLIPS tiny generated clips are converted, with reports arriving over Qt's event
//           queue: through a converter window's panels as a user converts ("window": the
//           setup, the check, the progress panel's view), and through the progress
//           controller alone ("controller"), which tells the panels' share from the rest.
//           Each round also says how long the longest piece of posted work took, on the
//           clock and in processor time, and how long the setup held the loop before
//           Convert (choosing the files, the encoder and the folder).
//   folder  the same timer's longest gap while the batch converter window lists a folder of
//           FILES copies of one clip and reads every file's information (its Length and
//           Resolution columns), from opening the window to the last file drawn, in a new
//           batch converter each round. Each copy is answered by a stand-in ffprobe with
//           the real report of the clip, so that a round takes seconds, not the hour of
//           thousands of decodes on a slow machine;
//           VANTARO_BENCH_REAL_FFPROBE=1 probes with the real one. The longest gap is
//           given with the main thread's processor time in it: little of it means the
//           loop waited for the processor, not for work of its own.
// Prints medians over the runs, against the goals (0.5 s, 80 MB, 50 ms).
//   bench_gui [RUNS] [CLIPS] [ROUNDS] [window|controller|folder|both|all] [FILES]
//   (defaults 9, 200, 3, all and 5000; both is window and controller;
//   VANTARO_VIDEO=path/to/vantaro-video to choose the build)
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "BenchProcess.h"
#include "BenchSupport.h"
#include "VALocateFFmpeg.h"
#include "VAMediaProbe.h"
#include "VAProbeJob.h"
#include "VAVersionInfoGlobals.h"
#include "VMCAppStartup.h"
#include "VMCBatchConvertPanelView.h"
#include "VMCBatchFileTableModel.h"
#include "VMCPanelHostWindow.h"
#include "VMCProgressDialog.h"
#include "VMCProgressPanel.h"
#include "VMCQtMainThreadPoster.h"
#include "VMCStatusLogPanel.h"
#include "XMainThread.h"
#include "XRegistry.h"
#include "XWorkerProcess.h"

namespace {
constexpr double kStartGoalMs = 500;
constexpr double kMemoryGoalMB = 80;
constexpr double kStallGoalMs = 50;
constexpr int kTickMs = 10;

struct StartRun {
    double shownMs = -1;
    double rssMB = -1;
};

// One start of the program to its report; the clock is the one the program reports on.
StartRun startOnce(const std::string& program) {
    StartRun result;
    XWorkerProcess p;
    const double t0 = now();
    if (!p.Create({XStr(program), "--report-start"}, XWorkerProcess::kPipeStdOut)) {
        return result;
    }
    std::string out;
    pollfd fd{p.OutputFD(), POLLIN, 0};
    char buffer[512];
    while (poll(&fd, 1, 30000) > 0) {
        const ssize_t n = read(fd.fd, buffer, sizeof(buffer));
        if (n <= 0) {
            break;
        }
        out.append(buffer, static_cast<std::size_t>(n));
    }
    if (p.Stop(5000) != 0) {
        return result;
    }
    std::istringstream lines(out);
    std::string word;
    while (lines >> word) {
        if (word == "shown") {
            long long ns = 0;
            lines >> ns;
            result.shownMs = (static_cast<double>(ns) / 1e9 - t0) * 1000;
        } else if (word == "idle-rss-kb") {
            long kb = 0;
            lines >> kb;
            result.rssMB = static_cast<double>(kb) / 1024;
        }
    }
    return result;
}

const char* verdict(double value, double goal) {
    return value < goal ? "met" : "MISSED";
}

bool measureStart(const std::string& program, int runs, const std::string& dir) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::vector<double> shown;
    std::vector<double> rss;
    double first = -1;
    for (int i = 0; i < runs; ++i) {
        const StartRun r = startOnce(program);
        if (r.shownMs < 0 || r.rssMB < 0) {
            std::fprintf(stderr, "%s --report-start did not report (data in %s)\n", program.c_str(),
                         dir.c_str());
            return false;
        }
        if (i == 0) {
            first = r.shownMs;
        }
        shown.push_back(r.shownMs);
        rss.push_back(r.rssMB);
    }
    const double start = median(shown);
    const double memory = median(rss);
    std::printf(
        "start   median %7.1f ms (min %.1f, max %.1f; first start %.1f ms)  goal %.0f ms: %s\n",
        start, *std::min_element(shown.begin(), shown.end()),
        *std::max_element(shown.begin(), shown.end()), first, kStartGoalMs,
        verdict(start, kStartGoalMs));
    std::printf("memory  median %7.1f MB (min %.1f, max %.1f) idle after start  goal %.0f MB: %s\n",
                memory, *std::min_element(rss.begin(), rss.end()),
                *std::max_element(rss.begin(), rss.end()), kMemoryGoalMB,
                verdict(memory, kMemoryGoalMB));
    return true;
}

// The end of one conversion: how many jobs ended and how many of them failed.
struct Outcome {
    uint32_t finished = 0;
    uint32_t failed = 0;
};

// The progress controller alone, as its own host and view: counts the jobs and ends the
// loop at the end.
class BenchProgress : public VMCProgressHost, public VMCProgressView {
public:
    explicit BenchProgress(std::function<void(Outcome)> done) : mDone(std::move(done)) {}
    void conversionAllDone() override {}
    void showStatusLog(const VMCStatusLogContext&) override {}
    void jobFinished(uint32_t, bool hadErrors) override {
        ++mOutcome.finished;
        mOutcome.failed += hadErrors ? 1 : 0;
    }
    void allDone() override { mDone(mOutcome); }

private:
    std::function<void(Outcome)> mDone;
    Outcome mOutcome;
};

// Qt's posting, timed: how long the longest piece of work posted to the main thread took,
// on the clock and in processor time, which tells a stall of our own from a wait for the
// processor.
class TimedPoster : public XMainThreadPoster {
public:
    explicit TimedPoster(QObject* receiver) : mQt(receiver) {}
    void post(std::function<void()> work) override {
        mQt.post([this, work = std::move(work)] {
            const double t0 = now();
            const double cpu0 = threadCpu();
            work();
            longestMs = std::max(longestMs, (now() - t0) * 1000);
            longestCpuMs = std::max(longestCpuMs, (threadCpu() - cpu0) * 1000);
        });
    }
    // The processor time of the main thread, in seconds.
    static double threadCpu() {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
    }
    double longestMs = 0;
    double longestCpuMs = 0;

private:
    VMCQtMainThreadPoster mQt;
};

// Starts converting the sources into the folder on the main loop: calls converting the
// moment Convert is pressed, and done at the end; what it answers is kept alive until then.
using ConversionDriver = std::function<std::shared_ptr<void>(
    const std::vector<std::string>& sources, const std::string& out,
    const std::function<void()>& converting, std::function<void(Outcome)> done)>;

// The progress controller driven directly, with FFmpeg's own MPEG-4 encoder.
std::shared_ptr<void> driveController(const std::vector<std::string>& sources,
                                      const std::string& out,
                                      const std::function<void()>& converting,
                                      std::function<void(Outcome)> done) {
    converting();
    auto spec = std::make_shared<VAConversionSpec>();
    spec->Encoder = VAEncoderDesc::makeVideoCodec("[Custom FFmpeg settings]", "");
    spec->EncoderArgsV2.strArgs = "-c:v mpeg4 -q:v 8 -c:a aac";
    for (std::size_t i = 0; i < sources.size(); ++i) {
        VAConversionEntry entry;
        entry.convertFrom = VAConvertSource::withURL(XStr(sources[i]));
        entry.urlTo = XStr(out + "/clip" + std::to_string(i) + ".mp4");
        struct stat st {};
        stat(sources[i].c_str(), &st);
        entry.sourceSizeBytes = static_cast<uint64_t>(st.st_size);
        spec->entries.push_back(entry);
    }
    auto progress = std::make_shared<BenchProgress>(std::move(done));
    auto dialog = VMCProgressDialog::createWithSpec(std::move(spec), progress);
    dialog->setView(progress.get());
    dialog->oneTimeInit();
    return std::make_shared<
        std::pair<std::shared_ptr<BenchProgress>, std::shared_ptr<VMCProgressDialog>>>(progress,
                                                                                       dialog);
}

// A converter window as a user goes through it: the clips taken as chosen files, "MP4
// (H264)" and one output folder set in the setup, Convert; the check, the progress panel
// with its view, and the end as the window shows it.
ConversionDriver windowDriver(VMCPanelHostWindow& window) {
    return [&window](const std::vector<std::string>& sources, const std::string& out,
                     const std::function<void()>& converting,
                     std::function<void(Outcome)> done) -> std::shared_ptr<void> {
        VMCPanelHost& host = window.host();
        host.returnToRoot();
        host.sourceFilesChosen(XStrList(sources.begin(), sources.end()));
        VMCConfig& config = *host.sharedConfig();
        config.setActiveProfileName("MP4 (H264)");
        config.activeProfile()->setFileNaming(VMCFileNaming::namingSingleFolder(XStr(out)));
        converting();
        host.preConvertDone();
        // The window's panels have no end to listen to from outside: the end is looked for
        // as a user sees it, a few times a second.
        auto poll = std::make_shared<QTimer>();
        QObject::connect(poll.get(), &QTimer::timeout, [&host, done, raw = poll.get()] {
            auto* progress = dynamic_cast<VMCProgressPanel*>(host.currentPanel().get());
            const bool log = dynamic_cast<VMCStatusLogPanel*>(host.currentPanel().get());
            if ((progress != nullptr && progress->dialog()->isAllDone()) || log) {
                raw->stop();
                done(progress != nullptr
                         ? Outcome{progress->convertedCount() + progress->failedCount(),
                                   progress->failedCount()}
                         : Outcome{0, 1});
            }
        });
        poll->start(200);
        return poll;
    };
}

// The gaps between the ticks of a timer meant to fire every kTickMs, while the loop runs,
// each with the main thread's processor time in it: a long gap with little of it was a wait
// (for the processor, or a lock), not work of the loop.
class Ticker {
public:
    Ticker() {
        mTimer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&mTimer, &QTimer::timeout, [this] {
            const double t = now();
            const double cpu = threadCpu();
            mGaps.push_back((t - mLast) * 1000);
            mGapsCpu.push_back((cpu - mLastCpu) * 1000);
            mLast = t;
            mLastCpu = cpu;
        });
        mLast = now();
        mLastCpu = threadCpu();
        mTimer.start(kTickMs);
    }
    double longestMs() const {
        return mGaps.empty() ? 0 : *std::max_element(mGaps.begin(), mGaps.end());
    }
    // The processor time of the main thread in the longest gap.
    double longestCpuMs() const {
        return mGaps.empty()
                   ? 0
                   : mGapsCpu[std::max_element(mGaps.begin(), mGaps.end()) - mGaps.begin()];
    }
    double percentileMs(double p) const {
        std::vector<double> sorted = mGaps;
        std::sort(sorted.begin(), sorted.end());
        return sorted.empty() ? 0 : sorted[static_cast<std::size_t>(p * (sorted.size() - 1))];
    }
    int over(double ms) const {
        return static_cast<int>(
            std::count_if(mGaps.begin(), mGaps.end(), [ms](double g) { return g > ms; }));
    }
    // Convert was pressed: the gaps so far, and the one under way, were the setup's.
    void mark() {
        const double t = now();
        setupLongestMs = std::max(longestMs(), (t - mLast) * 1000);
        mGaps.clear();
        mGapsCpu.clear();
        mLast = t;
        mLastCpu = threadCpu();
    }
    // The processor time of the calling thread, in seconds.
    static double threadCpu() {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
    }
    double setupLongestMs = 0;

private:
    QTimer mTimer;
    std::vector<double> mGaps;
    std::vector<double> mGapsCpu;
    double mLast = 0;
    double mLastCpu = 0;
};

struct StallRound {
    double setupMs = 0;
    double longestMs = 0;
    double p99Ms = 0;
    int over = 0;
    double longestWorkMs = 0;
    double longestWorkCpuMs = 0;
    double seconds = 0;
    uint32_t finished = 0;
    uint32_t failed = 0;
};

StallRound convertOnce(const std::vector<std::string>& sources, const std::string& out,
                       const ConversionDriver& drive, TimedPoster& poster) {
    std::filesystem::remove_all(out);
    std::filesystem::create_directories(out);
    QEventLoop loop;
    Outcome outcome;
    poster.longestMs = 0;
    poster.longestCpuMs = 0;
    std::shared_ptr<void> conversion;
    const double t0 = now();
    Ticker ticker;
    QTimer::singleShot(0, [&] {
        conversion = drive(
            sources, out, [&ticker] { ticker.mark(); },
            [&](Outcome o) {
                outcome = o;
                loop.quit();
            });
    });
    loop.exec();
    StallRound round;
    round.seconds = now() - t0;
    round.setupMs = ticker.setupLongestMs;
    round.longestMs = ticker.longestMs();
    round.p99Ms = ticker.percentileMs(0.99);
    round.over = ticker.over(kStallGoalMs);
    round.longestWorkMs = poster.longestMs;
    round.longestWorkCpuMs = poster.longestCpuMs;
    round.finished = outcome.finished;
    round.failed = outcome.failed;
    conversion.reset();
    return round;
}

// The same timer with nothing to do: what the machine itself costs the loop now.
double idleLongestMs(int seconds) {
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    Ticker ticker;
    loop.exec();
    return ticker.longestMs();
}

struct FolderRound {
    double longestMs = 0;
    double longestCpuMs = 0;
    double p99Ms = 0;
    int over = 0;
    double longestWorkMs = 0;
    double longestWorkCpuMs = 0;
    double listedSeconds = -1;
    double seconds = 0;
    std::size_t rows = 0;
    std::size_t withInfo = 0;
};

// The files of the table that have their information.
std::size_t filesWithInfo(const VMCBatchFileTableModel& model) {
    return static_cast<std::size_t>(std::count_if(
        model.files().begin(), model.files().end(),
        [](const VMCBatchFileTableModel::FilePtr& f) { return f->info() != nullptr; }));
}

// The batch converter opened on the folder as --convert-folder opens it (the folder
// ticked), the folder then clicked in the tree; ends when every file of it is in the table
// with its information, and the redraw that follows is done, or after the deadline.
FolderRound listFolderOnce(VMCPanelHostWindow& window, const std::string& folder, std::size_t files,
                           TimedPoster& poster) {
    constexpr int kPollMs = 200;
    // The table redraws a moment after the last file's information; that redraw counts.
    constexpr double kSettleSeconds = 0.5;
    constexpr double kDeadlineSeconds = 1800;
    QEventLoop loop;
    FolderRound round;
    poster.longestMs = 0;
    poster.longestCpuMs = 0;
    const double t0 = now();
    Ticker ticker;
    VMCPanelHost& host = window.host();
    QTimer poll;
    bool clicked = false;
    double complete = -1;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* view = qobject_cast<VMCBatchConvertPanelView*>(window.panelView());
        if (view == nullptr) {
            return;
        }
        if (!clicked) {
            if (const clFolderListEntry::Ptr entry = view->dialog().findFolder(XStr(folder))) {
                view->dialog().selectFolder(entry);
                clicked = true;
            }
            return;
        }
        const VMCBatchFileTableModel& model = *view->fileModel();
        round.rows = model.files().size();
        if (round.listedSeconds < 0 && round.rows == files) {
            round.listedSeconds = now() - t0;
        }
        round.withInfo = filesWithInfo(model);
        if (complete < 0 && round.rows == files && round.withInfo == files) {
            complete = now();
        }
        if ((complete >= 0 && now() - complete > kSettleSeconds) || now() - t0 > kDeadlineSeconds) {
            loop.quit();
        }
    });
    poll.start(kPollMs);
    QTimer::singleShot(0, [&host, &folder] {
        host.returnToRoot();
        host.startBatchConverter({XStr(folder)});
    });
    loop.exec();
    round.seconds = (complete >= 0 ? complete : now()) - t0;
    round.longestMs = ticker.longestMs();
    round.longestCpuMs = ticker.longestCpuMs();
    round.p99Ms = ticker.percentileMs(0.99);
    round.over = ticker.over(kStallGoalMs);
    round.longestWorkMs = poster.longestMs;
    round.longestWorkCpuMs = poster.longestCpuMs;
    host.returnToRoot();
    return round;
}

// FILES hard links to one clip in a folder of their own, probed by the stand-in unless the
// real ffprobe is asked for; ROUNDS rounds, the first one probing.
bool measureFolder(VMCPanelHostWindow& window, TimedPoster& poster, const std::string& clip,
                   std::size_t files, int rounds, const std::string& dir) {
    const std::string folder = dir + "/folder";
    std::filesystem::create_directories(folder);
    for (std::size_t i = 0; i < files; ++i) {
        char name[32];
        std::snprintf(name, sizeof(name), "/take%05zu.mov", i);
        std::filesystem::create_hard_link(clip, folder + name);
    }
    const char* real = std::getenv("VANTARO_BENCH_REAL_FFPROBE");
    const bool standIn = real == nullptr || std::string(real) != "1";
    if (standIn) {
        std::string report;
        if (VAProbeJob::run(VAMediaProbe::ffprobePath(), XStr(clip), report) !=
            VAProbeJob::Outcome::kFinished) {
            std::fprintf(stderr, "ffprobe did not describe %s\n", clip.c_str());
            return false;
        }
        const std::string saved = dir + "/probe-report.json";
        if (FILE* f = std::fopen(saved.c_str(), "wb")) {
            std::fwrite(report.data(), 1, report.size(), f);
            std::fclose(f);
        }
        setenv("VANTARO_BENCH_PROBE_REPORT", saved.c_str(), 1);
        VAMediaProbe::setFFprobePath(XStr(folderOf(selfPath()) + "/bench_standin_ffprobe"));
    }
    std::vector<double> longest;
    bool ok = true;
    for (int r = 0; r < rounds; ++r) {
        const FolderRound round = listFolderOnce(window, folder, files, poster);
        std::printf(
            "folder  round %d (%s): longest %6.1f ms (%.1f ms processor), 99th %5.1f ms, %d gaps "
            "over %.0f ms, "
            "longest posted work %.1f ms (%.1f ms processor); %zu of %zu files listed in "
            "%.1f s, %zu with their information in %.1f s\n",
            r + 1, r == 0 ? "first" : "again", round.longestMs, round.longestCpuMs, round.p99Ms,
            round.over, kStallGoalMs, round.longestWorkMs, round.longestWorkCpuMs, round.rows,
            files, round.listedSeconds, round.withInfo, round.seconds);
        ok = ok && round.rows == files && round.withInfo == files;
        longest.push_back(round.longestMs);
    }
    const double stall = median(longest);
    std::printf(
        "folder  median %7.1f ms longest gap of a %d ms timer listing and probing %zu files  "
        "goal %.0f ms: %s\n",
        stall, kTickMs, files, kStallGoalMs, verdict(stall, kStallGoalMs));
    VAMediaProbe::setFFprobeLocator(VALocateFFmpeg::locateFFprobe);
    return ok;
}

bool measureStall(int argc, char** argv, int clips, int rounds, const std::string& driver,
                  std::size_t files, const std::string& dir) {
    const std::string in = dir + "/clips";
    std::filesystem::create_directories(in);
    const XStr ffmpeg = VALocateFFmpeg::locateFFmpeg();
    // One clip made once, the rest copies: the conversion, not the making, is measured.
    const std::string first = in + "/clip0000.mov";
    if (!run({ffmpeg, "-hide_banner", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
              "testsrc=size=64x64:rate=25:duration=0.2", "-f", "lavfi", "-i",
              "sine=frequency=440:duration=0.2", "-c:v", "mpeg4", "-c:a", "aac", XStr(first)})) {
        std::fprintf(stderr, "could not make the clips in %s\n", in.c_str());
        return false;
    }
    std::vector<std::string> sources = {first};
    for (int i = 1; i < clips; ++i) {
        char name[32];
        std::snprintf(name, sizeof(name), "/clip%04d.mov", i);
        sources.push_back(in + name);
        std::filesystem::copy_file(first, sources.back());
    }

    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quillmere"));
    QApplication::setApplicationName(QStringLiteral("VantaroVideo"));
    auto poster = std::make_shared<TimedPoster>(&app);
    XMainThread::setPoster(poster);
    // As the program does.
    const std::jthread asking = VMCAppStartup::askFFmpegInBackground();
    std::unique_ptr<VMCPanelHostWindow> window(VMCPanelHostWindow::openLauncher());
    window->setAttribute(Qt::WA_DeleteOnClose, false);

    std::printf("stall   idle: longest %6.1f ms with nothing converting\n", idleLongestMs(3));
    bool ok = true;
    if (driver == "folder" || driver == "all") {
        ok = measureFolder(*window, *poster, first, files, rounds, dir);
    }
    struct Way {
        const char* name;
        ConversionDriver drive;
    };
    const std::vector<Way> ways = {{"window", windowDriver(*window)},
                                   {"controller", driveController}};
    for (const Way& way : ways) {
        if (driver != "both" && driver != "all" && driver != way.name) {
            continue;
        }
        std::vector<double> longest;
        for (int r = 0; r < rounds; ++r) {
            const StallRound round = convertOnce(sources, dir + "/out", way.drive, *poster);
            std::printf(
                "stall   %s round %d: longest %6.1f ms, 99th %5.1f ms, %d gaps over %.0f ms, "
                "longest posted work %.1f ms (%.1f ms processor); %u of %d files in %.1f s, "
                "%u failed; the setup before Convert held the loop %.1f ms\n",
                way.name, r + 1, round.longestMs, round.p99Ms, round.over, kStallGoalMs,
                round.longestWorkMs, round.longestWorkCpuMs, round.finished, clips, round.seconds,
                round.failed, round.setupMs);
            ok = ok && round.finished == static_cast<uint32_t>(clips) && round.failed == 0;
            longest.push_back(round.longestMs);
        }
        const double stall = median(longest);
        std::printf("stall   %s median %7.1f ms longest gap of a %d ms timer  goal %.0f ms: %s\n",
                    way.name, stall, kTickMs, kStallGoalMs, verdict(stall, kStallGoalMs));
    }
    window.reset();
    XMainThread::setPoster(nullptr);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const int clips = argc > 2 ? std::max(1, std::atoi(argv[2])) : 200;
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
    const std::string driver = argc > 4 ? argv[4] : "all";
    if (driver != "both" && driver != "all" && driver != "window" && driver != "controller" &&
        driver != "folder") {
        std::fprintf(stderr, "What to measure is window, controller, folder, both or all\n");
        return 2;
    }
    const std::size_t files =
        argc > 5 ? static_cast<std::size_t>(std::max(1, std::atoi(argv[5]))) : 5000;
    const char* chosen = std::getenv("VANTARO_VIDEO");
    const std::string program =
        chosen != nullptr ? chosen : folderOf(selfPath()) + "/../app/gui/vantaro-video";
    if (access(program.c_str(), X_OK) != 0) {
        std::fprintf(stderr, "No vantaro-video at %s: set VANTARO_VIDEO\n", program.c_str());
        return 2;
    }
    char folder[] = "/tmp/vantaro-bench-gui-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        return 1;
    }
    const std::string dir = folder;
    // Its own data, settings and temporary folders: the user's neither help nor suffer.
    setenv("_APPDATA_OVERRIDE", (dir + "/data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (dir + "/config").c_str(), 1);
    setenv("HOME", dir.c_str(), 1);
    setenv("XTempFolderScope_Location", (dir + "/tmp").c_str(), 1);
    std::filesystem::create_directories(dir + "/tmp");
    double load[3] = {};
    getloadavg(load, 3);
    std::printf(
        "%s; %d starts, %d clips x %d rounds, a folder of %zu files; %ld processors, load %.2f "
        "%.2f %.2f\n",
        program.c_str(), runs, clips, rounds, files, sysconf(_SC_NPROCESSORS_ONLN), load[0],
        load[1], load[2]);

    // The launcher would ask the maker's server for a newer version: a benchmark contacts
    // nothing, and the network's time is no part of a start.
    VMCAppStartup::start();
    XRegistry::SetDWORD(VAVersionInfoGlobals::kNoCheckUpdates, 1);
    bool ok = measureStart(program, runs, dir);
    if (ok) {
        ok = measureStall(argc > 0 ? 1 : 0, argv, clips, rounds, driver, files, dir);
    }
    std::filesystem::remove_all(dir);
    return ok ? 0 : 1;
}
