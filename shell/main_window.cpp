#include "shell/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>

#include "config/paper_fitting.h"
#include "config/settings.h"
#include "device/conversion_writer.h"
#include "engine/fatal_error.h"
#include "platform/settings_dir.h"
#include "shell/dialogs/about_dialog.h"
#include "shell/dialogs/current_state_dialog.h"
#include "shell/dialogs/dialog_controls.h"
#include "shell/dialogs/draw_dialog.h"
#include "shell/dialogs/laser_printer_dialog.h"
#include "shell/dialogs/output_dialog.h"
#include "shell/dialogs/pen_overview_dialog.h"
#include "shell/dialogs/plotter_dialog.h"
#include "shell/dialogs/settings_slot_dialog.h"
#include "shell/direct_output.h"
#include "shell/display_names.h"
#include "shell/export.h"
#include "shell/file_dialogs.h"
#include "shell/help_window.h"
#include "shell/icons.h"
#include "shell/menu_table.h"
#include "shell/message_boxes.h"
#include "shell/print_job.h"
#include "shell/scribble_handlers.h"
#include "shell/shell_host.h"
#include "shell/view_renderer.h"
#include "shell/view_widget.h"
#include "shell/zoom_handlers.h"

namespace kavor {

namespace {

const QString kTitle = QStringLiteral("KAVOR for Windows(32Bit)");
// Right edges of the status bar's three fields at 90, 180 and 270 pixels.
constexpr int kStatusFieldWidth = 90;

QString text_of(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string file_system_name(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

MainWindow::MainWindow(ShellServices services)
    : own_boxes_(services.boxes ? nullptr : std::make_unique<QtMessageBoxes>(this)),
      own_files_(services.files ? nullptr : std::make_unique<QtFileDialogs>(this)),
      boxes_(services.boxes ? services.boxes : own_boxes_.get()),
      files_(services.files ? services.files : own_files_.get()),
      end_process_(services.end_process ? std::move(services.end_process)
                                        : [](int status) { QCoreApplication::exit(status); }),
      settings_dir_(default_settings_dir()),
      direct_output_(std::make_unique<DirectOutput>(*boxes_)) {
  setObjectName(QStringLiteral("KAVOR"));
  setWindowIcon(program_icon());
  host_ = std::make_unique<ShellHost>(*this, *boxes_, settings_dir_);
  renderer_ = std::make_unique<ViewRenderer>(*host_);
  export_ = std::make_unique<Export>(*host_, *boxes_);
  view_ = new ViewWidget(*renderer_, this);
  setCentralWidget(view_);
  print_job_ = std::make_unique<PrintJob>(*this, *boxes_, *host_, settings_, zoom_, *renderer_);
  zoom_handlers_ = std::make_unique<ZoomHandlers>(*view_, zoom_, settings_, [this] { discard_and_repaint(); });
  view_->set_handlers(zoom_handlers_.get());
  create_menus();
  create_picture_buttons();
  create_status_bar();
  connect_commands();
  connect(view_, &ViewWidget::picture_needed, this, &MainWindow::render_view);
  connect(view_, &ViewWidget::resized, this, &MainWindow::view_resized);
  connect(renderer_.get(), &ViewRenderer::picture_changed, view_, qOverload<>(&QWidget::update));
  setAcceptDrops(true);
  reset_settings(settings_, settings_dir_, [this] { forget_view(); });
  sync_marks();
  update_title();
  update_status();
  if (const QScreen* s = screen()) {
    const QSize desktop = s->availableSize();
    resize(desktop.width() * 2 / 3, desktop.height() * 2 / 3);
  }
}

MainWindow::~MainWindow() {
  // The view goes before the renderer whose picture it shows.
  delete view_;
  view_ = nullptr;
}

void MainWindow::create_menus() {
  QMenu* menu = nullptr;
  for (const MenuEntry& entry : kMenuTable) {
    switch (entry.row) {
      case MenuRow::popup:
        menu = menuBar()->addMenu(text_of(entry.text));
        break;
      case MenuRow::separator:
        menu->addSeparator();
        break;
      case MenuRow::item:
      case MenuRow::toggle: {
        QAction* action = menu->addAction(text_of(entry.text));
        action->setObjectName(QString::number(entry.id));
        action->setCheckable(entry.row == MenuRow::toggle);
        action->setChecked(entry.checked);
        actions_[entry.id] = action;
        break;
      }
    }
  }
  // F1 asks for help in any state.
  actions_.at(CMD_HELP)->setShortcut(QKeySequence(Qt::Key_F1));
}

void MainWindow::create_picture_buttons() {
  for (const PictureButton& button : kPictureButtons) {
    auto* action = new QAction(picture_button_icon(button.icon), text_of(button.name), this);
    action->setObjectName(QStringLiteral("button%1").arg(button.id));
    action->setToolTip(text_of(button.name));
    action->setCheckable(button.id == CMD_SCRIBBLE);
    menuBar()->addAction(action);
    picture_buttons_[button.id] = action;
  }
}

void MainWindow::create_status_bar() {
  auto field = [this](const char* name) {
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    label->setFixedWidth(kStatusFieldWidth);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusBar()->addWidget(label);
    return label;
  };
  plotter_field_ = field("status_plotter");
  paper_field_ = field("status_paper");
  colour_field_ = field("status_colour");
  statusBar()->installEventFilter(this);
}

void MainWindow::connect_commands() {
  struct CommandSlot {
    int id;
    void (MainWindow::*slot)();
  };
  static constexpr CommandSlot kSlots[] = {
      {CMD_OPEN, &MainWindow::open},
      {CMD_CLOSE, &MainWindow::close_file},
      {CMD_SAVE_BITMAP, &MainWindow::save_bitmap},
      {CMD_SAVE_METAFILE, &MainWindow::save_metafile},
      {CMD_CONVERT, &MainWindow::convert},
      {CMD_PRINT, &MainWindow::print},
      {CMD_PRINT_2, &MainWindow::print_on_2},
      {CMD_PRINT_4, &MainWindow::print_on_4},
      {CMD_PRINT_8, &MainWindow::print_on_8},
      {CMD_PRINT_16, &MainWindow::print_on_16},
      {CMD_PRINTER_SETUP, &MainWindow::printer_setup},
      {CMD_DIRECT_TO_PLOTTER, &MainWindow::direct_to_plotter},
      {CMD_LASER_PRINTER, &MainWindow::laser_printer},
      {CMD_EXIT, &MainWindow::exit_program},
      {CMD_COPY, &MainWindow::copy},
      {CMD_COLOUR, &MainWindow::toggle_colour},
      {CMD_AUTO_SIZE, &MainWindow::toggle_auto_size},
      {CMD_KEEP_ASPECT, &MainWindow::toggle_keep_aspect},
      {CMD_REAL_SIZE, &MainWindow::toggle_real_size},
      {CMD_CANCEL_ZOOM, &MainWindow::cancel_zoom},
      {CMD_REDRAW, &MainWindow::redraw},
      {CMD_PENS, &MainWindow::pens},
      {CMD_OUTPUT, &MainWindow::output},
      {CMD_PLOTTER, &MainWindow::plotter},
      {CMD_RESET_OPTIONS, &MainWindow::reset_options},
      {CMD_LOAD_OPTIONS, &MainWindow::load_options},
      {CMD_SAVE_OPTIONS, &MainWindow::save_options},
      {CMD_HELP, &MainWindow::help},
      {CMD_CURRENT_STATE, &MainWindow::current_state},
      {CMD_ABOUT, &MainWindow::about},
      {CMD_FIT_PAPER, &MainWindow::fit_paper},
      {CMD_SCRIBBLE, &MainWindow::toggle_scribble},
  };
  for (const CommandSlot& command : kSlots) {
    for (const auto* actions : {&actions_, &picture_buttons_}) {
      auto found = actions->find(command.id);
      if (found != actions->end()) connect(found->second, &QAction::triggered, this, command.slot);
    }
  }
}

QAction* MainWindow::action(int id) const {
  auto found = actions_.find(id);
  return found == actions_.end() ? nullptr : found->second;
}

int MainWindow::client_height() const {
  return view_->height() + (statusBar()->isVisible() ? statusBar()->height() : 0);
}

// ---- the view ----

void MainWindow::render_view() {
  update_title();
  update_status();
  // While another session (an export, a print) runs the engine, the
  // picture waits; a print keeps the picture it draws its sheet grid on.
  if (plot_file_.isEmpty() || host_->in_session() || print_job_->is_printing() || renderer_->is_rendering() ||
      renderer_->has_picture())
    return;
  const PixelSize picture{view_->width(), view_->height()};
  if (picture.width <= 0 || picture.height <= 0) return;
  const bool converting = conversion_.is_open();
  const ViewRendering what{file_system_name(plot_file_), picture,
                           converting ? conversion_height_ : client_height(),
                           converting ? &conversion_ : nullptr};
  const bool finished = renderer_->render(settings_, zoom_.frame(), what);
  // The conversion file holds exactly one rendering.
  if (converting) conversion_.close();
  if (!finished) {
    end_process_(1);
    return;
  }
  if (close_after_rendering_) close();
}

void MainWindow::view_resized() {
  if (zoom_.resize(view_->width(), client_height(), settings_.auto_size != 0)) renderer_->discard();
  view_->update();
}

void MainWindow::discard_and_repaint() {
  renderer_->discard();
  repaint_window();
}

void MainWindow::repaint_window() {
  update_title();
  update_status();
  view_->update();
}

void MainWindow::forget_view() {
  renderer_->discard();
  if (conversion_.is_open()) conversion_.close();
}

void MainWindow::update_title() {
  if (plot_file_.isEmpty()) {
    setWindowTitle(kTitle);
    return;
  }
  setWindowTitle(kTitle + QStringLiteral(" - ") + QFileInfo(plot_file_).fileName());
}

void MainWindow::update_status() {
  plotter_field_->setText(plotter_display_name(settings_.plotter));
  paper_field_->setText(paper_display_name(settings_.paper));
  colour_field_->setText(colour_display_name(settings_.colour));
}

void MainWindow::sync_marks() {
  actions_.at(CMD_COLOUR)->setChecked(settings_.colour != 0);
  actions_.at(CMD_AUTO_SIZE)->setChecked(settings_.auto_size != 0);
  actions_.at(CMD_KEEP_ASPECT)->setChecked(settings_.keep_aspect != 0);
  actions_.at(CMD_REAL_SIZE)->setChecked(settings_.real_size != 0);
}

// The window keeps its height and takes the desktop's proportion for the
// view.
void MainWindow::apply_window_shape() {
  if (!settings_.keep_aspect || !isVisible() || isMaximized() || isFullScreen() || !screen()) return;
  const QSize desktop = screen()->size();
  if (desktop.height() <= 0) return;
  const double aspect = static_cast<double>(desktop.width()) / desktop.height();
  const int width = static_cast<int>((height() - statusBar()->height()) * aspect);
  if (width > 0 && width != this->width()) resize(width, height());
}

void MainWindow::report_settings_file(const std::string& text, const std::string& caption) {
  host_->show_message(text, caption);
}

// ---- window events ----

void MainWindow::closeEvent(QCloseEvent* event) {
  if (renderer_->is_rendering() || host_->in_session() || print_job_->is_printing()) {
    // The engine or a print is still on the stack: stop it, and close once
    // it is out.
    host_->request_cancel();
    close_after_rendering_ = true;
    event->ignore();
    return;
  }
  forget_view();
  end_scribbling();
  if (help_window_) help_window_->close();
  event->accept();
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  apply_window_shape();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  apply_window_shape();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // The status bar's height is part of H; it may settle after the view's.
  if (watched == statusBar() && (event->type() == QEvent::Resize || event->type() == QEvent::Show ||
                                 event->type() == QEvent::Hide))
    view_resized();
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  const QMimeData* data = event->mimeData();
  if (!renderer_->is_rendering() && data->hasUrls() && data->urls().size() == 1 && data->urls().front().isLocalFile())
    event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  if (renderer_->is_rendering() || !event->mimeData()->hasUrls()) return;
  open_plot_file(event->mimeData()->urls().front().toLocalFile());
  event->acceptProposedAction();
  activateWindow();
}

// ---- the commands ----

void MainWindow::open_plot_file(const QString& path) {
  plot_file_ = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
  renderer_->discard();
  zoom_.abandon();
  zoom_.zoom_whole();
  repaint_window();
}

void MainWindow::open() {
  const QString path = files_->choose(FileDialogKind::open_plot);
  if (path.isEmpty()) {
    view_->update();
    return;
  }
  open_plot_file(path);
}

void MainWindow::close_file() {
  plot_file_.clear();
  discard_and_repaint();
}

void MainWindow::convert() {
  if (!renderer_->has_picture() || renderer_->is_rendering()) return;
  const QString path = files_->choose(FileDialogKind::conversion);
  if (path.isEmpty()) return;
  if (conversion_.is_open()) conversion_.close();
  conversion_.open(file_system_name(path), std::ios::out | std::ios::trunc);
  if (!conversion_) {
    conversion_.close();
    boxes_->message(QStringLiteral("ﾃﾞｨｽｸが一杯です!"), QStringLiteral("ｴﾗｰ"), MessageBoxes::Icon::warning);
    return;
  }
  conversion_height_ = client_height();
  write_conversion_header(conversion_, view_->width(), conversion_height_);
  discard_and_repaint();
}

// The export commands act only on a finished picture; the picture is
// looked at again after the file dialog, which lets the window repaint.
void MainWindow::save_bitmap() {
  if (!renderer_->finished_picture()) return;
  const QString path = files_->choose(FileDialogKind::save_bitmap);
  const QImage* picture = renderer_->finished_picture();
  if (!path.isEmpty() && picture) export_->save_bitmap(*picture, path);
}

// The metafile is drawn at the view's present size from the parameter
// file of the last rendering, so it shows what the view shows, zoom too.
void MainWindow::save_metafile() {
  if (!renderer_->finished_picture()) return;
  const QString path = files_->choose(FileDialogKind::save_metafile);
  if (path.isEmpty() || !renderer_->finished_picture()) return;
  if (!export_->save_metafile(path, view_->size(), QSize(view_->width(), client_height()))) {
    end_process_(1);
    return;
  }
  view_->update();
  if (close_after_rendering_) close();
}

void MainWindow::copy() {
  if (const QImage* picture = renderer_->finished_picture()) export_->copy(*picture);
}

void MainWindow::print_with(int command) {
  if (plot_file_.isEmpty() || !renderer_->has_picture() || renderer_->is_rendering()) return;
  const bool finished = print_job_->print(command, file_system_name(plot_file_));
  if (!finished) {
    end_process_(1);
    return;
  }
  // A picture discarded while the print ran is drawn again now.
  view_->update();
  if (close_after_rendering_) close();
}

void MainWindow::print() { print_with(CMD_PRINT); }
void MainWindow::print_on_2() { print_with(CMD_PRINT_2); }
void MainWindow::print_on_4() { print_with(CMD_PRINT_4); }
void MainWindow::print_on_8() { print_with(CMD_PRINT_8); }
void MainWindow::print_on_16() { print_with(CMD_PRINT_16); }
void MainWindow::printer_setup() { print_job_->printer_setup(); }

void MainWindow::exit_program() {
  forget_view();
  end_process_(0);
}

void MainWindow::toggle_colour() {
  settings_.colour = !settings_.colour;
  sync_marks();
  discard_and_repaint();
}

void MainWindow::toggle_auto_size() {
  settings_.auto_size = !settings_.auto_size;
  sync_marks();
  repaint_window();
}

void MainWindow::toggle_keep_aspect() {
  settings_.keep_aspect = !settings_.keep_aspect;
  sync_marks();
  apply_window_shape();
  repaint_window();
}

// The size mode changes what the engine draws, so the picture goes too.
void MainWindow::toggle_real_size() {
  settings_.real_size = !settings_.real_size;
  sync_marks();
  discard_and_repaint();
}

void MainWindow::cancel_zoom() {
  zoom_.zoom_whole();
  discard_and_repaint();
}

void MainWindow::redraw() { discard_and_repaint(); }

void MainWindow::reset_options() {
  clear_default_settings(settings_, settings_dir_, [this] { forget_view(); });
  sync_marks();
  apply_window_shape();
  repaint_window();
}

void MainWindow::load_options() {
  SettingsSlotDialog dialog(SettingsSlotDialog::Purpose::load, false, this);
  dialog.exec();
  if (dialog.slot() == 0) return;
  load_settings_slot(settings_, settings_dir_, dialog.slot());
  sync_marks();
  discard_and_repaint();
}

void MainWindow::save_options() {
  SettingsSlotDialog dialog(SettingsSlotDialog::Purpose::save, save_as_default_, this);
  dialog.exec();
  save_as_default_ = dialog.save_as_default();
  if (dialog.slot() == 0) return;
  save_settings_slot(settings_, settings_dir_, dialog.slot(), save_as_default_, zoom_.frame(),
                     [this](const std::string& text, const std::string& caption) {
                       report_settings_file(text, caption);
                     });
}

void MainWindow::direct_to_plotter() {
  QStringList usb_devices;
  for (const std::string& device : usb_printer_devices()) usb_devices.append(QFile::decodeName(device.c_str()));
  DirectPlotterDialog dialog(port_choice_, usb_devices, *direct_output_, plot_file_, this);
  dialog.exec();
}

void MainWindow::laser_printer() {
  LaserPrinterDialog dialog(laser_printer_name_, plot_file_, *direct_output_, this);
  dialog.exec();
}

// The pen dialog may have the view drawn again while it is open.
void MainWindow::pens() {
  PenOverviewDialog dialog(settings_, pen_preview_, [this] { discard_and_repaint(); }, this);
  dialog.exec();
  discard_and_repaint();
}

void MainWindow::output() {
  OutputDialog dialog(settings_, this);
  if (dialog.exec() == kDialogOk) discard_and_repaint();
}

void MainWindow::plotter() {
  PlotterDialog dialog(settings_, this);
  if (dialog.exec() == kDialogOk) discard_and_repaint();
}

void MainWindow::current_state() {
  CurrentStateDialog dialog(settings_, this);
  dialog.exec();
}

void MainWindow::help() {
  if (!help_window_) help_window_ = new HelpWindow(this);
  help_window_->show_index();
}

void MainWindow::about() {
  AboutDialog dialog(this);
  dialog.exec();
}

void MainWindow::fit_paper() {
  int fitted = 0;
  if (Engine* engine = renderer_->last_engine()) {
    try {
      fitted = apply_fitting_paper(*engine, settings_);
    } catch (const FatalError&) {
      end_process_(1);
      return;
    }
  }
  if (fitted == 1) {
    discard_and_repaint();
    return;
  }
  boxes_->message(QStringLiteral("最適なサイズが見つかりません."), QStringLiteral("警告"), MessageBoxes::Icon::warning);
}

void MainWindow::toggle_scribble() {
  if (scribble_handlers_) {
    end_scribbling();
    return;
  }
  picture_buttons_.at(CMD_SCRIBBLE)->setChecked(true);
  picture_buttons_.at(CMD_SCRIBBLE)->setIcon(pressed_icon(ButtonIcon::scribble));
  boxes_->message(QStringLiteral("この機能はまだ完成していません.\n書き込みと、ビットマップでの保存はできます."),
                  QStringLiteral("書き込み"), MessageBoxes::Icon::information);
  if (!draw_tool_) draw_tool_ = new DrawDialog(*boxes_, this);
  draw_tool_->show();
  scribble_handlers_ = std::make_unique<ScribbleHandlers>(*view_, *renderer_, *draw_tool_);
  view_->set_handlers(scribble_handlers_.get());
}

void MainWindow::end_scribbling() {
  picture_buttons_.at(CMD_SCRIBBLE)->setChecked(false);
  picture_buttons_.at(CMD_SCRIBBLE)->setIcon(picture_button_icon(ButtonIcon::scribble));
  if (draw_tool_) draw_tool_->close();
  view_->set_handlers(zoom_handlers_.get());
  scribble_handlers_.reset();
  view_->update();
}

}  // namespace kavor
