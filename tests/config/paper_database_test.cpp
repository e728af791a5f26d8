#include "config/paper_database.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "config/paper_fitting.h"
#include "engine/fatal_error.h"
#include "support/test_env.h"

namespace kavor {
namespace {

using testing::TempDir;
using testing::TestEngine;

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::array<double, 12> record_of(TestEngine& t, const std::vector<std::string>& options) {
  EXPECT_TRUE(t.init(options));
  return t.engine->paper.v;
}

// Loads with the current option state straight from the file in t.dir.
std::string fatal_of_load(TestEngine& t) {
  try {
    load_paper_record(*t.engine);
  } catch (const FatalError&) {
    return t.host.fatals.empty() ? "(no message)" : t.host.fatals.back();
  }
  return "";
}

TEST(DefaultPaperDatabase, FileHasElevenBlocksIn269Lines) {
  TempDir dir;
  ASSERT_EQ(write_default_paper_database(dir.path()), 0);
  std::string text = read_file(dir.path() + "$ppaper.kv");
  std::istringstream in(text);
  std::string line;
  int lines = 0, ends = 0, headings = 0, blanks = 0;
  while (std::getline(in, line)) {
    ++lines;
    ends += line == "!end";
    headings += line.size() > 1 && line[0] == '!' && line != "!end";
    blanks += line == " ";
  }
  EXPECT_EQ(lines, 269);
  EXPECT_EQ(ends, 11);
  EXPECT_EQ(headings, 16);
  EXPECT_EQ(blanks, 22);
  EXPECT_EQ(text.substr(0, 30), "!hp7470:normal\n!hp7440:normal\n");
  EXPECT_EQ(text.substr(text.size() - 5), "!end\n");
  // The E-size expand records enclose their area like every other record.
  EXPECT_NE(text.find("$E\n-21850  21850 \t  -17180  17180"), std::string::npos);
  EXPECT_EQ(text.find("17180  -17180"), std::string::npos);
  EXPECT_NE(text.find("$A3-\n"), std::string::npos);
}

TEST(DefaultPaperDatabase, FailsWhenTheFileCannotBeCreated) {
  TempDir dir;
  dir.write("file", "x");
  EXPECT_EQ(write_default_paper_database(dir.path() + "file/"), 1);
}

TEST(LoadPaperRecord, WritesTheDefaultFileOnceThenReadsIt) {
  TestEngine t;
  auto v = record_of(t, {"-PT", "HP7550", "-PP", "A"});
  // The A record, not the A4 record before it in the block.
  EXPECT_EQ(v, (std::array<double, 12>{0, 10170, 0, 7840, 80, 320, 10080, 7520, 0, 0, 0, 0}));
  const std::string path = t.dir.path() + "$ppaper.kv";
  TempDir fresh;
  write_default_paper_database(fresh.path());
  EXPECT_EQ(read_file(path), read_file(fresh.path() + "$ppaper.kv"));
  // An edited file is read as it stands and never rewritten.
  t.dir.write("$ppaper.kv", "!hp7550:normal\n$A\n1 2 3 4 5 6 7 8\n!end\n");
  v = record_of(t, {"-PT", "HP7550", "-PP", "A"});
  EXPECT_EQ(v[1], 2);
  EXPECT_EQ(read_file(path), "!hp7550:normal\n$A\n1 2 3 4 5 6 7 8\n!end\n");
}

TEST(LoadPaperRecord, FindsSharedBlocksByEitherHeading) {
  const std::array<double, 12> expand_c{-8085, 8085, -11080, 11080, -7485, -10480, 7845, 10480, 0, 0, 0, 0};
  for (const char* plotter : {"HP7585", "HP7586"}) {
    TestEngine t;
    EXPECT_EQ(record_of(t, {"-PT", plotter, "-PP", "CE"}), expand_c) << plotter;
  }
  // Every plotter that takes E-size paper expanded gets the same area.
  const std::array<double, 12> expand_e{-21850, 21850, -17180, 17180, -21250, -16580, 21250, 16580, 0, 0, 0, 0};
  for (const char* plotter : {"HP7570", "HP7580", "HP7585", "HP7586"}) {
    TestEngine t;
    EXPECT_EQ(record_of(t, {"-PT", plotter, "-PP", "EE"}), expand_e) << plotter;
  }
  TestEngine t;
  EXPECT_EQ(record_of(t, {"-PT", "HP7440", "-PP", "A4"})[1], 10900);
}

TEST(LoadPaperRecord, LoadsAPaperThePlotterDoesNotTake) {
  TestEngine t;
  auto v = record_of(t, {"-PT", "HP7470", "-PP", "A3"});
  EXPECT_EQ(v[1], 16158);
  EXPECT_EQ(v[3], 11040);
}

TEST(LoadPaperRecord, FoldsCaseSkipsCommentsAndKeepsUnsuppliedNumbers) {
  TestEngine t;
  t.dir.write("$ppaper.kv",
              "# !hp7550:normal\n!HP7550:expand\n$a4\n9 9 9 9\n!end\n"
              "!hp7550:Normal\n#$a4\n$a4-\n1 2\t3\n!end\n");
  t.engine->paper.v = {0, 0, 0, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  ASSERT_EQ(fatal_of_load(t), "");
  EXPECT_EQ(t.engine->paper.v, (std::array<double, 12>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
}

TEST(LoadPaperRecord, ReadsTheLineAfterAPaperHeadingVerbatim) {
  TestEngine t;
  t.dir.write("$ppaper.kv", "!hp7550:normal\n$A4\n#1 2\n!end\n");
  t.engine->paper.v = {4, 8, 4, 8};
  ASSERT_EQ(fatal_of_load(t), "");
  EXPECT_EQ(t.engine->paper.v[0], 4);  // no numbers on a comment-like record
}

TEST(LoadPaperRecord, ReadsLongLinesIn127CharacterPieces) {
  TestEngine t;
  // The rest of an over-long comment line is a line of its own.
  t.dir.write("$ppaper.kv", "#" + std::string(126, 'x') + "!hp7550:normal\n$A4\n1 2 3 4\n!end\n" +
                                std::string(5000, 'y') + "\n");
  ASSERT_EQ(fatal_of_load(t), "");
  EXPECT_EQ(t.engine->paper.v[3], 4);
}

TEST(LoadPaperRecord, ReportsEveryDamageAsFatal) {
  const std::string destroyed = "SYSTEM:plotter paper data base file desttroyed !!!";
  struct Case {
    const char* file;
    const char* why;
  } cases[] = {
      {"!hp7550 normal\n$A4\n1\n", "heading without colon"},
      {"!hp7550:normal\n$A3\n1\n!end\n$A4\n1\n", "!end before the paper"},
      {"!hp7550:normal\n$A3\n1\n", "end of file in the block"},
      {"!hp7470:normal\n$A4\n1\n", "end of file before the block"},
      {"", "empty file"},
      // Numbers that cannot make a plot area.
      {"!hp7550:normal\n$A4\n0 0 0 7600 1 1 2 2\n", "zero width"},
      {"!hp7550:normal\n$A4\n0 10870 7600 7600 1 1 2 2\n", "zero height"},
      {"!hp7550:normal\n$A4\n0 10870 7600 0 1 1 2 2\n", "inverted"},
      {"!hp7550:normal\n$A4\n0 inf 0 7600 1 1 2 2\n", "infinite"},
      {"!hp7550:normal\n$A4\n0 10870 0 7600 nan 1 2 2\n", "not a number"},
      {"!hp7550:normal\n$A4\n0 10870 0 7600 1 1 2 1e999\n", "out of range"},
  };
  for (const Case& c : cases) {
    TestEngine t;
    t.dir.write("$ppaper.kv", c.file);
    EXPECT_EQ(fatal_of_load(t), destroyed) << c.why;
  }
  TestEngine t;
  t.engine->options.plotter = 0x999;
  EXPECT_EQ(fatal_of_load(t), "paperter error: invalid plotter type !!!");
  TestEngine p;
  p.engine->options.paper = 10;
  EXPECT_EQ(fatal_of_load(p), "paperter error: invalid plotter type !!!");
}

TEST(LoadPaperRecord, CannotWriteTheDefaultCopy) {
  TempDir dir;
  dir.write("file", "x");
  testing::RecordingHost host(dir.path() + "file/");
  Engine e(host);
  EXPECT_THROW(load_paper_record(e), FatalError);
  ASSERT_EQ(host.fatals.size(), 1u);
  EXPECT_EQ(host.fatals[0], "セットアップ失敗!，プロッタＤＢを書き込めません");
}

// Paper fitting.

DrawingExtents box(double x0, double x1, double y0, double y1) {
  DrawingExtents d;
  d.xmin = x0;
  d.xmax = x1;
  d.ymin = y0;
  d.ymax = y1;
  return d;
}

PaperChoice fit(TestEngine& t, const DrawingExtents& d) { return choose_fitting_paper(*t.engine, t.dir.path(), d); }

void expect_choice(const PaperChoice& c, int plotter, int paper, int mode) {
  EXPECT_EQ(c.plotter, plotter);
  EXPECT_EQ(c.paper, paper);
  EXPECT_EQ(c.mode, mode);
}

TEST(PaperFitting, ChoosesTheTightestDefaultRecord) {
  TestEngine t;
  write_default_paper_database(t.dir.path());
  expect_choice(fit(t, box(10, 10860, 10, 7590)), HP7550, PAPER_A4, MODE_NORMAL);
  // A3 of the HP7595/HP7596 block: the last heading line names the block.
  expect_choice(fit(t, box(-7000, 7000, -4000, 4000)), HP7596, PAPER_A3, MODE_NORMAL);
  // Touching a limit does not fit (strict tests).
  PaperChoice c = fit(t, box(0, 10860, 10, 7590));
  EXPECT_FALSE(c.plotter == HP7550 && c.paper == PAPER_A4);
}

TEST(PaperFitting, ChoosesTheFirstTakenRecordThatHoldsThePlot) {
  TestEngine t;
  write_default_paper_database(t.dir.path());
  // Only the E expand records are wide enough; the HP7570 and HP7580 do not
  // take E, and the shared block answers with its last heading.
  expect_choice(fit(t, box(-21800, 21800, -17000, 17000)), HP7586, PAPER_E, MODE_EXPAND);
  t.dir.write("$ppaper.kv", "!hp7470:normal\n$A3-\n0 100 0 100\n!end\n");
  expect_choice(fit(t, box(10, 20, 10, 20)), -1, -1, -1);
}

TEST(PaperFitting, ReplacesTheAnswerOnlyWhenTighterInBothAxes) {
  TestEngine t;
  t.dir.write("$ppaper.kv",
              "!hp7550:normal\n$A4\n0 1000 0 1000\n"  // slack 900 / 900
              "$A3\n0 200 0 5000\n"                   // tighter in x only
              "$A2\n0 1000 0 1000\n"                  // a tie
              "!end\n!hp7580:expand\n$B\n0 500 0 500\n"  // tighter in both
              "!end\n!hp7585:normal\n$C\n0 600 0 400\n!end\n");
  expect_choice(fit(t, box(50, 100, 50, 100)), HP7580, PAPER_B, MODE_EXPAND);
}

TEST(PaperFitting, EndLinesKeepTheCurrentPaper) {
  TestEngine t;
  t.dir.write("$ppaper.kv", "!hp7475:normal\n$B\n0 10 0 10\n!end\n0 500 0 500\n!hp7550:bogus\n$A\n\n");
  // The stray line after !end counts as B of HP7475; the empty line after
  // $A (mode read as NORMAL) repeats the numbers and is no tighter.
  expect_choice(fit(t, box(100, 200, 100, 200)), HP7475, PAPER_B, MODE_NORMAL);
}

TEST(PaperFitting, DamagedOrMissingFileIsFatal) {
  TestEngine t;
  EXPECT_THROW(fit(t, box(0, 1, 0, 1)), FatalError);
  EXPECT_EQ(t.host.fatals.back(), "PDBGEN.EXEを実行してください");
  for (const char* file : {"!hp9999:normal\n", "!hp7550-normal\n", "!hp7550:normal\n$F\n"}) {
    TestEngine u;
    u.dir.write("$ppaper.kv", file);
    EXPECT_THROW(fit(u, box(0, 1, 0, 1)), FatalError) << file;
    EXPECT_EQ(u.host.fatals.back(), "SYSTEM:plotter paper data base file desttroyed !!!");
  }
}

TEST(PaperFitting, ApplyStoresAChangedFitOnly) {
  TestEngine t;
  write_default_paper_database(t.dir.path());
  t.engine->gs.extents = box(10, 10860, 10, 7590);
  Settings s;
  s.plotter = HP7585;
  s.expand = 1;
  EXPECT_EQ(apply_fitting_paper(*t.engine, s), 1);
  EXPECT_EQ(s.plotter, HP7550);
  EXPECT_EQ(s.paper, 0);
  EXPECT_EQ(s.expand, 0);
  EXPECT_EQ(apply_fitting_paper(*t.engine, s), 0);
  t.engine->gs.extents = box(-1e6, 1e6, 0, 1);
  s.paper = 3;
  EXPECT_EQ(apply_fitting_paper(*t.engine, s), 0);
  EXPECT_EQ(s.paper, 3);
}

}  // namespace
}  // namespace kavor
