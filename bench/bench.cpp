// SPDX-License-Identifier: GPL-3.0-or-later
// Measures velmora side by side with the floor program in one run on this machine:
// start-up to the first painted frame and peak resident memory (offscreen and, when
// Xvfb is installed, on a real X server), then the time each kind of click takes.
// Ends with startup_ratio=, memory_ratio= and click_p99_us= lines for scripts.

#include "puzzle/board.h"
#include "puzzle/figure.h"
#include "puzzle/game.h"
#include "window/application.h"
#include "window/velmora.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <map>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kStartRuns = 31;
constexpr int kClicksPerKind = 3000;

struct Start {
    double milliseconds;
    double peakMiB;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Percentile99(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, values.size() * 99 / 100)];
}

std::vector<std::string> Environment(const std::map<std::string, std::string>& overrides) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        if (!overrides.count(text.substr(0, text.find('='))))
            result.push_back(text);
    }
    for (const auto& [name, value] : overrides)
        if (!value.empty())
            result.push_back(name + "=" + value);
    return result;
}

// Starts `program` and waits for its "first-frame" report, then for it to end.
std::optional<Start> StartOnce(const std::string& program, std::vector<std::string> environment) {
    int channel[2];
    if (pipe(channel) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, channel[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, channel[0]);
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string name = program;
    char* argv[] = {name.data(), nullptr};

    const auto started = Clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(channel[1]);
    if (spawned != 0) {
        close(channel[0]);
        return std::nullopt;
    }
    std::string output;
    char buffer[256];
    std::optional<Clock::time_point> painted;
    ssize_t got = 0;
    while (!painted && (got = read(channel[0], buffer, sizeof buffer)) > 0) {
        output.append(buffer, std::size_t(got));
        if (output.find("first-frame") != std::string::npos)
            painted = Clock::now();
    }
    close(channel[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!painted)
        return std::nullopt;
    return Start{std::chrono::duration<double, std::milli>(*painted - started).count(),
                 usage.ru_maxrss / 1024.0};
}

struct Comparison {
    double startRatio = 0, memoryRatio = 0;
};

std::optional<Comparison> CompareStarts(const char* platform, const std::string& velmora,
                                        const std::string& floor,
                                        const std::map<std::string, std::string>& overrides) {
    auto environment = Environment(overrides);
    // One unmeasured start of each first, so both find the disk cache as warm.
    (void)StartOnce(velmora, environment);
    (void)StartOnce(floor, environment);
    std::vector<double> ours, theirs, ourMemory, theirMemory;
    for (int run = 0; run < kStartRuns; ++run) { // interleaved, so both see the same machine
        const auto a = StartOnce(velmora, environment);
        const auto b = StartOnce(floor, environment);
        if (!a || !b) {
            std::printf("  %-10s could not start the programs\n", platform);
            return std::nullopt;
        }
        ours.push_back(a->milliseconds);
        theirs.push_back(b->milliseconds);
        ourMemory.push_back(a->peakMiB);
        theirMemory.push_back(b->peakMiB);
    }
    const Comparison result{Median(ours) / Median(theirs), Median(ourMemory) / Median(theirMemory)};
    std::printf("  %-10s start-up  velmora %7.1f ms   floor %7.1f ms   ratio %.2f\n", platform,
                Median(ours), Median(theirs), result.startRatio);
    std::printf("  %-10s peak RSS  velmora %7.1f MiB  floor %7.1f MiB  ratio %.2f\n", platform,
                Median(ourMemory), Median(theirMemory), result.memoryRatio);
    return result;
}

// An X server of our own for the duration of the run, when Xvfb is installed.
class Xvfb {
  public:
    Xvfb() {
        const char* argv[] = {"Xvfb",        ":73",       "-screen", "0",
                              "1024x768x24", "-nolisten", "tcp",     nullptr};
        std::vector<std::string> environment = Environment({});
        std::vector<char*> envp;
        for (std::string& entry : environment)
            envp.push_back(entry.data());
        envp.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        if (posix_spawnp(&pid_, "Xvfb", &actions, nullptr, const_cast<char**>(argv), envp.data()) !=
            0)
            pid_ = 0;
        posix_spawn_file_actions_destroy(&actions);
        for (int wait = 0; pid_ && wait < 100 && !Ready(); ++wait)
            usleep(50000);
    }
    ~Xvfb() {
        if (pid_) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    bool Ready() const {
        struct stat info {};
        return pid_ && stat("/tmp/.X11-unix/X73", &info) == 0;
    }

  private:
    pid_t pid_ = 0;
};

// The time one click takes, from the press to the end of its handling; `between`
// runs untimed before each click.
std::vector<double> TimeClicks(const std::function<void()>& click,
                               const std::function<void(int)>& between = {}) {
    std::vector<double> micro;
    for (int i = 0; i < kClicksPerKind; ++i) {
        if (between)
            between(i);
        const auto before = Clock::now();
        click();
        micro.push_back(std::chrono::duration<double, std::micro>(Clock::now() - before).count());
        if (i % 50 == 0)
            QCoreApplication::processEvents();
    }
    return micro;
}

double MeasureClicks() {
    velmora::PrepareApplication(*qApp);
    Velmora window;
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    const auto control = [&](const char* name) { return window.findChild<QWidget*>(name); };
    const auto click = [](QWidget* w) {
        QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
    };
    auto* list = window.findChild<QListWidget*>("List1");
    QTest::keyClicks(window.findChild<QLineEdit*>("Text2"), "7");

    std::vector<std::pair<const char*, std::vector<double>>> kinds;
    int figure = 0;
    kinds.emplace_back("figure option", TimeClicks([&] {
                           click(control(figure++ % 2 ? "Option1_1" : "Option1_0"));
                       }));
    click(control("Option1_1"));
    kinds.emplace_back("compute", TimeClicks([&] { click(control("Command1_0")); }));
    int row = 0;
    kinds.emplace_back("list item", TimeClicks([&] {
                           const QRect place = list->visualItemRect(list->item(row++ % 4));
                           QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
                       }));
    int vertex = 0;
    kinds.emplace_back("rhombus label",
                       TimeClicks([&] { click(control(vertex++ % 2 ? "Label2_0" : "Label2_1")); }));
    click(control("Option1_0"));
    click(control("Command1_0"));
    int position = 0;
    kinds.emplace_back(
        "triangle label", TimeClicks([&] {
            click(window.findChild<QLabel*>(QStringLiteral("Label3_%1").arg(position++ % 6)));
        }));
    kinds.emplace_back("clear", TimeClicks([&] { click(control("Command1_1")); }));

    // Practice: a number from the list, then a place for it, round the figure; hints
    // from a fresh figure, three at a time.
    window.SetPlayMode(velmora::PlayMode::Practice);
    QTest::keyClicks(window.findChild<QLineEdit*>("Text2"), "7");
    click(control("Command1_0"));
    int step = 0;
    kinds.emplace_back(
        "practice", TimeClicks([&] {
            const int k = (step / 2) % 6;
            if (step++ % 2 == 0) {
                const QRect place = list->visualItemRect(list->item(k));
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
            } else {
                click(window.findChild<QLabel*>(QStringLiteral("Label3_%1").arg((k + 1) % 6)));
            }
        }));
    kinds.emplace_back("hint", TimeClicks([&] { window.ShowHint(); },
                                          [&](int i) {
                                              if (i % 3 == 0)
                                                  click(control("Command1_0"));
                                          }));

    double worst = 0;
    std::printf("click handling, %d clicks of each kind (microseconds):\n", kClicksPerKind);
    for (const auto& [kind, micro] : kinds) {
        std::printf("  %-15s median %7.1f   p99 %7.1f\n", kind, Median(micro), Percentile99(micro));
        worst = std::max(worst, Percentile99(micro));
    }
    return worst;
}

// Every figure's practice in the core alone, as the front ends call it: a number, then its
// place in a solution, round the figure; hints from a fresh figure, three at a time.
// The first compute of a figure searches its solutions once; that is timed apart.
double MeasureFigures() {
    double worst = 0;
    std::printf("practice in the core, per figure (microseconds; first compute in ms):\n");
    for (const velmora::Figure& figure : velmora::Figures()) {
        using namespace velmora;
        Game game = TypeStartText(
            ChooseFigure(StartGame(PlayMode::Practice), static_cast<std::int16_t>(figure.mode)),
            "7");
        const auto before = Clock::now();
        game = Compute(std::move(game)).game;
        const double first =
            std::chrono::duration<double, std::milli>(Clock::now() - before).count();
        const std::vector<int> solution = Solutions(game.practice).front();
        const int cells = static_cast<int>(solution.size());
        int step = 0;
        const std::vector<double> place = TimeClicks([&] {
            const int slot = (step / 2) % cells;
            if (step % 2 == 0)
                game = ClickListItem(std::move(game), solution[static_cast<std::size_t>(slot)]);
            else
                game = ClickPosition(std::move(game), PositionOfSlot(figure.mode, slot));
            (void)StatusOf(game);
            if (++step % (2 * cells) == 0)
                game = Compute(std::move(game)).game;
        });
        const std::vector<double> hint = TimeClicks([&] { (void)AskHint(game); },
                                                    [&](int i) {
                                                        if (i % 3 == 0)
                                                            game = Compute(std::move(game)).game;
                                                        else
                                                            game = AskHint(std::move(game)).game;
                                                    });
        std::printf("  %-17s place p99 %6.1f   hint p99 %6.1f   first compute %5.1f\n",
                    velmora::Tr(figure.title).c_str(), Percentile99(place), Percentile99(hint),
                    first);
        worst = std::max({worst, Percentile99(place), Percentile99(hint)});
    }
    return worst;
}

// The board's layout for every figure, as a front end asks for it on each resize and view,
// over the screens a class meets, from a phone to a whiteboard.
double MeasureBoardLayout() {
    using namespace velmora;
    const double sizes[][2] = {{360, 640}, {768, 1024}, {1024, 768}, {1920, 1080}, {800, 600}};
    std::vector<double> all;
    int call = 0;
    std::printf("board layout in the core (microseconds):\n");
    for (const Figure& figure : Figures()) {
        const BoardContent content = BoardContentOf(figure.mode, 0);
        const std::vector<double> times = TimeClicks([&] {
            const auto& size = sizes[call++ % 5];
            (void)LayOutBoard(content, size[0], size[1]);
        });
        std::printf("  %-17s median %6.1f   p99 %6.1f\n", velmora::Tr(figure.title).c_str(),
                    Median(times), Percentile99(times));
        all.insert(all.end(), times.begin(), times.end());
    }
    return Percentile99(all);
}

// A ten-page worksheet (forty puzzles of the six figures in turn, four a page) from the
// command line, as a teacher scripts it: the median of five runs, whole process included.
double MeasureWorksheet() {
    QTemporaryDir folder;
    std::vector<double> runs;
    for (int run = 0; run < 5; ++run) {
        QProcess velmora;
        const auto before = Clock::now();
        velmora.start(QStringLiteral(VELMORA_EXECUTABLE),
                      {"--worksheet", folder.filePath("sheet.pdf"), "--count", "40", "--random",
                       "1-999", "--seed", QString::number(run), "--no-answers", "--figure", "all"});
        velmora.waitForFinished(60000);
        runs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - before).count());
    }
    const double median = Median(runs);
    std::printf("worksheet, 10 pages of PDF: median %.0f ms\n", median);
    return median;
}

// Instructions to the first painted frame, offscreen, counted by callgrind: unlike the
// clock, the count is the same from run to run whatever else the machine is doing.
std::optional<double> CountStartInstructions(const QString& program) {
    QProcess valgrind;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("VELMORA_REPORT_FIRST_FRAME", "1");
    valgrind.setProcessEnvironment(environment);
    valgrind.start("valgrind", {"--tool=callgrind", "--callgrind-out-file=/dev/null", program});
    if (!valgrind.waitForFinished(300000))
        return std::nullopt;
    const QString report = QString::fromLocal8Bit(valgrind.readAllStandardError());
    const QRegularExpressionMatch collected =
        QRegularExpression("Collected : (\\d+)").match(report);
    if (!collected.hasMatch())
        return std::nullopt;
    return collected.captured(1).toDouble();
}

double InstructionRatio() {
    const auto ours = CountStartInstructions(VELMORA_EXECUTABLE);
    const auto floor = CountStartInstructions(FLOOR_EXECUTABLE);
    if (!ours || !floor) {
        std::printf("instructions to the first frame: valgrind not available, skipped\n");
        return 0;
    }
    std::printf("instructions to the first frame (callgrind, offscreen): velmora %.1f M   "
                "floor %.1f M   ratio %.3f\n",
                *ours / 1e6, *floor / 1e6, *ours / *floor);
    return *ours / *floor;
}

} // namespace

