#include "support/test_env.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "engine/fatal_error.h"
#include "engine/run.h"
#include "hpgl/configuration.h"
#include "hpgl/instruction_table.h"

namespace kavor::testing {

std::vector<std::string> RecordingHost::all_messages() const {
  std::vector<std::string> all = warnings;
  all.insert(all.end(), instruction_errors.begin(), instruction_errors.end());
  all.insert(all.end(), fatals.begin(), fatals.end());
  return all;
}

TempDir::TempDir() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "kavor-test-XXXXXX").string();
  char* made = mkdtemp(tmpl.data());
  path_ = std::string(made ? made : tmpl.c_str()) + "/";
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string TempDir::write(const std::string& name, const std::string& content) const {
  std::string full = path_ + name;
  std::ofstream(full, std::ios::binary) << content;
  return full;
}

TestEngine::TestEngine() : host(dir.path()) {
  setenv("KAVOR_HOME", dir.path().c_str(), 1);
  engine = std::make_unique<Engine>(host);
  engine->out = &out;
  engine->err = &err;
}

namespace {
std::vector<std::string> run_vector(const std::vector<std::string>& options) {
  std::vector<std::string> v{kProgramName};
  v.insert(v.end(), options.begin(), options.end());
  return v;
}
}  // namespace

bool TestEngine::run(const std::string& plot, const std::vector<std::string>& options) {
  try {
    engine_run_memory(*engine, run_vector(options), plot);
    return true;
  } catch (const FatalError&) {
    return false;
  }
}

bool TestEngine::init(const std::vector<std::string>& options) {
  try {
    reset_run_state(*engine);
    prepare_run(*engine, run_vector(options));
    device_extents(*engine);
    return true;
  } catch (const FatalError&) {
    return false;
  }
}

void TestEngine::feed(const std::string& plot) {
  engine->run.input.open_memory(plot);
  run_main_loop(*engine);
}

void use_square_display(Engine& e, std::ostream& conversion) {
  e.options.device = DeviceKind::DISPLAY;
  e.run.view = {1000, 1000};
  PlotArea& a = e.gs.area;
  a.xmin = a.ymin = a.clip_xmin = a.clip_ymin = 0;
  a.xmax = a.ymax = a.clip_xmax = a.clip_ymax = 1000;
  e.gs.device = {0, 0, 1000, 1000, 0, 0};
  e.gs.window.on = false;
  e.gs.pen.pen = 1;
  e.device.targets.conversion = &conversion;
  e.device.targets.window_height = 1000;
}

int run_handler(Engine& e, const char* mnemonic) { return find_instruction(mnemonic[0], mnemonic[1])->handler(e); }

std::vector<std::string> conversion_lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

std::vector<ConversionSegment> conversion_segments(const std::string& text) {
  std::vector<ConversionSegment> out;
  for (const std::string& line : conversion_lines(text)) {
    ConversionSegment s{};
    if (std::sscanf(line.c_str(), "SP%d PU%d,%d PD%d,%d", &s.pen, &s.x1, &s.y1, &s.x2, &s.y2) == 5) out.push_back(s);
  }
  return out;
}

void SquareDisplayTest::SetUp() {
  ASSERT_TRUE(t.init());
  use_square_display(e(), conversion);
}

std::vector<std::string> SquareDisplayTest::feed(const std::string& plot) {
  conversion.str("");
  t.feed(plot);
  return take_lines();
}

std::vector<std::string> SquareDisplayTest::take_lines() {
  std::vector<std::string> out = conversion_lines(conversion.str());
  conversion.str("");
  return out;
}

std::vector<ConversionSegment> SquareDisplayTest::take_segments() {
  std::vector<ConversionSegment> out = conversion_segments(conversion.str());
  conversion.str("");
  return out;
}

}  // namespace kavor::testing
