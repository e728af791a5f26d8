#include "engine/options.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_env.h"

namespace kavor::testing {
namespace {

using Names = std::vector<std::string>;

struct OptionsTest : ::testing::Test {
  TestEngine t;
  const OptionState& o = t.engine->options;

  // Parses options that must be rejected; returns the fatal text.
  std::string fatal(const Names& options) {
    t.host.fatals.clear();
    EXPECT_FALSE(t.init(options));
    return t.host.fatals.empty() ? "" : t.host.fatals.back();
  }
};

TEST_F(OptionsTest, NamesAndValuesAreCaseInsensitive) {
  ASSERT_TRUE(t.init({"-pt", "hp7585", "-Pp", "a4e", "-de", "printer", "-sm", "fit", "-pm", "expand", "-pd", "h",
                      "-op", "a1", "-ft", "sfn", "-frame", "-Color"}));
  EXPECT_EQ(o.plotter, 0x2002);
  EXPECT_EQ(o.paper, 0);
  EXPECT_EQ(o.expanded, 1);
  EXPECT_EQ(o.size_mode, SIZE_FIT);
  EXPECT_EQ(o.plotter_mode, 2);
  EXPECT_EQ(o.paper_direction, 1);
  EXPECT_EQ(o.output_page, 3);
  EXPECT_EQ(o.output_file_type, 7);
  EXPECT_EQ(o.device, DeviceKind::FILE) << "-FT comes after -DE";
  EXPECT_TRUE(o.frame);
  EXPECT_EQ(o.colour_mode, COLOUR_COLOR);
}

TEST_F(OptionsTest, ValueTables) {
  ASSERT_TRUE(t.init({"-PT", "DRAFTMASTER", "-PP", "E", "-DE", "FILE", "-FT", "SPR"}));
  EXPECT_EQ(o.plotter, 0x1001);
  EXPECT_EQ(o.paper, 9);
  EXPECT_EQ(o.expanded, 0);
  EXPECT_EQ(o.output_file_type, 8);
  ASSERT_TRUE(t.init({"-PT", "COLORPRO", "-PP", "D"}));
  EXPECT_EQ(o.plotter, 0x101);
  // Expanded papers exist only for the plotters with an enlarged area.
  ASSERT_TRUE(t.init({"-PT", "DRAFTPRO", "-PP", "DE", "-MONO"}));
  EXPECT_EQ(o.plotter, 0x801);
  EXPECT_EQ(o.paper, 8);
  EXPECT_EQ(o.expanded, 1);
  EXPECT_EQ(o.colour_mode, COLOUR_MONO);
}

TEST_F(OptionsTest, FlagsAndUnexaminedValues) {
  t.host.printer = {4960, 7014};
  ASSERT_TRUE(t.init({"-DEBUG", "-STEP", "-NOWAIT", "-SLOW", "-NOVRESET", "-CC", "anything", "-DT", "x"}));
  EXPECT_TRUE(o.debug && o.step && o.nowait && o.slow && o.novreset);
  EXPECT_FALSE(o.frame);
  EXPECT_EQ(o.device, DeviceKind::PRINTER);
  EXPECT_EQ(o.printer_width, 4960);
  EXPECT_EQ(o.printer_height, 7014);
}

TEST_F(OptionsTest, Resolution) {
  ASSERT_TRUE(t.init({"-RE", "300"}));
  EXPECT_EQ(o.resolution_x, 300);
  EXPECT_EQ(o.resolution_y, 300);
  ASSERT_TRUE(t.init({"-RE", "300X600"}));
  EXPECT_EQ(o.resolution_x, 300);
  EXPECT_EQ(o.resolution_y, 600);
  ASSERT_TRUE(t.init({"-RE", "300,600"}));
  EXPECT_EQ(o.resolution_y, 600);
  ASSERT_TRUE(t.init({"-RE", "99999999999999"}));
  EXPECT_EQ(o.resolution_x, INT32_MAX);
  EXPECT_EQ(fatal({"-RE", "0"}), "Error: Invalid Output DPI[0] !");
  EXPECT_EQ(fatal({"-RE", "x300"}), "Error: Invalid Output DPI[x300] !");
}

TEST_F(OptionsTest, Factors) {
  ASSERT_TRUE(t.init({"-PX", "2", "-OX", "1.5x0.5"}));
  EXPECT_EQ(o.magnification_x, 2.0);
  EXPECT_EQ(o.magnification_y, 2.0);
  EXPECT_EQ(o.output_factor_x, 1.5);
  EXPECT_EQ(o.output_factor_y, 0.5);
  ASSERT_TRUE(t.init({"-PX", "2X1"}));
  EXPECT_EQ(o.magnification_x, 2.0);
  EXPECT_EQ(o.magnification_y, 1.0);
  ASSERT_TRUE(t.init({"-PX", "3,4"}));
  EXPECT_EQ(o.magnification_y, 3.0) << "without an X the value is one real";
}

TEST_F(OptionsTest, Trimming) {
  ASSERT_TRUE(t.init({"-BM", "10", "20", "90", "79.5"}));
  EXPECT_EQ(o.trim_x0, 10);
  EXPECT_EQ(o.trim_y0, 20);
  EXPECT_EQ(o.trim_x1, 90);
  EXPECT_EQ(o.trim_y1, 79.5);
  EXPECT_EQ(fatal({"-BM", "10", "10", "95", "50"}), "Error: Invalid Parameter \"50\" !");
  EXPECT_EQ(fatal({"-BM", "0", "10", "50", "95"}), "Error: Invalid Parameter \"95\" !");
  EXPECT_EQ(fatal({"-BM", "1", "2"}), "Error: Invalid Parameter \"2\" !");
  EXPECT_EQ(t.out.str(), "missing magify x1 argument!\n");
  EXPECT_EQ(fatal({"-bm"}), "Error: Invalid Parameter \"-BM\" !");
  EXPECT_EQ(t.out.str(), "missing magify x1 argument!\nmissing magify x0 argument!\n");
}

TEST_F(OptionsTest, PenColoursAndWidths) {
  ASSERT_TRUE(t.init({"-PC", "krg", "-PW", "35a"}));
  EXPECT_EQ(o.pen_letters, "KRG");
  EXPECT_TRUE(o.pen_widths_supplied);
  EXPECT_EQ(o.pen_width_codes[0], 3);
  EXPECT_EQ(o.pen_width_codes[1], 5);
  EXPECT_EQ(o.pen_width_codes[2], 10);
  EXPECT_EQ(o.pen_width_codes[3], 0);
  ASSERT_TRUE(t.init({"-PW", std::string(256, 'Z')}));
  EXPECT_EQ(o.pen_width_codes[255], 35);

  // The rejected value is too long for the message itself: the length guard ends the process.
  EXPECT_EQ(fatal({"-PW", std::string(257, '1')}), "SYSTEM ERROR: message length over work error\n");
  EXPECT_EQ(t.host.warnings.back(), "length over of -PW option !");
  EXPECT_EQ(fatal({"-PW", "12-3"}), "Error: Invalid Parameter \"12-3\" !");
  EXPECT_EQ(t.host.warnings.back(), "invalid data in -PW option !");
}

TEST_F(OptionsTest, PositionsAndSizes) {
  ASSERT_TRUE(t.init({"-SP", "10", "-SW", "300", "-SH", "40", "-DP", "5X7", "-DW", "640", "-DH", "480"}));
  EXPECT_EQ(o.status_x, 10);
  EXPECT_EQ(o.status_y, 0);
  EXPECT_EQ(o.status_width, 300);
  EXPECT_EQ(o.status_height, 40);
  EXPECT_EQ(o.display_x, 5);
  EXPECT_EQ(o.display_y, 7);
  EXPECT_EQ(o.display_width, 640);
  EXPECT_EQ(o.display_height, 480);

  EXPECT_EQ(fatal({"-SP", "0"}), "Error: Invalid status position [0] !");
  EXPECT_EQ(fatal({"-SW", "-3"}), "Error: Invalid status window width [-3] !");
  EXPECT_EQ(fatal({"-SH", "abc"}), "Error: Invalid status window width [abc] !");
  EXPECT_EQ(fatal({"-DP", "0,5"}), "Error: Invalid display position [0,5] !");
  EXPECT_EQ(fatal({"-DW", "0"}), "Error: Invalid display window width [0] !");
  EXPECT_EQ(fatal({"-DH", ""}), "Error: Invalid display window width [] !");
}

TEST_F(OptionsTest, Margins) {
  ASSERT_TRUE(t.init({"-MP", "-mit"}));
  EXPECT_EQ(o.margin_unit, 1016);
  EXPECT_EQ(o.margin_side, 'T');
  ASSERT_TRUE(t.init({"-MP", "-MMB"}));
  EXPECT_EQ(o.margin_unit, 40);
  EXPECT_EQ(o.margins, (std::array<int, 4>{60, 60, 60, 156}));
  EXPECT_TRUE(t.host.warnings.empty());
  ASSERT_TRUE(t.init({"-MP", "-MXL"}));
  EXPECT_EQ(t.host.warnings, Names{"Errror margin options !\n"});
  EXPECT_EQ(fatal({"-MP", "MIT"}), "Error: Invalid Parameter \"MIT\" !");
}

TEST_F(OptionsTest, UnsupportedOptionsWarnThenEndTheProcess) {
  EXPECT_EQ(fatal({"-OM", "x"}), "Error: Invalid Parameter \"x\" !");
  EXPECT_EQ(t.host.warnings, Names{"not support x option !"});
  EXPECT_EQ(fatal({"-PN", "y"}), "Error: Invalid Parameter \"y\" !");
  EXPECT_EQ(t.host.warnings.back(), "not support y option !\n");
}

TEST_F(OptionsTest, RejectedTokensAndValues) {
  EXPECT_EQ(fatal({"-ZZ"}), "Error: Invalid Parameter \"-ZZ\" !");
  EXPECT_EQ(fatal({"-zz"}), "Error: Invalid Parameter \"-ZZ\" !") << "the token is upper-cased first";
  EXPECT_EQ(fatal({"plain"}), "Error: Invalid Parameter \"plain\" !");
  EXPECT_EQ(fatal({"-PT", "hp9999"}), "Error: Invalid Parameter \"hp9999\" !");
  EXPECT_EQ(fatal({"-PP", "A5"}), "Error: Invalid Parameter \"A5\" !");
  EXPECT_EQ(fatal({"-PM", "X"}), "Error: Invalid Parameter \"X\" !");
  EXPECT_EQ(fatal({"-PD", "Q"}), "Error: Invalid Parameter \"Q\" !");
  EXPECT_EQ(fatal({"-OP", "A5"}), "Error: Invalid Parameter \"A5\" !");
  EXPECT_EQ(fatal({"-DE", "SCREEN"}), "Error: Invalid Parameter \"SCREEN\" !");
  EXPECT_EQ(fatal({"-FT", "PNG"}), "Error: Invalid Parameter \"PNG\" !");
  EXPECT_EQ(fatal({"-SM", "BIG"}), "Error: Invalid Parameter \"BIG\" !");
  EXPECT_EQ(fatal({"-PT"}), "Error: Invalid Parameter \"-PT\" !") << "an option without its value";
  EXPECT_EQ(fatal({"-log"}), "Error: Invalid Parameter \"-LOG\" !");
  EXPECT_EQ(fatal({"-PTX", "HP7475"}), "Error: Invalid Parameter \"-PTX\" !") << "names compare exactly";
  EXPECT_EQ(t.host.fatals.size(), 1u);
  EXPECT_TRUE(t.host.warnings.empty());
}

TEST_F(OptionsTest, OptionMessagesCarryNoMnemonicPrefix) {
  ASSERT_TRUE(t.run("XP;"));
  EXPECT_FALSE(t.run("", {"-ZZ"}));
  EXPECT_EQ(t.host.fatals.back(), "Error: Invalid Parameter \"-ZZ\" !");
}

TEST_F(OptionsTest, InputFile) {
  std::string plot = t.dir.write("in.plt", "PU;PD;");
  ASSERT_TRUE(t.init({"-in", plot}));
  EXPECT_EQ(t.engine->run.input_size, 6);
  EXPECT_EQ(t.engine->run.consumed, 0);

  std::string missing = t.dir.path() + "missing.plt";
  EXPECT_EQ(fatal({"-IN", missing}), " input file " + missing + " not found !");
  EXPECT_EQ(fatal({"-IN", t.dir.path()}), " input file " + t.dir.path() + " not found !");
}

TEST_F(OptionsTest, LogAndOutputFiles) {
  std::string log = t.dir.path() + "err.log";
  ASSERT_TRUE(t.init({"-LOG", log, "-OFILE", t.dir.path() + "out.txt"}));
  EXPECT_TRUE(std::filesystem::exists(log));
  std::string bad = t.dir.path() + "no/such/dir/x";
  EXPECT_EQ(fatal({"-LOG", bad}), "can not create errorlog file " + bad + "!");
  EXPECT_EQ(fatal({"-OFILE", bad}), "can not create output file " + bad + "!");
}

TEST_F(OptionsTest, EveryRunStartsFromTheDefaults) {
  ASSERT_TRUE(t.init({"-PT", "HP7475", "-FRAME", "-RE", "300"}));
  ASSERT_TRUE(t.init());
  EXPECT_EQ(o.plotter, 0x401);
  EXPECT_FALSE(o.frame);
  EXPECT_EQ(o.resolution_x, 0);
}

}  // namespace
}  // namespace kavor::testing
