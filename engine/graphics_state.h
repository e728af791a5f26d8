#pragma once
// The graphics state record: the one engine-wide record of interpreter
// state, in sections named after the instruction chapter that owns them.
// Data only; the operations live with their chapters in hpgl/ and with the
// geometry in geometry/.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kavor {

// --- Configuration: plot area, scaling, input window, page -----------------

struct PlotArea {
  // Plot area from the paper record after magnification (read by IR).
  double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
  double default_p1x = 0, default_p1y = 0, default_p2x = 0, default_p2y = 0;
  // Hard-clip limits: the plot area after trimming, output factors and turning.
  double clip_xmin = 0, clip_xmax = 0, clip_ymin = 0, clip_ymax = 0;
};

struct DeviceExtents {
  int32_t org_x = 0, org_y = 0, ext_x = 0, ext_y = 0;
  double kx = 0, ky = 0;  // device pixels per plotter unit in size mode REAL
};

struct Scaling {
  double p1x = 0, p1y = 0, p2x = 0, p2y = 0;
  bool on = false;
  bool isotropic = false;
  double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
  double ux = 1, uy = 1;  // user units per plotter unit, signed
  int rotation = 0;       // 0..3 for 0, 90, 180, 270 degrees
};

// The units a stored value is in; DEFAULT: a hatch spacing of 1 % of P1-P2.
enum Units : int { UNITS_DEFAULT = 0, UNITS_PLOTTER = 1, UNITS_USER = 2 };

struct InputWindow {
  bool on = false;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // as given
  int units = UNITS_PLOTTER;
};

struct PageState {
  bool advance_pending = false;
  bool drawn = false;  // something was drawn since the last page step
};

// The smallest and largest plotter coordinates offered to the line path.
struct DrawingExtents {
  double xmin = 29.0, ymin = 29.0, xmax = -29.0, ymax = -29.0;
};

// --- Pen motion ---------------------------------------------------------------

struct PenState {
  double x = 0, y = 0;  // pen position, user units
  bool down = false;
  bool relative = false;
  int pen = 1;
  double thickness = 0.3;  // PT, millimetres
  double tick_tp = 0.5, tick_tn = 0.5;  // TL, per cent
  std::array<int, 20> fill_spacings{};  // UF
  int fill_spacing_count = 0;
};

// --- Lines and fills ------------------------------------------------------------

// Line types: 1..8 fixed, -1..-8 adaptive.
inline constexpr int kLineTypeDots = 0;
inline constexpr int kLineTypeSolid = 9;
inline constexpr int kLineTypeLimit = 8;

struct PatternEntry {
  uint8_t count = 0;
  std::array<uint8_t, 20> elements{};
};

// The line-type block: saved and restored whole around adaptive vectors.
struct LineTypeBlock {
  int type = kLineTypeSolid;
  int mode = 0;  // 0 relative, 1 absolute
  double length = 4.0;
  int32_t pattern_pixels = 1;  // P: the pattern length in device pixels
  int count = 0;
  std::array<int32_t, 20> lengths{};
  int element = 1;  // 1-based
  int32_t drawn = 0;
  double remainder = 0;
  double accumulator = 0;
};

struct RasterFill {
  int width = 0, height = 0;
  std::vector<int> pixels;
};

struct LineAttributes {
  LineTypeBlock block;
  LineTypeBlock saved;
  std::array<PatternEntry, 2 * kLineTypeLimit + 1> table{};  // index: line type + 8
  int line_ends = 1, line_joins = 1;
  double miter_limit = 5.0;
  std::array<int32_t, 256> widths{};
  int32_t current_width = 1;
  int width_unit = 0;  // 0 metric, 1 relative
  bool symbol_mode = false;
  unsigned char symbol = 0;
  std::array<RasterFill, 9> raster{};  // indices 1..8
};

enum FillKind : int { FILL_SOLID = 0, FILL_HATCH = 2, FILL_CROSS_HATCH = 3, FILL_SHADING = 4, FILL_RASTER = 5 };

struct HatchSettings {
  double spacing = 0;
  int unit = UNITS_DEFAULT;
  double angle = 0;
};

struct FillState {
  int kind = FILL_SOLID;
  HatchSettings hatch;        // FILL_HATCH
  HatchSettings cross_hatch;  // FILL_CROSS_HATCH
  int shading_level = 0;
  int raster_index = 0;
  int raster_option = 0;
  double anchor_x = 0, anchor_y = 0;
  int anchor_unit = UNITS_PLOTTER;
};

// --- Characters and labels ------------------------------------------------------

