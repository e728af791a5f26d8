#pragma once
// Sending a plot file to a device unchanged, without interpreting it: to a
// pen plotter on a port (or any existing device or file) byte by byte, or
// to an HP laser printer as a raw CUPS job behind a PJL/PCL preamble that
// switches the printer into HP-GL/2. No Qt here: the desktop program puts
// its boxes, cursor and event pump on top.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kavor {

enum class DirectOutputStatus {
  sent,
  stopped,       // the port route was asked to stop; still a success
  no_file,       // the plot file cannot be opened or read
  no_printer,    // the port or the printer cannot be opened
  cannot_print,  // the printer would not take the job
  write_error,   // a byte was refused by the port
};

// Sent once before the file: the PJL universal exit, a comment line, the
// PJL command that selects PCL, the PCL reset and the PCL command that
// enters HP-GL/2. 64 bytes; no trailer follows the file.
inline constexpr std::string_view kLaserPrinterPreamble =
    "\033%-12345X@PJL COMMENT ---ZIZ---\n@PJL ENTER LANGUAGE = PCL\n\033E\033%0B";
// The file goes to the printer in blocks of this size.
inline constexpr size_t kPrinterBlockSize = 4096;

// "LPT1" is /dev/lp0 and "LPT2" /dev/lp1; any other name is a path as it
// stands.
std::string port_device_path(std::string_view port_name);
// The USB printer devices (lp0, lp1, ...) that exist in dir, in order.
std::vector<std::string> usb_printer_devices(const std::string& dir = "/dev/usb");

// How far a port send is, given to the caller between any two bytes and,
// while the port takes nothing, every few hundredths of a second.
struct PortProgress {
  uint64_t sent = 0;
  uint64_t total = 0;
  bool waiting = false;  // the port has not taken the next byte for a second
};
// Lets the caller's window work and answers whether to stop.
using PortPump = std::function<bool(const PortProgress&)>;

// Copies the file to the port one byte per write. The port is opened only
// if it exists (never created), without blocking: a device that takes
// nothing (a plotter that is off or out of paper) keeps the pump running,
// so the caller can still stop. A regular file is truncated first, so that
// it holds exactly the plot.
DirectOutputStatus send_to_port(const std::string& port_name, const std::string& file, const PortPump& pump);

// Sends the preamble and the file as one raw job to the CUPS queue.
DirectOutputStatus send_to_printer(const std::string& printer, const std::string& file);
// The queues the CUPS scheduler offers, by name.
std::vector<std::string> printer_names();

}  // namespace kavor
