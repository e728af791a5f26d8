#include "platform/safe_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

namespace kavor {

namespace {

namespace fs = std::filesystem;

// The permissions a new file gets from the umask.
mode_t new_file_mode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// Creates a unique file from a mkstemp pattern with the given mode; the
// pattern becomes its name. False with errno set.
bool create_unique(std::string& pattern, mode_t mode) {
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = mkstemp(name.data());
  if (fd < 0) return false;
  fchmod(fd, mode);
  close(fd);
  pattern = name.data();
  return true;
}

bool copy_to_standard_output(const std::string& path) {
  const int in = open(path.c_str(), O_RDONLY);
  if (in < 0) return false;
  char buffer[1 << 16];
  bool ok = true;
  for (;;) {
    const ssize_t n = read(in, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ok = false;
      break;
    }
    for (ssize_t done = 0; done < n && ok;) {
      const ssize_t w = write(STDOUT_FILENO, buffer + done, static_cast<size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) ok = false;
      else done += w;
    }
    if (!ok) break;
  }
  close(in);
  return ok;
}

}  // namespace

bool SafeOutput::fail(const std::string& what) {
  error_ = what + ": " + std::strerror(errno);
  return false;
}

bool SafeOutput::begin() {
  discard();
  error_.clear();
  if (destination_ == "-") {
    std::error_code ec;
    temporary_ = (fs::temp_directory_path(ec) / "kavor-convert-XXXXXX").string();
    if (!create_unique(temporary_, 0600)) {
      temporary_.clear();
      return fail("cannot write a temporary file for standard output");
    }
    write_path_ = temporary_;
    return true;
  }
  struct stat st {};
  const bool exists = stat(destination_.c_str(), &st) == 0;
  if (exists && !S_ISREG(st.st_mode)) {
    if (S_ISDIR(st.st_mode)) {
      errno = EISDIR;
      return fail("cannot write " + destination_);
    }
    write_path_ = destination_;
    return true;
  }
  const fs::path target(destination_);
  const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
  temporary_ = (dir / ("." + target.filename().string() + ".kavor-XXXXXX")).string();
  if (!create_unique(temporary_, exists ? (st.st_mode & 07777) : new_file_mode())) {
    temporary_.clear();
    return fail("cannot write " + destination_);
  }
  write_path_ = temporary_;
  return true;
}

bool SafeOutput::commit() {
  if (temporary_.empty()) return true;
  bool ok;
  if (destination_ == "-") {
    ok = copy_to_standard_output(temporary_) || fail("cannot write to standard output");
    unlink(temporary_.c_str());
  } else {
    ok = std::rename(temporary_.c_str(), destination_.c_str()) == 0 || fail("cannot write " + destination_);
    if (!ok) unlink(temporary_.c_str());
  }
  temporary_.clear();
  return ok;
}

void SafeOutput::discard() {
  if (!temporary_.empty()) unlink(temporary_.c_str());
  temporary_.clear();
}

}  // namespace kavor
