// Small windows: the splash window shown during start-up, the about box and the
// program's own help page (used when no help file is installed).
#pragma once

#include <QDialog>
#include <QWidget>

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

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent);
  static QString helpHtml();
};

}  // namespace tly::ui
