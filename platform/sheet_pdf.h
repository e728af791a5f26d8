#pragma once
// The sheets of a print as the pages of one PDF document, without a
// printer: each page is a sheet of paper at a resolution, less the margins
// that Qt gives a PDF page (as the desktop program's "Print to File" has
// them), and each sheet is drawn by the same sheet renderer as the desktop
// program's prints. The document is written as it is drawn, so that memory
// stays the same whatever the size of the plot.

#include <QPageSize>
#include <functional>
#include <ostream>
#include <string>

#include "platform/sheet_renderer.h"

namespace kavor {

struct SheetDocument {
  QPageSize paper;
  int dpi = 300;
  std::string title;
};

// A paper by its name (A4, A3, Letter, Legal, ...; case does not matter);
// false when there is none of that name.
bool paper_named(const std::string& name, QPageSize& paper);

// Writes one page per sheet of the layout, in the order of its split
// indices; sheet(index) gives a sheet's run. False after a fatal error
// (the pages drawn until then are written); a failed write leaves out in
// its failed state.
bool write_sheet_pdf(std::ostream& out, Host& host, const SheetDocument& document, const PrintLayoutEntry& layout,
                     const std::function<SheetRun(int index)>& sheet);

}  // namespace kavor
