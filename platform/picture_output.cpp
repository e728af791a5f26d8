#include "platform/picture_output.h"

#include <QImageWriter>
#include <QPageSize>
#include <QPdfWriter>
#include <algorithm>
#include <cctype>
#include <filesystem>

#include "device/conversion_writer.h"
#include "platform/bmp_writer.h"
#include "platform/palette_image.h"
#include "platform/picture_canvas.h"
#include "platform/qt_surface.h"
#include "platform/svg_surface.h"
#include "platform/wmf_surface.h"

namespace kavor {

namespace {

struct FormatName {
  const char* name;
  PictureFormat format;
};
// The first name of each format is its extension.
constexpr FormatName kFormats[] = {
    {"png", PictureFormat::png},   {"bmp", PictureFormat::bmp},   {"dib", PictureFormat::bmp},
    {"svg", PictureFormat::svg},   {"pdf", PictureFormat::pdf},   {"wmf", PictureFormat::wmf},
    {"hpgl", PictureFormat::hpgl}, {"hpg", PictureFormat::hpgl},  {"plt", PictureFormat::hpgl},
    {"hgl", PictureFormat::hpgl},  {"jpg", PictureFormat::jpeg},  {"jpeg", PictureFormat::jpeg},
    {"tif", PictureFormat::tiff},  {"tiff", PictureFormat::tiff},
};

bool format_of_name(std::string name, PictureFormat& f) {
  std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
  for (const FormatName& n : kFormats)
    if (name == n.name) {
      f = n.format;
      return true;
    }
  return false;
}

// Qt's writer for the formats it writes itself.
const char* qt_writer(PictureFormat f) {
  switch (f) {
    case PictureFormat::png: return "png";
    case PictureFormat::jpeg: return "jpeg";
    case PictureFormat::tiff: return "tiff";
    default: return nullptr;
  }
}

// Line drawings compress well at a low zlib level; the default level costs
// more time than the whole rendering of a typical plot.
constexpr int kPngQuality = 80;  // zlib level 1
constexpr int kJpegQuality = 90;
constexpr double kPointsPerInch = 72.0;

}  // namespace

bool choose_picture_format(const std::string& format, const std::string& output, PictureFormat& chosen) {
  if (!format.empty()) return format_of_name(format, chosen);
  if (output.empty() || output == "-") {
    chosen = PictureFormat::png;
    return true;
  }
  std::string ext = std::filesystem::path(output).extension().string();
  return ext.size() > 1 && format_of_name(ext.substr(1), chosen);
}

bool picture_format_available(PictureFormat f) {
  const char* writer = qt_writer(f);
  return writer == nullptr || QImageWriter::supportedImageFormats().contains(writer);
}

const char* picture_extension(PictureFormat f) {
  for (const FormatName& n : kFormats)
    if (n.format == f) return n.name;
  return "png";
}

bool picture_is_raster(PictureFormat f) {
  return f == PictureFormat::png || f == PictureFormat::bmp || f == PictureFormat::jpeg || f == PictureFormat::tiff;
}

const char* picture_format_names() { return "png bmp svg pdf wmf hpgl jpeg tiff"; }

PictureOutput::PictureOutput(PictureFormat format, std::string path, PixelSize size, int dots_per_inch)
    : format_(format), path_(std::move(path)), size_(size), dots_per_inch_(dots_per_inch) {}

PictureOutput::~PictureOutput() {
  surface_.reset();
  if (painter_.isActive()) painter_.end();
}

bool PictureOutput::open_stream(std::ios::openmode mode) {
  file_.open(path_, mode | std::ios::trunc);
  return static_cast<bool>(file_);
}

bool PictureOutput::open() {
  if (picture_is_raster(format_)) {
    canvas_ = std::make_unique<PictureCanvas>(size_);
    return canvas_->is_valid();
  }
  switch (format_) {
    case PictureFormat::svg:
      if (!open_stream(std::ios::out)) return false;
      svg_ = std::make_unique<SvgSurface>(file_, size_.width, size_.height);
      return static_cast<bool>(file_);
    case PictureFormat::pdf: {
      pdf_file_.setFileName(QString::fromStdString(path_));
      if (!pdf_file_.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
      pdf_ = std::make_unique<QPdfWriter>(&pdf_file_);
      // One device unit per pixel: a point, or a dot of the resolution.
      const int dpi = dots_per_inch_ > 0 ? dots_per_inch_ : static_cast<int>(kPointsPerInch);
      pdf_->setResolution(dpi);
      const double scale = kPointsPerInch / dpi;
      pdf_->setPageSize(QPageSize(QSizeF(size_.width * scale, size_.height * scale), QPageSize::Point, QString(),
                                  QPageSize::ExactMatch));
      pdf_->setPageMargins(QMarginsF(0, 0, 0, 0));
      if (!painter_.begin(pdf_.get())) return false;
      painter_.fillRect(QRect(0, 0, size_.width, size_.height), Qt::white);
      surface_ = std::make_unique<QtSurface>(painter_, QRect(0, 0, size_.width, size_.height));
      return true;
    }
    case PictureFormat::wmf:
      if (!open_stream(std::ios::out | std::ios::binary)) return false;
      wmf_ = std::make_unique<WmfSurface>(file_, size_.width, size_.height);
      return static_cast<bool>(file_);
    case PictureFormat::hpgl:
      if (!open_stream(std::ios::out)) return false;
      write_conversion_header(file_, size_.width, size_.height);
      return static_cast<bool>(file_);
    default:
      return false;
  }
}

Surface* PictureOutput::surface() {
  if (canvas_) return &canvas_->surface();
  if (svg_) return svg_.get();
  if (wmf_) return wmf_.get();
  return surface_.get();
}

void PictureOutput::attach(DeviceTargets& targets) {
  targets.window_height = size_.height;
  targets.picture = surface();
  targets.conversion = conversion();
}

bool PictureOutput::save_image() {
  const QImage image = canvas_->take_image();
  canvas_.reset();
  if (format_ == PictureFormat::bmp) return write_bmp_file(image, path_);
  QFile file(QString::fromStdString(path_));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  QImageWriter writer(&file, qt_writer(format_));
  bool ok;
  if (format_ == PictureFormat::png) {
    writer.setQuality(kPngQuality);
    const QImage palette = to_palette_image(image);
    ok = writer.write(palette.isNull() ? image : palette);
  } else {
    if (format_ == PictureFormat::jpeg) writer.setQuality(kJpegQuality);
    ok = writer.write(image);
  }
  ok = file.flush() && ok;
  file.close();
  return ok && file.error() == QFileDevice::NoError;
}

bool PictureOutput::close_stream(bool surface_ok) {
  file_.close();
  return surface_ok && !file_.fail();
}

bool PictureOutput::close() {
  if (canvas_) return save_image();
  switch (format_) {
    case PictureFormat::svg: {
      const bool ok = svg_ && svg_->finish();
      svg_.reset();
      return close_stream(ok);
    }
    case PictureFormat::pdf: {
      surface_.reset();
      const bool ended = !painter_.isActive() || painter_.end();
      pdf_.reset();
      const bool flushed = pdf_file_.isOpen() && pdf_file_.flush();
      pdf_file_.close();
      return ended && flushed && pdf_file_.error() == QFileDevice::NoError;
    }
    case PictureFormat::wmf: {
      const bool ok = wmf_ && wmf_->finish();
      wmf_.reset();
      return close_stream(ok);
    }
    case PictureFormat::hpgl:
      return close_stream(true);
    default:
      return false;
  }
}

}  // namespace kavor
