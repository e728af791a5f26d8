// Fuzzes one engine run on the display device into a small picture through
// the image surface, so that every line and pixel the engine makes from
// arbitrary plot bytes is written into real image memory. At every page end
// the rendering moves on to a new sheet as the converter's pages do, in
// turn trimmed and on another paper. A plot file must never end the
// process: a fatal error is a finding.

#include <QImage>
#include <QPainter>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "device/draw_device.h"
#include "engine/engine.h"
#include "engine/fatal_error.h"
#include "engine/rendering.h"
#include "engine/run.h"
#include "fuzz/settings_dir.h"
#include "platform/image_surface.h"
#include "platform/qt_surface.h"

namespace {

// An odd size, so that rows and edges are not where a round size puts them.
constexpr int kWidth = 173, kHeight = 97;

class PagingHost : public kavor::NullHost {
 public:
  PagingHost() : NullHost(kavor::private_settings_dir(), {kWidth, kHeight}) {}
  void end_page() override {
    static const std::vector<std::string> kSheets[] = {
        {kavor::kProgramName, "-PP", "A4", "-BM", "10", "20", "30.5", "40"},
        {kavor::kProgramName, "-PP", "A3", "-BM", "0", "0", "100", "100"}};
    const kavor::DeviceTargets targets = engine->device.targets;
    kavor::switch_targets(*engine, targets);
    kavor::change_sheet(*engine, kSheets[++pages % 2]);
  }
  kavor::Engine* engine = nullptr;
  unsigned pages = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static PagingHost host;
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  kavor::QtSurface wide_lines(painter, image.rect());
  kavor::ImageSurface surface(image, wide_lines);
  kavor::Engine engine(host);
  host.engine = &engine;
  std::ostringstream sink;
  engine.out = &sink;
  engine.err = &sink;
  engine.device.targets.picture = &surface;
  engine.device.targets.window_height = kHeight;
  try {
    kavor::reset_display_batch(engine);
    kavor::engine_run_memory(engine, {kavor::kProgramName, "-COLOR", "-DE", "DISPLAY"},
                             std::string(reinterpret_cast<const char*>(data), size));
    kavor::flush_display_batch(engine);
  } catch (const kavor::FatalError& f) {
    std::cerr << "fatal error from plot input: " << f.what() << '\n';
    std::abort();
  }
  return 0;
}
