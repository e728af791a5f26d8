#pragma once
// A white picture of a given size and the surface that draws the engine's
// strokes into it: thin lines and pixels straight into the image, wide pens
// through a painter over the same image. The converter's PNG and BMP and
// the desktop program's view are all drawn by it, so that they hold the
// same pixels for the same run.

#include <QImage>
#include <QPainter>
#include <memory>

#include "engine/host.h"

namespace kavor {

class ImageSurface;
class QtSurface;
class Surface;

class PictureCanvas {
 public:
  explicit PictureCanvas(PixelSize size);
  ~PictureCanvas();
  PictureCanvas(const PictureCanvas&) = delete;
  PictureCanvas& operator=(const PictureCanvas&) = delete;

  // False when the image could not be made (a size of 0, or no memory).
  bool is_valid() const { return surface_ != nullptr; }
  // The surface to hand to the drawing device; only while is_valid().
  Surface& surface();
  // The picture so far. Drawing goes on into the same pixels, so a caller
  // that only reads may show a picture that is still being drawn.
  const QImage& image() const { return image_; }
  // Ends the drawing and hands over the picture.
  QImage take_image();

 private:
  QImage image_;
  QPainter painter_;
  std::unique_ptr<QtSurface> wide_lines_;
  std::unique_ptr<ImageSurface> surface_;
};

}  // namespace kavor
