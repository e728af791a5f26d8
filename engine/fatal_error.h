#pragma once
#include <stdexcept>
#include <string>

namespace kavor {

// Thrown after the host has shown a fatal message: the run and the process
// end (the shell quits with status 1, the converter exits 1).
class FatalError : public std::runtime_error {
 public:
  explicit FatalError(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace kavor
