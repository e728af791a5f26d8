#include "cli/settings_fallback.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "config/paper_database.h"

namespace kavor {

namespace fs = std::filesystem;

SettingsFallback::SettingsFallback(const std::string& settings_dir) : dir_(settings_dir) {
  if (std::ifstream(paper_database_path(dir_)) || write_default_paper_database(dir_) == 0) return;
  std::error_code ec;
  std::string pattern = (fs::temp_directory_path(ec) / "kavor-settings-XXXXXX").string();
  if (!mkdtemp(pattern.data())) return;  // the engine then reports the database it cannot write
  temporary_ = pattern;
  const std::string fallback = temporary_ + "/";
  if (write_default_paper_database(fallback) != 0) return;
  dir_ = fallback;
  notice_ = "the settings directory " + settings_dir +
            " cannot be written; the built-in paper database is used";
}

SettingsFallback::~SettingsFallback() {
  std::error_code ec;
  if (!temporary_.empty()) fs::remove_all(temporary_, ec);
}

}  // namespace kavor
