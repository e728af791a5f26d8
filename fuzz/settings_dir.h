#pragma once
// The private settings directory of a fuzzing or benchmark process.

#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/null_host.h"

namespace kavor {

// A settings directory private to this process, made once.
inline std::string private_settings_dir() {
  static const std::string dir = [] {
    std::string tmpl = (std::filesystem::temp_directory_path() / "kavor-fuzz-XXXXXX").string();
    char* made = mkdtemp(tmpl.data());
    return std::string(made ? made : "/tmp") + "/";
  }();
  return dir;
}

}  // namespace kavor
