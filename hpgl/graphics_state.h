#pragma once
// Initialisation of the graphics state: run start, IN, DF, printer reset.

namespace kavor {

struct Engine;

void init_interpreter(Engine& e);
void set_in_defaults(Engine& e);
void set_df_defaults(Engine& e);

int hpgl_IN(Engine& e);
int hpgl_DF(Engine& e);

}  // namespace kavor
