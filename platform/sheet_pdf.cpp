#include "platform/sheet_pdf.h"

#include <QPdfWriter>

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

bool write_sheet_pdf(QIODevice& out, Host& host, const SheetDocument& document, const PrintLayoutEntry& layout,
                     const std::function<SheetRun(int index)>& sheet) {
  QPdfWriter pdf(&out);
  pdf.setTitle(QString::fromStdString(document.title));
  pdf.setCreator(QStringLiteral("kavor-convert"));
  pdf.setResolution(document.dpi);
  pdf.setPageSize(document.paper);
  pdf.setPageOrientation(QPageLayout::Portrait);
  QPainter painter;
  if (!painter.begin(&pdf)) return false;
  const PixelSize page{pdf.width(), pdf.height()};
  bool finished = true;
  for (int index = layout.first_index; index <= layout.last_index && finished; ++index) {
    if (index != layout.first_index) pdf.newPage();
    finished = render_sheet(host, painter, page, sheet(index));
  }
  painter.end();
  return finished;
}

}  // namespace kavor
