// Unattended runs of the desktop program for the tools: pictures of its windows
// (--screenshot OUTDIR) and the time from entering the program to the main window on
// screen (--measure-startup). Every question is answered Yes / OK and noted on stderr,
// so nothing waits for a person. The other options are the program's own (--dir,
// --settings).
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "ui/desktop.h"
#include "ui/frmmain.h"
#include "ui/frmnew.h"
#include "ui/frmjw.h"
#include "ui/frmmain_jw.h"
#include "rules/timetablestore.h"
#include "session/windows/frmjw/timetablewindow.h"

using namespace tly;

namespace {

class AnsweringMessageBox : public MessageBoxService {
 public:
  MsgResult show(const std::string& text, MsgButtons b, MsgIcon, const std::string& title) override {
    std::fprintf(stderr, "[%s] %s\n", title.c_str(), text.c_str());
    return b == MsgButtons::YesNo ? MsgResult::Yes : MsgResult::OK;
  }
};

bool saveGrab(QWidget* w, const QString& path) {
  bool ok = w->grab().save(path);
  std::fprintf(stderr, "%s %s\n", ok ? "saved" : "could not save", path.toLocal8Bit().constData());
  return ok;
}

// A class timetable with subjects and a teacher's, the timetable window with its reference
// area open, then the month shown through the class timetable.
void takeTimetablePictures(ui::frmMain& w, const QString& outDir) {
  App& app = w.app();
  const char* week[6][6] = {{"国語", "数学", "英語", "理科", "社会", "国語"},
                            {"数学", "英語", "国語", "社会", "理科", "数学"},
                            {"英語", "理科", "数学", "国語", "音楽", "英語"},
                            {"理科", "社会", "美術", "数学", "英語", "学活"},
                            {"体育", "国語", "社会", "体育", "数学", "道徳"},
                            {"学活", "技家", "道徳", "", "", ""}};
  if (timetableCountOf(app.Y, 0) > 0) return;  // a year that has them already (second run)
  const int c = appendTimetable(app.Y, 0, "1年1組");
  appendTimetable(app.Y, 0, "1年2組");
  const int t = appendTimetable(app.Y, 1, "山田 太郎");
  for (int r = 1; r <= 6; ++r)
    for (int p = 1; p <= 6; ++p) {
      app.Y.JW[0][c].JWCell[r][p] = week[r - 1][p - 1];
      if ((r + p) % 3 == 0) app.Y.JW[1][t].JWCell[r][p] = std::string("1-1") + week[r - 1][p - 1];
    }
  w.menuAction(Command::Jikanwari)->trigger();
  QApplication::processEvents();
  ui::frmJW* jw = ui::timetableWindow(w);
  if (!jw) return;
  jw->optClass()->click();
  QApplication::processEvents();
  saveGrab(jw, outDir + QStringLiteral("/frmJW.png"));
  jw->frameRef()->clicked();
  jw->optRefSubject()->click();
  QApplication::processEvents();
  saveGrab(jw, outDir + QStringLiteral("/frmJW-reference.png"));
  jw->cmdOK()->click();
  QApplication::processEvents();
  // The class view may be on already (the window keeps the kind it was left with).
  if (!w.menuAction(Command::DispJWC)->isChecked()) w.menuAction(Command::DispJWC)->trigger();
  QApplication::processEvents();
  saveGrab(&w, outDir + QStringLiteral("/frmMain-class-timetable.png"));
  w.menuAction(Command::DispJWC)->trigger();
  QApplication::processEvents();
}

// The new-year dialog, 実行, the main window on April, then the dialog from the menu.
void takePictures(ui::frmMain& w, const QString& outDir) {
  QDir().mkpath(outDir);
  if (ui::frmNew* dlg = w.newYearWindow()) {
    saveGrab(dlg, outDir + QStringLiteral("/frmNew.png"));
    dlg->cmdOK()->click();
    QApplication::processEvents();
  }
  // Show a weekday-rich month: the first full week of lessons in April is on view.
  w.resize(std::max(w.width(), 760), std::max(w.height(), 720));
  w.layoutClient();
  QApplication::processEvents();
  saveGrab(&w, outDir + QStringLiteral("/frmMain.png"));
  takeTimetablePictures(w, outDir);
  w.openNewYear(false);
  QApplication::processEvents();
  if (ui::frmNew* dlg = w.newYearWindow()) {
    saveGrab(dlg, outDir + QStringLiteral("/frmNew-from-menu.png"));
    dlg->close();
  }
  w.close();
}

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer clock;
  clock.start();
  QApplication qapp(argc, argv);
  QCommandLineParser cl;
  QCommandLineOption shotOpt(QStringLiteral("screenshot"), QStringLiteral("pictures into OUTDIR"), QStringLiteral("OUTDIR"));
  QCommandLineOption measureOpt(QStringLiteral("measure-startup"), QStringLiteral("print the start-up time"));
  cl.addOptions({shotOpt, measureOpt});
  AnsweringMessageBox answering;
  ui::Desktop desktop(ui::desktopOptions(qapp, cl), &answering);
  const StartOutcome out = desktop.start();
  if (out == StartOutcome::Quit) return 0;
  ui::frmMain& w = desktop.window();

  if (cl.isSet(measureOpt)) {
    QTimer::singleShot(0, &w, [&] {
      QApplication::processEvents();
      std::printf("startup_ms %.1f (year %d, file %s)\n", clock.nsecsElapsed() / 1e6, desktop.app().Y.nendo(),
                  out == StartOutcome::Ready ? "read" : "none");
      std::fflush(stdout);
      w.close();
    });
  }
  if (cl.isSet(shotOpt)) {
    const QString outDir = cl.value(shotOpt);
    QTimer::singleShot(300, &w, [&w, outDir] { takePictures(w, outDir); });
  }
  return qapp.exec();
}
