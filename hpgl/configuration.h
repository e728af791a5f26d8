#pragma once
// The configuration and status chapter: the plot area from the paper
// record, the graphics state at run start and after IN, DF and BP, and the
// page steps.

namespace kavor {

struct Engine;

void init_interpreter(Engine& e);
void set_in_defaults(Engine& e);
void set_df_defaults(Engine& e);
void build_plot_area(Engine& e);
void device_extents(Engine& e);
// Ends the page: the pen goes up to the origin, the frame is drawn. A
// pending page advance (PG) is reported to the host.
void page_step(Engine& e);
// The printer reset (escape E): the interpreter starts again as at the
// start of a run. A page advance still pending ends its page all the same.
void reset_printer(Engine& e);

}  // namespace kavor
