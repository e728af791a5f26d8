#include "cli/page_measure.h"

#include <algorithm>
#include <cmath>
#include <ostream>
#include <utility>

#include "device/surface.h"
#include "engine/engine.h"
#include "engine/null_host.h"
#include "engine/quiet_engine.h"
#include "engine/rendering.h"
#include "engine/run.h"

namespace kavor {

namespace {

// -OX divides the hard-clip limits alone: the measuring sheet is a hundred
// times the plotter's, while the plot area, P1 and P2 stay as they are.
constexpr char kEnlargedSheet[] = "0.01";
// About this many measuring pixels across the plotter's own sheet.
constexpr double kPixelsAcrossSheet = 2000;

constexpr Rgb kWhite{255, 255, 255};

// Notes the device points of every stroke that shows on white.
class BoundsSurface : public Surface {
 public:
  void draw_polyline(const DevicePoint* points, int count, int, Rgb colour) override {
    if (colour == kWhite) return;
    for (int i = 0; i < count; ++i) add(points[i]);
  }
  void set_pixel(DevicePoint p, Rgb colour) override {
    if (colour != kWhite) add(p);
  }
  // A filled polygon is measured by its corners, not row by row.
  bool draws_polygons() const override { return true; }
  void fill_polygon(const DeviceRings& rings, Rgb colour) override {
    if (colour == kWhite) return;
    for (const std::vector<DevicePoint>& ring : rings)
      for (DevicePoint p : ring) add(p);
  }
  // The box so far, and a fresh one for what follows.
  PlotBox take() { return std::exchange(box_, PlotBox{}); }

 private:
  void add(DevicePoint p) { box_.add(p.x, p.y); }
  PlotBox box_;
};

// Silent; answers the instruction-error dialog as the rendering will, so
// that the measured run ends where the rendered one does.
class MeasureHost : public NullHost {
 public:
  MeasureHost(std::string settings_dir, PixelSize view, const MeasureRequest& request, BoundsSurface& bounds,
              std::vector<PlotBox>& pages)
      : NullHost(std::move(settings_dir), view), request_(request), bounds_(bounds), pages_(pages) {}
  int ask_instruction_error(const std::string&) override {
    return request_.abort_on_error ? ANSWER_ABORT : ANSWER_CONTINUE;
  }
  void pump() override { stopped_ = stopped_ || (request_.deadline && request_.deadline->passed()); }
  bool cancel_requested() const override { return stopped_; }
  // The polyline still pending belongs to the page that ends.
  void end_page() override {
    if (pages_.size() + 1 >= kMaxPages) return;
    const DeviceTargets targets = engine_->device.targets;
    switch_targets(*engine_, targets);
    pages_.push_back(bounds_.take());
  }
  void set_engine(Engine& e) { engine_ = &e; }

 private:
  Engine* engine_ = nullptr;
  const MeasureRequest& request_;
  bool stopped_ = false;
  BoundsSurface& bounds_;
  std::vector<PlotBox>& pages_;
};

// The display mapping of the measuring run, and its way back to plotter
// units.
struct MeasuringSheet {
  DeviceExtents device;
  PixelSize view;

  PlotBox to_plotter(const PlotBox& pixels) const {
    PlotBox b;
    if (pixels.empty()) return b;
    const double ux = static_cast<double>(device.ext_x) / view.width;
    const double uy = static_cast<double>(device.ext_y) / view.height;
    b.add(device.org_x + pixels.xmin * ux, device.org_y + (view.height - pixels.ymax - 1) * uy);
    b.add(device.org_x + (pixels.xmax + 1) * ux, device.org_y + (view.height - pixels.ymin) * uy);
    return b;
  }
};

bool prepare_measuring_sheet(const std::string& settings_dir, const std::vector<std::string>& options,
                             MeasuringSheet& sheet) {
  QuietEngine quiet(settings_dir);
  if (!quiet.prepare(options)) return false;
  const Engine& e = quiet.engine;
  const PlotArea& a = e.gs.area;
  const double across = std::max(a.xmax - a.xmin, a.ymax - a.ymin);
  const int32_t step = std::isfinite(across) ? static_cast<int32_t>(std::clamp(across / kPixelsAcrossSheet, 1.0, 1e6)) : 1;
  sheet.device = e.gs.device;
  sheet.view = {std::max(1, sheet.device.ext_x / step), std::max(1, sheet.device.ext_y / step)};
  return sheet.device.ext_x > 0 && sheet.device.ext_y > 0;
}

}  // namespace

void PlotBox::add(double x, double y) {
  xmin = std::min(xmin, x);
  ymin = std::min(ymin, y);
  xmax = std::max(xmax, x);
  ymax = std::max(ymax, y);
}

void PlotBox::add(const PlotBox& b) {
  if (b.empty()) return;
  add(b.xmin, b.ymin);
  add(b.xmax, b.ymax);
}

std::vector<PlotBox> measure_pages(const MeasureRequest& request) {
  std::vector<std::string> options = request.options;
  for (const char* o : {"-DE", "DISPLAY", "-OX", kEnlargedSheet}) options.push_back(o);
  MeasuringSheet sheet;
  if (!prepare_measuring_sheet(request.settings_dir, options, sheet)) return {};
  options.push_back("-IN");
  options.push_back(request.input);

  BoundsSurface bounds;
  std::vector<PlotBox> pages;
  MeasureHost host(request.settings_dir, sheet.view, request, bounds, pages);
  Engine e(host);
  host.set_engine(e);
  std::ostream silent(nullptr);
  e.out = e.err = &silent;
  DeviceTargets targets;
  targets.picture = &bounds;
  if (!run_rendering(e, targets, [&](Engine& engine) { engine_run_inputs(engine, options); })) return {};
  pages.push_back(bounds.take());
  for (PlotBox& page : pages) page = sheet.to_plotter(page);
  return pages;
}

}  // namespace kavor
