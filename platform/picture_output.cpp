#include "platform/picture_output.h"

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
constexpr FormatName kFormats[] = {{"png", PictureFormat::png}, {"bmp", PictureFormat::bmp},
                                   {"dib", PictureFormat::bmp}, {"svg", PictureFormat::svg},
                                   {"pdf", PictureFormat::pdf}, {"wmf", PictureFormat::wmf},
                                   {"hpgl", PictureFormat::hpgl}, {"hpg", PictureFormat::hpgl},
                                   {"plt", PictureFormat::hpgl}, {"hgl", PictureFormat::hpgl}};

bool format_of_name(std::string name, PictureFormat& f) {
  std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
  for (const FormatName& n : kFormats)
    if (name == n.name) {
      f = n.format;
      return true;
    }
  return false;
}

}  // namespace

bool choose_picture_format(const std::string& format, const std::string& output, PictureFormat& chosen) {
  if (!format.empty()) return format_of_name(format, chosen);
  std::string ext = std::filesystem::path(output).extension().string();
  if (ext.size() > 1 && format_of_name(ext.substr(1), chosen)) return true;
  chosen = PictureFormat::png;
  return true;
}

const char* picture_extension(PictureFormat f) {
  for (const FormatName& n : kFormats)
    if (n.format == f) return n.name;
  return "png";
}

std::string output_in_directory(const std::string& dir, const std::string& input, PictureFormat f) {
  std::string stem = input == "-" ? std::string("stdin") : std::filesystem::path(input).stem().string();
  if (stem.empty()) stem = "picture";
  return (std::filesystem::path(dir) / (stem + "." + picture_extension(f))).string();
}

PictureOutput::PictureOutput(PictureFormat format, std::string path, PixelSize size)
    : format_(format), path_(std::move(path)), size_(size) {}

PictureOutput::~PictureOutput() {
  if (painter_.isActive()) painter_.end();
}

bool PictureOutput::open() {
  const QString name = QString::fromStdString(path_);
  switch (format_) {
    case PictureFormat::png:
    case PictureFormat::bmp:
      canvas_ = std::make_unique<PictureCanvas>(size_);
      return canvas_->is_valid();
    case PictureFormat::svg:
      file_.open(path_, std::ios::trunc);
      if (!file_) return false;
      svg_ = std::make_unique<SvgSurface>(file_, size_.width, size_.height);
      return static_cast<bool>(file_);
    case PictureFormat::pdf:
      // One device unit per point, so that a view pixel is one point.
      pdf_ = std::make_unique<QPdfWriter>(name);
      pdf_->setResolution(72);
      pdf_->setPageSize(QPageSize(QSizeF(size_.width, size_.height), QPageSize::Point, QString(),
                                  QPageSize::ExactMatch));
      pdf_->setPageMargins(QMarginsF(0, 0, 0, 0));
      if (!painter_.begin(pdf_.get())) return false;
      painter_.fillRect(QRect(0, 0, size_.width, size_.height), Qt::white);
      surface_ = std::make_unique<QtSurface>(painter_, QRect(0, 0, size_.width, size_.height));
      return true;
    case PictureFormat::wmf:
      file_.open(path_, std::ios::binary | std::ios::trunc);
      if (!file_) return false;
      wmf_ = std::make_unique<WmfSurface>(file_, size_.width, size_.height);
      return static_cast<bool>(file_);
    case PictureFormat::hpgl:
      file_.open(path_, std::ios::trunc);
      if (!file_) return false;
      write_conversion_header(file_, size_.width, size_.height);
      return static_cast<bool>(file_);
  }
  return false;
}

void PictureOutput::attach(DeviceTargets& targets) {
  targets.window_height = size_.height;
  targets.picture = svg_ ? static_cast<Surface*>(svg_.get())
                  : canvas_ ? &canvas_->surface()
                            : surface_.get();
  targets.export_surface = wmf_.get();
  targets.conversion = format_ == PictureFormat::hpgl ? &file_ : nullptr;
}

namespace {
constexpr int kPngQuality = 80;  // zlib level 1
}  // namespace

bool PictureOutput::close() {
  surface_.reset();
  if (painter_.isActive() && !painter_.end()) return false;
  switch (format_) {
    case PictureFormat::png: {
      const QImage image = canvas_->take_image();
      // Line drawings compress well at a low zlib level; the default level
      // costs more time than the whole rendering of a typical plot.
      const QImage palette = to_palette_image(image);
      return (palette.isNull() ? image : palette).save(QString::fromStdString(path_), "PNG", kPngQuality);
    }
    case PictureFormat::bmp:
      return write_bmp_file(canvas_->take_image(), path_);
    case PictureFormat::svg: {
      bool ok = svg_->finish();
      svg_.reset();
      file_.close();
      return ok && !file_.fail();
    }
    case PictureFormat::pdf:
      return true;
    case PictureFormat::wmf: {
      bool ok = wmf_->finish();
      wmf_.reset();
      file_.close();
      return ok && !file_.fail();
    }
    case PictureFormat::hpgl:
      file_.close();
      return !file_.fail();
  }
  return false;
}

}  // namespace kavor
