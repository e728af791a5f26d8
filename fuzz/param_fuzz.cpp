// Fuzzes the parameter-file tokeniser and the option parser. A fatal error
// is an expected outcome here; crashes and sanitizer reports are findings.

#include <cctype>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/fatal_error.h"
#include "engine/run.h"
#include "fuzz/settings_dir.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kavor::NullHost host(kavor::private_settings_dir(), {640, 480});
  kavor::Engine engine(host);
  std::ostringstream sink;
  engine.out = &sink;
  engine.err = &sink;
  std::string bytes(reinterpret_cast<const char*>(data), size);
  try {
    std::vector<std::string> args = kavor::tokenise_parameter_file(engine, bytes);
    // Options only: input markers are dropped so that no file is opened.
    std::vector<std::string> options{args[0]};
    for (size_t i = 1; i < args.size(); ++i) {
      std::string t = args[i];
      if (t.size() >= 3 && t[0] == '-' && (t[1] | 0x20) == 'i' && (t[2] | 0x20) == 'n') {
        ++i;
        continue;
      }
      // -LOG and -OFILE would create files named by the input: skip them in any case.
      std::string upper = t;
      for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      if (upper == "-LOG" || upper == "-OFILE") {
        ++i;
        continue;
      }
      options.push_back(t);
    }
    kavor::engine_run_memory(engine, options, "IN;PA0,0;PD100,100;");
  } catch (const kavor::FatalError&) {
  }
  return 0;
}
