#include "config/settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "engine/run.h"
#include "support/test_env.h"

namespace kavor {
namespace {

using testing::TempDir;

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

ZoomView whole_picture() { return ZoomView{640, 400, 0, 0, 639, 399}; }

std::string parameter_file(const Settings& s, const std::string& input = "/plots/A.GL", int split = 0) {
  TempDir dir;
  ZoomView zoom = whole_picture();
  EXPECT_TRUE(write_parameter_file(s, dir.path(), input, split, zoom));
  return read_file(dir.path() + "$param.kv");
}

Settings loaded(const std::string& lines, Settings s = {}) {
  TempDir dir;
  load_settings_file(s, dir.write("set.kv", lines));
  return s;
}

const std::string kDefaultLines =
    "-in /plots/A.GL\n-NOVRESET\n-NOWAIT\n-PC WKBGRMCY\n-PW 00000000\n-PT HP7550\n-PP A4\n-OP A4\n"
    "-RE 180x180\n-SM NORMAL\n-COLOR\n";

TEST(ParameterFile, DefaultsGiveElevenLines) { EXPECT_EQ(parameter_file(Settings{}), kDefaultLines); }

TEST(ParameterFile, SplitIndexAddsItsTrimmingLine) {
  EXPECT_EQ(parameter_file(Settings{}, "/plots/A.GL", 3), kDefaultLines + "-BM   0   0  50  50\n");
}

TEST(ParameterFile, SplitLinesRunUpEachColumnThenAcross) {
  struct Layout {
    int sheets_x, sheets_y;
  };
  std::vector<std::string> expected;
  for (Layout l : {Layout{2, 1}, Layout{2, 2}, Layout{4, 2}, Layout{4, 4}})
    for (int i = 0; i < l.sheets_x; ++i)
      for (int j = 0; j < l.sheets_y; ++j) {
        char line[64];
        std::snprintf(line, sizeof line, "-BM %3d %3d %3d %3d\n", i * 100 / l.sheets_x, j * 100 / l.sheets_y,
                      100 / l.sheets_x, 100 / l.sheets_y);
        expected.push_back(line);
      }
  ASSERT_EQ(expected.size(), kSplitPrintLines.size());
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(kSplitPrintLines[i], expected[i]) << "index " << i + 1;
}

TEST(ParameterFile, MagnificationsWrittenOnlyWhenNotOne) {
  Settings s;
  s.magnification_y = 1.5;
  s.output_magnification_x = 2;
  std::string text = parameter_file(s);
  EXPECT_NE(text.find("-PX 1.000000x1.500000\n"), std::string::npos);
  EXPECT_NE(text.find("-SM NORMAL\n-OX 2.000000x1.000000\n-COLOR\n"), std::string::npos);
  s.magnification_y = 1.0;
  EXPECT_EQ(parameter_file(s).find("-PX"), std::string::npos);
}

TEST(ParameterFile, PrintingMonoRealSizeAndDeviceSize) {
  Settings s;
  s.printing = 1003;
  s.colour = 0;
  s.real_size = 1;
  s.output_paper = -1;
  s.device_width = 800;
  s.device_height = 600;
  s.resolution_x = 300;
  s.resolution_y = 600;
  EXPECT_EQ(parameter_file(s, "/p/B.HGL", 30),
            "-in /p/B.HGL\n-NOVRESET\n-NOWAIT\n-PC WKBGRMCY\n-PW 00000000\n-CC ESC/P\n-PT HP7550\n-PP A4\n"
            "-DW 800\n-DH 600\n-RE 300x600\n-SM REAL\n-MONO\n-BM  75  75  25  25\n");
}

TEST(ParameterFile, ExpandSuffixOnlyForExpandCapablePlotters) {
  Settings s;
  s.expand = 1;
  std::string hp7550 = parameter_file(s);
  EXPECT_NE(hp7550.find("-PP A4\n"), std::string::npos);
  Settings back = loaded(hp7550, s);
  EXPECT_EQ(back.expand, 0);

  s.plotter = HP7585;
  s.paper = 3;       // A1
  std::string hp7585 = parameter_file(s);
  EXPECT_NE(hp7585.find("-PT HP7585\n-PP A1E\n"), std::string::npos);
  back = loaded(hp7585);
  EXPECT_EQ(back.plotter, HP7585);
  EXPECT_EQ(back.paper, 3);
  EXPECT_EQ(back.expand, 1);
}

TEST(ParameterFile, PathWithBlankIsQuotedAndTokenisesBack) {
  testing::TestEngine t;
  std::string text = parameter_file(Settings{}, "/my plots/A B.GL", 1);
  EXPECT_EQ(text.substr(0, text.find('\n')), "-in \"/my plots/A B.GL\"");
  std::vector<std::string> tokens = tokenise_parameter_file(*t.engine, text);
  std::vector<std::string> expected{"Dummy.EXE", "-in", "/my plots/A B.GL", "-NOVRESET", "-NOWAIT", "-PC",
                                    "WKBGRMCY",  "-PW", "00000000",         "-PT",       "HP7550",  "-PP",
                                    "A4",        "-OP", "A4",               "-RE",       "180x180", "-SM",
                                    "NORMAL",    "-COLOR", "-BM", "0", "0", "50", "100"};
  EXPECT_EQ(tokens, expected);
  // A path without blanks is written as it stands.
  EXPECT_EQ(tokenise_parameter_file(*t.engine, kDefaultLines)[2], "/plots/A.GL");
}

TEST(ParameterFile, UnwritableFileIsReportedAndRefused) {
  TempDir dir;
  std::string missing = dir.path() + "no/such/dir/";
  std::vector<std::string> shown;
  ZoomView zoom = whole_picture();
  bool written = write_parameter_file(Settings{}, missing, "/plots/A.GL", 0, zoom,
                                      [&](const std::string& text, const std::string& caption) {
                                        shown.push_back(caption + "|" + text);
                                      });
  EXPECT_FALSE(written);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "REREZA|Disk full, can not create parameter file " + missing + "$param.kv!\n");
}

TEST(ZoomLine, LeftHalfGivesRoundedPercentagesAndRewritesTheRectangle) {
  TempDir dir;
  ZoomView zoom{640, 400, 0, 0, 319, 399};
  ASSERT_TRUE(write_parameter_file(Settings{}, dir.path(), "/plots/A.GL", 0, zoom));
  std::string text = read_file(dir.path() + "$param.kv");
  EXPECT_EQ(text, kDefaultLines + "-BM 0.00000000 0.00000000 49.84375000 99.75000000\n");
  EXPECT_EQ(zoom.x0, 0);
  EXPECT_EQ(zoom.x1, 319);
  EXPECT_EQ(zoom.y0, 0);
  EXPECT_EQ(zoom.y1, 399);
}

TEST(ZoomLine, EightDecimalRoundingTruncatesTheRewrittenCorner) {
  // 100 of 300 pixels is 33.33333333 per cent after rounding, which maps
  // back to 99.99999999 pixels and truncates to 99.
  TempDir dir;
  ZoomView zoom{300, 300, 100, 100, 200, 200};
  ASSERT_TRUE(save_settings_file(Settings{}, dir.path() + "s.kv", zoom));
  EXPECT_EQ(read_file(dir.path() + "s.kv").substr(0, 48), "-BM 33.33333333 33.33333333 33.33333333 33.33333");
  EXPECT_EQ(zoom.x0, 99);
  EXPECT_EQ(zoom.y0, 99);
  EXPECT_EQ(zoom.x1, 199);
  EXPECT_EQ(zoom.y1, 199);
}

TEST(ZoomLine, EmptyViewWritesNoTrimming) {
  TempDir dir;
  ZoomView zoom{0, 0, 0, 0, 10, 10};
  ASSERT_TRUE(write_parameter_file(Settings{}, dir.path(), "/plots/A.GL", 0, zoom));
  EXPECT_EQ(read_file(dir.path() + "$param.kv"), kDefaultLines);
}

TEST(SettingsFile, SavedInItsOwnOrder) {
  TempDir dir;
  Settings s;
  s.printing = 1003;
  s.magnification_x = 2;
  s.output_magnification_y = 0.5;
  ZoomView zoom{640, 400, 0, 0, 319, 399};
  ASSERT_TRUE(save_settings_file(s, dir.path() + "s.kv", zoom));
  EXPECT_EQ(read_file(dir.path() + "s.kv"),
            "-BM 0.00000000 0.00000000 49.84375000 99.75000000\n-PC WKBGRMCY\n-PW 00000000\n-PT HP7550\n-PP A4\n"
            "-PX 2.000000x1.000000\n-OX 1.000000x0.500000\n-CC ESC/P\n-OP A4\n-RE 180x180\n-SM NORMAL\n-COLOR\n");
}

TEST(SettingsFile, RoundTripRestoresAllButZoomPrintingAndRealSize) {
  TempDir dir;
  Settings s;
  s.plotter = 4098;
  s.paper = 7;
  s.expand = 1;
  s.magnification_x = 1.25;
  s.magnification_y = 0.75;
  s.output_magnification_x = 3;
  s.output_magnification_y = 2.5;
  s.printing = 1003;
  s.output_paper = -1;
  s.device_width = 1024;
  s.device_height = 768;
  s.resolution_x = 360;
  s.resolution_y = 720;
  s.colour = 0;
  s.real_size = 1;
  s.pen_colours = {'K', 'R', 'G', 'B', 'C', 'M', 'Y', 'W', '\0'};
  s.pen_widths = {'1', '2', '3', '4', '5', '6', '7', '9', '\0'};
  ZoomView zoom{640, 400, 10, 10, 100, 100};
  ASSERT_TRUE(save_settings_file(s, dir.path() + "s.kv", zoom));

  Settings back;
  load_settings_file(back, dir.path() + "s.kv");
  EXPECT_EQ(back.plotter, 4098);
  EXPECT_EQ(back.paper, 7);
  EXPECT_EQ(back.expand, 1);
  EXPECT_EQ(back.magnification_x, 1.25);
  EXPECT_EQ(back.magnification_y, 0.75);
  EXPECT_EQ(back.output_magnification_x, 3);
  EXPECT_EQ(back.output_magnification_y, 2.5);
  EXPECT_EQ(back.output_paper, -1);
  EXPECT_EQ(back.device_width, 1024);
  EXPECT_EQ(back.device_height, 768);
  EXPECT_EQ(back.resolution_x, 360);
  EXPECT_EQ(back.resolution_y, 720);
  EXPECT_EQ(back.colour, 0);
  EXPECT_EQ(back.pen_colours, s.pen_colours);
  EXPECT_EQ(back.pen_widths, s.pen_widths);
  EXPECT_EQ(back.printing, 0);
  EXPECT_EQ(back.real_size, 0);
}

TEST(SettingsFile, PaperWords) {
  Settings s = loaded("-PP ZZ\n", [] {
    Settings start;
    start.paper = 2;
    return start;
  }());
  EXPECT_EQ(s.paper, 2);
  EXPECT_EQ(s.expand, 1);
  s = loaded("-PP EE\n");
  EXPECT_EQ(s.paper, 9);
  EXPECT_EQ(s.expand, 1);
  s = loaded("-PP A\n", s);  // "A" is a whole word, not the prefix of A4
  EXPECT_EQ(s.paper, 5);
  EXPECT_EQ(s.expand, 0);
}

TEST(SettingsFile, DeviceSizeReplacesOutputPaperUntilALaterOutputPaper) {
  Settings s = loaded("-DW 800\n-DH 600\n");
  EXPECT_EQ(s.output_paper, -1);
  std::string text = parameter_file(s);
  EXPECT_NE(text.find("-PP A4\n-DW 800\n-DH 600\n-RE"), std::string::npos);
  EXPECT_EQ(text.find("-OP"), std::string::npos);
  s = loaded("-DW 800\n-DH 600\n-OP A3\n");
  EXPECT_EQ(s.output_paper, 1);
  EXPECT_EQ(s.device_width, -1);
  EXPECT_EQ(s.device_height, -1);
}

TEST(SettingsFile, OutputPaperB4IsWrittenAsItIs) {
  Settings s = loaded("-OP B4\n");
  EXPECT_EQ(s.output_paper, 10);
  EXPECT_NE(parameter_file(s).find("-OP B4\n"), std::string::npos);
}

TEST(SettingsFile, LowerCaseLoadsAndOtherLinesAreSkipped) {
  Settings s = loaded("# -PT HP7440\n -PT HP7440\n\n-pt hp7585\n-mono\n-zz 1\n-PT NOSUCH\n-sm real\n-cc esc/p\n");
  EXPECT_EQ(s.plotter, HP7585);
  EXPECT_EQ(s.colour, 0);
  EXPECT_EQ(s.real_size, 0);
  EXPECT_EQ(s.printing, 0);
}

TEST(SettingsFile, PairValues) {
  Settings s = loaded("-RE 300\n-PX 1.5x2\n-OX 3\n");
  EXPECT_EQ(s.resolution_x, 300);
  EXPECT_EQ(s.resolution_y, 300);
  EXPECT_EQ(s.magnification_x, 1.5);
  EXPECT_EQ(s.magnification_y, 2);
  EXPECT_EQ(s.output_magnification_x, 3);
  EXPECT_EQ(s.output_magnification_y, 3);
  // A negative or missing first number changes nothing; a negative second repeats the first.
  s = loaded("-RE -5x100\n-PX\n-OX nan\n-RE 200.9x-3\n");
  EXPECT_EQ(s.resolution_x, 200);
  EXPECT_EQ(s.resolution_y, 200);
  EXPECT_EQ(s.magnification_x, 1.0);
  EXPECT_EQ(s.output_magnification_x, 1.0);
}

TEST(SettingsFile, LongWordsAreCutAndLongLinesSplit) {
  Settings s = loaded("-PC wkbgrmcyrgb\n-PW 123456789ABC\n" + std::string(127, 'x') + "-PT HP7596\n" +
                      "-DW 99999999999999\n");
  EXPECT_EQ(std::string(s.pen_colours.data()), "WKBGRMCY");
  EXPECT_EQ(std::string(s.pen_widths.data()), "12345678");
  EXPECT_EQ(s.plotter, 4098);
  EXPECT_EQ(s.device_width, 2147483647);
}

TEST(SettingsSlots, NamesAndSaveAsDefault) {
  EXPECT_EQ(slot_file_name(1), "$confi1.kv");
  EXPECT_EQ(slot_file_name(4), "$confi4.kv");
  EXPECT_EQ(slot_file_name(0), "");
  EXPECT_EQ(slot_file_name(5), "");

  TempDir dir;
  Settings s;
  s.plotter = 513;
  ZoomView zoom = whole_picture();
  ASSERT_TRUE(save_settings_slot(s, dir.path(), 2, false, zoom));
  EXPECT_TRUE(std::filesystem::exists(dir.path() + "$confi2.kv"));
  EXPECT_FALSE(std::filesystem::exists(dir.path() + "$config.kv"));
  ASSERT_TRUE(save_settings_slot(s, dir.path(), 3, true, zoom));
  EXPECT_EQ(read_file(dir.path() + "$config.kv"), read_file(dir.path() + "$confi3.kv"));

  Settings back;
  load_settings_slot(back, dir.path(), 2);
  EXPECT_EQ(back.plotter, 513);
}

TEST(SettingsReset, DefaultsThenConfigFileAndClearDeletesIt) {
  TempDir dir;
  dir.write("$config.kv", "-PT HP7475\n");
  Settings s;
  s.colour = 0;
  s.auto_size = 0;
  int forgotten = 0;
  reset_settings(s, dir.path(), [&] {
    ++forgotten;
    EXPECT_EQ(s.colour, 1);  // fields are reset before the shell forgets its view
  });
  EXPECT_EQ(forgotten, 1);
  EXPECT_EQ(s.plotter, 514);
  EXPECT_EQ(s.colour, 1);
  EXPECT_EQ(s.auto_size, 1);

  clear_default_settings(s, dir.path());
  EXPECT_FALSE(std::filesystem::exists(dir.path() + "$config.kv"));
  EXPECT_EQ(s.plotter, HP7550);
}

}  // namespace
}  // namespace kavor
