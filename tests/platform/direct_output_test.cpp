// Direct output: the plot file to a port byte by byte, and to a CUPS queue
// of a private scheduler behind the PJL/PCL preamble, checked byte for
// byte where the queue writes the job.

#include "platform/direct_output.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "support/private_cups.h"
#include "support/test_env.h"

using namespace kavor;
using kavor::testing::PrivateCups;
using kavor::testing::TempDir;

namespace {

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every byte value, the PCL escape and line ends included, over and over.
std::string all_byte_values(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xff);
  return bytes;
}

const PortPump kNeverStop = [](const PortProgress&) { return false; };

}  // namespace

class LaserPrinterTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    cups_ = std::make_unique<PrivateCups>();
    ASSERT_TRUE(cups_->running()) << cups_->error();
    raw_output_ = cups_->add_raw_queue("raw");
    ASSERT_FALSE(raw_output_.empty());
    ASSERT_FALSE(cups_->add_file_queue("closed").empty());
    ASSERT_TRUE(cups_->reject_jobs("closed"));
  }
  static void TearDownTestSuite() { cups_.reset(); }

  // What the queue "raw" wrote for the job of the file.
  std::string printed(const std::string& file) {
    EXPECT_EQ(send_to_printer("raw", file), DirectOutputStatus::sent);
    EXPECT_TRUE(cups_->wait_until_idle());
    return read_file(raw_output_);
  }

  static std::unique_ptr<PrivateCups> cups_;
  static std::string raw_output_;
  TempDir dir;
};
std::unique_ptr<PrivateCups> LaserPrinterTest::cups_;
std::string LaserPrinterTest::raw_output_;

TEST_F(LaserPrinterTest, AnEmptyFileGivesAJobOfThePreambleAlone) {
  const std::string preamble =
      "\x1b%-12345X@PJL COMMENT ---ZIZ---\n@PJL ENTER LANGUAGE = PCL\n\x1b"
      "E\x1b%0B";
  ASSERT_EQ(preamble.size(), 64u);
  EXPECT_EQ(kLaserPrinterPreamble, preamble);
  EXPECT_EQ(printed(dir.write("empty.plt", "")), preamble);
}

TEST_F(LaserPrinterTest, TheFileFollowsThePreambleUnchanged) {
  // 10000 bytes: blocks of 4096, 4096 and 1808.
  const std::string plot = all_byte_values(10000);
  EXPECT_EQ(printed(dir.write("big.plt", plot)), std::string(kLaserPrinterPreamble) + plot);
  // A second job replaces the first in the queue's file.
  EXPECT_EQ(printed(dir.write("small.plt", "IN;SP1;PD100,100;")),
            std::string(kLaserPrinterPreamble) + "IN;SP1;PD100,100;");
}

TEST_F(LaserPrinterTest, FailuresInTheOrderTheyAreMet) {
  const std::string plot = dir.write("a.plt", "IN;");
  const std::string missing = dir.path() + "missing.plt";
  EXPECT_EQ(send_to_printer("raw", missing), DirectOutputStatus::no_file);
  EXPECT_EQ(send_to_printer("no-such-queue", missing), DirectOutputStatus::no_file);
  EXPECT_EQ(send_to_printer("raw", dir.path()), DirectOutputStatus::no_file);
  EXPECT_EQ(send_to_printer("no-such-queue", plot), DirectOutputStatus::no_printer);
  // An empty name is no printer, not the default queue.
  EXPECT_EQ(send_to_printer("", plot), DirectOutputStatus::no_printer);
  EXPECT_EQ(send_to_printer("closed", plot), DirectOutputStatus::cannot_print);
  EXPECT_TRUE(cups_->wait_until_idle());
}

TEST_F(LaserPrinterTest, TheQueuesAreOffered) {
  const std::vector<std::string> names = printer_names();
  EXPECT_EQ(names, (std::vector<std::string>{"closed", "raw"}));
}

TEST(PortOutput, PortNamesAndUsbDevices) {
  EXPECT_EQ(port_device_path("LPT1"), "/dev/lp0");
  EXPECT_EQ(port_device_path("LPT2"), "/dev/lp1");
  EXPECT_EQ(port_device_path("/dev/usb/lp0"), "/dev/usb/lp0");
  EXPECT_EQ(port_device_path("lpt1"), "lpt1");
  TempDir dev;
  for (const char* name : {"lp10", "lp0", "lp2", "lpx", "lp", "hiddev0"}) dev.write(name, "");
  EXPECT_EQ(usb_printer_devices(dev.path()),
            (std::vector<std::string>{dev.path() + "lp0", dev.path() + "lp2", dev.path() + "lp10"}));
  EXPECT_TRUE(usb_printer_devices(dev.path() + "none").empty());
}

TEST(PortOutput, AnExistingFileReceivesThePlotAndNothingElse) {
  TempDir dir;
  const std::string plot = all_byte_values(3000);
  const std::string port = dir.write("port", std::string(5000, 'x'));
  uint64_t calls = 0, last_sent = 0;
  const PortPump count = [&](const PortProgress& p) {
    ++calls;
    last_sent = p.sent;
    EXPECT_EQ(p.total, plot.size());
    return false;
  };
  EXPECT_EQ(send_to_port(port, dir.write("a.plt", plot), count), DirectOutputStatus::sent);
  EXPECT_EQ(read_file(port), plot);
  // The pump ran between every two bytes.
  EXPECT_EQ(calls, plot.size());
  EXPECT_EQ(last_sent, plot.size());
}

TEST(PortOutput, FailuresCreateNothing) {
  TempDir dir;
  const std::string plot = dir.write("a.plt", "IN;");
  const std::string absent = dir.path() + "absent";
  EXPECT_EQ(send_to_port(absent, plot, kNeverStop), DirectOutputStatus::no_printer);
  EXPECT_FALSE(std::filesystem::exists(absent));
  EXPECT_EQ(send_to_port(dir.path(), plot, kNeverStop), DirectOutputStatus::no_printer);
  EXPECT_EQ(send_to_port(dir.write("port", ""), dir.path() + "missing.plt", kNeverStop),
            DirectOutputStatus::no_file);
  const std::string read_only = dir.write("read-only", "keep");
  ::chmod(read_only.c_str(), 0444);
  if (::geteuid() != 0) {
    EXPECT_EQ(send_to_port(read_only, plot, kNeverStop), DirectOutputStatus::no_printer);
  }
  // A pipe that nobody reads is no printer either.
  const std::string fifo = dir.path() + "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(send_to_port(fifo, plot, kNeverStop), DirectOutputStatus::no_printer);
}

// The reader goes away mid-way: a write error, and the program lives on.
TEST(PortOutput, APortThatGoesAwayIsAWriteError) {
  TempDir dir;
  const std::string fifo = dir.path() + "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  const PortPump close_reader = [&](const PortProgress& p) {
    if (p.sent == 10 && reader >= 0) {
      ::close(reader);
      reader = -1;
    }
    return false;
  };
  EXPECT_EQ(send_to_port(fifo, dir.write("a.plt", std::string(100, 'a')), close_reader),
            DirectOutputStatus::write_error);
}
