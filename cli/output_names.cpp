#include "cli/output_names.h"

#include <set>

namespace kavor {

namespace fs = std::filesystem;

OutputNames::OutputNames(const std::string& output, const std::string& dir, const std::string& extension,
                         const std::vector<std::string>& inputs) {
  if (!output.empty()) {
    names_.assign(inputs.size(), fs::path(output));
    return;
  }
  std::set<std::string> taken;
  for (const std::string& input : inputs) {
    std::string stem = input == "-" ? std::string("stdin") : fs::path(input).stem().string();
    if (stem.empty()) stem = "picture";
    std::string unique = stem;
    for (int n = 2; !taken.insert(unique).second; ++n) unique = stem + "_" + std::to_string(n);
    names_.push_back(fs::path(dir.empty() ? "." : dir) / (unique + "." + extension));
  }
}

std::string OutputNames::page(size_t input, int page) const {
  const fs::path& name = names_.at(input);
  return (name.parent_path() / (name.stem().string() + "-" + std::to_string(page) + name.extension().string()))
      .string();
}

bool is_one_of(const std::string& output, const std::vector<std::string>& files) {
  if (output == "-") return false;
  for (const std::string& file : files) {
    std::error_code ec;
    if (file != "-" && fs::equivalent(output, file, ec) && !ec) return true;
  }
  return false;
}

}  // namespace kavor
