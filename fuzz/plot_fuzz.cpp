// Fuzzes one whole engine run over arbitrary plot bytes, for each device
// kind. A plot file must never end the process: a fatal error is a finding.

#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include "device/draw_device.h"
#include "engine/engine.h"
#include "engine/fatal_error.h"
#include "engine/run.h"
#include "fuzz/settings_dir.h"

namespace {

class NullSurface : public kavor::Surface {
 public:
  void draw_polyline(const kavor::DevicePoint*, int, int, kavor::Rgb) override {}
  void set_pixel(kavor::DevicePoint, kavor::Rgb) override {}
  int page_extent_x() const override { return 900; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kavor::NullHost host(kavor::private_settings_dir(), {640, 480});
  static const char* const kDevices[] = {"DISPLAY", "PRINTER", "FILE"};
  std::string plot(reinterpret_cast<const char*>(data), size);
  for (const char* device : kDevices) {
    kavor::Engine engine(host);
    std::ostringstream sink, conversion;
    engine.out = &sink;
    engine.err = &sink;
    NullSurface surface;
    engine.device.targets.picture = &surface;
    engine.device.targets.printer = &surface;
    engine.device.targets.conversion = &conversion;
    engine.device.targets.window_height = 480;
    try {
      kavor::reset_display_batch(engine);
      std::string cc = std::string(device) == "PRINTER" ? "-CC" : "-DE";
      std::string value = std::string(device) == "PRINTER" ? "ESC/P" : device;
      kavor::engine_run_memory(engine, {kavor::kProgramName, "-COLOR", cc, value}, plot);
      kavor::flush_display_batch(engine);
    } catch (const kavor::FatalError& f) {
      std::cerr << "fatal error from plot input: " << f.what() << '\n';
      std::abort();
    }
  }
  return 0;
}
