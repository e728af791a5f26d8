#include "support/private_cups.h"

#include <cups/cups.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

namespace kavor::testing {

namespace {

namespace fs = std::filesystem;

// One page size and two document types that pass to the device unchanged.
constexpr const char* kPassThroughPpd = R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "PASSTHRU.PPD"
*Manufacturer: "Test"
*Product: "(File)"
*ModelName: "File"
*ShortNickName: "File"
*NickName: "File"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsVersion: 2.4
*cupsFilter: "application/pdf 0 gziptoany"
*cupsFilter: "application/vnd.cups-raw 0 gziptoany"
*OpenUI *PageSize/Page Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "18 36 577 806"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*OpenUI *Resolution/Resolution: PickOne
*DefaultResolution: 300dpi
*Resolution 300dpi/300 dpi: ""
*CloseUI: *Resolution
)ppd";

void write_file(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

}  // namespace

PrivateCups::PrivateCups() {
  char pattern[] = "/tmp/kavor-cups-XXXXXX";
  const char* made = mkdtemp(pattern);
  dir_ = made ? made : "";
  for (const char* sub : {"spool", "cache", "state", "log", "ppd"}) fs::create_directories(fs::path(dir_) / sub);
  write_file(fs::path(dir_) / "cups-files.conf",
             "FileDevice Yes\nServerRoot " + dir_ + "\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\n" +
                 "RequestRoot " + dir_ + "/spool\nTempDir " + dir_ + "/spool\nCacheDir " + dir_ +
                 "/cache\nStateDir " + dir_ + "/state\nAccessLog " + dir_ + "/log/access_log\nErrorLog " +
                 dir_ + "/log/error_log\nPageLog " + dir_ + "/log/page_log\n");
  write_file(fs::path(dir_) / "cupsd.conf",
             "Listen " + socket_path() +
                 "\nBrowsing Off\nWebInterface No\nLogLevel warn\n"
                 "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                 "<Policy default>\n  <Limit All>\n    Order allow,deny\n    Allow all\n  </Limit>\n</Policy>\n");
}

PrivateCups::~PrivateCups() {
  stop();
  std::error_code ec;
  if (!dir_.empty()) fs::remove_all(dir_, ec);
}

void PrivateCups::add_file_queue(const std::string& name) {
  write_file(fs::path(dir_) / "ppd" / (name + ".ppd"), kPassThroughPpd);
  const std::string tag = printers_.empty() ? "DefaultPrinter" : "Printer";
  printers_ += "<" + tag + " " + name + ">\nInfo " + name + "\nDeviceURI file://" + output_path(name) +
               "\nState Idle\nAccepting Yes\nShared No\n</Printer>\n";
  write_file(fs::path(dir_) / "printers.conf", printers_);
}

std::string PrivateCups::output_path(const std::string& queue) const { return dir_ + "/" + queue + ".out"; }

bool PrivateCups::start() {
  if (dir_.empty()) return false;
  const std::string conf = dir_ + "/cupsd.conf", files = dir_ + "/cups-files.conf";
  pid_ = fork();
  if (pid_ == 0) {
    execl("/usr/sbin/cupsd", "cupsd", "-f", "-c", conf.c_str(), "-s", files.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  if (pid_ < 0) return false;
  setenv("CUPS_SERVER", socket_path().c_str(), 1);
  cupsSetServer(socket_path().c_str());
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    if (fs::exists(socket_path())) {
      http_t* http = httpConnect2(socket_path().c_str(), 0, nullptr, AF_UNSPEC, HTTP_ENCRYPTION_NEVER, 1, 1000, nullptr);
      if (http) {
        httpClose(http);
        return true;
      }
    }
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
      pid_ = -1;
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

void PrivateCups::stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (waitpid(pid_, nullptr, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  pid_ = -1;
}

bool PrivateCups::wait_until_idle(const std::string& queue, std::chrono::milliseconds timeout) const {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < deadline) {
    cups_job_t* jobs = nullptr;
    const int active = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.c_str(), 0, CUPS_WHICHJOBS_ACTIVE);
    cupsFreeJobs(active > 0 ? active : 0, jobs);
    if (active == 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

}  // namespace kavor::testing
