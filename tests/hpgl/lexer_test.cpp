#include "hpgl/lexer.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

#include "engine/run.h"
#include "support/test_env.h"

namespace kavor::testing {
namespace {

struct LexerTest : ::testing::Test {
  TestEngine t;
  Engine& e = *t.engine;
  ParamBlock& p = e.params;

  void SetUp() override { ASSERT_TRUE(t.init()); }
  void input(const std::string& text) { e.run.input.open_memory(text); }
  // The characters that the scan left unread.
  std::string rest() {
    std::string s;
    for (int c = next_input_char(e); c != -1; c = next_input_char(e)) s += static_cast<char>(c);
    return s;
  }
  std::string given() const { return std::string(p.given.data(), p.given.data() + std::max(p.count, 0) + 1); }
};

TEST_F(LexerTest, SemicolonEndsTheTokenAndTheLetterEndsTheList) {
  input("10,20;PD");
  EXPECT_EQ(scan_real_list(e, 4), 'P');
  ASSERT_EQ(p.count, 2);
  EXPECT_EQ(p.ints[0], 10);
  EXPECT_EQ(p.ints[1], 20);
  EXPECT_EQ(given(), "110");
  EXPECT_EQ(rest(), "PD");
}

TEST_F(LexerTest, BlanksCommasAndSignsSeparateParameters) {
  input(" 10 20");
  EXPECT_EQ(scan_real_list(e, 4), -1);
  EXPECT_EQ(p.count, 2);
  EXPECT_EQ(p.ints[1], 20);

  input("-5-6+7;");
  scan_real_list(e, 4);
  ASSERT_EQ(p.count, 3);
  EXPECT_EQ(p.ints[0], -5);
  EXPECT_EQ(p.ints[1], -6);
  EXPECT_EQ(p.ints[2], 7);

  input("10,,, 20;");
  scan_real_list(e, 4);
  EXPECT_EQ(p.count, 2);
  EXPECT_EQ(given(), "110");
}

TEST_F(LexerTest, ListAcceptsOneValueMoreThanTheTableMaximum) {
  input("1,2,3,4,5,6,7,8;");
  EXPECT_EQ(scan_real_list(e, 7), -1);
  EXPECT_EQ(p.count, 8);
  input("1,2,3,4,5,6,7,8,9;");
  scan_real_list(e, 7);
  EXPECT_EQ(p.count, -1);
  input("1,2;");
  scan_integer_list(e, 0);
  EXPECT_EQ(p.count, -1);
}

TEST_F(LexerTest, InvalidTokens) {
  input("1,1.5;");
  scan_integer_list(e, 5);
  EXPECT_EQ(p.count, -1) << "a point is not integer syntax";

  input("10\t20;");
  scan_real_list(e, 5);
  EXPECT_EQ(p.count, -1) << "a tab is stored in the token";

  input("1*;");
  scan_real_list(e, 5);
  EXPECT_EQ(p.count, -1);

  input("1E5;");
  EXPECT_EQ(scan_real_list(e, 5), 'E') << "no exponent syntax: E begins a mnemonic";
  EXPECT_EQ(p.count, 1);
  EXPECT_EQ(rest(), "E5;");
}

TEST_F(LexerTest, EndOfInputEndsTheListCleanly) {
  input("10,20");
  EXPECT_EQ(scan_real_list(e, 4), -1);
  EXPECT_EQ(p.count, 2);
  EXPECT_EQ(given(), "110");
  input("");
  EXPECT_EQ(scan_real_list(e, 4), -1);
  EXPECT_EQ(p.count, 0);
}

TEST_F(LexerTest, RealsRoundHalfAwayFromZero) {
  input("1.5,-1.5,2.49,-0.5,.5,3.;");
  scan_real_list(e, 9);
  ASSERT_EQ(p.count, 6);
  EXPECT_EQ(p.ints[0], 2);
  EXPECT_EQ(p.ints[1], -2);
  EXPECT_EQ(p.ints[2], 2);
  EXPECT_EQ(p.ints[3], -1);
  EXPECT_EQ(p.ints[4], 1);
  EXPECT_EQ(p.ints[5], 3);
  EXPECT_DOUBLE_EQ(p.reals[2], 2.49);
}

TEST_F(LexerTest, MalformedNumbersConvertLikeTheCLibrary) {
  input("+5,+-5,-,.,1.2.3;");
  scan_real_list(e, 9);
  ASSERT_EQ(p.count, 5);
  EXPECT_EQ(p.reals[0], 5.0);
  EXPECT_EQ(p.reals[1], 0.0);
  EXPECT_EQ(p.reals[2], 0.0);
  EXPECT_EQ(p.reals[3], 0.0);
  EXPECT_DOUBLE_EQ(p.reals[4], 1.2);
  input("--5,-;");
  scan_integer_list(e, 9);
  ASSERT_EQ(p.count, 2);
  EXPECT_EQ(p.ints[0], 0);
  EXPECT_EQ(p.ints[1], 0);
}

TEST_F(LexerTest, RealsConvertExactlyLikeStrtod) {
  const char* const values[] = {"0.1",  "123.456", "-0.7",  "999999999999999", "1234567890.12345", "0.000000000000001",
                                "5.",   ".25",     "-0",    "1234567890123456789", "0.1234567890123456", "4503599627370497.5",
                                "3.14159265358979323846", "-2.5"};
  std::string text;
  for (const char* v : values) text += std::string(v) + ",";
  input(text);
  scan_reals_upto(e, 30);
  ASSERT_EQ(p.count, 14);
  for (int i = 0; i < 14; ++i) EXPECT_EQ(p.reals[i], std::strtod(values[i], nullptr)) << values[i];
}

TEST_F(LexerTest, HugeNumbersSaturate) {
  input("99999999999999999999,-99999999999999999999;");
  scan_integer_list(e, 5);
  ASSERT_EQ(p.count, 2);
  EXPECT_EQ(p.ints[0], INT32_MAX);
  EXPECT_EQ(p.ints[1], INT32_MIN);
  input("1" + std::string(400, '0') + ",-" + std::string(400, '9') + ",0." + std::string(400, '0') + "1;");
  scan_real_list(e, 5);
  ASSERT_EQ(p.count, 3);
  EXPECT_EQ(p.ints[0], INT32_MAX);
  EXPECT_EQ(p.ints[1], INT32_MIN);
  EXPECT_GT(p.reals[0], 1e300);
  EXPECT_EQ(p.ints[2], 0);
}

TEST_F(LexerTest, OverLongTokenDropsItsSurplusCharacters) {
  input(std::string(2000, '7') + ",5;");
  scan_real_list(e, 5);
  ASSERT_EQ(p.count, 2) << "the surplus must not become a second value";
  EXPECT_EQ(p.ints[1], 5);
  EXPECT_EQ(std::string(p.token.data()).size(), 0u);
  input(std::string(2000, '7') + ";");
  read_param_token(e);
  EXPECT_EQ(std::string(p.token.data()).size(), static_cast<size_t>(ParamBlock::kTokenBytes - 1));
}

TEST_F(LexerTest, LineBreaksAndByte26InsideATokenAreDropped) {
  input("1\r\n2\x1a" "3,4;");
  scan_real_list(e, 5);
  ASSERT_EQ(p.count, 2);
  EXPECT_EQ(p.ints[0], 123);
}

TEST_F(LexerTest, EscapeEndsTheListAndIsPushedBack) {
  input("10\x1b%-1B");
  EXPECT_EQ(scan_real_list(e, 5), 27);
  EXPECT_EQ(p.count, 1);
  EXPECT_EQ(rest(), "\x1b%-1B");
}

TEST_F(LexerTest, BoundedScannersLeaveTheRestInTheStream) {
  input("1,2,3,4,5;PU");
  EXPECT_EQ(scan_reals_upto(e, 2), 0);
  EXPECT_EQ(p.count, 2);
  EXPECT_EQ(p.given[2], '0');
  scan_integers_upto(e, 2);
  ASSERT_EQ(p.count, 2);
  EXPECT_EQ(p.ints[0], 3);
  scan_reals_upto(e, 2);
  EXPECT_EQ(p.count, 1);
  EXPECT_EQ(rest(), "PU");

  input("1,x;");
  scan_reals_upto(e, 2);
  EXPECT_EQ(p.count, 1) << "x begins a mnemonic";
  input("1,*;");
  scan_reals_upto(e, 2);
  EXPECT_EQ(p.count, -1);
  // No table maximum: as many values as the block holds.
  std::string many;
  for (int i = 0; i < 40; ++i) many += "1,";
  input(many);
  scan_reals_upto(e, 30);
  EXPECT_EQ(p.count, 30);
  input(many);
  scan_real_list(e, 40);
  EXPECT_EQ(p.count, -1) << "a list never writes beyond the 30 values of the block";
}

TEST_F(LexerTest, SkipParamListDiscardsToTheEndOfTheList) {
  input("1,*,garbage;3");
  EXPECT_EQ(skip_param_list(e), 'g');
  EXPECT_EQ(rest(), "garbage;3");
  input("1,2");
  EXPECT_EQ(skip_param_list(e), -1);
}

TEST_F(LexerTest, LabelTerminatorEndsATokenOnlyOnTheHP7475) {
  input("10\x03" "20;");
  scan_real_list(e, 5);
  EXPECT_EQ(p.count, -1) << "the terminator is an ordinary character elsewhere";

  ASSERT_TRUE(t.init({"-PT", "HP7475"}));
  input("10\x03" "20;");
  scan_real_list(e, 5);
  ASSERT_EQ(p.count, 2);
  EXPECT_EQ(p.ints[1], 20);
  e.gs.label.terminator = '#';
  input("10#20;");
  scan_real_list(e, 5);
  EXPECT_EQ(p.count, 2);
}

struct LabelTextTest : LexerTest {};

TEST_F(LabelTextTest, TerminatorModes) {
  std::string text;
  input("ABC\x03PU");
  EXPECT_EQ(read_label_text(e, text), 3);
  EXPECT_EQ(text, "ABC");
  EXPECT_EQ(rest(), "PU");

  e.gs.label.terminator_mode = 0;
  input("ABC\x03PU");
  read_label_text(e, text);
  EXPECT_EQ(text, "ABC\x03");

  for (int mode : {0, 1}) {
    e.gs.label.terminator_mode = mode;
    input("no end");
    EXPECT_EQ(read_label_text(e, text), -1);
    EXPECT_EQ(text, "no end");
  }
}

TEST_F(LabelTextTest, At512CharactersTheNextIsLostAndTheRestIsRead) {
  std::string label(512, 'a');
  std::string tail = "PU;" + std::string(84, 'b');
  input(label + "X" + tail);
  std::string text;
  EXPECT_EQ(read_label_text(e, text), 'X');
  EXPECT_EQ(text, label);
  EXPECT_EQ(rest(), tail);

  input(std::string(511, 'a') + "\x03" "Z");
  read_label_text(e, text);
  EXPECT_EQ(text.size(), 511u);
  EXPECT_EQ(rest(), "Z");
}

}  // namespace
}  // namespace kavor::testing
