#pragma once
// Writing an output so that nothing is lost. A regular file (or a new one)
// is written under a temporary name beside it and renamed over it only
// when complete, so a failed run leaves an existing file as it was and no
// partial file. Standard output ("-") receives the finished file. Anything
// else that exists (a device, a pipe) is written in place.

#include <string>

namespace kavor {

class SafeOutput {
 public:
  explicit SafeOutput(std::string destination) : destination_(std::move(destination)) {}
  ~SafeOutput() { discard(); }
  SafeOutput(const SafeOutput&) = delete;
  SafeOutput& operator=(const SafeOutput&) = delete;

  // Prepares the file to write to; false, with error(), when it cannot be.
  bool begin();
  // Where the writer writes: the temporary file, or the destination itself.
  const std::string& write_path() const { return write_path_; }
  // Moves the finished file to its destination; false, with error().
  bool commit();
  // Removes the temporary file, leaving the destination as it was.
  void discard();
  const std::string& error() const { return error_; }

 private:
  bool fail(const std::string& what);

  std::string destination_;
  std::string write_path_;
  std::string temporary_;  // empty when writing in place
  std::string error_;
};

}  // namespace kavor
