// Placeholder implementations, replaced as each instruction group is built.
#include "config/paper_database.h"

#include <string>

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/run.h"
#include "hpgl/lexer.h"

namespace kavor {

void load_paper_record(Engine& e) {
  // HP7550 A4 until the database is read.
  e.paper.v = {0, 10870, 0, 7600, 430, 200, 10430, 7400, 0, 0, 0, 0};
}
int write_default_paper_database(const std::string&) { return 0; }

}  // namespace kavor
