#pragma once
// The main window: the menus built from the menu table, the picture
// buttons, the status bar and the view. It owns the settings record and the
// current plot file, and turns every command into an action of another
// part of the program; it dispatches, it does not compute.

#include <QMainWindow>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "config/settings_record.h"
#include "shell/dialogs/direct_plotter_dialog.h"
#include "shell/view_zoom.h"

class QLabel;

namespace kavor {

class DirectOutput;
class DrawDialog;
class Export;
class FileDialogs;
class HelpWindow;
class MessageBoxes;
class PrintJob;
class ShellHost;
class ViewRenderer;
class ScribbleHandlers;
class ViewWidget;
class ZoomHandlers;

// What the window takes from outside. Tests put scripts in place of the
// boxes and the file dialogs, and keep the process alive where the program
// would end.
struct ShellServices {
  MessageBoxes* boxes = nullptr;                // null: boxes on screen
  FileDialogs* files = nullptr;                 // null: dialogs on screen
  std::function<void(int status)> end_process;  // null: the event loop ends with the status
};

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(ShellServices services = {});
  ~MainWindow() override;

  // Opens a plot file as the open command does after its dialog.
  void open_plot_file(const QString& path);
  const QString& plot_file() const { return plot_file_; }
  const Settings& settings() const { return settings_; }
  const std::string& settings_dir() const { return settings_dir_; }
  ViewWidget* view() const { return view_; }
  ViewZoom& zoom() { return zoom_; }
  ViewRenderer& renderer() { return *renderer_; }
  ShellHost& host() { return *host_; }
  MessageBoxes& boxes() { return *boxes_; }
  PrintJob& print_job() { return *print_job_; }
  // The menu item of a command id, or null.
  QAction* action(int id) const;
  // The client height H: the view and the status bar.
  int client_height() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void create_menus();
  void create_picture_buttons();
  void create_status_bar();
  void connect_commands();

  // The commands, one per menu id.
  void open();                // 101
  void close_file();          // 138
  void save_bitmap();         // 134
  void save_metafile();       // 157
  void convert();             // 162
  void print();               // 109
  void print_on_2();          // 151
  void print_on_4();          // 117
  void print_on_8();          // 152
  void print_on_16();         // 153
  void printer_setup();       // 164
  void direct_to_plotter();   // 167
  void laser_printer();       // 158
  void exit_program();        // 102
  void copy();                // 133
  void toggle_colour();       // 105
  void toggle_auto_size();    // 106
  void toggle_keep_aspect();  // 155
  void toggle_real_size();    // 166
  void cancel_zoom();         // 135
  void redraw();              // 156
  void pens();                // 137
  void output();              // 136
  void plotter();             // 111
  void reset_options();       // 131
  void load_options();        // 154
  void save_options();        // 130
  void help();                // 165
  void current_state();       // 127
  void about();               // 108
  void fit_paper();           // 139
  void toggle_scribble();     // 144

  // Runs a print command on the open file while a picture is shown.
  void print_with(int command);
  void render_view();
  void view_resized();
  // Drops the picture (and a conversion file not yet written) and shows
  // the window again: the next paint renders afresh.
  void discard_and_repaint();
  void repaint_window();
  void forget_view();
  void update_title();
  void update_status();
  void sync_marks();
  void apply_window_shape();
  void end_scribbling();
  void report_settings_file(const std::string& text, const std::string& caption);

  std::unique_ptr<MessageBoxes> own_boxes_;
  std::unique_ptr<FileDialogs> own_files_;
  MessageBoxes* boxes_;
  FileDialogs* files_;
  std::function<void(int)> end_process_;

  std::string settings_dir_;
  Settings settings_;
  QString plot_file_;
  ViewZoom zoom_;
  std::unique_ptr<ShellHost> host_;
  std::unique_ptr<ViewRenderer> renderer_;
  std::unique_ptr<Export> export_;
  std::unique_ptr<PrintJob> print_job_;
  ViewWidget* view_ = nullptr;
  std::unique_ptr<ZoomHandlers> zoom_handlers_;
  // Scribble mode: the tool window and its handlers while it is on.
  DrawDialog* draw_tool_ = nullptr;
  std::unique_ptr<ScribbleHandlers> scribble_handlers_;
  std::map<int, QAction*> actions_;
  std::map<int, QAction*> picture_buttons_;
  QLabel* plotter_field_ = nullptr;
  QLabel* paper_field_ = nullptr;
  QLabel* colour_field_ = nullptr;
  HelpWindow* help_window_ = nullptr;
  bool save_as_default_ = true;
  // What the pen, plotter-port and laser-printer dialogs keep for the
  // program's run.
  bool pen_preview_ = true;
  PortChoice port_choice_;
  QString laser_printer_name_;
  std::unique_ptr<DirectOutput> direct_output_;
  // The simple HP-GL conversion file, open from its command until the
  // rendering that writes it has ended.
  std::ofstream conversion_;
  int conversion_height_ = 0;
  bool close_after_rendering_ = false;
};

}  // namespace kavor
