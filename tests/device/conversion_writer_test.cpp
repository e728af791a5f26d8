#include "device/conversion_writer.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kavor {
namespace {

TEST(ConversionWriter, WindowOf640By400) {
  std::ostringstream out;
  write_conversion_header(out, 640, 400);
  write_conversion_segment(out, 400, 2, 10, 0, 10, 399);
  write_conversion_end(out, 400);
  EXPECT_EQ(out.str(), "INSC0,640,0,400\nSP2 PU10,400 PD10,1\nSP0 PU0,400 PD0,400\n");
}

}  // namespace
}  // namespace kavor
