// The window tests' fixture: one program folder, the scripted platform services, one App
// and its main window. Every question is answered from a script and recorded, so no test
// waits on a dialog.
#pragma once

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <memory>
#include <string>

#include "session/state/app.h"
#include "support/fake_platform.h"
#include "support/tempdir.h"
#include "ui/frmmain.h"
#include "ui/frmnew.h"
#include "ui/qtplatform.h"

namespace tly::testui {

// With TLY_SHOTS=DIR set, saves a picture of w as DIR/name.png, to be looked at; false
// only when the picture could not be saved.
inline bool shot(QWidget* w, const QString& name) {
  const QByteArray dir = qgetenv("TLY_SHOTS");
  if (dir.isEmpty()) return true;
  QDir().mkpath(QString::fromLocal8Bit(dir));
  return w->grab().save(QString::fromLocal8Bit(dir) + "/" + name + ".png");
}

using test::fileExists;
using test::readBytes;

struct Session : test::FakePlatform {
  test::TempDir dir;
  App app;
  std::unique_ptr<ui::frmMain> w;

  Session() {
    install(app);
    app.F.AppPath = dir.dir();
  }
  std::string path(const std::string& name) const { return app.F.AppPath + name; }
  ui::frmMain& window() {
    if (!w) w = std::make_unique<ui::frmMain>(app);
    return *w;
  }
  // Start-up as the program entry does it: load, then show the main window or the dialog.
  StartOutcome start() {
    StartOutcome out = window().load();
    if (out == StartOutcome::OfferNewYear) {
      w->show();
      w->openNewYear(false);
    } else if (out != StartOutcome::Quit) {
      w->show();
    }
    QApplication::processEvents();
    return out;
  }
  // Start-up and 実行 with the dialog's defaults (3 grades, 6 periods) for school year nendo.
  void startWithNewYear(int nendo) {
    start();
    ui::frmNew* dlg = w->newYearWindow();
    QVERIFY(dlg);
    dlg->txtNendo()->setText(QString::number(nendo));
    QTest::mouseClick(dlg->cmdOK(), Qt::LeftButton);
    QApplication::processEvents();
  }
  QToolButton* button(Command key) {
    return qobject_cast<QToolButton*>(window().toolBar()->widgetForAction(window().toolButton(key)));
  }
};

}  // namespace tly::testui
