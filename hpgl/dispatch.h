#pragma once
// The dispatcher state function and the escape-sequence states.

namespace kavor {

struct Engine;

int parseGl(Engine& e, int c);
int escape_state(Engine& e, int c);
int percent_state(Engine& e, int c);
int device_control_state(Engine& e, int c);

}  // namespace kavor
