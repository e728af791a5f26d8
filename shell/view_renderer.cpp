#include "shell/view_renderer.h"

#include "device/draw_device.h"
#include "engine/engine.h"
#include "engine/rendering.h"
#include "platform/picture_canvas.h"
#include "shell/shell_host.h"

namespace kavor {

ViewRenderer::ViewRenderer(ShellHost& host) : host_(host) {}

ViewRenderer::~ViewRenderer() = default;

const QImage* ViewRenderer::picture() const {
  if (canvas_) return &canvas_->image();
  return picture_.isNull() ? nullptr : &picture_;
}

void ViewRenderer::discard() {
  if (canvas_) discard_after_rendering_ = true;
  picture_ = QImage();
}

bool ViewRenderer::render(const Settings& settings, ZoomView& zoom, const ViewRendering& what) {
  if (canvas_) return true;
  write_parameter_file(settings, host_.settings_dir(), what.plot_file, 0, zoom,
                       [this](const std::string& text, const std::string& caption) {
                         host_.show_message(text, caption);
                       });
  picture_ = QImage();
  discard_after_rendering_ = false;
  canvas_ = std::make_unique<PictureCanvas>(what.picture);
  engine_ = std::make_unique<Engine>(host_);
  engine_output_.str({});
  engine_->out = engine_->err = &engine_output_;
  DeviceTargets targets;
  if (canvas_->is_valid()) targets.picture = &canvas_->surface();
  targets.window_height = what.client_height;
  targets.conversion = what.conversion;
  host_.set_view_area(what.picture);
  host_.set_progress_repaint([this] { emit picture_changed(); });
  host_.begin(QStringLiteral("表示準備中"), QStringLiteral("Cancel Drawing"));
  const bool finished = run_rendering(*engine_, targets);
  host_.end();
  host_.set_progress_repaint({});
  picture_ = canvas_->take_image();
  canvas_.reset();
  if (picture_.isNull()) {
    // No memory for a picture of this size: a white dot stands for it, so
    // that the view does not ask again and again.
    picture_ = QImage(1, 1, QImage::Format_RGB32);
    picture_.fill(Qt::white);
  }
  if (discard_after_rendering_) picture_ = QImage();
  emit picture_changed();
  return finished;
}

}  // namespace kavor
