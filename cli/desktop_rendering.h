#pragma once
// Rendering as the desktop program does: a parameter file (--param), or a
// settings file written as the parameter file for one input (--settings),
// on the display device, the picture filling the size given.

#include <string>

#include "cli/arguments.h"
#include "cli/console_host.h"
#include "platform/picture_output.h"

namespace kavor {

// The exit status: 0, 1 after a failure, 2 for an unusable command line.
int render_as_desktop(const ConvertArguments& a, const std::string& settings_dir, PictureFormat format,
                      ConsoleHost& host);

}  // namespace kavor
