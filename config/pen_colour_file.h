#pragma once
// The pen colour file $pcolor.kv, read by the engine at the start of every run.

namespace kavor {

struct Engine;

void read_pen_colour_file(Engine& e);

}  // namespace kavor
