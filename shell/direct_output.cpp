#include "shell/direct_output.h"

#include <QCoreApplication>
#include <QFile>
#include <QCursor>
#include <QGuiApplication>
#include <chrono>

#include "shell/message_boxes.h"

namespace kavor {

namespace {

using Clock = std::chrono::steady_clock;
// Between bytes, pending events are dispatched at most this often; the stop
// request is looked at after every byte.
constexpr auto kEventInterval = std::chrono::milliseconds(5);

std::string file_system_name(const QString& path) { return QFile::encodeName(path).toStdString(); }

// The wait cursor for as long as a send lasts.
class WaitCursor {
 public:
  explicit WaitCursor(Qt::CursorShape shape) { QGuiApplication::setOverrideCursor(QCursor(shape)); }
  ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

QString failure_text(DirectOutputStatus status) {
  switch (status) {
    case DirectOutputStatus::no_file:
      return QStringLiteral("ファイル無し");
    case DirectOutputStatus::no_printer:
      return QStringLiteral("プリンタ無し");
    case DirectOutputStatus::cannot_print:
      return QStringLiteral("印刷できません");
    case DirectOutputStatus::write_error:
      return QStringLiteral("書き込みエラー");
    case DirectOutputStatus::sent:
    case DirectOutputStatus::stopped:
      break;
  }
  return {};
}

}  // namespace

bool DirectOutput::send_to_port(const QString& port_name, const QString& file,
                                const std::function<void(const PortProgress&)>& show_progress) {
  stop_ = false;
  sending_ = true;
  PortProgress last;
  Clock::time_point last_events = Clock::now() - kEventInterval;
  const PortPump pump = [&](const PortProgress& progress) {
    last = progress;
    const Clock::time_point now = Clock::now();
    if (now - last_events >= kEventInterval) {
      if (show_progress) show_progress(progress);
      QCoreApplication::processEvents();
      last_events = Clock::now();
    }
    return stop_;
  };
  DirectOutputStatus status;
  {
    // The busy cursor: the stop button still takes clicks.
    WaitCursor cursor(Qt::BusyCursor);
    status = kavor::send_to_port(file_system_name(port_name), file_system_name(file), pump);
  }
  sending_ = false;
  return report(status, last);
}

bool DirectOutput::send_to_printer(const QString& printer, const QString& file) {
  DirectOutputStatus status;
  {
    WaitCursor cursor(Qt::WaitCursor);
    status = kavor::send_to_printer(printer.toStdString(), file_system_name(file));
  }
  return report(status, {});
}

bool DirectOutput::report(DirectOutputStatus status, const PortProgress& progress) {
  if (status == DirectOutputStatus::sent) return true;
  if (status == DirectOutputStatus::stopped) {
    if (progress.total == 0 || progress.sent < progress.total)
      boxes_.message(QStringLiteral("出力を中止しました. %1 バイトを送りました.").arg(progress.sent),
                     QStringLiteral("出力中止"), MessageBoxes::Icon::information);
    return true;
  }
  boxes_.message(failure_text(status), QStringLiteral("Error"), MessageBoxes::Icon::critical);
  return false;
}

}  // namespace kavor
