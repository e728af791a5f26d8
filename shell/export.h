#pragma once
// The picture leaves the program: saved as a bitmap file or copied to the
// clipboard as it is (scribbles included), or drawn once more by the
// engine, from the parameter file of the last view rendering, into a
// placeable metafile. A save that fails is reported, and leaves no
// half-written file behind.

#include <QSize>
#include <QString>

class QImage;

namespace kavor {

class MessageBoxes;
class ShellHost;

class Export {
 public:
  Export(ShellHost& host, MessageBoxes& boxes) : host_(host), boxes_(boxes) {}

  void save_bitmap(const QImage& picture, const QString& path);
  // On the clipboard as an image and as "image/bmp".
  void copy(const QImage& picture);
  // The engine draws in the view's pixels; the metafile's bounding box is
  // the client area (view and status bar). The progress dialog can cancel
  // the run, which leaves the destination as it was. False after a fatal
  // error: the program must end then.
  bool save_metafile(const QString& path, QSize view, QSize client);

 private:
  void report_failed_save(const QString& path);

  ShellHost& host_;
  MessageBoxes& boxes_;
};

}  // namespace kavor
