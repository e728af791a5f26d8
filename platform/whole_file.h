#pragma once
// Files written whole or not at all: a file is created (or truncated) and
// written from the start; when a write fails, what was written is removed
// again, so that no half-written file is left behind. Devices and other
// files that are not regular files are never removed.

#include <functional>
#include <ostream>
#include <string>

namespace kavor {

// Creates the file and has `fill` write it; `fill` returns false when it
// failed. 1 when the file was created and written whole, 0 otherwise.
int write_whole_file(const std::string& path, const std::function<bool(std::ostream&)>& fill);
// Copies the file `from` into a new file `to`, in blocks; 1 or 0 as above.
int copy_whole_file(const std::string& from, const std::string& to);

}  // namespace kavor
