#include "platform/picture_canvas.h"

#include "platform/image_surface.h"
#include "platform/qt_surface.h"

namespace kavor {

PictureCanvas::PictureCanvas(PixelSize size) {
  if (size.width <= 0 || size.height <= 0) return;
  image_ = QImage(size.width, size.height, QImage::Format_RGB32);
  if (image_.isNull() || !painter_.begin(&image_)) return;
  painter_.fillRect(image_.rect(), Qt::white);
  wide_lines_ = std::make_unique<QtSurface>(painter_, image_.rect());
  surface_ = std::make_unique<ImageSurface>(image_, *wide_lines_);
}

PictureCanvas::~PictureCanvas() {
  surface_.reset();
  wide_lines_.reset();
  if (painter_.isActive()) painter_.end();
}

Surface& PictureCanvas::surface() { return *surface_; }

QImage PictureCanvas::take_image() {
  surface_.reset();
  wide_lines_.reset();
  if (painter_.isActive()) painter_.end();
  return std::move(image_);
}

}  // namespace kavor
