#include "shell/help_window.h"

#include <QTextBrowser>
#include <QVBoxLayout>

namespace kavor {

namespace {
const QString kHelpPage = QStringLiteral("qrc:/kavor/help.html");
}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("help"));
  setWindowTitle(QStringLiteral("KAVOR ヘルプ"));
  auto* browser = new QTextBrowser(this);
  browser->setObjectName(QStringLiteral("help_page"));
  browser->setOpenExternalLinks(true);
  browser->setSource(QUrl(kHelpPage));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser);
  resize(680, 600);
}

void HelpWindow::show_index() {
  findChild<QTextBrowser*>()->setSource(QUrl(kHelpPage));
  show();
  raise();
  activateWindow();
}

}  // namespace kavor
