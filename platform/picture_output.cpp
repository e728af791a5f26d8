#include "platform/picture_output.h"

#include <QFile>
#include <QImageWriter>
#include <algorithm>
#include <cctype>
#include <filesystem>

#include "device/conversion_writer.h"
#include "engine/units.h"
#include "platform/bmp_writer.h"
#include "platform/palette_image.h"
#include "platform/picture_canvas.h"
#include "platform/pdf_surface.h"
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

PictureOutput::~PictureOutput() = default;

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
      if (!open_stream(std::ios::out | std::ios::binary)) return false;
      // One pixel is a point, or a dot of the resolution.
      const double points_per_pixel = dots_per_inch_ > 0 ? kPointsPerInch / dots_per_inch_ : 1.0;
      pdf_ = std::make_unique<PdfSurface>(file_, size_.width, size_.height, points_per_pixel);
      return static_cast<bool>(file_);
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
  return pdf_.get();
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
      const bool ok = pdf_ && pdf_->finish();
      pdf_.reset();
      return close_stream(ok);
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
