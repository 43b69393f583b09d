// Small windows: the splash window shown during start-up, the about box and the
// program's own help page (used when no help file is installed).
#pragma once

#include <QDialog>
#include <QWidget>

class QTextBrowser;

#include "session/state/app.h"

namespace tly::ui {

extern const char* const kVersion;  // "3.0.0"

class frmSplash : public QWidget {
  Q_OBJECT
 public:
  frmSplash();
};

class frmAbout : public QDialog {
  Q_OBJECT
 public:
  frmAbout(App& app, QWidget* parent);
  // The text the system-information button shows.
  QString systemInfo() const;

 private:
  App& app_;
};

// The program's own manual: HTML pages in the resources (":/help/"), one per window and
// task, linked from a contents page; 戻る, 目次 and 閉じる below, Esc closes.
class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent);
  // The contents page, and any page by its file name ("typing.html"); "" when missing.
  static QString helpHtml();
  static QString pageHtml(const QString& page);
  void showPage(const QString& page);
  QTextBrowser* browser() const { return browser_; }

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  QTextBrowser* browser_ = nullptr;
};

extern const char* const kHelpIndex;  // "qrc:/help/index.html"

}  // namespace tly::ui
