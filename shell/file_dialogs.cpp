#include "shell/file_dialogs.h"

#include <QFileDialog>

namespace kavor {

namespace {

// Each filter is shown by its description; the patterns after it are what
// a Linux file system needs (every file, and both cases of an extension).
struct DialogDescription {
  bool save;
  const char* filters;
};

DialogDescription description_of(FileDialogKind kind) {
  switch (kind) {
    case FileDialogKind::open_plot:
      return {false,
              "All Files (*.*) (*);;HP-GL Files (*.GL) (*.gl *.GL);;HP-GL Files (*.HGL) (*.hgl *.HGL)"};
    case FileDialogKind::save_bitmap:
      return {true, "BMP Files (*.BMP) (*.BMP *.bmp);;All Files (*.*) (*);;DIB Files (*.DIB) (*.DIB *.dib)"};
    case FileDialogKind::save_metafile:
      return {true, "Meta Files (*.WMF) (*.WMF *.wmf);;All Files (*.*) (*)"};
    case FileDialogKind::conversion:
      return {true, "All Files (*.*) (*);;Vecter Files (*.VCT) (*.VCT *.vct)"};
  }
  return {false, ""};
}

}  // namespace

QString QtFileDialogs::choose(FileDialogKind kind) {
  const DialogDescription d = description_of(kind);
  QFileDialog dialog(owner_);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setNameFilter(QString::fromUtf8(d.filters));
  if (d.save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setFileMode(QFileDialog::AnyFile);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace kavor
