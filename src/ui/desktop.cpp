#include "ui/desktop.h"

#include <QApplication>
#include <QLabel>

namespace tly::ui {

int runDesktop(int argc, char** argv) {
  QApplication app(argc, argv);
  QLabel label(QString::fromUtf8("TLY 授業時数集計"));
  label.show();
  return app.exec();
}

}  // namespace tly::ui
