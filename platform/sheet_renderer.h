#pragma once
// One printed sheet, drawn as the desktop program prints and as the
// converter splits: the engine draws its share of the drawing (the whole
// drawing, a zoom, or a split sheet's trimming) afresh on a page through
// the printer device, and a split sheet gets its crop marks around that
// share.

#include <QPainter>
#include <functional>
#include <string>
#include <vector>

#include "config/print_layout.h"
#include "device/surface.h"
#include "engine/host.h"

namespace kavor {

struct Engine;

struct SheetRun {
  const PrintLayoutEntry& layout;
  // The run's argument vector (entry 0 included; inputs are passed over),
  // from which the size of the share is learnt.
  std::vector<std::string> arguments;
  // Runs the engine over the sheet's options and input.
  std::function<void(Engine&)> run;
};

// page: the surface's page in pixels; the surface answers the page extent
// of the printer device. The engine reaches the outside through host,
// which is asked for nothing but the printer page; that it learns here.
// False after a fatal error (the host has shown it).
bool render_sheet(Host& host, Surface& surface, PixelSize page, const SheetRun& sheet);
// The same on the painter's current page.
bool render_sheet(Host& host, QPainter& painter, PixelSize page, const SheetRun& sheet);

}  // namespace kavor
