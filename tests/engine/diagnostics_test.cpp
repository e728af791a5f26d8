#include "engine/diagnostics.h"

#include <gtest/gtest.h>

#include "engine/fatal_error.h"
#include "support/test_env.h"

namespace kavor::testing {
namespace {

struct DiagnosticsTest : ::testing::Test {
  TestEngine t;
  Engine& e = *t.engine;
  void set_mnemonic(const char* m) {
    e.run.mnemonic[0] = m[0];
    e.run.mnemonic[1] = m[1];
  }
};

TEST_F(DiagnosticsTest, NoPrefixBeforeAnyInstruction) {
  report_param_range_error(e, ", kind.");
  ASSERT_EQ(t.host.warnings.size(), 1u);
  EXPECT_EQ(t.host.warnings[0], "parameter value is not fit in range, kind.");
}

TEST_F(DiagnosticsTest, SuffixedMessagesAreBuiltAfresh) {
  set_mnemonic("FT");
  report_param_range_error(e, ", kind.");
  report_param_range_error(e, ", type.");
  report_param_count_error(e, ".");
  ASSERT_EQ(t.host.warnings.size(), 3u);
  EXPECT_EQ(t.host.warnings[0], "FT:parameter value is not fit in range, kind.");
  EXPECT_EQ(t.host.warnings[1], "FT:parameter value is not fit in range, type.");
  EXPECT_EQ(t.host.warnings[2], "FT:number of parameter error.");
}

TEST_F(DiagnosticsTest, FormattedMessagesAndLengthGuards) {
  set_mnemonic("IW");
  report_warning_fmt(e, "not support %s option !", "X");
  EXPECT_EQ(t.host.warnings.back(), "IW:not support X option !");
  EXPECT_THROW(report_warning_fmt(e, "%s", std::string(254, 'a')), FatalError);
  EXPECT_EQ(t.host.fatals.back(), "IW:SYSTEM ERROR: message length over work error\n");
  EXPECT_THROW(report_system_error(e, std::string(242, 'b')), FatalError);
  EXPECT_EQ(t.host.fatals.back(), "IW:SYSTEM ERROR: message length over work area.\n");
  EXPECT_THROW(report_system_error(e, " over font table !!!"), FatalError);
  EXPECT_EQ(t.host.fatals.back(), "IW:SYSTEM ERROR:  over font table !!!");
  EXPECT_EQ(format_one("Esc%%-1? %s", "z"), "Esc%-1? z");
}

TEST_F(DiagnosticsTest, FormattingAndTheInstructionErrorBuffer) {
  EXPECT_EQ(format_one("Esc%%#A %s!", "50%s"), "Esc%#A 50%s!") << "the argument is not a format";
  EXPECT_THROW(report_fatal_fmt(e, " input file %s not found !", "a.plt"), FatalError);
  EXPECT_EQ(t.host.fatals.back(), " input file a.plt not found !");
  set_mnemonic("QQ");
  report_instruction_error(e, std::string(100, 'x'));
  EXPECT_EQ(t.host.instruction_errors.back(), "QQ:" + std::string(76, 'x')) << "composed into 80 bytes";
}

TEST_F(DiagnosticsTest, InstructionErrorRemembersTheLastAnswer) {
  set_mnemonic("XP");
  t.host.answer = -1;  // dialog cannot be shown: Abort until answered
  EXPECT_EQ(report_instruction_error(e, "Invalid command."), 1);
  EXPECT_EQ(t.host.messages.back(), "Error|DialogBox Error");
  t.host.answer = 0;
  EXPECT_EQ(report_instruction_error(e, "Invalid command."), 0);
  t.host.answer = -1;
  EXPECT_EQ(report_instruction_error(e, "Invalid command."), 0);
  EXPECT_EQ(t.host.instruction_errors[0], "XP:Invalid command.");
  EXPECT_LE(t.host.instruction_errors[0].size(), 79u);
}

}  // namespace
}  // namespace kavor::testing
