#pragma once
// The main window's menus as one table (popups, items, separators, check
// marks) and the picture buttons that follow the popups on the menu bar.
// The window builds its menus from these tables alone; the ids are the
// command ids that the later parts of the program (printing, dialogs,
// export) are reached by.

#include <array>
#include <string_view>

namespace kavor {

enum CommandId : int {
  CMD_OPEN = 101,
  CMD_EXIT = 102,
  CMD_COLOUR = 105,
  CMD_AUTO_SIZE = 106,
  CMD_ABOUT = 108,
  CMD_PRINT = 109,
  CMD_PLOTTER = 111,
  CMD_PRINT_4 = 117,
  CMD_CURRENT_STATE = 127,
  CMD_SAVE_OPTIONS = 130,
  CMD_RESET_OPTIONS = 131,
  CMD_COPY = 133,
  CMD_SAVE_BITMAP = 134,
  CMD_CANCEL_ZOOM = 135,
  CMD_OUTPUT = 136,
  CMD_PENS = 137,
  CMD_CLOSE = 138,
  CMD_FIT_PAPER = 139,
  CMD_SCRIBBLE = 144,
  CMD_PRINT_2 = 151,
  CMD_PRINT_8 = 152,
  CMD_PRINT_16 = 153,
  CMD_LOAD_OPTIONS = 154,
  CMD_KEEP_ASPECT = 155,
  CMD_REDRAW = 156,
  CMD_SAVE_METAFILE = 157,
  CMD_LASER_PRINTER = 158,
  CMD_CONVERT = 162,
  CMD_PRINTER_SETUP = 164,
  CMD_HELP = 165,
  CMD_REAL_SIZE = 166,
  CMD_DIRECT_TO_PLOTTER = 167,
};

enum class MenuRow { popup, item, toggle, separator };

struct MenuEntry {
  MenuRow row;
  int id = 0;  // 0 for popups and separators
  std::string_view text;
  bool checked = false;  // a toggle that starts with its check mark
};

inline constexpr MenuEntry kSeparator{MenuRow::separator, 0, {}, false};

// Each popup holds the rows up to the next popup.
inline constexpr std::array kMenuTable{
    MenuEntry{MenuRow::popup, 0, "ﾌｧｲﾙ(&F)"},
    MenuEntry{MenuRow::item, CMD_OPEN, "開く(&O)..."},
    MenuEntry{MenuRow::item, CMD_CLOSE, "閉じる(&C)"},
    MenuEntry{MenuRow::item, CMD_SAVE_BITMAP, "ﾋﾞｯﾄﾏｯﾌﾟで保存(&B)..."},
    MenuEntry{MenuRow::item, CMD_SAVE_METAFILE, "ﾒﾀﾌｧｲﾙで保存(&M)..."},
    MenuEntry{MenuRow::item, CMD_CONVERT, "単純HP-GL変換(&V)..."},
    kSeparator,
    MenuEntry{MenuRow::item, CMD_PRINT, "印刷(&P)..."},
    MenuEntry{MenuRow::item, CMD_PRINT_2, "２分割印刷(&2)..."},
    MenuEntry{MenuRow::item, CMD_PRINT_4, "４分割印刷(&4)..."},
    MenuEntry{MenuRow::item, CMD_PRINT_8, "８分割印刷(&8)..."},
    MenuEntry{MenuRow::item, CMD_PRINT_16, "１６分割印刷(&F)..."},
    MenuEntry{MenuRow::item, CMD_PRINTER_SETUP, "ﾌﾟﾘﾝﾀ･ｾｯﾄｱｯﾌﾟ(&S)..."},
    kSeparator,
    MenuEntry{MenuRow::item, CMD_DIRECT_TO_PLOTTER, "プロッタへ直接(&L)..."},
    MenuEntry{MenuRow::item, CMD_LASER_PRINTER, "HP Leaser Printer(&H)..."},
    kSeparator,
    MenuEntry{MenuRow::item, CMD_EXIT, "終了(&X)"},
    MenuEntry{MenuRow::popup, 0, "編集(&E)"},
    MenuEntry{MenuRow::item, CMD_COPY, "コピー(&C)"},
    MenuEntry{MenuRow::popup, 0, "ｵﾌﾟｼｮﾝ(&O)"},
    MenuEntry{MenuRow::toggle, CMD_COLOUR, "ｶﾗｰ(&C)", true},
    MenuEntry{MenuRow::toggle, CMD_AUTO_SIZE, "自動ｻｲｽﾞ(&S)", true},
    MenuEntry{MenuRow::toggle, CMD_KEEP_ASPECT, "縦横比保証(&A)", true},
    MenuEntry{MenuRow::toggle, CMD_REAL_SIZE, "実寸(&J)", false},
    kSeparator,
    MenuEntry{MenuRow::item, CMD_CANCEL_ZOOM, "ｽﾞｰﾑとりやめ(&Z)"},
    MenuEntry{MenuRow::item, CMD_REDRAW, "ﾘﾄﾞﾛｰ"},
    kSeparator,
    MenuEntry{MenuRow::item, CMD_PENS, "ﾍﾟﾝ(&e) ..."},
    MenuEntry{MenuRow::item, CMD_OUTPUT, "出力(&O) ..."},
    MenuEntry{MenuRow::item, CMD_PLOTTER, "プロッター(&P) ..."},
    kSeparator,
    MenuEntry{MenuRow::item, CMD_RESET_OPTIONS, "ｵﾌﾟｼｮﾝの初期化(&R)"},
    MenuEntry{MenuRow::item, CMD_LOAD_OPTIONS, "ｵﾌﾟｼｮﾝの読込み(&L)..."},
    MenuEntry{MenuRow::item, CMD_SAVE_OPTIONS, "ｵﾌﾟｼｮﾝの保存(&O)..."},
    MenuEntry{MenuRow::popup, 0, "ﾍﾙﾌﾟ(&H)"},
    MenuEntry{MenuRow::item, CMD_HELP, "ヘルプ(&H)..."},
    MenuEntry{MenuRow::item, CMD_CURRENT_STATE, "現在の状態(&S)..."},
    kSeparator,
    MenuEntry{MenuRow::item, CMD_ABOUT, "KAVORについて(&A)..."},
};

enum class ButtonIcon { open, print, fit_paper, scribble };

struct PictureButton {
  int id;
  std::string_view name;  // what assistive technologies read
  ButtonIcon icon;
};

// After the popups, in this order.
inline constexpr std::array kPictureButtons{
    PictureButton{CMD_OPEN, "開く", ButtonIcon::open},
    PictureButton{CMD_PRINT, "印刷", ButtonIcon::print},
    PictureButton{CMD_FIT_PAPER, "用紙自動選択", ButtonIcon::fit_paper},
    PictureButton{CMD_SCRIBBLE, "書き込み", ButtonIcon::scribble},
};

}  // namespace kavor
