#pragma once
// The host: the one way the engine reaches the outside world (message boxes,
// progress, the message pump, the view and printer sizes, the settings
// directory). The shell and the converter implement it; tests record it.

#include <string>

namespace kavor {

// The answers of the instruction-error dialog.
enum InstructionAnswer : int { ANSWER_NO_DIALOG = -1, ANSWER_CONTINUE = 0, ANSWER_ABORT = 1 };

struct PixelSize {
  int width = 0;
  int height = 0;
};

class Host {
 public:
  virtual ~Host() = default;

  // Warning box (caption "Error", OK). Returns when the user closed it.
  virtual void show_warning(const std::string& text) = 0;
  // Fatal box: shown, then the engine unwinds with FatalError.
  virtual void show_fatal(const std::string& text) = 0;
  // Instruction-error dialog: ANSWER_ABORT, ANSWER_CONTINUE, or
  // ANSWER_NO_DIALOG when the dialog could not be shown.
  virtual int ask_instruction_error(const std::string& text) = 0;
  // A plain message box with its own caption ("stateRIP Error"/"Warning",
  // "DialogBox Error"/"Error").
  virtual void show_message(const std::string& text, const std::string& caption) = 0;

  virtual void progress(int percent) = 0;
  // Dispatches pending window events. Called every few hundred characters.
  virtual void pump() = 0;
  // The cancel flag, tested on every character.
  virtual bool cancel_requested() const = 0;

  // Width of the view and its height less the status bar, in pixels.
  virtual PixelSize view_area() const = 0;
  // Horizontal and vertical resolution of the current printer in pixels,
  // or 100 by 100 when there is no printer.
  virtual PixelSize printer_page() const = 0;
  // The settings directory, ending in '/'.
  virtual std::string settings_dir() const = 0;

  // A page advance (PG, AF or AH) has ended the page being drawn; what
  // follows belongs to the next page. The engine still draws every page on
  // the same targets: a host that keeps pages apart moves the rendering to
  // other targets here.
  virtual void end_page() {}
};

}  // namespace kavor
