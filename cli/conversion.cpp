#include "cli/conversion.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "cli/picture_layout.h"
#include "cli/sheet_plan.h"
#include "engine/engine.h"
#include "engine/fatal_error.h"
#include "engine/rendering.h"
#include "engine/run.h"
#include "platform/placed_surface.h"
#include "platform/safe_output.h"

namespace kavor {

namespace {

namespace fs = std::filesystem;

// A PDF page without --size or --dpi has the sheet's true size, drawn at
// this resolution.
constexpr int kPdfDpi = 600;
// The largest side of a picture made of pixels, and of a vector picture
// (a metafile counts in 16 bits).
constexpr int kMaxRasterSide = 20000;
constexpr int kMaxVectorSide = 32767;
// Inputs of at least this size get a progress bar on a terminal.
constexpr std::uintmax_t kProgressBarBytes = 4u << 20;

void say(const Conversion& c, const std::string& text) {
  if (!c.args.quiet) std::cerr << "kavor-convert: " << text << '\n';
}

bool failure(const std::string& text) {
  std::cerr << "kavor-convert: " << text << '\n';
  return false;
}

// Standard input, kept in a temporary file: the plot is read twice.
class SpooledInput {
 public:
  ~SpooledInput() {
    if (!path_.empty()) std::remove(path_.c_str());
  }
  bool spool() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = (fs::path(tmp && *tmp ? tmp : "/tmp") / "kavor-stdin-XXXXXX").string();
    const int fd = mkstemp(pattern.data());
    if (fd < 0) return false;
    path_ = pattern;
    char buffer[1 << 16];
    bool ok = true;
    for (ssize_t n; ok && (n = read(STDIN_FILENO, buffer, sizeof buffer)) != 0;) {
      if (n < 0) ok = errno == EINTR;
      else ok = write(fd, buffer, static_cast<size_t>(n)) == n;
    }
    return close(fd) == 0 && ok;
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// What one page of the file becomes.
struct PagePlan {
  Sheet sheet;
  PictureLayout layout;
  std::string output;  // empty: the page is not written
  int number = 0;      // the number in its name
};

// The input as the engine reads it.
struct Input {
  std::string name;  // as given ("-" for standard input)
  std::string path;  // the file the engine opens
};

std::vector<std::string> run_options(const ConvertArguments& a) {
  std::vector<std::string> v{kProgramName, "-COLOR"};
  v.insert(v.end(), a.engine_options.begin(), a.engine_options.end());
  return v;
}

// The device the pictures are drawn with: the printer device at a true
// resolution, else the display device.
int device_dpi(const Conversion& c) {
  if (c.args.dpi) return c.args.dpi;
  return c.format == PictureFormat::pdf && c.args.width == 0 ? kPdfDpi : 0;
}

std::vector<std::string> device_options(int dpi) {
  if (dpi == 0) return {"-DE", "DISPLAY"};
  return {"-CC", "ESC/P", "-RE", std::to_string(dpi)};
}

// Runs the plot; standard input comes from its spooled copy, named as such.
void run_input(Engine& e, std::vector<std::string> options, const Input& input) {
  if (input.name != "-") {
    options.push_back("-IN");
    options.push_back(input.path);
    engine_run_inputs(e, options);
    return;
  }
  reset_run_state(e);
  open_input_file(e, input.path);
  engine_run_once(e, options);
}

// Writes the pages of one rendering, each to its own output as it ends.
class PageWriter {
 public:
  PageWriter(Engine& e, const Conversion& c, const std::vector<PagePlan>& plans, int dpi, size_t stop_after)
      : e_(e), c_(c), plans_(plans), dpi_(dpi), stop_after_(stop_after) {}

  // The targets of the first page; the host is set to its size.
  DeviceTargets start() { return begin_page(); }

