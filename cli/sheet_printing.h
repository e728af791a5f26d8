#pragma once
// kavor-convert --split and --print: the drawing printed on one sheet or
// split over 2, 4, 8 or 16, each sheet drawn as the desktop program prints
// it (its own run of the engine on the printer device, the split line of
// the sheet, crop marks on split sheets), as the pages of one PDF that is
// written to -o, sent to a CUPS queue, or both.

#include <string>

#include "cli/arguments.h"
#include "cli/console_host.h"

namespace kavor {

// The exit status: 0, 1 after a failure, 2 for an unusable command line.
int print_sheets(const ConvertArguments& a, const std::string& settings_dir, ConsoleHost& host);

}  // namespace kavor
