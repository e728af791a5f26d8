// kavor: the desktop viewer of HP-GL plot files.

#include <QApplication>

#include "shell/icons.h"
#include "shell/main_window.h"
#include "shell/startup.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("kavor"));
  QApplication::setDesktopFileName(QStringLiteral("kavor"));
  QApplication::setWindowIcon(kavor::program_icon());
  kavor::MainWindow window;
  const QString plot = kavor::plot_file_from_arguments(QApplication::arguments());
  if (!plot.isEmpty()) window.open_plot_file(plot);
  window.show();
  return QApplication::exec();
}
