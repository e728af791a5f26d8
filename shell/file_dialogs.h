#pragma once
// The four file dialogs of the desktop program behind one small interface,
// so that tests choose the files from a script.

#include <QString>

class QWidget;

namespace kavor {

enum class FileDialogKind { open_plot, save_bitmap, save_metafile, conversion };

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // The chosen path, or empty when the dialog was cancelled.
  virtual QString choose(FileDialogKind kind) = 0;
};

// The dialogs on screen, owned by the main window.
class QtFileDialogs : public FileDialogs {
 public:
  explicit QtFileDialogs(QWidget* owner) : owner_(owner) {}
  QString choose(FileDialogKind kind) override;

 private:
  QWidget* owner_;
};

}  // namespace kavor
