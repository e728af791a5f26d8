#pragma once
// The built-in stroke font and the user-defined character of UC.

#include "engine/graphics_state.h"

namespace kavor {

struct Engine;

struct Glyph {
  const GlyphPoint* points;
  int count;
};

Glyph glyph_for(const Engine& e, int code);
// Reads the UC definition into the user glyph; returns the reader's result.
int read_user_character(Engine& e);

}  // namespace kavor
