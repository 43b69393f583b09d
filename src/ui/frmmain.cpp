#include "ui/frmmain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <exception>
#include <optional>

#include "session/windows/frmmain/controls.h"
#include "session/windows/frmmain/tallyview.h"
#include "ui/frmmain_tally.h"
#include "ui/frmabout.h"
#include "ui/frmmain_edit.h"
#include "ui/frmmain_print.h"
#include "ui/frmmain_jw.h"
#include "ui/frmmain_recent.h"
#include "ui/frmnew.h"
#include "session/windows/frmnew/nextyear.h"
#include "ui/frmstdhours.h"
#include "ui/gridview.h"
#include "ui/qtplatform.h"
#include "session/windows/frmmain/navigation.h"

namespace tly::ui {

namespace {

using C = Command;
constexpr std::nullopt_t kLine = std::nullopt;  // a separator

// The menu bar: each top menu with its entries.
struct TopMenu {
  Command menu;
  std::vector<std::optional<Command>> entries;
};

const std::vector<TopMenu>& menuTable() {
  static const std::vector<TopMenu> t = {
      {C::FileMenu, {C::New, C::NextYear, C::Open, C::Save, C::NSave, kLine, C::Print, kLine, C::End}},
      {C::EditMenu,
       {C::Undo, C::Redo, kLine, C::Cut, C::Copy, C::Paste, C::Del, kLine, C::CopyAll, C::CopyMode, kLine, C::EditAll}},
      {C::ViewMenu,
       {C::LastMonth, C::Today, C::NextMonth, kLine, C::Font, C::ColWidth, kLine, C::UDisp, C::DispJWC, C::DispJWS,
        C::ShowToolBar}},
      {C::ToolMenu, {C::Kei, C::Jikanwari, kLine, C::JItem, C::StdHours}},
      {C::HelpMenu, {C::Help, C::About}},
  };
  return t;
}

// The toolbar in its groups: file, printing and font, editing, tally and timetables, views.
// Each button runs its command's menu entry.
const std::optional<Command> kToolBar[] = {
    C::New, C::Open, C::Save, kLine, C::Print, C::Font, kLine, C::Undo, C::Redo, C::Cut, C::Copy, C::Paste, C::Del, kLine,
    C::Kei, C::Jikanwari, kLine, C::DispJWC, C::DispJWS, C::UDisp};

QIcon glyphIcon(const QString& glyph, const QColor& colour) {
  QPixmap pm(24, 24);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(colour.darker(130), 1.2));
  p.setBrush(colour.lighter(185));
  p.drawRoundedRect(QRectF(1.5, 1.5, 21, 21), 4, 4);
  QFont f(QStringLiteral("IPAPGothic"));
  f.setPixelSize(15);
  f.setBold(true);
  p.setFont(f);
  p.setPen(colour.darker(160));
  p.drawText(QRect(0, 0, 24, 24), Qt::AlignCenter, glyph);
  return QIcon(pm);
}

QIcon toolIcon(Command cmd, QStyle* st) {
  switch (cmd) {
    case C::New: return st->standardIcon(QStyle::SP_FileIcon);
    case C::Open: return st->standardIcon(QStyle::SP_DialogOpenButton);
    case C::Save: return st->standardIcon(QStyle::SP_DialogSaveButton);
    case C::Undo: return st->standardIcon(QStyle::SP_ArrowBack);
    case C::Redo: return st->standardIcon(QStyle::SP_ArrowForward);
    case C::Del: return st->standardIcon(QStyle::SP_DialogDiscardButton);
    default: break;
  }
  QColor c = cmd == C::Kei || cmd == C::Jikanwari                        ? QColor(40, 120, 60)
             : cmd == C::DispJWC || cmd == C::DispJWS || cmd == C::UDisp ? QColor(40, 80, 170)
                                                                         : QColor(90, 90, 90);
  return glyphIcon(QString::fromUtf8(commandInfo(cmd).glyph), c);
}

// Design geometry of the top bar, in twips.
constexpr int kTxtLeft = 60, kTxtWidth = 2955, kTxtHeight = 315;
constexpr int kGrLeft = 3060, kGrWidth = 855;
constexpr int kMonthLeft = 3960, kMonthWidth = 915;
constexpr int kJWLeft = 4920, kJWWidth = 1515;
constexpr int kComboHeight = 300;
constexpr int kGridLeft = 60;

}  // namespace

