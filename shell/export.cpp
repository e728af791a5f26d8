#include "shell/export.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QTemporaryFile>
#include <fstream>
#include <sstream>

#include "engine/engine.h"
#include "engine/rendering.h"
#include "platform/bmp_writer.h"
#include "platform/wmf_surface.h"
#include "platform/whole_file.h"
#include "shell/message_boxes.h"
#include "shell/shell_host.h"

namespace kavor {

namespace {

std::string file_system_name(const QString& path) { return QFile::encodeName(path).toStdString(); }

// The wait cursor over the whole program while a file is written.
class WaitCursor {
 public:
  WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

void Export::save_bitmap(const QImage& picture, const QString& path) {
  const QByteArray dib = packed_dib(picture);
  if (dib.isEmpty()) return;
  int written = 0;
  {
    WaitCursor wait;
    written = write_bitmap_file(file_system_name(path), dib);
  }
  if (!written) report_failed_save(path);
}

void Export::copy(const QImage& picture) {
  auto* data = new QMimeData;
  const QByteArray dib = packed_dib(picture);
  if (!dib.isEmpty()) {
    data->setImageData(picture);
    // Readers of image/bmp expect a whole bitmap file: the file header
    // goes before the packed bitmap.
    const auto header = bmp_file_header(dib);
    data->setData(QStringLiteral("image/bmp"),
                  QByteArray(reinterpret_cast<const char*>(header.data()), header.size()) + dib);
  }
  QGuiApplication::clipboard()->setMimeData(data);
}

bool Export::save_metafile(const QString& path, QSize view, QSize client) {
  // The metafile is drawn into a temporary file, so that a cancelled or
  // failed run leaves the destination as it was. The temporary folder can
  // be written; the folder the program was started in may not be.
  // A temporary folder that does not exist reads as empty, which must not
  // become the current folder.
  const QString folder = QDir::tempPath();
  const QString name_pattern = QDir(folder).filePath(QStringLiteral("KVXXXXXX.wmf"));
  QTemporaryFile temporary(name_pattern);
  std::ofstream out;
  if (!folder.isEmpty() && temporary.open())
    out.open(file_system_name(temporary.fileName()), std::ios::binary | std::ios::trunc);
  if (!out.is_open()) {
    boxes_.message(QStringLiteral("Meta Error"), QDir::toNativeSeparators(name_pattern), MessageBoxes::Icon::warning);
    return true;
  }
  WmfSurface metafile(out, client.width(), client.height());
  DeviceTargets targets;
  targets.export_surface = &metafile;
  Engine engine(host_);
  std::ostringstream engine_output;
  engine.out = engine.err = &engine_output;
  host_.set_view_area({view.width(), view.height()});
  host_.begin(QStringLiteral("印刷準備中"), QStringLiteral("Cancel Printing"));
  const bool finished = run_rendering(engine, targets);
  host_.end();
  const bool drawn = metafile.finish();
  out.close();
  if (!finished) return false;
  if (host_.cancelled()) return true;
  int saved = 0;
  if (drawn && out) {
    WaitCursor wait;
    saved = copy_whole_file(file_system_name(temporary.fileName()), file_system_name(path));
  }
  if (!saved) report_failed_save(path);
  return true;
}

void Export::report_failed_save(const QString& path) {
  boxes_.message(QStringLiteral("%1 を保存できませんでした.").arg(QDir::toNativeSeparators(path)),
                 QStringLiteral("ｴﾗｰ"), MessageBoxes::Icon::warning);
}

}  // namespace kavor
