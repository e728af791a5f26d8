#pragma once
// The names of a conversion's outputs: -o NAME for its one input, else
// DIR/STEM.EXT for each input, where a stem that two inputs share is made
// unique with "_2", "_3", ...; page N of a picture per page adds "-N"
// before the extension.

#include <filesystem>
#include <string>
#include <vector>

namespace kavor {

class OutputNames {
 public:
  // output: -o, or empty; dir: --out-dir, or empty for the current one.
  OutputNames(const std::string& output, const std::string& dir, const std::string& extension,
              const std::vector<std::string>& inputs);
  std::string whole(size_t input) const { return names_.at(input).string(); }
  std::string page(size_t input, int page) const;

 private:
  std::vector<std::filesystem::path> names_;
};

// True when `output` is one of `files` (the same file, by any name).
bool is_one_of(const std::string& output, const std::vector<std::string>& files);

}  // namespace kavor
