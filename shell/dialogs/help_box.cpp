#include "shell/dialogs/help_box.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/dialogs/dialog_controls.h"

namespace kavor {

namespace {

struct HelpText {
  const char* name;
  const char* title;
  const char* text;
};

HelpText help_text(HelpTopic topic) {
  switch (topic) {
    case HelpTopic::advanced_plotter:
      return {"HELPPTYPEA", "Advance PlotterSet up ﾍﾙﾌﾟ",
              "横拡大: プロッターの作図範囲を横方向に何倍にするかを指定します.\n"
              "縦拡大: プロッターの作図範囲を縦方向に何倍にするかを指定します.\n"
              "  1.00 が等倍です. 数値でない入力は無視され, 前の値のままになります.\n"
              "EXPAMD: 用紙の作図範囲を広げたエキスパンドモードで作図します.\n"
              "  HP7570, HP7580, HP7585, HP7586, HP7595, HP7596 だけが対応しています.\n"
              "ﾘｾｯﾄ: 横拡大と縦拡大を 1.00 に戻し, エキスパンドモードを解除します.\n"
              "ｷｬﾝｾﾙ すると, プロッターの設定を開く前の値に戻ります."};
    case HelpTopic::output:
      return {"HELPOUTPUT", "出力 ﾍﾙﾌﾟ",
              "横拡大: 表示や印刷する図面を横方向に何倍にするかを指定します.\n"
              "縦拡大: 表示や印刷する図面を縦方向に何倍にするかを指定します.\n"
              "  1.00 が等倍です. 数値でない入力は無視され, 前の値のままになります.\n"
              "ﾘｾｯﾄ: 横拡大と縦拡大を 1.00 に戻します.\n"
              "OK で図面を描き直します. ｷｬﾝｾﾙ では何も変わりません."};
    case HelpTopic::laser_printer:
      return {"HPHELP", "HP Leaser Printer ﾍﾙﾌﾟ",
              "HP-GL ファイルを解釈せずにそのまま, PCL5 に対応した HP のレーザープリンタへ送ります.\n"
              "ファイルの前に, プリンタを HP-GL/2 モードに切り替える PJL と PCL の命令を付けます.\n"
              "ファイル: 印刷する HP-GL ファイルです. 始めは開いている図面です. 参照 で選べます.\n"
              "プリンタ: 送り先のプリンタ (CUPS のキュー名) です. 参照 で一覧から選べます.\n"
              "Print で送ります. このダイアログは開いたままなので, 続けて別のファイルも送れます.\n"
              "Done で閉じます."};
  }
  return {"", "", ""};
}

}  // namespace

HelpBox::HelpBox(HelpTopic topic, QWidget* parent) : QDialog(parent) {
  const HelpText help = help_text(topic);
  setObjectName(QString::fromLatin1(help.name));
  setWindowTitle(QString::fromUtf8(help.title));
  auto* text = new QLabel(QString::fromUtf8(help.text), this);
  text->setObjectName(QStringLiteral("text"));
  text->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QPushButton* ok = ok_button(this, [this] { accept(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void show_help_box(HelpTopic topic, QWidget* parent) {
  HelpBox box(topic, parent);
  box.exec();
}

}  // namespace kavor