int main(int argc, char* argv[]) {
    // The programs started here keep their settings apart from the user's: a pupil's
    // progress neither changes what is measured nor is changed by it.
    const QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    std::printf("start-up to the first painted frame and peak memory, median of %d runs each:\n",
                kStartRuns);
    Comparison worst;
    const auto keepWorst = [&](const std::optional<Comparison>& c) {
        if (c) {
            worst.startRatio = std::max(worst.startRatio, c->startRatio);
            worst.memoryRatio = std::max(worst.memoryRatio, c->memoryRatio);
        }
        return c.has_value();
    };
    bool measured = keepWorst(
        CompareStarts("offscreen", VELMORA_EXECUTABLE, FLOOR_EXECUTABLE,
                      {{"QT_QPA_PLATFORM", "offscreen"}, {"VELMORA_REPORT_FIRST_FRAME", "1"}}));
    {
        Xvfb server;
        if (server.Ready())
            measured = keepWorst(CompareStarts("xvfb", VELMORA_EXECUTABLE, FLOOR_EXECUTABLE,
                                               {{"QT_QPA_PLATFORM", "xcb"},
                                                {"DISPLAY", ":73"},
                                                {"WAYLAND_DISPLAY", ""},
                                                {"VELMORA_REPORT_FIRST_FRAME", "1"}})) &&
                       measured;
        else
            std::printf("  xvfb       not installed or did not start: skipped\n");
    }
    std::fflush(stdout);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const double clickP99 = MeasureClicks();
    const double figureP99 = MeasureFigures();
    const double layoutP99 = MeasureBoardLayout();
    MeasureWorksheet();
    const double instructions = InstructionRatio();
    std::printf("startup_instr_ratio=%.3f\n", instructions);
    std::printf("startup_ratio=%.2f\nmemory_ratio=%.2f\nclick_p99_us=%.0f\n", worst.startRatio,
                worst.memoryRatio, clickP99);
    std::printf("figure_p99_us=%.0f\n", figureP99);
    std::printf("board_layout_p99_us=%.0f\n", layoutP99);
    return measured ? 0 : 1;
}
