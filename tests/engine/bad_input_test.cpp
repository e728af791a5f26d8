// Malformed, truncated and hostile plot input: none of it may crash, hang,
// read outside its buffers or end the process.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "device/draw_device.h"
#include "support/recording_surface.h"
#include "support/test_env.h"

namespace kavor::testing {
namespace {

std::string read_data(const std::string& name) {
  std::ifstream in(std::string(KAVOR_TEST_DATA) + "/" + name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Counts surface calls but keeps none, so long runs stay small.
class CountingSurface : public Surface {
 public:
  void draw_polyline(const DevicePoint*, int, int, Rgb) override { ++calls; }
  void set_pixel(DevicePoint, Rgb) override { ++calls; }
  int page_extent_x() const override { return 1000; }
  long calls = 0;
};

struct BadInputTest : ::testing::TestWithParam<const char*> {
  TestEngine t;
  CountingSurface surface;
  std::ostringstream conversion;

  BadInputTest() {
    t.engine->device.targets.picture = &surface;
    t.engine->device.targets.printer = &surface;
    t.engine->device.targets.window_height = 700;
  }

  std::vector<std::string> device_options() const {
    std::string d = GetParam();
    if (d == "PRINTER") return {"-COLOR", "-CC", "ESC/P"};
    return {"-COLOR", "-DE", d};
  }

  // A plot must never end the process.
  void run_ok(const std::string& plot) {
    reset_display_batch(*t.engine);
    ASSERT_TRUE(t.run(plot, device_options())) << "fatal error: " << (t.host.fatals.empty() ? "" : t.host.fatals.back());
    flush_display_batch(*t.engine);
    t.host.warnings.clear();
    t.host.instruction_errors.clear();
  }
};

TEST_P(BadInputTest, TruncatedAtEveryByte) {
  std::string plot = read_data("mixed_sample.plt");
  ASSERT_FALSE(plot.empty());
  for (size_t n = 0; n <= plot.size(); n += (GetParam() == std::string("DISPLAY") ? 1 : 7)) run_ok(plot.substr(0, n));
}

TEST_P(BadInputTest, BinaryGarbageAndNulBytes) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 20; ++round) {
    std::string junk;
    for (int i = 0; i < 4000; ++i) junk += static_cast<char>(byte(rng));
    run_ok(junk);
  }
  run_ok(std::string(10000, '\0'));
  run_ok(std::string("PA\0\0,10;PD\0 100,100;LB\0\0\x03", 22));
}

TEST_P(BadInputTest, HugeTokensAndNumbers) {
  run_ok("PA" + std::string(1 << 20, '9') + ",1;PD1,1;");
  run_ok("PD1," + std::string(1 << 20, '-') + ";");
  run_ok("PA1e308,1e308;PD99999999999999999999,-99999999999999999999;PD-0,-0;");
  run_ok("SC0,1e300,0,1e-300;PA1,1;PD1e200,1;CI1e300;IP0,0,0,0;PD5,5;");
  run_ok("PA0,0;PD2147483647,2147483647,-2147483648,2147483647;LT2;PD0,0,99999999999,1;");
  run_ok("PW99999;PD100,100;PW0.00001;PD1,1;LT1,99999999,1;PD2000,2000;LT-8,0.0001;PD0,0;");
}

TEST_P(BadInputTest, DegenerateGeometry) {
  run_ok("SC5,5,5,5;SC0,0,0,0,1;SC0,1,0,1,2,0,0;IW5,5,5,5;CI0;AA0,0,0;AR0,0,0,0;AT0,0,0,0;");
  run_ok("IP5,5,5,5;SC0,10,0,10;PA1,1;PD2,2;CI3;FT3,1,45;RA5,5;LT2;PD0,0;SR;LBx\x03");
  run_ok("PA0,0;CI100000000,0.0001;CT1;CI100000000,0.0001;AA0,0,360000000,0.0001;");
  run_ok("FT3,1,0;PA0,0;RA10800,7600;FT4,1,45;RR-10800,-7600;PM0;PD10000,0,0,7000;PM2;FP;");
}

TEST_P(BadInputTest, DeeplyRepeatedPolygonsAndLabels) {
  std::string plot;
  for (int i = 0; i < 2000; ++i) plot += "PM0;FP;EP;";
  run_ok(plot);
  plot = "PM0;";
  for (int i = 0; i < 1500; ++i) plot += "PD" + std::to_string(i * 7 % 9000) + "," + std::to_string(i * 13 % 7000) + ";";
  run_ok(plot + "PM2;FP;EP;FP;");
  plot.clear();
  for (int i = 0; i < 10000; ++i) plot += "LBlabel\x03";
  run_ok(plot);
}

TEST_P(BadInputTest, EndsInsideEveryInstruction) {
  static const char* const kMnemonics[] = {
      "AA", "AC", "AD", "AF", "AH", "AR", "AT", "BL", "BP", "CF", "CI", "CP", "CR", "CT", "DF", "DI", "DL", "DR",
      "DT", "DU", "DV", "EA", "EP", "ER", "ES", "EW", "FP", "FT", "IC", "IN", "IP", "IR", "IW", "LA", "LB", "LO",
      "LT", "MC", "MT", "NP", "PA", "PB", "PC", "PD", "PE", "PG", "PM", "PR", "PT", "PU", "PW", "RA", "RC", "RF",
      "RO", "RR", "RT", "SA", "SC", "SD", "SI", "SL", "SM", "SP", "SR", "SS", "ST", "SU", "TD", "TL", "UC", "UF",
      "UL", "WD", "WG", "WU", "XT", "YT"};
  for (const char* m : kMnemonics) {
    run_ok(m);
    run_ok(std::string(m) + "1");
    run_ok(std::string(m) + "1,");
    run_ok(std::string(m) + "1,2,3,4,5,6,7,8,9");
    run_ok(std::string(m) + "-");
    run_ok(std::string("PA100,100;PD;") + m + "10,20,30,40,50,60,70,80,90,100,110,120,130;PD200,200;");
  }
  for (const char* esc : {"\x1b", "\x1b%", "\x1b%-", "\x1b%-1", "\x1b%1", "\x1b%9A", "\x1b.", "\x1b\x1b", "\x1b"
                                                                                                          "E"})
    run_ok(esc);
  run_ok("PE");
  run_ok("PE7");
  run_ok("PE:");
  run_ok("PE>");
  run_ok("PE<=");
  run_ok("PE\x7e\x7e\x7e\x7e\x7e\x7e;");
}

// Every input that fuzzing found (a crash, a hang or a slow unit) runs to
// its end: tests/data/fuzz/plot keeps them, and fuzzing starts from them.
TEST_P(BadInputTest, FuzzFindingsRunToTheEnd) {
  int found = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(KAVOR_TEST_DATA) + "/fuzz/plot")) {
    SCOPED_TRACE(entry.path().filename().string());
    run_ok(read_data("fuzz/plot/" + entry.path().filename().string()));
    ++found;
  }
  EXPECT_GT(found, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryDevice, BadInputTest, ::testing::Values("DISPLAY", "PRINTER", "FILE"));

}  // namespace
}  // namespace kavor::testing
