#pragma once
// Plotter units and the conversions between them, millimetres, inches and
// points, in one place.

namespace kavor {

// The plotter unit: 0.025 mm, 40 to the millimetre, 1016 to the inch.
inline constexpr int kPlotterUnitsPerMm = 40;
inline constexpr int kPlotterUnitsPerInch = 1016;
inline constexpr double kMmPerInch = 25.4;
inline constexpr double kInchPerMm = 1 / kMmPerInch;
inline constexpr double kPointsPerInch = 72;

// The label code and the absolute line-type lengths count a millimetre as
// 39.3701 plotter units, and the real-size mapping an inch as 1/0.0009842
// of them: the plotters' own, rounded factors, kept so that pictures stay
// exactly as they were.
inline constexpr double kLabelUnitsPerMm = 39.3701;
inline constexpr double kInchPerPlotterUnit = 0.0009842;

// Angles: the plotters' degree-to-radian factors, kept exactly. Arcs,
// circles and polygon hatches use the first; wedge edges and rectangle
// hatches the second, a little shorter.
inline constexpr double kArcRadiansPerDegree = 0.017453292519943334;
inline constexpr double kWedgeRadiansPerDegree = 0.0174532925239284;
inline constexpr double kDegreesPerRadian = 57.2957795;

// The resolution of the display, dots per inch.
inline constexpr int kDisplayDpi = 72;

}  // namespace kavor
