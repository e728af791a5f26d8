#include "platform/sheet_pdf.h"

#include <QBuffer>
#include <QPdfWriter>

#include "engine/units.h"
#include "platform/pdf_surface.h"

namespace kavor {

bool paper_named(const std::string& name, QPageSize& paper) {
  const QString wanted = QString::fromStdString(name);
  for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
    const auto size_id = static_cast<QPageSize::PageSizeId>(id);
    if (size_id == QPageSize::Custom) continue;
    if (QPageSize::key(size_id).compare(wanted, Qt::CaseInsensitive) == 0 ||
        QPageSize::name(size_id).compare(wanted, Qt::CaseInsensitive) == 0) {
      paper = QPageSize(size_id);
      return true;
    }
  }
  return false;
}

namespace {

// The page Qt's PDF writer gives the paper upright at the resolution: the
// paper, and the painted area within its margins.
QPageLayout pdf_page_layout(const SheetDocument& document) {
  QBuffer unused;
  QPdfWriter writer(&unused);
  writer.setResolution(document.dpi);
  writer.setPageSize(document.paper);
  writer.setPageOrientation(QPageLayout::Portrait);
  return writer.pageLayout();
}

}  // namespace

bool write_sheet_pdf(std::ostream& out, Host& host, const SheetDocument& document, const PrintLayoutEntry& layout,
                     const std::function<SheetRun(int index)>& sheet) {
  const QPageLayout page_layout = pdf_page_layout(document);
  const QRect painted = page_layout.paintRectPixels(document.dpi);
  const QRectF painted_points = page_layout.paintRect(QPageLayout::Point);
  const QRectF paper_points = page_layout.fullRect(QPageLayout::Point);
  const PixelSize page{painted.width(), painted.height()};
  const PdfSheet paper{paper_points.width(), paper_points.height(), painted_points.left(), painted_points.top()};
  PdfSurface pdf(out, page.width, page.height, kPointsPerInch / document.dpi, paper, device_page_extent(page));
  pdf.set_title(QString::fromStdString(document.title).toStdU16String());
  bool finished = true;
  for (int index = layout.first_index; index <= layout.last_index && finished; ++index) {
    if (index != layout.first_index) pdf.new_page();
    finished = render_sheet(host, pdf, page, sheet(index));
  }
  pdf.finish();
  return finished;
}

}  // namespace kavor
