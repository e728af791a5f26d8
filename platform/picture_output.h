#pragma once
// Picture files: a surface per format, set as the drawing device's display
// target for one rendering, then saved. The converter writes every format
// through it.

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

enum class PictureFormat { png, bmp, svg, pdf, wmf, hpgl };

// --format if given, else the output name's extension, else png. False for
// a format name that is not known.
bool choose_picture_format(const std::string& format, const std::string& output, PictureFormat& chosen);
const char* picture_extension(PictureFormat f);
// DIR/basename.ext for an input (stdin is named "stdin").
std::string output_in_directory(const std::string& dir, const std::string& input, PictureFormat f);

class PictureOutput {
 public:
  PictureOutput(PictureFormat format, std::string path, PixelSize size);
  ~PictureOutput();
  PictureOutput(const PictureOutput&) = delete;
  PictureOutput& operator=(const PictureOutput&) = delete;

  // Opens the file or the picture, white; false when it cannot be written.
  bool open();
  // Points the drawing device at this output.
  void attach(DeviceTargets& targets);
  // Ends the rendering and writes the file; false when that failed.
  bool close();

 private:
  PictureFormat format_;
  std::string path_;
  PixelSize size_;
  std::unique_ptr<PictureCanvas> canvas_;  // png and bmp
  std::unique_ptr<QPdfWriter> pdf_;
  QPainter painter_;
  std::unique_ptr<QtSurface> surface_;  // pdf
  std::ofstream file_;
  std::unique_ptr<WmfSurface> wmf_;
  std::unique_ptr<SvgSurface> svg_;
};

}  // namespace kavor
