#pragma once
// The sheets of a print as the pages of one PDF document, without a
// printer: each page is a sheet of paper at a resolution, less the margins
// that Qt gives a PDF page (as the desktop program's "Print to File" has
// them), and each sheet is drawn by the same sheet renderer as the desktop
// program's prints.

#include <QPageSize>
#include <functional>
#include <string>

#include "platform/sheet_renderer.h"

class QIODevice;

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
// (the pages drawn until then are written) or when the document could not
// be started.
bool write_sheet_pdf(QIODevice& out, Host& host, const SheetDocument& document, const PrintLayoutEntry& layout,
                     const std::function<SheetRun(int index)>& sheet);

}  // namespace kavor
