#pragma once
// Converting one input: measure its pages (when the picture is fitted or
// split into pages), choose each page's sheet and picture, and render the
// plot once, writing each wanted page to its own output as its page ends.

#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/console_host.h"
#include "cli/output_names.h"
#include "cli/page_measure.h"
#include "platform/picture_output.h"

namespace kavor {

struct Conversion {
  const ConvertArguments& args;
  std::string settings_dir;
  PictureFormat format;
  const OutputNames& names;
  ConsoleHost& host;
};

// Converts args.inputs[index]. False when it failed; every failure has been
// reported on standard error.
bool convert_input(const Conversion& c, size_t index);

// The pictures of a page-by-page conversion are named after these pages of
// the file: from the first page with a visible stroke to the last one.
struct PageRange {
  size_t first = 0, last = 0;
};
PageRange drawn_pages(const std::vector<PlotBox>& pages);

}  // namespace kavor
