#include "platform/polyline_clip.h"

#include <gtest/gtest.h>

namespace kavor {
namespace {

using Points = std::vector<DevicePoint>;
constexpr ClipBox kBox{0, 0, 100, 100};

TEST(PolylineClip, InsidePolylineIsUnchangedIncludingClosedFigures) {
  DevicePoint pts[5] = {{1, 1}, {50, 1}, {50, 50}, {1, 50}, {1, 1}};
  auto runs = clip_polyline(pts, 5, kBox);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0], Points(pts, pts + 5));
}

TEST(PolylineClip, ZeroLengthSegmentIsKept) {
  DevicePoint pts[2] = {{7, 7}, {7, 7}};
  auto runs = clip_polyline(pts, 2, kBox);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0], Points(pts, pts + 2));
}

TEST(PolylineClip, ExcursionOutsideSplitsTheRun) {
  DevicePoint pts[4] = {{10, 10}, {10, 300}, {20, 300}, {20, 10}};
  auto runs = clip_polyline(pts, 4, kBox);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0], (Points{{10, 10}, {10, 100}}));
  EXPECT_EQ(runs[1], (Points{{20, 100}, {20, 10}}));
}

TEST(PolylineClip, SlopeIsKeptAtTheEdge) {
  DevicePoint pts[2] = {{-100, -50}, {300, 150}};
  auto runs = clip_polyline(pts, 2, kBox);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0], (Points{{0, 0}, {100, 50}}));
}

TEST(PolylineClip, ExtremeCoordinatesAreSafe) {
  DevicePoint pts[3] = {{INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}, {INT32_MAX, INT32_MIN}};
  auto runs = clip_polyline(pts, 3, kBox);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0], (Points{{0, 0}, {100, 100}}));
}

}  // namespace
}  // namespace kavor