frmMain::frmMain(App& app, QWidget* parent) : QMainWindow(parent), app_(app) {
  setObjectName(QStringLiteral("frmMain"));
  // As designed, the window comes up with its toolbar shown; a data file read at load
  // time may switch it off.
  app_.V.toolBar = true;
  dpi_ = screenDpi();
  // The client area holds the toolbar, the top bar and the grid, laid out by layoutClient().
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("client"));
  setCentralWidget(client_);
  client_->installEventFilter(this);
  buildMenus();
  buildToolBar();
  buildTopBar();
  buildStatusBar();
  // The commands that are wired to core procedures; every other entry stays disabled
  // until its part of the program is built.
  for (Command n : {C::New, C::NextYear, C::Open, C::Save, C::NSave, C::End, C::Help, C::About, C::LastMonth, C::Today,
                    C::NextMonth, C::UDisp, C::DispJWC, C::DispJWS, C::ShowToolBar})
    markBuilt(n);
  // The window's concerns beyond navigation, each a helper object of its own.
  new MainTally(*this);    // the tally view and its dialog
  new MainEditing(*this);  // editing: entry box, grid keys, Edit menu, pop-up, item dialog
  new MainPrinting(*this); // printing, the grid font and column widths
  new MainTimetable(*this);  // timetable mode and the timetable window
  new MainStandards(*this);  // the report against the standard hours
  new MainRecentFiles(*this);  // the file menu's recently used files
  setWindowTitle(qs(app_.W.caption));
  syncFromModel();
}

frmMain::~frmMain() {
  // The editing helper filters events of the child widgets; it goes before them, so that
  // no filter runs on a window that is already half destroyed.
  delete findChild<MainEditing*>(QString(), Qt::FindDirectChildrenOnly);
}