  void end_page() {
    switch_targets(e_, DeviceTargets{});
    close_page();
    if (page_ == stop_after_) {
      c_.host.stop();
      return;
    }
    ++page_;
    const std::vector<std::string>& sheet = plan().sheet.options;
    const bool new_sheet = sheet != plans_[std::min(page_ - 1, plans_.size() - 1)].sheet.options;
    const DeviceTargets targets = begin_page();
    if (new_sheet) {
      std::vector<std::string> options{kProgramName};
      options.insert(options.end(), sheet.begin(), sheet.end());
      change_sheet(e_, options);
    }
    switch_targets(e_, targets);
  }

  // Writes the last page; false when any page could not be written, or,
  // when the run failed, after discarding the page it was drawing.
  bool finish(bool run_ok) {
    if (run_ok) close_page();
    current_ = Current{};
    return ok_ && run_ok;
  }

 private:
  struct Current {
    std::unique_ptr<SafeOutput> safe;
    std::unique_ptr<PictureOutput> picture;
    std::unique_ptr<PlacedSurface> placed;
  };

  const PagePlan& plan() const { return plans_[std::min(page_, plans_.size() - 1)]; }

  DeviceTargets begin_page() {
    const PagePlan& p = plan();
    c_.host.set_view(p.layout.drawing);
    c_.host.set_printer_page(p.layout.drawing);
    DeviceTargets targets;
    if (page_ >= plans_.size() || p.output.empty()) return targets;
    current_.safe = std::make_unique<SafeOutput>(p.output);
    if (!current_.safe->begin()) return give_up(current_.safe->error());
    current_.picture = std::make_unique<PictureOutput>(c_.format, current_.safe->write_path(), p.layout.picture,
                                                       p.layout.dpi);
    if (!current_.picture->open()) return give_up("cannot write " + p.output);
    targets.window_height = p.layout.drawing.height;
    targets.conversion = current_.picture->conversion();
    if (Surface* s = current_.picture->surface()) {
      current_.placed = std::make_unique<PlacedSurface>(*s, p.layout.offset, dpi_ ? p.layout.drawing.height : 0);
      (dpi_ ? targets.printer : targets.picture) = current_.placed.get();
    }
    return targets;
  }

  void close_page() {
    if (!current_.picture) return;
    if (!current_.picture->close()) give_up("cannot write " + plan().output);
    else if (!current_.safe->commit()) give_up(current_.safe->error());
    current_ = Current{};
  }

  // A page that cannot be written ends the conversion: the pages after it
  // would most likely fail the same way.
  DeviceTargets give_up(const std::string& text) {
    ok_ = failure(text);
    current_ = Current{};
    c_.host.stop();
    return DeviceTargets{};
  }

