// Whole pictures: the three test sheets and the mixed sample, rendered as
// the converter renders its PNG, against the pictures stored in
// tests/data/golden. A difference names the first differing pixel and how
// many differ, and the picture the run drew is written to
// golden-actual/NAME.png in the working folder. KAVOR_UPDATE_GOLDEN=1 stores
// the pictures drawn instead (look at them before committing them).

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/engine.h"
#include "engine/rendering.h"
#include "engine/run.h"
#include "platform/picture_canvas.h"
#include "support/test_env.h"

namespace kavor::testing {
namespace {

constexpr PixelSize kSize{800, 566};

std::string read_plot(const std::string& name) {
  std::ifstream in(std::string(KAVOR_TEST_DATA) + "/" + name + ".plt", std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The plot drawn in colour on the display at kSize, as kavor-convert -o x.png does.
QImage render(const std::string& plot) {
  TestEngine t;
  t.host.view = kSize;
  PictureCanvas canvas(kSize);
  DeviceTargets targets;
  targets.window_height = kSize.height;
  targets.picture = &canvas.surface();
  run_rendering(*t.engine, targets, [&](Engine& e) { engine_run_memory(e, {kProgramName, "-COLOR"}, plot); });
  return canvas.take_image().convertToFormat(QImage::Format_RGB32);
}

std::string rgb(QRgb c) {
  std::ostringstream s;
  s << "rgb(" << qRed(c) << "," << qGreen(c) << "," << qBlue(c) << ")";
  return s.str();
}

// Empty when the pictures are equal; else where and how they differ.
std::string difference(const QImage& expected, const QImage& actual) {
  if (expected.size() != actual.size()) {
    return "size " + std::to_string(actual.width()) + "x" + std::to_string(actual.height()) + ", stored " +
           std::to_string(expected.width()) + "x" + std::to_string(expected.height());
  }
  long count = 0;
  std::string first;
  for (int y = 0; y < actual.height(); ++y) {
    for (int x = 0; x < actual.width(); ++x) {
      const QRgb want = expected.pixel(x, y), got = actual.pixel(x, y);
      if (want == got) continue;
      if (count++ > 0) continue;
      first = "first at (" + std::to_string(x) + ", " + std::to_string(y) + "): " + rgb(got) + ", stored " +
              rgb(want);
    }
  }
  return count == 0 ? "" : std::to_string(count) + " pixels differ, " + first;
}

class GoldenPicture : public ::testing::TestWithParam<const char*> {};

TEST_P(GoldenPicture, MatchesTheStoredPicture) {
  const std::string name = GetParam();
  const std::string stored = std::string(KAVOR_TEST_DATA) + "/golden/" + name + ".png";
  const std::string plot = read_plot(name);
  ASSERT_FALSE(plot.empty()) << name;
  const QImage actual = render(plot);
  ASSERT_FALSE(actual.isNull());
  if (std::getenv("KAVOR_UPDATE_GOLDEN")) {
    ASSERT_TRUE(actual.save(QString::fromStdString(stored), "PNG")) << stored;
    GTEST_SKIP() << "stored " << stored;
  }
  const QImage expected = QImage(QString::fromStdString(stored)).convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(expected.isNull()) << "no stored picture " << stored;
  const std::string diff = difference(expected, actual);
  if (diff.empty()) return;
  QDir().mkpath("golden-actual");
  const QString written = QDir("golden-actual").absoluteFilePath(QString::fromStdString(name + ".png"));
  actual.save(written, "PNG");
  ADD_FAILURE() << name << ": " << diff << "; the picture drawn is " << written.toStdString();
}

INSTANTIATE_TEST_SUITE_P(TestSheets, GoldenPicture,
                         ::testing::Values("test_sheet_lines", "test_sheet_fills", "test_sheet_text", "mixed_sample"));

}  // namespace
}  // namespace kavor::testing
