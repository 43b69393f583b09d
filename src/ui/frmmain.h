// The main window: menus, toolbar, top bar, grid and status bar around one App. Events
// become calls of core procedures; syncFromModel() then shows the App's state.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "session/state/app.h"
#include "session/state/commands.h"
#include "session/windows/frmmain/controls.h"
#include "session/windows/frmmain/lifecycle.h"
#include "ui/frmnew.h"

class QAction;
class QComboBox;
class QLineEdit;
class QMenu;
class QToolBar;

namespace tly::ui {

class GridView;

// A status-bar panel that reports clicks.
class StatusPanel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;
 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent*) override { emit clicked(); }
};

class frmMain : public QMainWindow {
  Q_OBJECT
 public:
  explicit frmMain(App& app, QWidget* parent = nullptr);
  ~frmMain() override;

  // Runs the load sequence, places the window and shows the state (the window is not shown).
  StartOutcome load(bool fileFollows = false);
  // Brings every widget in line with the App: menus, buttons, selectors, status, caption, grid.
  void syncFromModel();
  // Shows the new-year dialog (one at a time). The main window is hidden while it is up
  // when hideMain is set (start-up without data).
  frmNew* openNewYear(bool hideMain, frmNew::Mode mode = frmNew::Mode::New);
  // Runs the unload sequence once (close box, Exit, end of the desktop session).
  void unloadOnce();
  // The same without touching a widget, for when the display is gone: the working file is
  // written and the counter lowered from the App alone. Nothing before the load has finished.
  void unloadWithoutDisplay();
  bool unloaded() const { return unloaded_; }

  App& app() { return app_; }
  // The menu bar's entries, top menus and toolbar buttons; nullptr where the window has none.
  QAction* menuAction(Command c) const { return actions_[commandIndex(c)]; }
  QMenu* topMenu(Command c) const { return menus_[commandIndex(c)]; }
  QAction* toolButton(Command c) const { return buttons_[commandIndex(c)]; }
  QToolBar* toolBar() const { return toolBar_; }
  GridView* grid() const { return grid_; }
  QLineEdit* txtInput() const { return txtInput_; }
  QComboBox* cmbGr() const { return cmbGr_; }
  QComboBox* cmbMonth() const { return cmbMonth_; }
  QComboBox* cmbDispJW() const { return cmbDispJW_; }
  StatusPanel* panel(int i) const { return panels_[i]; }
  frmNew* newYearWindow() const { return newYear_; }
  QWidget* helpWindow() const { return help_; }
  QWidget* aboutWindow() const { return about_; }
  // Places the top bar and the grid in the client area (after resizing or toolbar changes).
  void layoutClient();
  // Keeps a modeless window so that unloading closes it (most recent first).
  void trackWindow(QWidget* w);
  // Marks a menu command as wired to a core procedure (enabled, with its toolbar button).
  void markBuilt(Command c) { built_[commandIndex(c)] = true; }
  // Runs a core procedure on the open year and shows the result.
  void command(const std::function<void(App&)>& f);

 signals:
  // The unload sequence has run; the program ends.
  void ended();

 protected:
  void closeEvent(QCloseEvent*) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void buildMenus();
  void buildToolBar();
  void buildTopBar();
  void buildStatusBar();
  void dispatchToolButton(Command c);
  void applyPlacement();
  void capturePlacement();
  void showHelp();
  void showAbout();
  void syncCombo(QComboBox* box, const ComboState& st, std::vector<std::string>& cache, bool visible);

  App& app_;
  GridView* grid_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QWidget* client_ = nullptr;
  QLineEdit* txtInput_ = nullptr;
  QComboBox *cmbGr_ = nullptr, *cmbMonth_ = nullptr, *cmbDispJW_ = nullptr;
  StatusPanel* panels_[4] = {};
  std::array<QAction*, kCommandCount> actions_{};  // menu bar entries
  std::array<QMenu*, kCommandCount> menus_{};
  std::array<QAction*, kCommandCount> buttons_{};
  std::array<bool, kCommandCount> built_{};  // commands wired to a core procedure
  std::vector<std::string> grItems_, monthItems_, jwItems_;
  QPointer<frmNew> newYear_;
  QPointer<QWidget> help_, about_;
  std::vector<QPointer<QWidget>> windows_;
  bool loaded_ = false;
  bool unloaded_ = false;
  int dpi_ = 96;
};

}  // namespace tly::ui
