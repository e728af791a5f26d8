#pragma once
// Picture files: a surface per format, set as the drawing device's target
// for one rendering, then saved. The converter writes every format through
// it.

#include <QFile>
#include <QPainter>
#include <fstream>
#include <memory>
#include <string>

#include "device/draw_device.h"
#include "engine/host.h"

class QPdfWriter;

namespace kavor {

class PictureCanvas;
class QtSurface;
class SvgSurface;
class WmfSurface;

enum class PictureFormat { png, bmp, svg, pdf, wmf, hpgl, jpeg, tiff };

// --format if given, else the output name's extension; standard output
// ("-") and no output name mean png. False for a format name or an
// extension that is no known format.
bool choose_picture_format(const std::string& format, const std::string& output, PictureFormat& chosen);
// False for a format that this system's Qt cannot write (jpeg, tiff).
bool picture_format_available(PictureFormat f);
const char* picture_extension(PictureFormat f);
// True for the formats made of pixels.
bool picture_is_raster(PictureFormat f);
// Format names and extensions, for messages.
const char* picture_format_names();

class PictureOutput {
 public:
  // dots_per_inch: the picture's resolution when it has a physical size
  // (a PDF page then measures size / dots_per_inch inches); 0 when a pixel
  // is a point.
  PictureOutput(PictureFormat format, std::string path, PixelSize size, int dots_per_inch = 0);
  ~PictureOutput();
  PictureOutput(const PictureOutput&) = delete;
  PictureOutput& operator=(const PictureOutput&) = delete;

  // Opens the file or the picture, white; false when it cannot be written.
  bool open();
  // Points the drawing device's display targets at this output.
  void attach(DeviceTargets& targets);
  // The surface that draws the picture (none for the hpgl conversion file).
  Surface* surface();
  // The conversion file of the hpgl format, else none.
  std::ostream* conversion() { return format_ == PictureFormat::hpgl ? &file_ : nullptr; }
  // Ends the rendering and writes the file; false when that failed.
  bool close();

 private:
  bool open_stream(std::ios::openmode mode);
  bool save_image();
  bool close_stream(bool surface_ok);

  PictureFormat format_;
  std::string path_;
  PixelSize size_;
  int dots_per_inch_;
  std::unique_ptr<PictureCanvas> canvas_;  // raster formats
  QFile pdf_file_;
  std::unique_ptr<QPdfWriter> pdf_;
  QPainter painter_;
  std::unique_ptr<QtSurface> surface_;  // pdf
  std::ofstream file_;
  std::unique_ptr<WmfSurface> wmf_;
  std::unique_ptr<SvgSurface> svg_;
};

}  // namespace kavor
