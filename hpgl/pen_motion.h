#pragma once
// The pen motion chapter's operations that the figures and labels share.

namespace kavor {

struct Engine;

// Draws from the pen position to (x, y) in user units and moves the pen there.
void draw_to(Engine& e, double x, double y);
// Draws the symbol of symbol mode centred at the pen position.
void draw_symbol(Engine& e, unsigned char symbol);

}  // namespace kavor
