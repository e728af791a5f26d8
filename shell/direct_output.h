#pragma once
// Direct output in the desktop program: the platform's sends with the
// wait cursor, the event pump between the bytes of a port send, the stop
// request of the plotter dialog, and every failure as a box with the
// caption "Error".

#include <QString>
#include <functional>

#include "platform/direct_output.h"

namespace kavor {

class MessageBoxes;

class DirectOutput {
 public:
  explicit DirectOutput(MessageBoxes& boxes) : boxes_(boxes) {}

  // Copies the file to the port byte by byte while the window goes on
  // working; show_progress hears how far it is. A stop is a success; when
  // it left part of the file unsent, the user is told. False after a
  // failure, which has been shown.
  bool send_to_port(const QString& port_name, const QString& file,
                    const std::function<void(const PortProgress&)>& show_progress = {});
  // Asks the port send in progress to stop after the byte it is writing.
  void stop_port_output() { stop_ = true; }
  bool sending_to_port() const { return sending_; }
  // Sends the file to the CUPS queue behind the laser printer preamble.
  bool send_to_printer(const QString& printer, const QString& file);

 private:
  bool report(DirectOutputStatus status, const PortProgress& progress);

  MessageBoxes& boxes_;
  bool stop_ = false;
  bool sending_ = false;
};

}  // namespace kavor