  Engine& e_;
  const Conversion& c_;
  const std::vector<PagePlan>& plans_;
  int dpi_;
  size_t stop_after_;
  size_t page_ = 0;
  Current current_;
  bool ok_ = true;
};

bool wants_progress_bar(const Conversion& c, const Input& input) {
  std::error_code ec;
  return !c.args.quiet && isatty(2) && input.name != "-" && fs::file_size(input.path, ec) >= kProgressBarBytes && !ec;
}

// Lays out every page's picture; false after reporting one that is too big.
bool lay_out(const Conversion& c, int dpi, std::vector<PagePlan>& plans) {
  SizeRequest request{c.args.width, c.args.height, c.args.stretch || c.format == PictureFormat::hpgl, dpi};
  const int max_side = picture_is_raster(c.format) ? kMaxRasterSide : kMaxVectorSide;
  for (PagePlan& p : plans) {
    if (picture_layout(p.sheet.width, p.sheet.height, request, max_side, p.layout)) continue;
    if (!p.output.empty())
      return failure(p.output + " would measure more than " + std::to_string(max_side) +
                     " pixels a side; choose a smaller --dpi or --size");
    p.layout = PictureLayout{{1, 1}, {1, 1}, {}, dpi};
  }
  return true;
}

}  // namespace

PageRange drawn_pages(const std::vector<PlotBox>& pages) {
  PageRange r;
  auto drawn = [](const PlotBox& b) { return !b.empty(); };
  auto first = std::find_if(pages.begin(), pages.end(), drawn);
  if (first == pages.end()) return r;
  r.first = static_cast<size_t>(first - pages.begin());
  r.last = static_cast<size_t>(pages.rend() - std::find_if(pages.rbegin(), pages.rend(), drawn)) - 1;
  return r;
}

bool convert_input(const Conversion& c, size_t index) {
  const ConvertArguments& a = c.args;
  Input input{a.inputs[index], a.inputs[index]};
  SpooledInput spooled;
  if (input.name == "-") {
    if (!spooled.spool()) return failure("cannot keep standard input in a temporary file");
    input.path = spooled.path();
  }
  const std::vector<std::string> options = run_options(a);
  const bool paging = a.pages || a.page > 0;
  std::vector<PlotBox> boxes{PlotBox{}};
  if (a.fit != FitMode::none || paging) {
    boxes = measure_pages({c.settings_dir, options, input.path, a.abort_on_error});
    if (boxes.empty()) boxes.push_back(PlotBox{});  // the rendering reports what failed
  }

  SheetPlanner planner(c.settings_dir, options, a.fit);
  std::vector<PagePlan> plans;
  size_t stop_after = SIZE_MAX;
  if (paging) {
    const PageRange drawn = drawn_pages(boxes);
    const size_t count = drawn.last - drawn.first + 1;
    if (a.page > 0 && static_cast<size_t>(a.page) > count)
      return failure(input.name + " has " + std::to_string(count) + (count == 1 ? " page" : " pages") +
                     ", no page " + std::to_string(a.page));
    for (size_t i = 0; i < boxes.size(); ++i) {
      PagePlan p;
      p.sheet = planner.sheet_for(boxes[std::clamp(i, drawn.first, drawn.last)]);
      p.number = static_cast<int>(i - drawn.first) + 1;
      const bool wanted = i >= drawn.first && i <= drawn.last && (a.page == 0 || p.number == a.page);
      if (wanted) p.output = c.names.page(index, p.number);
      if (wanted && !p.sheet.holds_page) say(c, "no paper holds page " + std::to_string(p.number) + " of " + input.name);
      plans.push_back(std::move(p));
    }
    if (a.page > 0) stop_after = drawn.first + a.page - 1;
    for (const PagePlan& p : plans)
      if (!p.output.empty() && is_one_of(p.output, a.inputs)) return failure(p.output + " is one of the inputs");
  } else {
    PlotBox all;
    for (const PlotBox& b : boxes) all.add(b);
    const PageRange drawn = drawn_pages(boxes);
    if (drawn.last > drawn.first)
      say(c, input.name + " holds " + std::to_string(drawn.last - drawn.first + 1) +
                 " pages, drawn over each other; --pages writes a picture of each");
    PagePlan p;
    p.sheet = planner.sheet_for(all);
    p.output = c.names.whole(index);
    if (!p.sheet.holds_page) say(c, "no paper holds the drawing of " + input.name);
    plans.push_back(std::move(p));
  }
  const int dpi = device_dpi(c);
  if (!lay_out(c, dpi, plans)) return false;

  std::vector<std::string> render = options;
  for (const std::vector<std::string>& more : {device_options(dpi), plans.front().sheet.options})
    render.insert(render.end(), more.begin(), more.end());
  ConsoleHost& host = c.host;
  host.begin_run();
  host.set_progress_bar(wants_progress_bar(c, input));
  Engine engine(host);
  std::ostringstream quiet_sink;
  if (a.quiet) engine.err = &quiet_sink;
  PageWriter writer(engine, c, plans, dpi, stop_after);
  host.set_end_page(paging ? std::function<void()>([&] { writer.end_page(); }) : nullptr);
  const bool finished = run_rendering(engine, writer.start(), [&](Engine& e) { run_input(e, render, input); });
  host.set_end_page(nullptr);
  const bool ok = writer.finish(finished && !host.aborted());
  host.end_run();
  if (paging && ok && a.page == 0) {
    const size_t pages = std::count_if(plans.begin(), plans.end(), [](const PagePlan& p) { return !p.output.empty(); });
    say(c, input.name + ": " + std::to_string(pages) + (pages == 1 ? " page" : " pages") + " written");
  }
  return ok;
}

}  // namespace kavor
