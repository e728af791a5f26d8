#include "engine/run.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/diagnostics.h"
#include "engine/fatal_error.h"
#include "engine/rendering.h"
#include "support/recording_surface.h"
#include "support/test_env.h"

namespace kavor::testing {
namespace {

using Names = std::vector<std::string>;

struct RunTest : ::testing::Test {
  TestEngine t;
  Engine& e = *t.engine;

  Names tokens(const std::string& bytes) { return tokenise_parameter_file(e, bytes); }
  // The fatal text of a call that must end the process.
  template <typename F>
  std::string fatal_of(F f) {
    t.host.fatals.clear();
    EXPECT_THROW(f(), FatalError);
    return t.host.fatals.empty() ? "" : t.host.fatals.back();
  }
};

TEST_F(RunTest, TokensAreRunsOfBytesAbove32) {
  EXPECT_EQ(tokens(" \r\n\t\f \n"), Names{"Dummy.EXE"});
  EXPECT_EQ(tokens("-PT\tHP7475\f-PP\x01" "A4\r\n-IN a.plt"),
            (Names{"Dummy.EXE", "-PT", "HP7475", "-PP", "A4", "-IN", "a.plt"}));
  EXPECT_EQ(tokens("\xe3\x81\x82.plt\x7f"), (Names{"Dummy.EXE", "\xe3\x81\x82.plt\x7f"}));
  EXPECT_EQ(tokens(std::string("a\0b", 3)), (Names{"Dummy.EXE", "a", "b"}));
}

TEST_F(RunTest, QuotedTokensKeepTheirBlanks) {
  EXPECT_EQ(tokens("-IN \"my plots/a b.plt\" -PT\n\"\"x"),
            (Names{"Dummy.EXE", "-IN", "my plots/a b.plt", "-PT", "", "x"}));
  EXPECT_EQ(tokens("-IN \"open to the end"), (Names{"Dummy.EXE", "-IN", "open to the end"}));
}

TEST_F(RunTest, AtMost39TokensFromTheFile) {
  std::string bytes;
  for (int i = 0; i < 39; ++i) bytes += "-X ";
  EXPECT_EQ(tokens(bytes).size(), 40u);
  EXPECT_EQ(fatal_of([&] { tokens(bytes + "-Y"); }), "SYSTEM ERROR: number of parameter is over system limit !");
}

TEST_F(RunTest, TokenBufferHolds512BytesWithTerminators) {
  // 8 tokens of 63 bytes and their terminators fill the buffer exactly.
  std::string token(63, 'a');
  std::string bytes;
  for (int i = 0; i < 8; ++i) bytes += token + "\n";
  EXPECT_EQ(tokens(bytes).size(), 9u);
  const std::string overflow = "length of parameter is over system limit !";
  EXPECT_EQ(fatal_of([&] { tokens(bytes + "b"); }), "SYSTEM ERROR: " + overflow);
  EXPECT_EQ(fatal_of([&] { tokens(std::string(512, 'c')); }), "SYSTEM ERROR: " + overflow)
      << "the terminator of a 512-byte token is the 513th byte";
  EXPECT_EQ(tokens(std::string(511, 'c'))[1].size(), 511u);
}

TEST_F(RunTest, InputMarkersAndInheritedClassification) {
  RunInputs r = separate_inputs(e, {"Dummy.EXE", "-IN", "a.plt", "b.plt", "c.plt", "-PT", "HP7475"});
  EXPECT_EQ(r.inputs, (Names{"a.plt", "c.plt"}));
  EXPECT_EQ(r.parameters, (Names{"Dummy.EXE", "-PT", "HP7475"}));

  r = separate_inputs(e, {"Dummy.EXE", "-in", "a", "-In", "b", "-INPUT", "c", "-I", "x", "-BM", "1", "2", "3", "4"});
  EXPECT_EQ(r.inputs, (Names{"a", "b", "c"}));
  EXPECT_EQ(r.parameters, (Names{"Dummy.EXE", "-I", "x", "-BM", "1", "2", "3", "4"}));

  r = separate_inputs(e, {"Dummy.EXE", "-PT", "HP7475", "-IN"});
  EXPECT_TRUE(r.inputs.empty()) << "-IN as the last token names no file";
  EXPECT_EQ(r.parameters, (Names{"Dummy.EXE", "-PT", "HP7475"}));

  r = separate_inputs(e, {"Dummy.EXE", "-IN", "-PT", "HP7475"});
  EXPECT_EQ(r.inputs, Names{"-PT"}) << "the token after the marker is the name, whatever it is";
  EXPECT_EQ(r.parameters, Names{"Dummy.EXE"});
}

TEST_F(RunTest, FiftyEntriesPerList) {
  Names args{"Dummy.EXE"};
  for (int i = 0; i < 49; ++i) args.push_back("-FRAME");
  EXPECT_EQ(separate_inputs(e, args).parameters.size(), 50u);
  args.push_back("-FRAME");
  EXPECT_EQ(fatal_of([&] { separate_inputs(e, args); }), "Too many parameters !");

  args = {"Dummy.EXE", "-IN"};
  for (int i = 0; i < 50; ++i) args.push_back("f" + std::to_string(i));
  EXPECT_EQ(separate_inputs(e, args).inputs.size(), 25u);
  args = {"Dummy.EXE"};
  for (int i = 0; i < 50; ++i) args.insert(args.end(), {"-IN", "f"});
  EXPECT_EQ(separate_inputs(e, args).inputs.size(), 50u);
  args.insert(args.end(), {"-IN", "g"});
  EXPECT_EQ(fatal_of([&] { separate_inputs(e, args); }), "Too many input files !");
}

TEST_F(RunTest, EachInputFileIsOneRunFromTheDefaults) {
  std::string a = t.dir.write("a.plt", "XP");
  std::string b = t.dir.write("b.plt", "QQ");
  engine_run_inputs(e, {"Dummy.EXE", "-PT", "hp7475", "-IN", a, "-in", b});
  EXPECT_EQ(t.err.str(), "Now rasterizing [" + a + "]\nNow rasterizing [" + b + "]\n");
  ASSERT_GE(t.host.instruction_errors.size(), 2u);
  EXPECT_EQ(t.host.instruction_errors.front(), "XP:Invalid command.");
  EXPECT_EQ(t.host.instruction_errors.back(), std::string("Q\xff:Invalid command."));
  EXPECT_EQ(e.options.plotter, 0x202) << "both runs parse the same options";
}

TEST_F(RunTest, AbortEndsOnlyTheCurrentRun) {
  std::string a = t.dir.write("a.plt", "XP;ZZ;");
  std::string b = t.dir.write("b.plt", "QQ;");
  t.host.answer = 1;
  engine_run_inputs(e, {"Dummy.EXE", "-IN", a, "-IN", b});
  EXPECT_EQ(t.host.instruction_errors, (Names{"XP:Invalid command.", "QQ:Invalid command."}));
}

TEST_F(RunTest, CancelStopsTheRun) {
  t.host.cancel = true;
  std::string a = t.dir.write("a.plt", "5XP;");
  engine_run_inputs(e, {"Dummy.EXE", "-IN", a});
  EXPECT_TRUE(t.host.instruction_errors.empty());
  EXPECT_EQ(e.run.consumed, 1);
}

// A cancel pressed while one instruction does a great deal of work (a long
// coordinate list, a fill of many rows) is heard within a few hundred units
// of work: the instruction runs into the end of input.
TEST_F(RunTest, CancelIsHeardWithinOneLongInstruction) {
  std::string comb = "PA0,0;PM0;PD";
  for (int k = 0; k < 200; ++k) comb += std::to_string(50 * k) + ",7000," + std::to_string(50 * k + 25) + ",0,";
  comb += "10000,0;PM2;FP;";
  std::string pairs;
  for (int k = 0; k < 100000; ++k) pairs += "20000,20000,";
  struct Case {
    const char* name;
    std::string plot;
  };
  for (const Case& c : {Case{"pen moves off the picture", "PD" + pairs + ";"},
                        Case{"fill", comb + "PA0,0;" + std::string(100000, ';')}}) {
    TestEngine run;
    RecordingSurface picture;
    run.engine->device.targets.picture = &picture;
    run.host.view = {1000, 10000};
    run.host.cancel_at_pump = 3;
    ASSERT_TRUE(run.run(c.plot)) << c.name;
    EXPECT_TRUE(run.engine->run.cancelled) << c.name;
    EXPECT_LT(run.engine->run.consumed, static_cast<int64_t>(c.plot.size()) / 2) << c.name;
    EXPECT_LT(picture.calls.size(), 2 * 3 * kPumpInterval) << c.name << ": a line and its end pixel per segment";
    EXPECT_TRUE(run.host.all_messages().empty()) << c.name << ": " << run.host.all_messages()[0];
  }
}

// Wherever the cancel cuts the input, even between the two letters of a
// mnemonic, what the instruction makes of the cut is not shown.
TEST_F(RunTest, CancelShowsNothingOfTheCut) {
  std::string plot;
  for (int i = 0; i < 20000; ++i) plot += "IN;";
  for (int pump = 1; pump <= 40; ++pump) {
    TestEngine run;
    run.host.cancel_at_pump = pump;
    ASSERT_TRUE(run.run(plot));
    EXPECT_TRUE(run.host.all_messages().empty()) << "cancelled at pump " << pump << ": " << run.host.all_messages()[0];
  }
}

TEST_F(RunTest, MissingInputFilesEndTheProcessCleanly) {
  std::string missing = t.dir.path() + "none.plt";
  EXPECT_EQ(fatal_of([&] { engine_run_inputs(e, {"Dummy.EXE", "-IN", missing}); }),
            " input file " + missing + " not found !");
  EXPECT_EQ(fatal_of([&] { engine_run_inputs(e, {"Dummy.EXE", "-IN", t.dir.path()}); }),
            " input file " + t.dir.path() + " not found !");
}

TEST_F(RunTest, ParameterFile) {
  std::string path = t.dir.path() + "$param.kv";
  EXPECT_EQ(fatal_of([&] { engine_run(e); }), "parameter file " + path + " not found !");
  std::filesystem::create_directory(path);
  EXPECT_EQ(fatal_of([&] { engine_run(e); }), "parameter file " + path + " not found !");
  std::filesystem::remove(path);

  std::string plot = t.dir.write("p.plt", "XP");
  t.dir.write("$param.kv", "-NOVRESET\r\n-PT\r\nHP7585\r\n-IN\r\n" + plot);
  engine_run(e);
  EXPECT_EQ(t.err.str(), "Now rasterizing [" + plot + "]\n");
  EXPECT_EQ(e.options.plotter, 0x2002);
  EXPECT_EQ(t.host.instruction_errors.front(), "XP:Invalid command.");
}

TEST_F(RunTest, EmptyInputEndsAtOnceWithoutProgress) {
  std::string a = t.dir.write("empty.plt", "");
  engine_run_inputs(e, {"Dummy.EXE", "-IN", a});
  EXPECT_TRUE(t.host.progress_reports.empty());
  EXPECT_TRUE(t.host.all_messages().empty());
}

TEST_F(RunTest, ProgressIsReportedWhenThePercentageChanges) {
  std::string a = t.dir.write("digits.plt", std::string(200, '5'));
  engine_run_inputs(e, {"Dummy.EXE", "-IN", a});
  std::vector<int> expected;
  for (int p = 0; p <= 100; ++p) expected.push_back(p);
  EXPECT_EQ(t.host.progress_reports, expected);

  t.host.progress_reports.clear();
  a = t.dir.write("three.plt", "123");
  engine_run_inputs(e, {"Dummy.EXE", "-IN", a});
  EXPECT_EQ(t.host.progress_reports, (std::vector<int>{33, 66, 100}));
}

TEST_F(RunTest, HundredIsReportedEachTimeAndNeverExceeded) {
  // The letter read last is pushed back by the parameter scan and read again.
  std::string a = t.dir.write("sp.plt", "PS1A");
  engine_run_inputs(e, {"Dummy.EXE", "-IN", a});
  EXPECT_EQ(t.host.progress_reports, (std::vector<int>{25, 50, 75, 100, 100, 100, 100}));

  // A file that grew after its size was taken.
  t.host.progress_reports.clear();
  a = t.dir.write("grown.plt", "1234567890");
  ASSERT_TRUE(t.init({"-IN", a}));
  e.run.input_size = 4;
  run_main_loop(e);
  EXPECT_EQ(t.host.progress_reports, (std::vector<int>{25, 50, 75, 100, 100, 100, 100, 100, 100, 100}));
}

TEST_F(RunTest, LargeFilesAreReadBlockByBlockToTheEnd) {
  std::string a = t.dir.write("large.plt", std::string(300000, '7') + "XP");
  engine_run_inputs(e, {"Dummy.EXE", "-IN", a});
  EXPECT_EQ(t.host.instruction_errors.front(), "XP:Invalid command.");
  EXPECT_EQ(t.host.progress_reports.back(), 100);
  EXPECT_EQ(t.host.progress_reports.size(), 102u) << "0 to 100, and 100 again when P is read a second time";
}

// Parameters are read straight from the input buffer in bulk; that must not
// skip or repeat a percentage, in small files (a token spans several) nor
// across the block reads of large ones.
TEST_F(RunTest, ParameterReadingReportsEveryPercentageOnce) {
  for (size_t pairs : {60, 25000}) {
    std::string plot = "PA";
    for (size_t i = 0; i < pairs; ++i) plot += std::to_string(1000 + i % 9000) + "," + std::to_string(2000 + i % 7000) + ",";
    plot += "1,1;";
    t.host.progress_reports.clear();
    engine_run_inputs(e, {"Dummy.EXE", "-IN", t.dir.write("pairs.plt", plot)});
    std::vector<int> expected;
    for (int p = 0; p <= 100; ++p) expected.push_back(p);
    EXPECT_EQ(t.host.progress_reports, expected) << plot.size() << " bytes";
    EXPECT_TRUE(t.host.instruction_errors.empty());
  }
}

TEST_F(RunTest, PumpIsCalledDuringLongRuns) {
  ASSERT_TRUE(t.run(std::string(10000, ';')));
  EXPECT_GT(t.host.pumps, 10);
}

// The rendering bracket draws the last pending polyline and clears the
// targets whether the run ends normally or with a fatal error.
TEST_F(RunTest, RenderingBracketClosesAfterEveryRun) {
  RecordingSurface picture;
  DeviceTargets targets;
  targets.picture = &picture;
  std::string plot = t.dir.write("p.plt", "IN;SP1;PA0,0;PD4000,0;");
  t.dir.write("$param.kv", "-COLOR -IN " + plot);
  EXPECT_TRUE(run_rendering(e, targets));
  ASSERT_EQ(picture.calls.size(), 2u) << "the one polyline and its end pixel, drawn by the flush";
  EXPECT_EQ(e.device.targets.picture, nullptr);

  picture.calls.clear();
  const bool finished = run_rendering(e, targets, [&](Engine& engine) {
    engine_run_memory(engine, {"Dummy.EXE"}, "IN;SP1;PA0,0;PD4000,0;");
    report_fatal(engine, "stop");
  });
  EXPECT_FALSE(finished);
  EXPECT_EQ(t.host.fatals.back(), "PD:stop");
  EXPECT_EQ(picture.calls.size(), 2u);
  EXPECT_EQ(e.device.targets.picture, nullptr);
}

}  // namespace
}  // namespace kavor::testing
