// The converter's command line, output names and message limit.
#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <span>
#include <set>
#include <sstream>

#include "cli/arguments.h"
#include "cli/message_limit.h"
#include "cli/output_names.h"
#include "config/plotters.h"
#include "platform/picture_output.h"
#include "support/test_env.h"

namespace kavor {
namespace {

ConvertArguments parse(std::vector<std::string> words) {
  std::vector<char*> argv{const_cast<char*>("kavor-convert")};
  for (std::string& w : words) argv.push_back(w.data());
  return parse_convert_arguments(static_cast<int>(argv.size()), argv.data());
}

TEST(Arguments, UsableCommandLines) {
  ConvertArguments a = parse({"-o", "x.png", "--size", "800x600", "--stretch", "-PT", "hp7585", "-BM", "0", "0", "50",
                              "50", "-FRAME", "in.plt"});
  EXPECT_EQ(a.error, "");
  EXPECT_EQ(a.width, 800);
  EXPECT_EQ(a.height, 600);
  EXPECT_TRUE(a.stretch);
  EXPECT_EQ(a.engine_options, (std::vector<std::string>{"-PT", "hp7585", "-BM", "0", "0", "50", "50", "-FRAME"}));
  EXPECT_EQ(a.inputs, std::vector<std::string>{"in.plt"});
  EXPECT_EQ(a.fit, FitMode::none) << "-BM already chooses the part shown";

  a = parse({"--pages", "--dpi", "300", "--fit", "paper", "a.plt", "-in", "b.plt", "-"});
  EXPECT_EQ(a.error, "");
  EXPECT_TRUE(a.pages);
  EXPECT_EQ(a.dpi, 300);
  EXPECT_EQ(a.fit, FitMode::paper);
  EXPECT_EQ(a.inputs, (std::vector<std::string>{"a.plt", "b.plt", "-"}));

  EXPECT_EQ(parse({"a.plt"}).fit, FitMode::drawing);
  EXPECT_EQ(parse({"--param", "p.kv"}).fit, FitMode::none);
}

TEST(Arguments, UnusableCommandLines) {
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{"--bogus", "a.plt"}, "unknown option --bogus"},
      {{"--size", "0x10"}, "invalid --size 0x10"},
      {{"--size", "10x"}, "invalid --size 10x"},
      {{"--dpi", "-3"}, "invalid --dpi -3"},
      {{"--page", "0"}, "invalid --page 0"},
      {{"--fit", "sheet"}, "invalid --fit sheet (drawing, paper or none)"},
      {{"--size", "100", "--dpi", "100"}, "--size and --dpi both set the picture's size"},
      {{"--page", "2", "--pages"}, "--page and --pages exclude each other"},
      {{"-o", "-", "--pages"}, "--pages writes several pictures, not one to standard output"},
      {{"-o", "x", "--out-dir", "d"}, "-o and --out-dir exclude each other"},
      {{"--fit", "drawing", "-BM", "0", "0", "50", "50"},
       "--fit drawing chooses the part shown itself: leave out -BM, -OX, -DP, -DW and -DH"},
      {{"--settings", "s.kv", "--pages", "a.plt"},
       "--param and --settings render as the desktop program does: no --fit, --dpi, --page or --pages"},
      {{"-o"}, "missing value after -o"},
  };
  for (const auto& [words, error] : cases) EXPECT_EQ(parse(words).error, error);
}

TEST(OutputNames, NamesEveryOutputApart) {
  const OutputNames one("out.png", "", "png", {"a.plt"});
  EXPECT_EQ(one.whole(0), "out.png");
  EXPECT_EQ(one.page(0, 12), "out-12.png");
  const OutputNames many("", "pics", "svg", {"a/x.plt", "b/x.hgl", "x_2.plt", "-", "c/x"});
  EXPECT_EQ(many.whole(0), "pics/x.svg");
  EXPECT_EQ(many.whole(1), "pics/x_2.svg");
  EXPECT_EQ(many.whole(2), "pics/x_2_2.svg");
  EXPECT_EQ(many.whole(3), "pics/stdin.svg");
  EXPECT_EQ(many.whole(4), "pics/x_3.svg");
  EXPECT_EQ(many.page(1, 3), "pics/x_2-3.svg");
  EXPECT_EQ(OutputNames("", "", "png", {"plot.plt"}).whole(0), "./plot.png");
}

TEST(OutputNames, AnOutputIsAnInputByAnyName) {
  testing::TempDir dir;
  const std::string plot = dir.write("plot.plt", "IN;");
  ASSERT_EQ(link(plot.c_str(), (dir.path() + "linked.png").c_str()), 0);
  EXPECT_TRUE(is_one_of(dir.path() + "./plot.plt", {"-", plot}));
  EXPECT_TRUE(is_one_of(dir.path() + "linked.png", {plot}));
  EXPECT_FALSE(is_one_of(dir.path() + "new.png", {plot}));
  EXPECT_FALSE(is_one_of("-", {"-"}));
}

TEST(MessageLimit, EachTextAtMostTwentyTimesThenACount) {
  MessageLimit limit;
  int shown = 0;
  for (int i = 0; i < 25; ++i) shown += limit.admit("XP:Invalid command.");
  shown += limit.admit("LB:other.");
  EXPECT_EQ(shown, 21);
  EXPECT_EQ(limit.held_back(), std::vector<std::string>{"5 more: XP:Invalid command."});
  MessageLimit many;
  for (int i = 0; i < 5000; ++i) many.admit("text " + std::to_string(i));
  for (int i = 0; i < 5000; ++i) many.admit("text " + std::to_string(i));
  const std::vector<std::string> held = many.held_back();
  ASSERT_EQ(held.size(), 1u) << "distinct texts beyond the table share one count";
  EXPECT_EQ(held[0].substr(held[0].find(':')), ": (other messages)");
}

// The words of a variable set in the completion script.
std::set<std::string> completion_words(const std::string& variable) {
  std::ifstream in(KAVOR_SOURCE_DIR "/doc/bash-completion/kavor-convert");
  const std::string script((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::smatch m;
  if (!std::regex_search(script, m, std::regex("local " + variable + "=\"([^\"]*)\""))) return {};
  std::istringstream words(m[1].str());
  return {std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()};
}

TEST(BashCompletion, OffersTheEnginesNamesAndTheFormats) {
  std::set<std::string> plotters, papers;
  for (const auto& table : {std::span<const NamedCode>(kPlotterModels), std::span<const NamedCode>(kPlotterFamilies)})
    for (const NamedCode& n : table) plotters.insert(std::string(n.name));
  for (const auto& table : {kPaperNames, kExpandedPaperNames})
    for (const NamedCode& n : table) papers.insert(std::string(n.name));
  EXPECT_EQ(completion_words("plotters"), plotters);
  EXPECT_EQ(completion_words("papers"), papers);
  std::istringstream names(picture_format_names());
  EXPECT_EQ(completion_words("formats"),
            (std::set<std::string>{std::istream_iterator<std::string>(names), std::istream_iterator<std::string>()}));
}

}  // namespace
}  // namespace kavor
