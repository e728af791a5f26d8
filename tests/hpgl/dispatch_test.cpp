#include "hpgl/dispatch.h"
#include "hpgl/instruction_table.h"

#include <gtest/gtest.h>

#include "engine/run.h"
#include "support/test_env.h"

namespace kavor::testing {
namespace {

// One dispatch seen by the driver: the mnemonic and the scanned parameters.
struct Dispatched {
  std::string mnemonic;
  int count;
  std::vector<int> ints;
};

struct DispatchTest : ::testing::Test {
  TestEngine t;
  Engine& e = *t.engine;

  void SetUp() override { ASSERT_TRUE(t.init()); }

  // Runs the main loop by hand and records every mnemonic that parseGl
  // dispatched or rejected, with the parameter block after its handler.
  std::vector<Dispatched> drive(const std::string& text) {
    std::vector<Dispatched> seen;
    e.run.input.open_memory(text);
    for (;;) {
      StateFn state = e.run.state;
      int c = next_input_char(e);
      int result = state(e, c);
      bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
      if (state == parseGl && letter) {
        Dispatched d{std::string(e.run.mnemonic, 2), e.params.count, {}};
        for (int i = 0; i < e.params.count; ++i) d.ints.push_back(e.params.ints[i]);
        seen.push_back(d);
      }
      if (result == -1) return seen;
    }
  }
  std::vector<std::string> mnemonics(const std::string& text) {
    std::vector<std::string> m;
    for (const Dispatched& d : drive(text)) m.push_back(d.mnemonic);
    return m;
  }
  using Names = std::vector<std::string>;
};

TEST_F(DispatchTest, LowerCaseAndLineBreaksInsideMnemonics) {
  auto seen = drive("ps1,2;p\r\ns3,4;");
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].mnemonic, "PS");
  EXPECT_EQ(seen[0].ints, (std::vector<int>{1, 2}));
  EXPECT_EQ(seen[1].mnemonic, "PS");
  EXPECT_EQ(seen[1].ints, (std::vector<int>{3, 4}));
  EXPECT_TRUE(t.host.instruction_errors.empty());
}

TEST_F(DispatchTest, NumbersAndSeparatorsBetweenInstructionsAreSkipped) {
  EXPECT_EQ(mnemonics(";;12,34 ;\r\n\x01\xff PU;"), Names{"PU"});
  EXPECT_TRUE(t.host.instruction_errors.empty());
  EXPECT_TRUE(t.host.warnings.empty());
}

TEST_F(DispatchTest, UnknownMnemonicContinuesWithItsSecondCharacter) {
  EXPECT_EQ(mnemonics("XPA10,10;"), (Names{"XP", "PA"}));
  EXPECT_EQ(t.host.instruction_errors, Names{"XP:Invalid command."});
  for (const char* m : {"OC", "BR", "BZ", "PP"}) {
    t.host.instruction_errors.clear();
    EXPECT_EQ(mnemonics(m).at(0), m);
    EXPECT_EQ(t.host.instruction_errors.at(0), std::string(m) + ":Invalid command.");
  }
}

TEST_F(DispatchTest, AbortEndsTheRun) {
  t.host.answer = 1;
  EXPECT_EQ(mnemonics("XP;PU;"), Names{"XP"});
  t.host.answer = 1;
  EXPECT_EQ(mnemonics("AP1,2,3;PU;"), Names{"AP"}) << "an invalid list ends the run on Abort as well";
}

TEST_F(DispatchTest, EndOfInputAfterTheFirstLetter) {
  EXPECT_EQ(mnemonics("PU;P"), (Names{"PU", std::string("P\xff")}));
  EXPECT_EQ(t.host.instruction_errors, Names{std::string("P\xff:Invalid command.")});
  t.host.instruction_errors.clear();
  EXPECT_EQ(mnemonics("P\r\n"), Names{std::string("P\xff")});
  EXPECT_EQ(t.host.instruction_errors.size(), 1u);
}

TEST_F(DispatchTest, IgnoredInstructionsStillScanTheirParameters) {
  auto seen = drive("AP1,2;BF0;GM1,2,3,4,5,6;");
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[2].count, 6);
  EXPECT_TRUE(t.host.instruction_errors.empty());

  seen = drive("AP1,2,3;BF1,2;SV1,*;");
  ASSERT_EQ(seen.size(), 3u);
  for (const Dispatched& d : seen) EXPECT_EQ(d.count, -1) << d.mnemonic;
  EXPECT_EQ(t.host.instruction_errors, (Names{"AP:Invalid command.", "BF:Invalid command.", "SV:Invalid command."}));
}

TEST_F(DispatchTest, KindZeroInstructionsLeaveTheirTextToTheDispatcher) {
  EXPECT_EQ(mnemonics("MG*#1.5.5;GP*;"), (Names{"MG", "GP"}));
  EXPECT_TRUE(t.host.instruction_errors.empty()) << "unscanned text is skipped, not rejected";
  EXPECT_EQ(mnemonics("MGPU;GP,PD;"), (Names{"MG", "PU", "GP", "PD"}));
}

