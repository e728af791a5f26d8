// Placeholder implementations, replaced as each instruction group is built.
#include "device/conversion_writer.h"

#include <string>

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/run.h"
#include "hpgl/lexer.h"

namespace kavor {

void write_conversion_header(std::ostream&, int, int) {}
void write_conversion_segment(std::ostream&, int, int, int32_t, int32_t, int32_t, int32_t) {}
void write_conversion_end(std::ostream&, int) {}

}  // namespace kavor
