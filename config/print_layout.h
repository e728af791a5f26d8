#pragma once
// Printing on one sheet or split over 2, 4, 8 or 16: the layout of each
// print command, where each sheet lies in the drawing, and how a sheet's
// share of the drawing lies on the printer page.
//
// The printer device lays the plotter's X axis down the page on upright
// sheets (1, 4 and 16) and across it on turned sheets (2 and 8). The page
// size reported to the engine follows the device: its width is the page's
// extent along the axis that takes the plotter's X axis, its height the
// extent along the other, so the engine's mapping and the device's
// placement agree. Within that page the share keeps its proportions: it
// fills one side of the page and as much of the other as its shape allows.

#include <array>

#include "device/draw_device.h"
#include "engine/host.h"

namespace kavor {

struct PrintLayoutEntry {
  int command;  // the print command's menu id
  int sheets;
  int columns, rows;
  // The split lines of the parameter file, one per sheet in this order
  // (0 for the single sheet, which writes the zoom line instead).
  int first_index, last_index;
  PrintLayout device_layout;  // how the printer device places points

  // The page turned so that the plotter's X axis runs across it.
  constexpr bool turned() const { return device_layout == LAYOUT_2 || device_layout == LAYOUT_8; }
};

inline constexpr std::array<PrintLayoutEntry, 5> kPrintLayouts{{
    {109, 1, 1, 1, 0, 0, LAYOUT_SINGLE},
    {151, 2, 2, 1, 1, 2, LAYOUT_2},
    {117, 4, 2, 2, 3, 6, LAYOUT_4},
    {152, 8, 4, 2, 7, 14, LAYOUT_8},
    {153, 16, 4, 4, 15, 30, LAYOUT_16},
}};

// The layout of a print command, or of a number of sheets; null when
// there is none.
const PrintLayoutEntry* print_layout_of_command(int command);
const PrintLayoutEntry* print_layout_of_sheets(int sheets);

// Where sheet `index` (a split index of the layout) lies in the drawing:
// sheets run up each column from the bottom, then across.
struct SheetCell {
  int column = 0;
  int row = 0;  // counted from the bottom
};
SheetCell sheet_cell(const PrintLayoutEntry& layout, int index);

// A rectangle of page pixels, corners included.
struct PageRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const PageRect&) const = default;
};

struct PageLine {
  DevicePoint from, to;
  bool operator==(const PageLine&) const = default;
};

// The page size to report to the engine for a printer page of `page`
// pixels (across by down) and a share of the drawing of share_width by
// share_height plotter units. A share of no size (unknown, or printed at
// real size) takes the whole page.
PixelSize engine_page_size(const PrintLayoutEntry& layout, PixelSize page, double share_width, double share_height);

// The page extent the printer device mirrors turned sheets at, so that
// they cover the page's columns 0 .. width-1.
int device_page_extent(PixelSize page);

// Where the engine's page of `engine_page` lies on the printer page.
PageRect drawn_area(const PrintLayoutEntry& layout, PixelSize page, PixelSize engine_page);

// The crop marks of a split sheet: from each corner of the drawn area two
// lines of `length` pixels along its edges, the device's line rule leaving
// the far end unpainted. Their length is 1/80 of the page's width.
std::array<PageLine, 8> crop_marks(const PageRect& area, int length);
int crop_mark_length(PixelSize page);

}  // namespace kavor
