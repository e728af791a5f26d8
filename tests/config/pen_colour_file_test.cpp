#include "config/pen_colour_file.h"

#include <gtest/gtest.h>

#include <sstream>

#include "engine/engine.h"
#include "support/test_env.h"

namespace kavor {
namespace {

std::vector<std::pair<int, char>> assignments(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::pair<int, char>> out;
  for (const PenColourAssignment& a : read_pen_colour_lines(in)) out.emplace_back(a.pen, a.letter);
  return out;
}

TEST(PenColourFile, LineRules) {
  EXPECT_EQ(assignments("PEN3:BLUE\n"), (std::vector<std::pair<int, char>>{{3, 'B'}}));
  EXPECT_EQ(assignments("pen2:greenish\n"), (std::vector<std::pair<int, char>>{{2, 'G'}}));
  EXPECT_TRUE(assignments("PEN1: RED\nPEN8:RED\nPEN9:RED\nPEN5=RED\n#PEN4:CYAN\nPEN6:PURPLE\n PEN1:RED\nPEN:RED\n"
                          "PEN7:\nPEN")
                  .empty());
  EXPECT_EQ(assignments("PEN0:white\r\nPEN7:Magenta\nPEN1:BLACK\nPEN1:yellow"),
            (std::vector<std::pair<int, char>>{{0, 'W'}, {7, 'M'}, {1, 'K'}, {1, 'Y'}}));
}

TEST(PenColourFile, LongLinesAreReadInChunks) {
  EXPECT_EQ(assignments(std::string(127, '#') + "PEN4:CYAN\n"), (std::vector<std::pair<int, char>>{{4, 'C'}}));
  EXPECT_TRUE(assignments(std::string(126, 'x') + "PEN4:CYAN\n").empty());
}

TEST(PenColourFile, EngineReadsItFromTheSettingsDirectory) {
  testing::TestEngine t;
  testing::TestEngine reference;
  t.dir.write("$pcolor.kv", "PEN3:BLUE\npen2:greenish\nPEN8:RED\n");
  read_pen_colour_file(*t.engine);
  set_pen_colour(*reference.engine, 3, 'B');
  set_pen_colour(*reference.engine, 2, 'G');
  EXPECT_EQ(t.engine->device.colours, reference.engine->device.colours);
}

}  // namespace
}  // namespace kavor
