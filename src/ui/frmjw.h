// The timetable window "TLY - 時間割設定": the list of class or teacher timetables with its
// name box, the grid of the timetable being edited with its entry box and overlay, the
// reference area, and the tally and close buttons. Its events become calls of the
// procedures in session/timetablewindow.h; syncFromModel() then shows App::JWF.
#pragma once

#include <QGroupBox>
#include <QWidget>
#include <functional>
#include <map>

#include "session/state/app.h"
#include "session/state/commands.h"
#include "ui/keychord.h"

class QAction;
class QLineEdit;
class QListWidget;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QComboBox;
class QFrame;

namespace tly::ui {

class GridView;

// A frame that reports clicks on itself (the reference area's "時間割参照").
class ClickFrame : public QGroupBox {
  Q_OBJECT
 public:
  using QGroupBox::QGroupBox;
 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent*) override { emit clicked(); }
};

class frmJW : public QWidget {
  Q_OBJECT
 public:
  // mainChanged: the main window shows the App again; openTally: the tally dialog opens.
  frmJW(App& app, std::function<void()> mainChanged, std::function<void()> openTally, QWidget* parent = nullptr);

  void syncFromModel();

  GridView* grid1() const { return grid1_; }
  GridView* grid2() const { return grid2_; }
  QLineEdit* txtInput() const { return txtInput_; }
  QLineEdit* gtext1() const { return gtext1_; }
  QLineEdit* txtJW() const { return txtJW_; }
  QListWidget* lstJW() const { return lstJW_; }
  QPushButton* cmdJWAdd() const { return cmdJWAdd_; }
  QPushButton* cmdJWIns() const { return cmdJWIns_; }
  QPushButton* cmdJWDel() const { return cmdJWDel_; }
  QPushButton* cmdKei() const { return cmdKei_; }
  QPushButton* cmdOK() const { return cmdOK_; }
  QRadioButton* optClass() const { return optClass_; }
  QRadioButton* optSubject() const { return optSubject_; }
  QRadioButton* optRefClass() const { return optRefClass_; }
  QRadioButton* optRefSubject() const { return optRefSubject_; }
  QComboBox* cmbRef() const { return cmbRef_; }
  ClickFrame* frameRef() const { return frameRef_; }
  QLabel* label1() const { return label1_; }
  QLabel* label2() const { return label2_; }
  QMenu* gridMenu() const { return pmnuGridEdit_; }
  QMenu* listMenu() const { return pmnuListEdit_; }
  QMenu* refMenu() const { return pmnuRef_; }
  QAction* action(Command c) const;  // nullptr: not in this window

 protected:
  void closeEvent(QCloseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  // Runs a procedure of the window and shows the result (both windows).
  void run(const std::function<void(App&)>& f);
  void applyFocus();
  void placeOverlay();
  void capturePlacement();
  // The least client size: the top area with twelve names in the list, then every row of
  // the timetable grid and, with the reference area shown, of the reference grid.
  QSize naturalSize(bool refShown) const;
  int listHeight() const;
  int gridsTop() const;
  int refAreaHeight(bool shown) const;  // the reference grid and its gap, 0 when hidden
  void layoutControls();
  QRect twips(int left, int top, int width, int height) const;
  void buildMenus();
  bool gridKeyPress(QKeyEvent* k);

  App& app_;
  std::function<void()> mainChanged_, openTally_;
  int dpi_ = 96;
  bool syncing_ = false;
  bool refShownLaidOut_ = false;  // the reference area the window's height was last sized for
  ChordKeys chords_;  // keys of the grid pressed with Ctrl or Alt
  GridView *grid1_ = nullptr, *grid2_ = nullptr;
  QLineEdit *txtInput_ = nullptr, *gtext1_ = nullptr, *txtJW_ = nullptr;
  QListWidget* lstJW_ = nullptr;
  QPushButton *cmdJWAdd_ = nullptr, *cmdJWIns_ = nullptr, *cmdJWDel_ = nullptr, *cmdKei_ = nullptr, *cmdOK_ = nullptr;
  QRadioButton *optClass_ = nullptr, *optSubject_ = nullptr, *optRefClass_ = nullptr, *optRefSubject_ = nullptr;
  QComboBox* cmbRef_ = nullptr;
  ClickFrame* frameRef_ = nullptr;
  QLabel *label1_ = nullptr, *label2_ = nullptr;
  QFrame* line_ = nullptr;
  QMenu *pmnuGridEdit_ = nullptr, *pmnuListEdit_ = nullptr, *pmnuRef_ = nullptr;
  std::map<Command, QAction*> actions_;
};

}  // namespace tly::ui