TEST_F(DispatchTest, PercentSequences) {
  EXPECT_EQ(mnemonics("\x1b%-1BPU;"), Names{"PU"});
  EXPECT_TRUE(t.host.warnings.empty());
  EXPECT_EQ(mnemonics("\x1b%0A\x1b%3APU;"), Names{"PU"});
  EXPECT_TRUE(t.host.warnings.empty());

  EXPECT_EQ(mnemonics("\x1b%-1XPU;"), Names{"PU"}) << "the faulty character is consumed";
  EXPECT_EQ(mnemonics("\x1b%51"), Names{});
  EXPECT_EQ(mnemonics("\x1b%7A"), Names{});
  EXPECT_EQ(mnemonics("\x1b%1B"), Names{});
  EXPECT_EQ(t.host.warnings, (Names{"**:Esc%-1? error, ? must be B.", "**:Esc%?1 error, ? must be -.",
                                    "**:Esc%#A error, # must be 0-3.", "**:Esc% error."}));
}

TEST_F(DispatchTest, SequencesCutShortByEndOfInput) {
  for (const char* text : {"\x1b", "\x1b%", "\x1b%-", "\x1b%-1", "\x1b."}) {
    EXPECT_EQ(mnemonics(text), Names{}) << text;
    EXPECT_EQ(e.run.state, parseGl);
  }
  EXPECT_TRUE(t.host.warnings.empty());
}

TEST_F(DispatchTest, DeviceControlAndOtherEscapesDropOneCharacter) {
  EXPECT_EQ(mnemonics("\x1b.I81;;17:\x1b.N;19:PU;"), Names{"PU"});
  EXPECT_EQ(mnemonics("\x1bZPU;\x1b\x1bPD;"), (Names{"PU", "PD"}));
  EXPECT_TRUE(t.host.instruction_errors.empty());
  EXPECT_TRUE(t.host.warnings.empty());
}

TEST_F(DispatchTest, EscapeEResetsTheInterpreter) {
  drive("PU;");
  e.gs.label.terminator = '#';
  e.gs.label.terminator_mode = 0;
  drive("\x1b");
  EXPECT_EQ(std::string(e.run.mnemonic), "**");
  drive("\x1b" "E");
  EXPECT_EQ(e.gs.label.terminator, 3);
  EXPECT_EQ(e.gs.label.terminator_mode, 1);
  EXPECT_EQ(std::string(e.run.mnemonic), "  ");
  EXPECT_EQ(e.run.state, parseGl);
}

TEST_F(DispatchTest, MessagesCarryTheEscapeMnemonicUntilTheNextInstruction) {
  drive("\x1b%-1XQQ;");
  EXPECT_EQ(t.host.warnings, Names{"**:Esc%-1? error, ? must be B."});
  EXPECT_EQ(t.host.instruction_errors.at(0), "QQ:Invalid command.");
}

TEST_F(DispatchTest, PendingPageAdvanceRunsBeforeTheNextKnownInstruction) {
  e.gs.page.advance_pending = true;
  drive("QQ");
  EXPECT_TRUE(e.gs.page.advance_pending) << "a rejected mnemonic is no instruction";
  drive("PS1;");
  EXPECT_FALSE(e.gs.page.advance_pending);
}

TEST_F(DispatchTest, EveryTableEntryIsFoundAndNothingElse) {
  int found = 0;
  for (char a = 'A'; a <= 'Z'; ++a)
    for (char b = 'A'; b <= 'Z'; ++b)
      if (const InstructionEntry* entry = find_instruction(a, b)) {
        ++found;
        EXPECT_EQ(entry->first, a);
        EXPECT_EQ(entry->second, b);
        EXPECT_TRUE(entry->kind >= 0 && entry->kind <= 2);
      }
  EXPECT_EQ(found, 131);
  EXPECT_EQ(find_instruction('P', '\xff'), nullptr);
  EXPECT_EQ(find_instruction('a', 'a'), nullptr);
  EXPECT_EQ(find_instruction('U', 'L')->maximum, 21);
  EXPECT_EQ(find_instruction('M', 'G')->kind, SCAN_BY_HANDLER);
  // 79 handlers in the chapters' tables, each in one of them, and 52
  // instructions accepted and ignored.
  size_t handlers = 0;
  for (auto table : {configuration_instructions(), pen_motion_instructions(), figure_instructions(),
                     polygon_instructions(), line_and_fill_instructions(), character_instructions()})
    handlers += table.size();
  EXPECT_EQ(handlers, 79u);
}

TEST_F(DispatchTest, CommentTextIsSkippedAsAWhole) {
  EXPECT_EQ(mnemonics("CO\"IN;SP1;PD100,100;\"PU;"), (Names{"CO", "PU"}));
  EXPECT_EQ(mnemonics("co , \"a \x1b" "E in\";pu;"), (Names{"CO", "PU"}));
  EXPECT_EQ(mnemonics("CO;PU;CO PD;"), (Names{"CO", "PU", "CO", "PD"})) << "no quote: no comment text";
  EXPECT_EQ(mnemonics("CO\"PU;PD;"), Names{"CO"}) << "an open comment runs to the end";
  EXPECT_TRUE(t.host.instruction_errors.empty());
  EXPECT_TRUE(t.host.warnings.empty());
}

TEST_F(DispatchTest, CommentDrawsNothingAndResetsNothing) {
  std::ostringstream conversion;
  use_square_display(e, conversion);
  drive("PA0,0;CO\"SP0;PD500,500;IN;\";PD10,10;");
  auto lines = conversion_lines(conversion.str());
  EXPECT_EQ(lines, Names{"SP1 PU0,0 PD10,10"});
}

TEST_F(DispatchTest, WholeRunWithContinue) {
  ASSERT_TRUE(t.run("XPA10,10;"));
  EXPECT_EQ(t.host.instruction_errors, Names{"XP:Invalid command."});
}

}  // namespace
}  // namespace kavor::testing
