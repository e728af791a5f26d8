#include "support/private_cups.h"

#include <cups/cups.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

extern char** environ;

namespace kavor::testing {

namespace {

constexpr const char* kScheduler = "/usr/sbin/cupsd";
constexpr const char* kAdmin = "/usr/sbin/lpadmin";
constexpr const char* kReject = "/usr/sbin/cupsreject";

// A one-page driver whose only filter passes raw data and PDF documents
// through untouched (gziptoany leaves uncompressed data as it is), so that
// the file device receives the job's bytes.
constexpr const char* kPassThroughPpd = R"PPD(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "PASSTHRU.PPD"
*Manufacturer: "Test"
*Product: "(Pass-through)"
*ModelName: "Pass-through"
*ShortNickName: "Pass-through"
*NickName: "Pass-through"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter: "application/vnd.cups-raw 0 gziptoany"
*cupsFilter: "application/pdf 0 gziptoany"
*OpenUI *PageSize/Page Size: PickOne
*DefaultPageSize: A4
*PageSize A4/A4: ""
*CloseUI: *PageSize
*DefaultImageableArea: A4
*ImageableArea A4/A4: "0 0 595 842"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
)PPD";

bool write_file(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  return static_cast<bool>(out);
}

// Starts a program; its output goes to the log file. It gets SIGTERM when
// this process ends, so that a test that crashes or is killed leaves no
// scheduler running.
pid_t spawn(const char* path, const std::vector<std::string>& arguments, const std::string& log) {
  std::vector<char*> argv{const_cast<char*>(path)};
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const pid_t parent = ::getpid();
  const pid_t pid = ::fork();
  if (pid != 0) return pid;
  // The child: only async-signal-safe calls until exec.
  ::prctl(PR_SET_PDEATHSIG, SIGTERM);
  if (::getppid() != parent) ::_exit(127);
  const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (out >= 0) {
    ::dup2(out, STDOUT_FILENO);
    ::dup2(out, STDERR_FILENO);
  }
  ::execve(path, argv.data(), environ);
  ::_exit(127);
}

}  // namespace

PrivateCups::PrivateCups() {
  if (::access(kScheduler, X_OK) != 0) {
    error_ = std::string(kScheduler) + " is missing (scripts/install-deps.sh installs cups)";
    return;
  }
  char pattern[] = "/tmp/kavor-cups-XXXXXX";
  if (!mkdtemp(pattern)) {
    error_ = "no temporary folder";
    return;
  }
  dir_ = pattern;
  socket_ = dir_ + "/cups.sock";
  // Filters run as the scheduler's own user, which must reach the spool.
  ::chmod(dir_.c_str(), 0755);
  if (!write_configuration()) {
    error_ = "cannot write the configuration in " + dir_;
    return;
  }
  pid_ = spawn(kScheduler, {"-f", "-c", dir_ + "/cupsd.conf", "-s", dir_ + "/cups-files.conf"}, tool_log());
  if (pid_ <= 0) {
    error_ = "cupsd did not start";
    return;
  }
  ::setenv("CUPS_SERVER", socket_.c_str(), 1);
  cupsSetServer(socket_.c_str());
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!std::filesystem::exists(socket_) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  if (!std::filesystem::exists(socket_)) error_ = "cupsd did not open its socket; see " + dir_ + "/log/error_log";
}

PrivateCups::~PrivateCups() {
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
  cupsSetServer(nullptr);
  ::unsetenv("CUPS_SERVER");
  std::error_code ignored;
  if (!dir_.empty()) std::filesystem::remove_all(dir_, ignored);
}

bool PrivateCups::write_configuration() {
  for (const char* sub : {"/spool", "/spool/tmp", "/cache", "/state", "/log", "/ppd"})
    if (::mkdir((dir_ + sub).c_str(), 0755) != 0) return false;
  return write_file(dir_ + "/cups-files.conf",
                    "FileDevice Yes\n"
                    "ServerRoot " + dir_ + "\n"
                    "RequestRoot " + dir_ + "/spool\n"
                    "TempDir " + dir_ + "/spool/tmp\n"
                    "CacheDir " + dir_ + "/cache\n"
                    "StateDir " + dir_ + "/state\n"
                    "ServerBin /usr/lib/cups\n"
                    "DataDir /usr/share/cups\n"
                    "AccessLog " + dir_ + "/log/access_log\n"
                    "ErrorLog " + dir_ + "/log/error_log\n"
                    "PageLog " + dir_ + "/log/page_log\n") &&
         write_file(dir_ + "/cupsd.conf",
                    "Listen " + socket_ + "\n"
                    "Browsing Off\n"
                    "WebInterface No\n"
                    "LogLevel warn\n"
                    "<Location />\nOrder allow,deny\nAllow all\n</Location>\n") &&
         write_file(dir_ + "/pass-through.ppd", kPassThroughPpd);
}

bool PrivateCups::run_tool(const char* path, const std::initializer_list<std::string>& arguments) {
  const pid_t pid = spawn(path, arguments, tool_log());
  int status = 0;
  return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string PrivateCups::add_queue(const std::string& name, bool pass_through) {
  if (!running()) return {};
  const std::string output = dir_ + "/" + name + ".out";
  if (!write_file(output, "") || ::chmod(output.c_str(), 0666) != 0) return {};
  const std::string device = "file://" + output;
  const bool added = pass_through ? run_tool(kAdmin, {"-p", name, "-E", "-v", device, "-P", dir_ + "/pass-through.ppd"})
                                  : run_tool(kAdmin, {"-p", name, "-E", "-v", device});
  return added ? output : std::string();
}

std::string PrivateCups::add_raw_queue(const std::string& name) { return add_queue(name, true); }

std::string PrivateCups::add_file_queue(const std::string& name) { return add_queue(name, false); }

bool PrivateCups::reject_jobs(const std::string& name) { return running() && run_tool(kReject, {name}); }

bool PrivateCups::wait_until_idle(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    cups_job_t* jobs = nullptr;
    const int active = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ACTIVE);
    cupsFreeJobs(active, jobs);
    if (active == 0) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

}  // namespace kavor::testing
