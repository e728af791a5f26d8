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

double converter_seconds(const std::string& binary, const std::string& plot, const std::string& out, int w, int h) {
  const std::string size = std::to_string(w) + "x" + std::to_string(h);
  const Clock::time_point start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    std::freopen("/dev/null", "w", stderr);
    execl(binary.c_str(), binary.c_str(), "--quiet", "--size", size.c_str(), "-o", out.c_str(), plot.c_str(),
          static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? seconds_since(start) : -1;
}

// Renders the open file again and waits for the picture.
double render_seconds(MainWindow& window) {
  const Clock::time_point start = Clock::now();
  window.action(CMD_REDRAW)->trigger();
  ViewRenderer& r = window.renderer();
  while (!r.has_picture() || r.is_rendering()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
  return seconds_since(start);
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

  double best_window = 1e9;
  Clock::duration longest_gap{};
  for (int run = 0; run < kRuns; ++run) {
    best_window = std::min(best_window, render_seconds(window));
    longest_gap = std::max(longest_gap, window.host().longest_event_gap());
  }

  // A timer due in the middle of a rendering, and the cancel button pressed
  // when it runs.
  Clock::time_point due, pressed;
  QTimer::singleShot(static_cast<int>(best_window * 500), [&] {
    const Clock::time_point now = Clock::now();
    pressed = now;
    if (auto* dialog = window.findChild<ProgressDialog*>())
      if (auto* stop = dialog->findChild<QAbstractButton*>(QStringLiteral("2"))) stop->click();
  });
  due = Clock::now() + std::chrono::milliseconds(static_cast<int>(best_window * 500));
  render_seconds(window);
  const Clock::time_point stopped = Clock::now();
  const bool cancelled = window.host().cancelled();

  double best_converter = 1e9;
  const std::string png = (work / "view-bench.png").string();
  for (int run = 0; run < kRuns; ++run)
    best_converter = std::min(best_converter, converter_seconds(binary, plot.string(), png, width, height));

  std::printf("plot %s, %.1f MB, view %dx%d, platform %s\n", plot.filename().c_str(),
              static_cast<double>(fs::file_size(plot)) / 1e6, width, height,
              qPrintable(QGuiApplication::platformName()));
  std::printf("window rendering     %8.3f s (best of %d)\n", best_window, kRuns);
  std::printf("converter to PNG     %8.3f s (best of %d)\n", best_converter, kRuns);
  std::printf("window / converter   %8.2f\n", best_window / best_converter);
  std::printf("longest wait between event dispatches during the renderings: %.1f ms\n", milliseconds(longest_gap));
  std::printf("a timer due mid-rendering ran %.1f ms late; cancel %s the rendering %.1f ms after the press\n",
              milliseconds(pressed - due), cancelled ? "stopped" : "did not stop", milliseconds(stopped - pressed));
  std::printf("message boxes during the renderings: %d\n", boxes.shown);
  return 0;
}
