// Benchmark of the desktop program's view: renders the 42 MB mixed HP-GL/2
// plot of the benchmark corpus in the window and with the converter at the
// same size, and prints both times, their ratio, and how responsive the
// window stayed while the engine ran: the longest wait between two
// dispatches of pending events, how late a timer due during the rendering
// ran, and how soon the progress dialog's cancel button stopped it. Figures
// are printed, never asserted.
//
//   kavor_view_bench [--converter PATH] [--work DIR] [--size WxH]
//
// Run it under xvfb-run (or on a desktop) for the cost of real repaints; the
// offscreen platform paints into memory only.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/plot_generator.h"
#include "shell/main_window.h"
#include "shell/menu_table.h"
#include "shell/message_boxes.h"
#include "shell/progress_dialog.h"
#include "shell/shell_host.h"
#include "shell/view_renderer.h"
#include "shell/view_widget.h"

namespace fs = std::filesystem;
using namespace kavor;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kRuns = 3;

double seconds_since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double cpu_seconds(const rusage& u) {
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Wall time and processor time of one measurement: on a shared machine the
// processor time is the steadier of the two.
struct Timing {
  double wall = 1e9, cpu = 1e9;
  void keep_best(Timing t) {
    wall = std::min(wall, t.wall);
    cpu = std::min(cpu, t.cpu);
  }
};

// Counts the boxes instead of showing them.
class CountingBoxes : public MessageBoxes {
 public:
  bool engine_warning(const QString&, bool) override {
    ++shown;
    return true;
  }
  bool instruction_error(const QString&) override {
    ++shown;
    return true;
  }
  void message(const QString&, const QString&, Icon, const QString&) override { ++shown; }
  int shown = 0;
};

Timing converter_timing(const std::string& binary, const std::string& plot, const std::string& out, int w, int h) {
  const std::string size = std::to_string(w) + "x" + std::to_string(h);
  const Clock::time_point start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    std::freopen("/dev/null", "w", stderr);
    // The picture the window shows: the plotter's paper, filling the size.
    execl(binary.c_str(), binary.c_str(), "--quiet", "--fit", "none", "--stretch", "--size", size.c_str(), "-o",
          out.c_str(), plot.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return {-1, -1};
  return {seconds_since(start), cpu_seconds(usage)};
}

// Renders the open file again and waits for the picture.
Timing render_timing(MainWindow& window) {
  rusage before{}, after{};
  getrusage(RUSAGE_SELF, &before);
  const Clock::time_point start = Clock::now();
  window.action(CMD_REDRAW)->trigger();
  ViewRenderer& r = window.renderer();
  while (!r.has_picture() || r.is_rendering()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
  const double wall = seconds_since(start);
  getrusage(RUSAGE_SELF, &after);
  return {wall, cpu_seconds(after) - cpu_seconds(before)};
}

}  // namespace

int main(int argc, char** argv) {
  std::string binary = "build/cli/kavor-convert";
  fs::path work = fs::temp_directory_path() / "kavor-bench";
  int width = 1600, height = 1200;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--converter" && i + 1 < argc) binary = argv[++i];
    else if (a == "--work" && i + 1 < argc) work = argv[++i];
    else if (a == "--size" && i + 1 < argc) std::sscanf(argv[++i], "%dx%d", &width, &height);
  }
  fs::create_directories(work / "view-home");
  setenv("KAVOR_HOME", (work / "view-home").c_str(), 1);
  const fs::path plot = work / "mixed-42MB.plt";
  if (!fs::exists(plot) || fs::file_size(plot) < 42'000'000) {
    std::ofstream(plot, std::ios::binary) << bench::mixed_plot(42'000'000);
  }

  QApplication app(argc, argv);
  CountingBoxes boxes;
  MainWindow window(ShellServices{&boxes, nullptr, [](int) {}});
  window.action(CMD_KEEP_ASPECT)->trigger();
  window.show();
  window.resize(window.size() - window.view()->size() + QSize(width, height));
  while (window.view()->size() != QSize(width, height)) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  window.open_plot_file(QString::fromStdString(plot.string()));

  // Window and converter take turns, so that both meet the same load of a
  // shared machine.
  Timing best_window, best_converter;
  Clock::duration longest_gap{};
  const std::string png = (work / "view-bench.png").string();
  for (int run = 0; run < kRuns; ++run) {
    best_window.keep_best(render_timing(window));
    longest_gap = std::max(longest_gap, window.host().longest_event_gap());
    best_converter.keep_best(converter_timing(binary, plot.string(), png, width, height));
  }

  // A timer due in the middle of a rendering, and the cancel button pressed
  // when it runs.
  Clock::time_point due, pressed;
  const int halfway = static_cast<int>(best_window.wall * 500);
  QTimer::singleShot(halfway, Qt::PreciseTimer, [&] {
    const Clock::time_point now = Clock::now();
    pressed = now;
    if (auto* dialog = window.findChild<ProgressDialog*>())
      if (auto* stop = dialog->findChild<QAbstractButton*>(QStringLiteral("2"))) stop->click();
  });
  due = Clock::now() + std::chrono::milliseconds(halfway);
  render_timing(window);
  const Clock::time_point stopped = Clock::now();
  const bool cancelled = window.host().cancelled();

  std::printf("plot %s, %.1f MB, view %dx%d, platform %s\n", plot.filename().c_str(),
              static_cast<double>(fs::file_size(plot)) / 1e6, width, height,
              qPrintable(QGuiApplication::platformName()));
  std::printf("best of %d              wall s    processor s\n", kRuns);
  std::printf("window rendering     %8.3f %12.3f\n", best_window.wall, best_window.cpu);
  std::printf("converter to PNG     %8.3f %12.3f\n", best_converter.wall, best_converter.cpu);
  std::printf("window / converter   %8.2f %12.2f\n", best_window.wall / best_converter.wall,
              best_window.cpu / best_converter.cpu);
  std::printf("longest wait between event dispatches during the renderings: %.1f ms\n", milliseconds(longest_gap));
  std::printf("a timer due mid-rendering ran %.1f ms late; cancel %s the rendering %.1f ms after the press\n",
              milliseconds(pressed - due), cancelled ? "stopped" : "did not stop", milliseconds(stopped - pressed));
  std::printf("message boxes during the renderings: %d\n", boxes.shown);
  return 0;
}