void frmMain::buildMenus() {
  for (const TopMenu& tm : menuTable()) {
    QMenu* m = menuBar()->addMenu(QString::fromUtf8(commandInfo(tm.menu).caption));
    m->setObjectName(QString::fromUtf8(controlName(tm.menu)));
    menus_[commandIndex(tm.menu)] = m;
    for (const std::optional<Command>& e : tm.entries) {
      if (!e) {
        m->addSeparator();
        continue;
      }
      const CommandInfo& info = commandInfo(*e);
      QAction* a = m->addAction(QString::fromUtf8(info.caption));
      a->setObjectName(QString::fromUtf8(info.name));
      a->setCheckable(info.checkable);
      if (info.shortcut) a->setShortcut(QKeySequence(QString::fromUtf8(info.shortcut)));
      // やり直し also answers the other editors' Ctrl+Shift+Z.
      if (*e == C::Redo) a->setShortcuts({a->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
      actions_[commandIndex(*e)] = a;
    }
  }
  auto on = [this](Command c, std::function<void(App&)> f) {
    connect(menuAction(c), &QAction::triggered, this, [this, f] { command(f); });
  };
  on(C::New, [this](App& a) {
    if (mnuNew_Click(a)) openNewYear(false);
  });
  on(C::NextYear, [this](App& a) {
    if (mnuNextYear_Click(a)) openNewYear(false, frmNew::Mode::NextYear);
  });
  on(C::Open, mnuOpen_Click);
  on(C::Save, mnuSave_Click);
  on(C::NSave, mnuNSave_Click);
  connect(menuAction(C::End), &QAction::triggered, this, [this] {
    command(mnuEnd_Click);
    close();  // closing runs the unload sequence
  });
  connect(menuAction(C::Help), &QAction::triggered, this, [this] { showHelp(); });
  connect(menuAction(C::About), &QAction::triggered, this, [this] { showAbout(); });
  on(C::LastMonth, mnuLastMonth_Click);
  on(C::Today, mnuToday_Click);
  on(C::NextMonth, mnuNextMonth_Click);
  on(C::UDisp, mnuUDisp_Click);
  on(C::DispJWC, mnuDispJWC_Click);
  on(C::DispJWS, mnuDispJWS_Click);
  on(C::ShowToolBar, mnuShowToolBar_Click);
}

void frmMain::buildToolBar() {
  toolBar_ = new QToolBar(QStringLiteral("ToolBar1"), client_);
  toolBar_->setObjectName(QStringLiteral("ToolBar1"));
  toolBar_->setMovable(false);
  toolBar_->setFloatable(false);
  toolBar_->setIconSize(QSize(24, 24));
  toolBar_->toggleViewAction()->setVisible(false);
  setContextMenuPolicy(Qt::NoContextMenu);
  for (const std::optional<Command>& e : kToolBar) {
    if (!e) {
      toolBar_->addSeparator();
      continue;
    }
    const Command cmd = *e;
    const CommandInfo& info = commandInfo(cmd);
    QAction* a = toolBar_->addAction(toolIcon(cmd, style()), QString::fromUtf8(info.tip));
    a->setObjectName(QStringLiteral("tb") + QString::fromUtf8(info.toolKey));
    a->setToolTip(QString::fromUtf8(info.tip));
    a->setCheckable(info.checkable);
    buttons_[commandIndex(cmd)] = a;
    connect(a, &QAction::triggered, this, [this, cmd] { dispatchToolButton(cmd); });
  }
}

void frmMain::dispatchToolButton(Command cmd) {
  // The button runs the menu entry's handler; the model decides its pressed state.
  if (QAction* a = menuAction(cmd); a && built_[commandIndex(cmd)]) a->trigger();
  syncFromModel();
}

void frmMain::buildTopBar() {
  txtInput_ = new QLineEdit(client_);
  txtInput_->setObjectName(QStringLiteral("txtInput"));
  cmbGr_ = new QComboBox(client_);
  cmbGr_->setObjectName(QStringLiteral("cmbGr"));
  cmbGr_->setEditable(true);
  cmbGr_->setInsertPolicy(QComboBox::NoInsert);
  cmbGr_->setCompleter(nullptr);
  cmbGr_->lineEdit()->installEventFilter(this);
  cmbGr_->installEventFilter(this);  // keys reach the box itself: its text box is a focus proxy
  cmbMonth_ = new QComboBox(client_);
  cmbMonth_->setObjectName(QStringLiteral("cmbMonth"));
  cmbDispJW_ = new QComboBox(client_);
  cmbDispJW_->setObjectName(QStringLiteral("cmbDispJW"));
  grid_ = new GridView(app_.Grid1, client_);
  grid_->setObjectName(QStringLiteral("Grid1"));

  connect(txtInput_, &QLineEdit::textEdited, this, [this](const QString& t) { app_.W.txtInput = us(t); });
  connect(cmbGr_, qOverload<int>(&QComboBox::activated), this, [this](int i) {
    app_.W.cmbGr.select(i);
    command(cmbGr_Click);
  });
  connect(cmbMonth_, qOverload<int>(&QComboBox::activated), this, [this](int i) {
    app_.W.cmbMonth.select(i);
    command(cmbMonth_Click);
  });
  connect(cmbDispJW_, qOverload<int>(&QComboBox::activated), this, [this](int i) {
    app_.W.cmbDispJW.select(i);
    command(cmbDispJW_Click);
  });
}

bool frmMain::eventFilter(QObject* o, QEvent* e) {
  if (o == client_ && e->type() == QEvent::Resize) layoutClient();
  // Enter in the grade selector's text runs its own rule instead of Qt's matching.
  if (cmbGr_ && (o == cmbGr_ || o == cmbGr_->lineEdit()) && e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
      app_.W.cmbGr.text = us(cmbGr_->currentText());
      command(cmbGr_Enter);
      return true;
    }
  }
  return QMainWindow::eventFilter(o, e);
}

void frmMain::buildStatusBar() {
  QStatusBar* sb = statusBar();
  sb->setObjectName(QStringLiteral("StatusBar1"));
  sb->setSizeGripEnabled(true);
  const int widths[4] = {0, 110, 120, 100};
  for (int i = 0; i < 4; ++i) {
    panels_[i] = new StatusPanel(sb);
    panels_[i]->setObjectName(QStringLiteral("panel%1").arg(i + 1));
    panels_[i]->setFrameShape(QFrame::Panel);
    panels_[i]->setFrameShadow(QFrame::Sunken);
    if (widths[i]) panels_[i]->setMinimumWidth(widths[i]);
    sb->addWidget(panels_[i], i == 0 ? 1 : 0);
  }
  // The third panel switches the edit-all mode, through the same command as the menu.
  connect(panels_[2], &StatusPanel::clicked, this, [this] {
    QAction* a = menuAction(C::EditAll);
    if (a && a->isEnabled()) a->trigger();
  });
}

void frmMain::command(const std::function<void(App&)>& f) {
  try {
    f(app_);
  } catch (const std::exception& e) {
    app_.msg(e.what(), MsgButtons::OK, MsgIcon::Exclamation, "TLY");
  }
  syncFromModel();
}

void frmMain::syncCombo(QComboBox* box, const ComboState& st, std::vector<std::string>& cache, bool visible) {
  QSignalBlocker block(box);
  if (cache != st.items) {
    box->clear();
    QStringList l;
    for (const std::string& s : st.items) l << qs(s);
    box->addItems(l);
    cache = st.items;
  }
  if (box->currentIndex() != st.index) box->setCurrentIndex(st.index);
  if (box->isEditable()) {
    if (box->currentText() != qs(st.text)) box->setEditText(qs(st.text));
  }
  if (box->isVisibleTo(this) != visible) box->setVisible(visible);
}

void frmMain::syncFromModel() {
  const MainView& w = app_.W;
  const ControlStates c = mainControls(app_);
  if (windowTitle() != qs(c.title)) setWindowTitle(qs(c.title));
  for (std::size_t i = 0; i < kCommandCount; ++i) {
    const MenuItemState& st = c.menu[i];
    if (QAction* a = actions_[i]) {
      bool enabled = built_[i] && st.enabled;
      if (a->isEnabled() != enabled) a->setEnabled(enabled);
      if (a->isCheckable() && a->isChecked() != st.checked) a->setChecked(st.checked);
      if (a->isVisible() != st.visible) a->setVisible(st.visible);
      QString caption = qs(st.caption.empty() ? commandInfo(Command(i)).caption : st.caption);
      if (a->text() != caption) a->setText(caption);
    }
    if (QMenu* m = menus_[i]; m && m->menuAction()->isEnabled() != st.enabled) m->menuAction()->setEnabled(st.enabled);
    if (QAction* a = buttons_[i]) {
      const ToolButtonState& bt = c.button[i];
      bool enabled = built_[i] && bt.enabled;
      if (a->isEnabled() != enabled) a->setEnabled(enabled);
      if (a->isCheckable() && a->isChecked() != bt.pressed) a->setChecked(bt.pressed);
    }
  }
  if (toolBar_->isVisibleTo(this) != c.toolBarVisible) {
    toolBar_->setVisible(c.toolBarVisible);
    layoutClient();
  }
  if (txtInput_->text() != qs(w.txtInput)) txtInput_->setText(qs(w.txtInput));
  syncCombo(cmbGr_, w.cmbGr, grItems_, true);
  syncCombo(cmbMonth_, w.cmbMonth, monthItems_, true);
  syncCombo(cmbDispJW_, w.cmbDispJW, jwItems_, c.timetableSelectorVisible);
  cmbDispJW_->setEnabled(c.timetableSelectorEnabled);
  cmbGr_->setEnabled(c.gradeMonthSelectorsEnabled);
  cmbMonth_->setEnabled(c.gradeMonthSelectorsEnabled);
  for (int i = 0; i < 4; ++i) {
    QString t = qs(w.panel[static_cast<size_t>(i)]);
    // The fourth panel is the date panel: it shows today's date unless told otherwise.
    if (i == 3 && t.isEmpty()) {
      Date d = app_.P.clock ? app_.P.clock->today() : app_.S.Today;
      t = QStringLiteral("%1/%2/%3").arg(d.year, 4, 10, QChar('0')).arg(d.month, 2, 10, QChar('0')).arg(d.day, 2, 10, QChar('0'));
    }
    if (panels_[i]->text() != t) panels_[i]->setText(t);
  }
  grid_->refresh();
  // The control the last command gave the focus.
  if (app_.W.focusGrid) {
    grid_->setFocus();
    app_.W.focusGrid = false;
  }
}

void frmMain::layoutClient() {
  // The client area runs from below the menu bar to above the status bar: the toolbar at
  // its top when shown, the top bar below it, the grid filling the rest (Form_Resize).
  auto px = [this](int twips) { return twipsToPx(twips, dpi_); };
  auto tw = [this](int pixels) { return pxToTwips(pixels, dpi_); };
  const int w = client_->width(), h = client_->height();
  const bool tbShown = toolBar_->isVisibleTo(this);
  const int tbH = tbShown ? toolBar_->sizeHint().height() : 0;
  if (tbShown) toolBar_->setGeometry(0, 0, w, tbH);
  // The design heights, or what the style needs to show a line of text if that is more.
  const int barH = std::max({px(kTxtHeight), px(kComboHeight), txtInput_->sizeHint().height(),
                             cmbGr_->sizeHint().height()});
  MainLayoutIn in;
  in.clientWidth = tw(w);
  in.clientHeight = tw(h);
  in.toolBarVisible = tbShown;
  in.toolBarHeight = tw(tbH);
  in.txtInputHeight = tw(barH);
  in.statusBarHeight = 0;  // the status bar lies outside the client area
  in.gridLeft = kGridLeft;
  in.gridTop = tw(grid_->y());
  MainLayoutOut out;
  try {
    out = Form_Resize(in);
  } catch (...) {
    return;  // a failing layout leaves the controls where they are
  }
  const int barTop = out.topBarTop >= 0 ? std::min(px(out.topBarTop), tbH) : txtInput_->y();
  txtInput_->setGeometry(px(kTxtLeft), barTop, px(kTxtWidth), barH);
  cmbGr_->setGeometry(px(kGrLeft), barTop, px(kGrWidth), barH);
  cmbMonth_->setGeometry(px(kMonthLeft), barTop, px(kMonthWidth), barH);
  cmbDispJW_->setGeometry(px(kJWLeft), barTop, px(kJWWidth), barH);
  // Pixel edges are taken from the controls above, so rounding never leaves a gap.
  const int gridTop = out.gridTop >= 0 ? barTop + barH : grid_->y();
  const int gridWidth = out.gridWidth >= 0 ? w - px(kGridLeft) : grid_->width();
  const int gridHeight = out.gridHeight >= 0 ? h - gridTop : grid_->height();
  grid_->setGeometry(px(kGridLeft), gridTop, std::max(0, gridWidth), std::max(0, gridHeight));
}

StartOutcome frmMain::load(bool fileFollows) {
  StartOutcome out = StartOutcome::Quit;
  try {
    out = Form_Load(app_, fileFollows);
  } catch (const std::exception& e) {
    app_.msg(e.what(), MsgButtons::OK, MsgIcon::Exclamation, "TLY");
    out = StartOutcome::Empty;
  }
  if (out == StartOutcome::Quit) return out;
  loaded_ = true;
  applyPlacement();
  syncFromModel();
  layoutClient();
  grid_->setFocus();
  return out;
}

void frmMain::applyPlacement() {
  const MainView& w = app_.W;
  auto px = [this](int twips) { return twipsToPx(twips, dpi_); };
  int width = std::max(px(w.width), 200), height = std::max(px(w.height), 150);
  resize(width, height);
  move(px(w.left), px(w.top));
}

void frmMain::capturePlacement() {
  MainView& w = app_.W;
  w.windowState = isMinimized() ? 1 : isMaximized() || isFullScreen() ? 2 : 0;
  if (w.windowState != 0) return;
  const QPoint p = frameGeometry().topLeft();
  // Unchanged pixels keep the twips they came from (no drift from rounding).
  w.left = pxToTwips(p.x(), dpi_, w.left);
  w.top = pxToTwips(p.y(), dpi_, w.top);
  w.width = pxToTwips(width(), dpi_, w.width);
  w.height = pxToTwips(height(), dpi_, w.height);
}

void frmMain::trackWindow(QWidget* w) { windows_.emplace_back(w); }

void frmMain::unloadWithoutDisplay() {
  if (!loaded_ || unloaded_) return;
  unloaded_ = true;
  try {
    Form_Unload(app_);
  } catch (...) {
  }
}

void frmMain::unloadOnce() {
  if (!loaded_ || unloaded_) return;
  unloaded_ = true;
  capturePlacement();
  try {
    Form_Unload(app_);
  } catch (...) {
    // Shut-down goes on whatever fails.
  }
  // Other windows close from the most recently opened to the first.
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
    if (*it && *it != this) (*it)->close();
  windows_.clear();
  emit ended();
}

void frmMain::closeEvent(QCloseEvent* e) {
  unloadOnce();
  e->accept();
}

frmNew* frmMain::openNewYear(bool hideMain, frmNew::Mode mode) {
  // One new-year dialog at a time: the other kind closes (a 中止 of neither kind).
  if (newYear_ && newYear_->mode() != mode) {
    newYear_->close();
    newYear_ = nullptr;
  }
  if (newYear_) {
    newYear_->show();
    newYear_->raise();
    newYear_->activateWindow();
    return newYear_;
  }
  auto* dlg = new frmNew(app_, this, mode);
  newYear_ = dlg;
  trackWindow(dlg);
  if (hideMain) hide();
  connect(dlg, &frmNew::built, this, [this] { syncFromModel(); });
  connect(dlg, &frmNew::closedWith, this, [this](bool cancelled) {
    // Closing the dialog by any means brings the main window back; 中止 then ends the program.
    // When the main window itself is unloading, it closed the dialog and stays closed.
    if (unloaded_) return;
    show();
    activateWindow();  // the main window may have been on screen behind the dialog
    syncFromModel();
    if (cancelled) close();
  });
  dlg->show();
  dlg->raise();
  dlg->activateWindow();
  return dlg;
}

void frmMain::showAbout() {
  if (!about_) {
    about_ = new frmAbout(app_, this);
    trackWindow(about_);
  }
  about_->show();
  about_->raise();
}

}  // namespace tly::ui
