#pragma once
// The message boxes of the desktop program behind one small interface, so
// that tests answer them from a script: the engine's warning and
// instruction-error boxes, and plain boxes with a caption.

#include <QString>

class QWidget;

namespace kavor {

class MessageBoxes {
 public:
  enum class Icon { information, warning, critical };

  virtual ~MessageBoxes() = default;
  // The engine's warning box: caption "Error", warning icon, OK. With
  // offer_silence it also offers to show no more warnings of the rendering
  // in progress; true when the user took that.
  virtual bool engine_warning(const QString& text, bool offer_silence) = 0;
  // The instruction-error dialog: true for Continue, false for Abort.
  virtual bool instruction_error(const QString& text) = 0;
  // A box with its caption and icon and an OK button; details, when given,
  // are a longer text the user can unfold.
  virtual void message(const QString& text, const QString& caption, Icon icon, const QString& details = {}) = 0;
};

// The boxes on screen, owned by the main window.
class QtMessageBoxes : public MessageBoxes {
 public:
  explicit QtMessageBoxes(QWidget* owner) : owner_(owner) {}
  bool engine_warning(const QString& text, bool offer_silence) override;
  bool instruction_error(const QString& text) override;
  void message(const QString& text, const QString& caption, Icon icon, const QString& details) override;

 private:
  QWidget* owner_;
};

}  // namespace kavor
