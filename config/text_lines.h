#pragma once
// The text files of the settings directory (the paper database, the
// settings files, the pen colour file) are read line by line: lines of at
// most 127 characters, a longer line coming back as several, and no further
// than a bound on the whole file, so that a file as large as a disk or an
// endless device costs no more than a real settings file could hold.

#include <cstddef>
#include <istream>
#include <string>

namespace kavor {

// Far beyond any real settings file or paper database (the default
// database is about 10 KB).
inline constexpr size_t kTextFileLimit = size_t{1} << 20;

class LineReader {
 public:
  explicit LineReader(std::istream& in, size_t limit = kTextFileLimit) : in_(in), left_(limit) {}
  // The next line without its line break; false at the end of the file or
  // of the bound.
  bool next(std::string& line);

 private:
  std::istream& in_;
  size_t left_;
};

}  // namespace kavor
