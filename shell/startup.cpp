#include "shell/startup.h"

namespace kavor {

QString plot_file_from_arguments(const QStringList& arguments) {
  if (arguments.size() < 2) return {};
  QString name = arguments.at(1);
  if (name.size() > 2 && name.front() == u'"' && name.back() == u'"') {
    name.front() = u' ';
    name.back() = u' ';
  }
  return name.trimmed();
}

}  // namespace kavor
