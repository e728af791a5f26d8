// Placeholder implementations, replaced as each instruction group is built.
#include "hpgl/stroke_font.h"

#include <string>

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/run.h"
#include "hpgl/lexer.h"

namespace kavor {

namespace {
constexpr GlyphPoint kEmpty[] = {{0, 0, GLYPH_END}};
}
Glyph glyph_for(const Engine&, int) { return {kEmpty, 1}; }
int read_user_character(Engine& e) { return skip_param_list(e); }

}  // namespace kavor