enum CharSizeMode : int { CHAR_SIZE_ABSOLUTE = 0, CHAR_SIZE_RELATIVE = 1, CHAR_SIZE_USER = 2 };
enum DirectionMode : int { DIRECTION_ABSOLUTE = 0, DIRECTION_RELATIVE = 1, DIRECTION_USER = 2 };

// Label origins: 1..9 on the character cell (1 left bottom, 5 centred, 9
// right top, by columns of three), 11..19 the same points offset outwards.
enum LabelOrigin : int { ORIGIN_LEFT_BOTTOM = 1, ORIGIN_CENTRE = 5, ORIGIN_RIGHT_TOP = 9, ORIGIN_OFFSET = 10 };

// Label terminator: ETX by default; mode 1 leaves it out of the text.
inline constexpr unsigned char kDefaultTerminator = 3;

struct FontRecord {
  // Absolute sizes are millimetres, relative ones per cent of the P1-P2
  // extent, user-unit ones (set by SU) user units.
  int size_mode = CHAR_SIZE_ABSOLUTE;
  double width = 2.822222, height = 4.056944;
  int charset = 0, spacing = 0, posture = 0, weight = 1, typeface = 48;
};

struct LabelState {
  std::array<FontRecord, 2> fonts{};
  int selected = 0;  // 0 standard, 1 alternate
  // Run and rise are user units in DIRECTION_USER (set by DU).
  int direction_mode = DIRECTION_ABSOLUTE;
  double run = 1, rise = 0;
  double slant = 0;
  int path = 0;  // 0 right, 1 down, 2 left, 3 up
  int line_feed_direction = 0;
  double extra_spaces = 0, extra_lines = 0;
  int origin = ORIGIN_LEFT_BOTTOM;
  unsigned char terminator = kDefaultTerminator;
  int terminator_mode = 1;  // 0: the terminator is part of the text
  bool transparent = false;
  int fill_mode = 0, edge_pen = 0;
  // Current label position (also the pen position in plotter units) and
  // the carriage-return point, plotter units.
  double pos_x = 0, pos_y = 0;
  double cr_x = 0, cr_y = 0;
  std::string buffered;  // the label that PB draws
};

// Glyph points: draw to, move to, draw to and end, end.
enum GlyphFlag : int32_t { GLYPH_DRAW = 0, GLYPH_MOVE = 1, GLYPH_DRAW_END = 2, GLYPH_END = 3 };

struct GlyphPoint {
  int32_t x, y, flag;
};

struct UserGlyph {
  std::array<GlyphPoint, 20> points{};
  int count = 0;
  bool active = false;  // defined by UC, until the label that UC draws ends
};

// --- Polygons -------------------------------------------------------------------

// A vertex continues its subpolygon or starts one; the last vertex of the
// polygon carries an end mark as well.
enum VertexFlag : int { VERTEX_CONTINUES = 0, VERTEX_STARTS = 1, VERTEX_LAST_CONTINUES = 2, VERTEX_LAST_STARTS = 3 };

struct Vertex {
  double x, y;
  int flag;  // a VertexFlag
};

struct PolygonState {
  static constexpr int kMaxVertices = 1000;
  bool mode = false;
  bool saved_pen_down = false;
  bool first_vertex = false;
  double first_x = 0, first_y = 0;
  double last_x = 0, last_y = 0;
  // Both tables get their room on first use and keep it; a reset only
  // empties them.
  std::vector<Vertex> vertices;
  std::vector<int> pen_flags;  // 1: the pen was down, EP draws the edge into the vertex
};

// --- Begin plot, palette, download and device settings ------------------------

struct BeginPlot {
  std::string picture_name;
  int copies = 1;
  int disposition = 0;
  int render_unfinished = 0;
};

struct DownloadGlyph {
  std::array<signed char, 40> xy{};  // up to 20 points
  std::array<unsigned char, 20> pen_up{};
  int count = 0;
};

enum ChordMode : int { CHORD_ANGLE = 0, CHORD_DEVIATION = 1 };

struct OtherState {
  std::array<double, 6> colour_range{0, 255, 0, 255, 0, 255};
  int number_of_pens = 2;
  BeginPlot begin_plot;
  int chord_mode = CHORD_ANGLE;
  int merge_control = 0;
  int media_type = 0;
  std::array<DownloadGlyph, 94> download{};  // codes 33..126
};

// --- The record -------------------------------------------------------------------

struct GraphicsState {
  PlotArea area;
  DeviceExtents device;
  Scaling scaling;
  InputWindow window;
  PenState pen;
  PageState page;
  LineAttributes line;
  FillState fill;
  LabelState label;
  UserGlyph user_glyph;
  PolygonState polygon;
  OtherState other;
  DrawingExtents extents;
};

}  // namespace kavor
