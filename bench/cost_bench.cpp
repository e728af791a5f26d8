// Benchmark of bounded cost: small hostile plots that ask for a great deal
// of work (repeated fills of a 999-vertex polygon, a flood of edge drawings
// under --timeout, fills and dashes at a huge real-size resolution, a flood
// of printer resets), and the vector pictures of the big mixed plots (SVG
// and PDF size, time and peak memory). Each is one run of the converter in
// its own process; wall and processor time are printed (on a shared machine
// the processor time is the steadier), never asserted.
//
//   kavor_cost_bench [--converter PATH] [--work DIR] [--big]
//
// --big adds the 200 MB mixed plot to the 42 MB one.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/measure.h"
#include "bench/plot_generator.h"

namespace fs = std::filesystem;
using namespace kavor::bench;

namespace {

struct Probe {
  std::string name;
  std::string plot;  // file name in the work folder
  std::vector<std::string> options;
  std::string format;
};

void write_file(const fs::path& p, const std::string& data) { std::ofstream(p, std::ios::binary) << data; }

// Writes the file once; a big plot is kept between runs.
fs::path plot_file(const fs::path& work, const std::string& name, size_t bytes, std::string (*make)(size_t)) {
  const fs::path p = work / name;
  std::error_code ec;
  if (fs::file_size(p, ec) < bytes || ec) write_file(p, make(bytes));
  return p;
}

double mib(long kib) { return static_cast<double>(kib) / 1024.0; }

void print_run(const std::string& name, const fs::path& plot, const fs::path& out, const Sample& s) {
  std::error_code ec;
  const auto in_size = fs::file_size(plot, ec);
  const double in_mb = ec ? 0.0 : static_cast<double>(in_size) / 1e6;
  const auto out_size = fs::file_size(out, ec);
  const double out_mb = ec ? 0.0 : static_cast<double>(out_size) / 1e6;
  std::printf("%-36s %8.3f %9.2f %8.2f %8.2f %9.1f %5d\n", name.c_str(), in_mb, out_mb, s.seconds, s.cpu_seconds,
              mib(s.peak_kib), s.exit_code);
  fs::remove(out, ec);
}

}  // namespace

int main(int argc, char** argv) {
  std::string binary = "build/cli/kavor-convert";
  fs::path work = fs::temp_directory_path() / "kavor-cost-bench";
  bool big = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--converter" && i + 1 < argc) binary = argv[++i];
    else if (a == "--work" && i + 1 < argc) work = argv[++i];
    else if (a == "--big") big = true;
  }
  fs::create_directories(work / "home");
  const std::string settings = (work / "home").string() + "/";

  write_file(work / "comb-fp100.plt", comb_plot(100, "FP;"));
  write_file(work / "comb-fp1000.plt", comb_plot(1000, "FP;"));
  write_file(work / "zigzag-fp100.plt", zigzag_plot(100, "FP;"));
  write_file(work / "zigzag-fp1000.plt", zigzag_plot(1000, "FP;"));
  write_file(work / "zigzag-ep10000.plt", zigzag_plot(10000, "EP;"));
  write_file(work / "fills-and-dashes.plt", fills_and_dashes_plot());
  write_file(work / "resets-1MB.plt", printer_reset_plot(1 << 20));
  const std::vector<std::string> huge_re{"-SM", "REAL", "-RE", "200000000"};
  auto with = [](std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  const std::vector<Probe> probes{
      {"comb, 100 fills", "comb-fp100.plt", {}, "png"},
      {"comb, 1000 fills", "comb-fp1000.plt", {}, "png"},
      {"zigzag, 100 fills", "zigzag-fp100.plt", {}, "png"},
      {"zigzag, 1000 fills", "zigzag-fp1000.plt", {}, "png"},
      {"comb, 100 fills, svg", "comb-fp100.plt", {}, "svg"},
      {"zigzag, 100 fills, wmf", "zigzag-fp100.plt", {}, "wmf"},
      {"zigzag, 10000 edges, --timeout 2", "zigzag-ep10000.plt", {"--timeout", "2"}, "png"},
      {"fills and dashes, printer, -RE 2e8", "fills-and-dashes.plt", with({"-CC", "ESC/P"}, huge_re), "png"},
      {"fills and dashes, file, -RE 2e8", "fills-and-dashes.plt", with({"-DE", "FILE"}, huge_re), "png"},
      {"1 MB of printer resets", "resets-1MB.plt", {}, "png"},
      {"--param /dev/zero", "", {"--param", "/dev/zero"}, "png"},
  };
  std::printf("%-36s %8s %9s %8s %8s %9s %5s\n", "probe", "in MB", "out MB", "s", "cpu s", "peak MiB", "exit");
  for (const Probe& p : probes) {
    const fs::path out = work / ("out." + p.format);
    const fs::path plot = work / p.plot;
    std::vector<std::string> args = p.options;
    args.insert(args.end(), {"-o", out.string()});
    if (!p.plot.empty()) args.push_back(plot.string());
    print_run(p.name, plot, out, run_program(binary, args, settings));
  }

  std::vector<fs::path> plots{plot_file(work, "mixed-42MB.plt", 42'000'000, mixed_plot)};
  if (big) plots.push_back(plot_file(work, "mixed-200MB.plt", 200'000'000, mixed_plot));
  for (const fs::path& plot : plots) {
    for (const char* format : {"svg", "pdf"}) {
      const fs::path out = work / (std::string("out.") + format);
      const Sample s = run_program(binary, {"--size", "1600", "-o", out.string(), plot.string()}, settings);
      print_run(plot.filename().string() + " to " + format, plot, out, s);
    }
  }
  return 0;
}
