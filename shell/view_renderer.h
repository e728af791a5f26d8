#pragma once
// The view's picture and how it is made: the parameter file written from
// the settings, a fresh engine run through the shell's host into a white
// picture of the view's size (drawn by the same canvas as the converter's
// PNG), and the picture kept until something discards it. The engine of
// the last rendering is kept too: the paper fitting reads its drawing
// extents.

#include <QImage>
#include <QObject>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>

#include "config/settings.h"
#include "engine/host.h"

namespace kavor {

struct Engine;
class PictureCanvas;
class ShellHost;

struct ViewRendering {
  std::string plot_file;
  PixelSize picture;      // W by Hv
  int client_height = 0;  // H: the conversion file's y runs up from here
  std::ostream* conversion = nullptr;
};

class ViewRenderer : public QObject {
  Q_OBJECT
 public:
  explicit ViewRenderer(ShellHost& host);
  ~ViewRenderer() override;

  // Writes $param.kv (the zoom rectangle is rewritten from its rounded
  // percentages) and renders. False after a fatal error: the program must
  // end then.
  bool render(const Settings& settings, ZoomView& zoom, const ViewRendering& what);
  bool is_rendering() const { return canvas_ != nullptr; }
  // The picture to show: the finished one, or the one being drawn; null
  // when there is none.
  const QImage* picture() const;
  // The finished picture, to paint scribbles on; null while rendering.
  QImage* finished_picture() { return canvas_ || picture_.isNull() ? nullptr : &picture_; }
  bool has_picture() const { return picture() != nullptr; }
  // Drops the picture; during a rendering, as soon as it ends.
  void discard();
  // The engine of the last rendering, or null before the first.
  Engine* last_engine() { return engine_.get(); }

 signals:
  void picture_changed();

 private:
  ShellHost& host_;
  std::unique_ptr<PictureCanvas> canvas_;  // while rendering
  QImage picture_;
  bool discard_after_rendering_ = false;
  std::unique_ptr<Engine> engine_;
  std::ostringstream engine_output_;  // the engine's standard streams
};

}  // namespace kavor
