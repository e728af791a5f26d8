#include "platform/sheet_renderer.h"

#include "engine/engine.h"
#include "engine/quiet_engine.h"
#include "engine/rendering.h"
#include "platform/qt_surface.h"

namespace kavor {

namespace {

// The caller's host, answering the printer page of this sheet.
class SheetHost : public Host {
 public:
  SheetHost(Host& host, PixelSize page) : host_(host), page_(page) {}
  void show_warning(const std::string& text) override { host_.show_warning(text); }
  void show_fatal(const std::string& text) override { host_.show_fatal(text); }
  int ask_instruction_error(const std::string& text) override { return host_.ask_instruction_error(text); }
  void show_message(const std::string& text, const std::string& caption) override {
    host_.show_message(text, caption);
  }
  void progress(int percent) override { host_.progress(percent); }
  void pump() override { host_.pump(); }
  bool cancel_requested() const override { return host_.cancel_requested(); }
  PixelSize view_area() const override { return host_.view_area(); }
  PixelSize printer_page() const override { return page_; }
  std::string settings_dir() const override { return host_.settings_dir(); }

 private:
  Host& host_;
  PixelSize page_;
};

constexpr Rgb kCropMarkColour{0, 0, 0};

void draw_crop_marks(Surface& surface, const PageRect& area, int length) {
  for (const PageLine& line : crop_marks(area, length)) {
    const DevicePoint points[2] = {line.from, line.to};
    surface.draw_polyline(points, 2, 1, kCropMarkColour);
  }
}

}  // namespace

bool render_sheet(Host& host, Surface& surface, PixelSize page, const SheetRun& sheet) {
  const HardClipExtent share = measure_hard_clip(host.settings_dir(), sheet.arguments);
  const PixelSize engine_page = share.real_size ? engine_page_size(sheet.layout, page, 0, 0)
                                                : engine_page_size(sheet.layout, page, share.width, share.height);
  if (sheet.layout.sheets > 1)
    draw_crop_marks(surface, drawn_area(sheet.layout, page, engine_page), crop_mark_length(page));
  SheetHost sheet_host(host, engine_page);
  Engine engine(sheet_host);
  DeviceTargets targets;
  targets.printer = &surface;
  targets.layout = sheet.layout.device_layout;
  return run_rendering(engine, targets, sheet.run);
}

bool render_sheet(Host& host, QPainter& painter, PixelSize page, const SheetRun& sheet) {
  QtSurface surface(painter, QRect(0, 0, page.width, page.height), device_page_extent(page));
  return render_sheet(host, surface, page, sheet);
}

}  // namespace kavor
