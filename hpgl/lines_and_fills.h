#pragma once
// The lines and fills chapter's resets, which IN and DF call.

namespace kavor {

struct Engine;

// Line type reset of IN/DF (as LT without parameters, with its pattern state).
void reset_line_type(Engine& e);
// Applies the -PW option table after the PW default.
void apply_pen_width_option(Engine& e);
// Fill state reset of IN (kinds, spacings, angles; the anchor is DF's).
void clear_fill_state(Engine& e);

}  // namespace kavor
