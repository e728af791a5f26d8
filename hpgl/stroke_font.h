#pragma once
// The built-in stroke font and the user-defined character of UC.

#include <array>
#include <cstdint>

namespace kavor {

struct Engine;

enum GlyphFlag : int32_t { GLYPH_DRAW = 0, GLYPH_MOVE = 1, GLYPH_DRAW_END = 2, GLYPH_END = 3 };

struct GlyphPoint {
  int32_t x, y, flag;
};

struct Glyph {
  const GlyphPoint* points;
  int count;
};

struct UserGlyph {
  std::array<GlyphPoint, 20> points{};
  int count = 0;
  bool active = false;  // defined by UC, until the label that UC draws ends
};

Glyph glyph_for(const Engine& e, int code);
// Reads the UC definition into the user glyph; returns the reader's result.
int read_user_character(Engine& e);

}  // namespace kavor
