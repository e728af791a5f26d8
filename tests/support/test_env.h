#pragma once
// A fresh settings directory per test (KAVOR_HOME), an engine with a
// recording host, and helpers to run plot text through it.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "support/recording_host.h"

namespace kavor::testing {

// A temporary directory removed when the object goes away.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }  // ends in '/'
  std::string write(const std::string& name, const std::string& content) const;

 private:
  std::string path_;
};

struct TestEngine {
  TestEngine();
  TempDir dir;
  RecordingHost host;
  std::ostringstream out, err;
  std::unique_ptr<Engine> engine;

  // One run over the plot text with the given engine options. Returns
  // false when the run ended with a fatal error.
  bool run(const std::string& plot, const std::vector<std::string>& options = {});
  // Only the option parsing and interpreter initialisation of a run.
  bool init(const std::vector<std::string>& options = {});
  // Feeds more plot text to an initialised engine.
  void feed(const std::string& plot);
};

// A display of 1000 by 1000 pixels over a plot area and hard clip of 0..1000
// plotter units, pen 1, no input window; every device segment is written to
// the conversion stream, whose y is then plotter y.
void use_square_display(Engine& e, std::ostream& conversion);
// One line of a conversion stream: "SPpen PUx1,y1 PDx2,y2".
struct ConversionSegment {
  int pen, x1, y1, x2, y2;
  bool operator==(const ConversionSegment&) const = default;
};
// The segment lines of a conversion stream's text; the first line and the
// closing line are no segments and are left out.
std::vector<ConversionSegment> conversion_segments(const std::string& text);

// An initialised engine on the square display of use_square_display: the
// conversion stream shows every device segment in plotter coordinates.
class SquareDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override;
  Engine& e() { return *t.engine; }
  // Feeds plot text and returns the conversion lines that it drew.
  std::vector<std::string> feed(const std::string& plot);
  // The conversion lines drawn since the last take.
  std::vector<std::string> take_lines();
  std::vector<ConversionSegment> take_segments();

  TestEngine t;
  std::ostringstream conversion;
};

// Runs the handler of a mnemonic on the parameters already in the block.
int run_handler(Engine& e, const char* mnemonic);
// The lines of a conversion stream's text.
std::vector<std::string> conversion_lines(const std::string& text);

}  // namespace kavor::testing
