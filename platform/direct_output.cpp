#include "platform/direct_output.h"

#include <cups/cups.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <array>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <thread>
#include <utility>

#include "platform/cups_queue.h"

namespace kavor {

namespace {

// While a port takes nothing, the caller's pump runs at least this often.
constexpr int kPortWaitMs = 50;
constexpr auto kBusyPause = std::chrono::milliseconds(10);
// A byte the port has not taken for this long counts as waiting.
constexpr auto kStuckAfter = std::chrono::seconds(1);

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }

 private:
  int fd_;
};

// The plot file for reading; a directory counts as no file.
FileDescriptor open_plot_file(const std::string& path, uint64_t& size) {
  FileDescriptor in(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat info {};
  if (!in || ::fstat(in.get(), &info) != 0 || S_ISDIR(info.st_mode)) return FileDescriptor(-1);
  size = S_ISREG(info.st_mode) ? static_cast<uint64_t>(info.st_size) : 0;
  return in;
}

// Reads up to size bytes; 0 at the end of the file, -1 on a read error.
ssize_t read_some(int fd, char* buffer, size_t size) {
  for (;;) {
    const ssize_t n = ::read(fd, buffer, size);
    if (n >= 0 || errno != EINTR) return n;
  }
}

// Reads a file one byte at a time through a block buffer.
class ByteReader {
 public:
  explicit ByteReader(int fd) : fd_(fd) {}
  // The next byte, -1 at the end of the file, -2 on a read error.
  int next() {
    if (pos_ == end_) {
      const ssize_t n = read_some(fd_, buffer_.data(), buffer_.size());
      if (n <= 0) return n == 0 ? -1 : -2;
      pos_ = 0;
      end_ = static_cast<size_t>(n);
    }
    return static_cast<unsigned char>(buffer_[pos_++]);
  }

 private:
  int fd_;
  std::array<char, 4096> buffer_{};
  size_t pos_ = 0, end_ = 0;
};

// The port as an existing file, opened for writing without blocking and
// held exclusively, as a port is.
FileDescriptor open_port(const std::string& path, bool& is_pipe) {
  FileDescriptor port(::open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  struct stat info {};
  if (!port || ::fstat(port.get(), &info) != 0 || ::flock(port.get(), LOCK_EX | LOCK_NB) != 0)
    return FileDescriptor(-1);
  if (S_ISREG(info.st_mode) && ::ftruncate(port.get(), 0) != 0) return FileDescriptor(-1);
  is_pipe = S_ISFIFO(info.st_mode);
  return port;
}

// A write to a pipe whose reader has gone fails with EPIPE instead of
// ending the program with SIGPIPE.
ssize_t write_to_pipe(int fd, const void* data, size_t size) {
  sigset_t pipe_signal, previous, pending;
  sigemptyset(&pipe_signal);
  sigaddset(&pipe_signal, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipe_signal, &previous);
  sigpending(&pending);
  const bool was_pending = sigismember(&pending, SIGPIPE) == 1;
  const ssize_t n = ::write(fd, data, size);
  const int error = errno;
  if (n < 0 && error == EPIPE && !was_pending) {
    const timespec no_wait{};
    sigtimedwait(&pipe_signal, nullptr, &no_wait);
  }
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  errno = error;
  return n;
}

enum class ByteWrite { written, busy, failed };

ByteWrite write_byte(int fd, unsigned char byte, bool is_pipe) {
  for (;;) {
    const ssize_t n = is_pipe ? write_to_pipe(fd, &byte, 1) : ::write(fd, &byte, 1);
    if (n == 1) return ByteWrite::written;
    if (n == 0 || errno == EAGAIN || errno == EWOULDBLOCK) return ByteWrite::busy;
    if (errno != EINTR) return ByteWrite::failed;
  }
}

// True when the port takes a byte again within the wait.
bool wait_until_writable(int fd) {
  pollfd port{fd, POLLOUT, 0};
  return ::poll(&port, 1, kPortWaitMs) > 0;
}

// One block to the job in progress.
std::string document_name(const std::string& file) { return std::filesystem::path(file).filename().string(); }

}  // namespace

std::string port_device_path(std::string_view port_name) {
  if (port_name == "LPT1") return "/dev/lp0";
  if (port_name == "LPT2") return "/dev/lp1";
  return std::string(port_name);
}

std::vector<std::string> usb_printer_devices(const std::string& dir) {
  std::vector<std::string> devices;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
    const std::string name = entry.path().filename().string();
    if (name.size() > 2 && name.starts_with("lp") &&
        std::all_of(name.begin() + 2, name.end(), [](char c) { return c >= '0' && c <= '9'; }))
      devices.push_back(entry.path().string());
  }
  // lp2 before lp10.
  std::sort(devices.begin(), devices.end(), [](const std::string& a, const std::string& b) {
    return std::pair(a.size(), a) < std::pair(b.size(), b);
  });
  return devices;
}

DirectOutputStatus send_to_port(const std::string& port_name, const std::string& file, const PortPump& pump) {
  PortProgress progress;
  FileDescriptor in = open_plot_file(file, progress.total);
  if (!in) return DirectOutputStatus::no_file;
  bool is_pipe = false;
  FileDescriptor port = open_port(port_device_path(port_name), is_pipe);
  if (!port) return DirectOutputStatus::no_printer;
  ByteReader reader(in.get());
  int byte = reader.next();
  for (; byte >= 0; byte = reader.next()) {
    const auto since = std::chrono::steady_clock::now();
    bool said_ready = false;
    for (;;) {
      const ByteWrite written = write_byte(port.get(), static_cast<unsigned char>(byte), is_pipe);
      if (written == ByteWrite::written) break;
      if (written == ByteWrite::failed) return DirectOutputStatus::write_error;
      // A driver without poll support says ready at once: do not spin.
      if (said_ready) std::this_thread::sleep_for(kBusyPause);
      progress.waiting = std::chrono::steady_clock::now() - since >= kStuckAfter;
      if (pump(progress)) return DirectOutputStatus::stopped;
      said_ready = wait_until_writable(port.get());
    }
    ++progress.sent;
    progress.waiting = false;
    if (pump(progress)) return DirectOutputStatus::stopped;
  }
  return byte == -1 ? DirectOutputStatus::sent : DirectOutputStatus::no_file;
}

DirectOutputStatus send_to_printer(const std::string& printer, const std::string& file) {
  uint64_t size = 0;
  FileDescriptor in = open_plot_file(file, size);
  if (!in) return DirectOutputStatus::no_file;
  // An empty name would mean the default queue to CUPS.
  if (printer.empty() || !has_queue(printer)) return DirectOutputStatus::no_printer;
  CupsJob job(printer, document_name(file), CUPS_FORMAT_RAW);
  if (!job.started()) return DirectOutputStatus::cannot_print;
  bool written = job.write(kLaserPrinterPreamble.data(), kLaserPrinterPreamble.size());
  std::array<char, kPrinterBlockSize> block{};
  ssize_t n = 0;
  while (written && (n = read_some(in.get(), block.data(), block.size())) > 0)
    written = job.write(block.data(), static_cast<size_t>(n));
  // A job that lost part of the file is cancelled rather than printed.
  if (written && n == 0 && job.finish()) return DirectOutputStatus::sent;
  return n < 0 ? DirectOutputStatus::no_file : DirectOutputStatus::cannot_print;
}

std::vector<std::string> printer_names() {
  cups_dest_t* dests = nullptr;
  const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i)
    if (dests[i].instance == nullptr) names.emplace_back(dests[i].name);
  cupsFreeDests(count, dests);
  return names;
}

}  // namespace kavor
