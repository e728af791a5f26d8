#include "cli/conversion.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>

#include "cli/picture_layout.h"
#include "cli/sheet_plan.h"
#include "engine/engine.h"
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

// A conversion stopped by --timeout writes nothing and fails.
bool timed_out(const Conversion& c, const std::string& input) {
  std::cerr << "kavor-convert: " << input << ": stopped after the --timeout of " << c.args.timeout << " seconds\n";
  return false;
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
    std::error_code ec;
    std::string pattern = (fs::temp_directory_path(ec) / "kavor-stdin-XXXXXX").string();
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
  std::string output;   // empty: the page is not written
  std::string problem;  // why the page cannot be written, or empty
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

// Plans the pages of one input as the rendering reaches them: each page's
// sheet, picture and name. Nothing is kept per page, so that a file of very
// many pages costs no more memory than its measured boxes.
class PagePlanner {
 public:
  PagePlanner(const Conversion& c, size_t index, std::vector<PlotBox> boxes, int dpi)
      : c_(c),
        index_(index),
        boxes_(std::move(boxes)),
        paging_(c.args.pages || c.args.page > 0),
        drawn_(drawn_pages(boxes_)),
        sheets_(c.settings_dir, run_options(c.args), c.args.fit),
        request_{c.args.width, c.args.height, c.args.stretch || c.format == PictureFormat::hpgl, dpi},
        max_side_(picture_is_raster(c.format) ? kMaxRasterSide : kMaxVectorSide) {
    for (const PlotBox& b : boxes_) all_.add(b);
  }

  // Checks what can be checked before the rendering; false after reporting.
  bool ready() const {
    const std::string& input = c_.args.inputs[index_];
    if (boxes_.size() >= kMaxPages)
      say(c_, input + " has " + std::to_string(kMaxPages) + " pages or more; the last of them holds the rest");
    if (!paging_) {
      if (drawn_.last > drawn_.first)
        say(c_, input + " holds " + std::to_string(page_count()) +
                    " pages, drawn over each other; --pages writes a picture of each");
      return true;
    }
    const int wanted = c_.args.page;
    if (wanted > 0 && static_cast<size_t>(wanted) > page_count())
      return failure(input + " has " + std::to_string(page_count()) + (page_count() == 1 ? " page" : " pages") +
                     ", no page " + std::to_string(wanted));
    for (size_t n = wanted > 0 ? wanted : 1; n <= (wanted > 0 ? wanted : page_count()); ++n)
      if (is_one_of(c_.names.page(index_, static_cast<int>(n)), c_.args.inputs))
        return failure(c_.names.page(index_, static_cast<int>(n)) + " is one of the inputs");
    return true;
  }

  // The page of the file after which nothing more is wanted.
  size_t last_wanted() const {
    if (!paging_) return SIZE_MAX;
    return c_.args.page > 0 ? drawn_.first + c_.args.page - 1 : drawn_.last;
  }
  // How many pictures the rendering writes.
  size_t written() const { return !paging_ || c_.args.page > 0 ? 1 : page_count(); }

  const PagePlan& plan(size_t page) {
    if (page == planned_) return plan_;
    planned_ = page;
    plan_ = PagePlan{};
    const int number = static_cast<int>(page - drawn_.first) + 1;
    const bool wanted = !paging_ || (page >= drawn_.first && page <= drawn_.last &&
                                     (c_.args.page == 0 || number == c_.args.page));
    plan_.sheet = sheets_.sheet_for(box_of(page));
    if (wanted) plan_.output = paging_ ? c_.names.page(index_, number) : c_.names.whole(index_);
    if (wanted && !plan_.sheet.holds_page) say(c_, "no paper holds the drawing of " + plan_.output);
    if (!picture_layout(plan_.sheet.width, plan_.sheet.height, request_, max_side_, plan_.layout)) {
      plan_.problem = plan_.output + " would measure more than " + std::to_string(max_side_) +
                      " pixels a side; choose a smaller --dpi or --size";
      plan_.layout = PictureLayout{{1, 1}, {1, 1}, {}, request_.dpi};
    }
    return plan_;
  }

 private:
  size_t page_count() const { return drawn_.last - drawn_.first + 1; }

  // The box a page is fitted to: the whole file's as one picture; with
  // --page, the wanted page's for every page, so that the sheet does not
  // change on the way; else the page's own, or the nearest drawn page's.
  PlotBox box_of(size_t page) const {
    if (!paging_) return all_;
    if (c_.args.page > 0) return boxes_.at(drawn_.first + c_.args.page - 1);
    return boxes_.at(std::clamp(page, drawn_.first, drawn_.last));
  }

  const Conversion& c_;
  size_t index_;
  std::vector<PlotBox> boxes_;
  PlotBox all_;
  bool paging_;
  PageRange drawn_;
  SheetPlanner sheets_;
  SizeRequest request_;
  int max_side_;
  size_t planned_ = SIZE_MAX;
  PagePlan plan_;
};

// Writes the pages of one rendering, each to its own output as it ends.
class PageWriter {
 public:
  PageWriter(Engine& e, const Conversion& c, PagePlanner& planner, int dpi)
      : e_(e), c_(c), planner_(planner), dpi_(dpi), sheet_(planner.plan(0).sheet.options) {}

  // The targets of the first page; the host is set to its size.
  DeviceTargets start() { return begin_page(); }

  void end_page() {
    if (page_ + 1 >= kMaxPages) return;  // the last page holds the rest
    switch_targets(e_, DeviceTargets{});
    close_page();
    if (page_ == planner_.last_wanted()) {
      c_.host.stop();
      return;
    }
    ++page_;
    const DeviceTargets targets = begin_page();
    const std::vector<std::string>& sheet = planner_.plan(page_).sheet.options;
    if (sheet != sheet_) {
      sheet_ = sheet;
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
    std::string output;
    std::unique_ptr<SafeOutput> safe;
    std::unique_ptr<PictureOutput> picture;
    std::unique_ptr<PlacedSurface> placed;
  };

  DeviceTargets begin_page() {
    const PagePlan& p = planner_.plan(page_);
    c_.host.set_view(p.layout.drawing);
    c_.host.set_printer_page(p.layout.drawing);
    DeviceTargets targets;
    if (p.output.empty()) return targets;
    if (!p.problem.empty()) return give_up(p.problem);
    current_.output = p.output;
    current_.safe = std::make_unique<SafeOutput>(p.output);
    if (!current_.safe->begin()) return give_up(current_.safe->error());
    current_.picture = std::make_unique<PictureOutput>(c_.format, current_.safe->write_path(), p.layout.picture,
                                                       p.layout.dpi);
    if (!current_.picture->open()) return give_up("cannot write " + p.output);
    targets.window_height = p.layout.drawing.height;
    targets.conversion = current_.picture->conversion();
    if (Surface* s = current_.picture->surface()) {
      // A picture that moves nothing is drawn on directly: a fill sends a
      // line for every span of every row.
      if (!dpi_ && p.layout.offset == DevicePoint{}) {
        targets.picture = s;
      } else {
        current_.placed = std::make_unique<PlacedSurface>(*s, p.layout.offset, dpi_ ? p.layout.drawing.height : 0);
        (dpi_ ? targets.printer : targets.picture) = current_.placed.get();
      }
    }
    return targets;
  }

  void close_page() {
    if (!current_.picture) return;
    if (!current_.picture->close()) give_up("cannot write " + current_.output);
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
  PagePlanner& planner_;
  int dpi_;
  std::vector<std::string> sheet_;  // the sheet the engine draws on
  size_t page_ = 0;
  Current current_;
  bool ok_ = true;
};

bool wants_progress_bar(const Conversion& c, const Input& input) {
  std::error_code ec;
  return !c.args.quiet && isatty(2) && input.name != "-" && fs::file_size(input.path, ec) >= kProgressBarBytes && !ec;
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
  ConsoleHost& host = c.host;
  host.start_deadline(a.timeout);
  std::vector<PlotBox> boxes{PlotBox{}};
  if (a.fit != FitMode::none || paging) {
    boxes = measure_pages({c.settings_dir, options, input.path, a.abort_on_error, &host.deadline()});
    if (host.deadline().passed()) return timed_out(c, input.name);
    if (boxes.empty()) boxes.push_back(PlotBox{});  // the rendering reports what failed
  }
  const int dpi = device_dpi(c);
  PagePlanner planner(c, index, std::move(boxes), dpi);
  if (!planner.ready()) return false;

  std::vector<std::string> render = options;
  for (const std::vector<std::string>& more : {device_options(dpi), planner.plan(0).sheet.options})
    render.insert(render.end(), more.begin(), more.end());
  host.begin_run();
  host.set_progress_bar(wants_progress_bar(c, input));
  Engine engine(host);
  std::ostringstream quiet_sink;
  if (a.quiet) engine.err = &quiet_sink;
  PageWriter writer(engine, c, planner, dpi);
  host.set_end_page(paging ? std::function<void()>([&] { writer.end_page(); }) : nullptr);
  const bool finished = run_rendering(engine, writer.start(), [&](Engine& e) { run_input(e, render, input); });
  host.set_end_page(nullptr);
  const bool ok = writer.finish(finished && !host.aborted() && !host.timed_out());
  host.end_run();
  if (host.timed_out()) return timed_out(c, input.name);
  if (ok && a.pages) {
    const size_t pages = planner.written();
    say(c, input.name + ": " + std::to_string(pages) + (pages == 1 ? " page" : " pages") + " written");
  }
  return ok;
}

}  // namespace kavor
