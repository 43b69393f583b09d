#include "ui/frmjw.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <algorithm>
#include <exception>
#include <optional>

#include "session/windows/frmjw/timetablewindow.h"
#include "ui/gridview.h"
#include "ui/keycodes.h"
#include "ui/qtplatform.h"

namespace tly::ui {

namespace {

// Design width of the window's client area in twips: the line below the list area runs
// to 4320, the grids to 4275.
constexpr int kClientWidth = 4410;
// Names the list shows without scrolling at the window's smallest size.
constexpr int kListRows = 12;
// Margins in twips: left of the controls and grids, between the areas.
constexpr int kMargin = 120, kGap = 60;

// The height of a grid's rows and the width of its columns, in pixels.
int gridRowsHeight(const Grid& g, int dpi) {
  int h = 0;
  for (int r = 0; r < g.rows(); ++r) h += twipsToPx(g.rowHeight(r), dpi);
  return h;
}
int gridColsWidth(const Grid& g, int dpi) {
  int w = 0;
  for (int c = 0; c < g.cols(); ++c) w += twipsToPx(g.colWidth(c), dpi);
  return w;
}

// Focus coming back from a message box or a menu is no focus change of the window's own.
bool ownFocusChange(QEvent* e) {
  auto r = static_cast<QFocusEvent*>(e)->reason();
  return r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason;
}

}  // namespace

frmJW::frmJW(App& app, std::function<void()> mainChanged, std::function<void()> openTally, QWidget* parent)
    : QWidget(parent, Qt::Window), app_(app), mainChanged_(std::move(mainChanged)), openTally_(std::move(openTally)) {
  setObjectName("frmJW");
  setWindowTitle(QStringLiteral("TLY - 時間割設定"));
  setAttribute(Qt::WA_DeleteOnClose);
  dpi_ = screenDpi();
  JWForm& f = app_.JWF;

  label2_ = new QLabel(this);
  label2_->setObjectName("Label2");
  label2_->setGeometry(twips(120, 120, 735, 255));
  label1_ = new QLabel(this);
  label1_->setObjectName("Label1");
  label1_->setGeometry(twips(120, 420, 675, 195));
  txtJW_ = new QLineEdit(this);
  txtJW_->setObjectName("txtJW");
  txtJW_->setGeometry(twips(960, 360, 1335, 315));
  lstJW_ = new QListWidget(this);
  lstJW_->setObjectName("lstJW");
  lstJW_->setGeometry(twips(960, 720, 1335, 960));
  lstJW_->setContextMenuPolicy(Qt::CustomContextMenu);
  auto button = [this](const char* name, const char* caption, QRect r) {
    auto* b = new QPushButton(QString::fromUtf8(caption), this);
    b->setObjectName(name);
    b->setGeometry(r);
    b->setAutoDefault(false);
    return b;
  };
  cmdJWAdd_ = button("cmdJWAdd", "追加", twips(120, 720, 735, 315));
  cmdJWIns_ = button("cmdJWIns", "挿入", twips(120, 1020, 735, 315));
  cmdJWDel_ = button("cmdJWDel", "削除", twips(120, 1320, 735, 315));
  optClass_ = new QRadioButton(QStringLiteral("学級時間割"), this);
  optClass_->setObjectName("optClass");
  optClass_->setGeometry(twips(2520, 60, 1215, 255));
  optSubject_ = new QRadioButton(QStringLiteral("教師時間割"), this);
  optSubject_->setObjectName("optSubject");
  optSubject_->setGeometry(twips(2520, 300, 1215, 195));
  frameRef_ = new ClickFrame(QStringLiteral("時間割参照"), this);
  frameRef_->setObjectName("frameRef");
  frameRef_->setGeometry(twips(2400, 600, 1815, 1095));
  optRefClass_ = new QRadioButton(QStringLiteral("学級時間割"), frameRef_);
  optRefClass_->setObjectName("optRefClass");
  optRefClass_->setGeometry(twips(120, 240, 1335, 195));
  optRefSubject_ = new QRadioButton(QStringLiteral("教師時間割"), frameRef_);
  optRefSubject_->setObjectName("optRefSubject");
  optRefSubject_->setGeometry(twips(120, 480, 1335, 195));
  cmbRef_ = new QComboBox(frameRef_);
  cmbRef_->setObjectName("cmbRef");
  cmbRef_->setGeometry(twips(120, 720, 1575, 300));
  line_ = new QFrame(this);
  line_->setFrameShape(QFrame::HLine);
  line_->setFrameShadow(QFrame::Sunken);
  line_->setGeometry(twips(120, 1740 - 15, 4200, 30));
  txtInput_ = new QLineEdit(this);
  txtInput_->setObjectName("txtInput");
  txtInput_->setGeometry(twips(960, 1800, 1215, 315));
  cmdKei_ = button("cmdKei", "集計", twips(2460, 1800, 795, 315));
  cmdOK_ = button("cmdOK", "閉じる", twips(3300, 1800, 795, 315));
  grid1_ = new GridView(f.Grid1, this);
  grid1_->setObjectName("Grid1");
  grid1_->setGeometry(twips(120, 2160, 4155, 1695));
  grid2_ = new GridView(f.Grid2, this);
  grid2_->setObjectName("Grid2");
  grid2_->setGeometry(twips(120, 3915, 4155, 1815));
  // The designed grid sizes hold the seven rows and every column exactly; a frame would
  // take that room and bring in scroll bars.
  for (GridView* g : {grid1_, grid2_}) {
    g->setFrameShape(QFrame::NoFrame);
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  }
  gtext1_ = new QLineEdit(grid1_->viewport());
  gtext1_->setObjectName("GText1");
  gtext1_->setFrame(false);
  gtext1_->setVisible(false);

  // The kind options of the list and those of the reference are separate groups: the
  // latter lie inside the frame.

  buildMenus();

  for (QObject* o : {static_cast<QObject*>(grid1_), static_cast<QObject*>(txtInput_), static_cast<QObject*>(gtext1_),
                     static_cast<QObject*>(txtJW_), static_cast<QObject*>(cmdJWAdd_), static_cast<QObject*>(cmdJWIns_)})
    o->installEventFilter(this);

  connect(txtJW_, &QLineEdit::textEdited, this, [this](const QString& t) { app_.JWF.txtJW = us(t); });
  connect(txtInput_, &QLineEdit::textEdited, this, [this](const QString& t) { app_.JWF.txtInput = us(t); });
  connect(txtInput_, &QLineEdit::textChanged, gtext1_, &QLineEdit::setText);
  connect(lstJW_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (syncing_ || row < 0) return;
    run([row](App& a) { lstJW_Click(a, row); });
  });
  connect(lstJW_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& p) { pmnuListEdit_->exec(lstJW_->viewport()->mapToGlobal(p)); });
  connect(cmdJWAdd_, &QPushButton::clicked, this, [this] { run(cmdJWAdd_Click); });
  connect(cmdJWIns_, &QPushButton::clicked, this, [this] { run(cmdJWIns_Click); });
  connect(cmdJWDel_, &QPushButton::clicked, this, [this] { run(cmdJWDel_Click); });
  connect(optClass_, &QRadioButton::clicked, this, [this] { run([](App& a) { optClass_Click(a, true); }); });
  connect(optSubject_, &QRadioButton::clicked, this, [this] { run([](App& a) { optClass_Click(a, false); }); });
  connect(frameRef_, &ClickFrame::clicked, this, [this] { run(frameRef_Click); });
  connect(optRefClass_, &QRadioButton::clicked, this, [this] { run([](App& a) { optRefClass_Click(a, true); }); });
  connect(optRefSubject_, &QRadioButton::clicked, this, [this] { run([](App& a) { optRefClass_Click(a, false); }); });
  connect(cmbRef_, qOverload<int>(&QComboBox::activated), this, [this](int i) {
    run([i](App& a) { cmbRef_Click(a, i); });
  });
  connect(cmdKei_, &QPushButton::clicked, this, [this] {
    bool open = false;
    run([&open](App& a) { open = cmdKei_Click(a); });
    if (open && openTally_) openTally_();
  });
  connect(cmdOK_, &QPushButton::clicked, this, [this] {
    capturePlacement();
    run(cmdOK_Click);
    close();
  });
  connect(grid1_, &GridView::cellDoubleClicked, this, [this](int, int) {
    if (JW_Grid1_DblClick(app_)) txtInput_->setFocus(Qt::OtherFocusReason);
  });
  connect(grid1_, &GridView::contextMenuAt, this, [this](const QPoint& pos) {
    action(Command::PopupUndo)->setEnabled(jwUndoAvailable(app_));
    pmnuGridEdit_->exec(pos);
  });
  connect(grid2_, &GridView::contextMenuAt, this, [this](const QPoint& pos) { pmnuRef_->exec(pos); });

  move(twipsToPx(f.left, dpi_), twipsToPx(f.top, dpi_));
  syncFromModel();
  // Every weekday row and twelve names at the least, or the size the user gave it last.
  const QSize least = naturalSize(f.refShown);
  refShownLaidOut_ = f.refShown;
  const JWStoredSize stored = storedJWSize(app_);
  resize(std::max(least.width(), twipsToPx(stored.width, dpi_)),
         std::max(least.height(), twipsToPx(stored.height, dpi_) + refAreaHeight(f.refShown)));
  layoutControls();
}

int frmJW::listHeight() const {
  // Rows as tall as the list's own items, or as a line of its font with the item margins
  // while it is empty.
  const int row = std::max(lstJW_->count() > 0 ? lstJW_->sizeHintForRow(0) : 0, lstJW_->fontMetrics().height() + 4);
  return kListRows * row + 2 * lstJW_->frameWidth();
}

int frmJW::gridsTop() const {
  const int listBottom = twipsToPx(720, dpi_) + listHeight();
  // The designed top area ends with the reference frame (1695) and the line (1740).
  const int lineTop = std::max(twipsToPx(1725, dpi_), listBottom + twipsToPx(30, dpi_));
  const int barH = std::max(twipsToPx(315, dpi_), txtInput_->sizeHint().height());
  return lineTop + twipsToPx(75, dpi_) + barH + twipsToPx(45, dpi_);
}

int frmJW::refAreaHeight(bool shown) const {
  return shown ? twipsToPx(kGap, dpi_) + gridRowsHeight(app_.JWF.Grid2, dpi_) : 0;
}

QSize frmJW::naturalSize(bool refShown) const {
  const int margin = twipsToPx(kMargin, dpi_);
  const int gridW = std::max(gridColsWidth(app_.JWF.Grid1, dpi_), gridColsWidth(app_.JWF.Grid2, dpi_));
  const int w = std::max(twipsToPx(kClientWidth, dpi_), 2 * margin + gridW);
  const int h = gridsTop() + gridRowsHeight(app_.JWF.Grid1, dpi_) + refAreaHeight(refShown) + margin;
  return QSize(w, h);
}

void frmJW::layoutControls() {
  const JWForm& f = app_.JWF;
  const int margin = twipsToPx(kMargin, dpi_);
  const int listBottom = twipsToPx(720, dpi_) + listHeight();
  lstJW_->setGeometry(twipsToPx(960, dpi_), twipsToPx(720, dpi_), twipsToPx(1335, dpi_), listHeight());
  const int lineTop = std::max(twipsToPx(1725, dpi_), listBottom + twipsToPx(30, dpi_));
  line_->setGeometry(margin, lineTop, std::max(0, width() - 2 * margin), twipsToPx(30, dpi_));
  const int barTop = lineTop + twipsToPx(75, dpi_);
  const int barH = std::max(twipsToPx(315, dpi_), txtInput_->sizeHint().height());
  txtInput_->setGeometry(twipsToPx(960, dpi_), barTop, twipsToPx(1215, dpi_), barH);
  cmdKei_->setGeometry(twipsToPx(2460, dpi_), barTop, twipsToPx(795, dpi_), barH);
  cmdOK_->setGeometry(twipsToPx(3300, dpi_), barTop, twipsToPx(795, dpi_), barH);
  // The grids take the width and share the height the user adds to the least size.
  const int top = gridsTop();
  const int gridW = std::max(0, width() - 2 * margin);
  const int h1 = gridRowsHeight(f.Grid1, dpi_), h2 = gridRowsHeight(f.Grid2, dpi_);
  const int extra = std::max(0, height() - naturalSize(f.refShown).height());
  const int add1 = f.refShown ? extra / 2 : extra;
  grid1_->setGeometry(margin, top, gridW, h1 + add1);
  grid2_->setGeometry(margin, top + h1 + add1 + twipsToPx(kGap, dpi_), gridW, h2 + extra - add1);
  grid2_->setVisible(f.refShown);
  if (f.overlayShown) placeOverlay();
}

void frmJW::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  layoutControls();
}

QRect frmJW::twips(int left, int top, int width, int height) const {
  return QRect(twipsToPx(left, dpi_), twipsToPx(top, dpi_), twipsToPx(width, dpi_), twipsToPx(height, dpi_));
}

QAction* frmJW::action(Command c) const {
  auto it = actions_.find(c);
  return it == actions_.end() ? nullptr : it->second;
}

void frmJW::buildMenus() {
  struct Item {
    std::optional<Command> command;  // none: separator
    void (*fn)(App&);
  };
  auto make = [this](const char* menuName, const char* title, std::initializer_list<Item> items) {
    auto* m = new QMenu(QString::fromUtf8(title), this);
    m->setObjectName(menuName);
    for (const Item& it : items) {
      if (!it.command) {
        m->addSeparator();
        continue;
      }
      QAction* a = m->addAction(QString::fromUtf8(commandInfo(*it.command).caption));
      a->setObjectName(controlName(*it.command));
      auto fn = it.fn;
      connect(a, &QAction::triggered, this, [this, fn] { run(fn); });
      actions_[*it.command] = a;
    }
    return m;
  };
  pmnuGridEdit_ = make("pmnuGridEdit", "Grid編集",
                       {{Command::PopupUndo, JW_pmnuUndo_Click},
                        {std::nullopt, nullptr},
                        {Command::PopupCut, JW_pmnuCut_Click},
                        {Command::PopupCopy, JW_pmnuCopy_Click},
                        {Command::PopupPaste, JW_pmnuPaste_Click},
                        {std::nullopt, nullptr},
                        {Command::PopupDel, JW_pmnuDel_Click}});
  pmnuListEdit_ = make("pmnuListEdit", "List編集",
                       {{Command::PopupListED, pmnuListED_Click}, {Command::PopupListDel, cmdJWDel_Click}});
  pmnuRef_ = make("pmnuRef", "Grid参照",
                  {{Command::PopupRefCopy, pmnuRefCopy_Click},
                   {std::nullopt, nullptr},
                   {Command::PopupRefEnd, frameRef_Click}});
}

void frmJW::run(const std::function<void(App&)>& f) {
  try {
    f(app_);
  } catch (const std::exception& e) {
    app_.msg(e.what(), MsgButtons::OK, MsgIcon::Exclamation, "TLY");
  }
  syncFromModel();
  if (mainChanged_) mainChanged_();
  applyFocus();
}

void frmJW::syncFromModel() {
  const JWForm& f = app_.JWF;
  syncing_ = true;
  label1_->setText(qs(f.label1));
  label2_->setText(qs(f.label2));
  optClass_->setChecked(f.optClass);
  optSubject_->setChecked(!f.optClass);
  optRefClass_->setChecked(f.optRefClass);
  optRefSubject_->setChecked(!f.optRefClass);
  QStringList items;
  for (const auto& s : f.lstJW.items) items << qs(s);
  bool same = lstJW_->count() == items.size();
  for (int i = 0; same && i < items.size(); ++i) same = lstJW_->item(i)->text() == items[i];
  if (!same) {
    lstJW_->clear();
    lstJW_->addItems(items);
  }
  if (lstJW_->currentRow() != f.lstJW.index) lstJW_->setCurrentRow(f.lstJW.index);
  QStringList refs;
  for (const auto& s : f.cmbRef.items) refs << qs(s);
  bool sameRef = cmbRef_->count() == refs.size();
  for (int i = 0; sameRef && i < refs.size(); ++i) sameRef = cmbRef_->itemText(i) == refs[i];
  if (!sameRef) {
    cmbRef_->clear();
    cmbRef_->addItems(refs);
  }
  if (cmbRef_->currentIndex() != f.cmbRef.index) cmbRef_->setCurrentIndex(f.cmbRef.index);
  if (txtJW_->text() != qs(f.txtJW)) txtJW_->setText(qs(f.txtJW));
  if (txtInput_->text() != qs(f.txtInput)) txtInput_->setText(qs(f.txtInput));
  const bool listOn = jwListCommandsEnabled(app_);
  for (QWidget* w : {static_cast<QWidget*>(cmdJWAdd_), static_cast<QWidget*>(cmdJWIns_),
                     static_cast<QWidget*>(cmdJWDel_), static_cast<QWidget*>(cmdKei_),
                     static_cast<QWidget*>(optClass_), static_cast<QWidget*>(optSubject_)})
    w->setEnabled(listOn);
  action(Command::PopupListDel)->setEnabled(listOn);
  action(Command::PopupUndo)->setEnabled(jwUndoAvailable(app_));
  optRefClass_->setVisible(f.refShown);
  optRefSubject_->setVisible(f.refShown);
  cmbRef_->setVisible(f.refShown);
  // Showing or hiding the reference area adds or takes its grid's height; the window
  // never gets smaller than what shows every weekday row and twelve names.
  const QSize least = naturalSize(f.refShown);
  setMinimumSize(least);
  if (refShownLaidOut_ != f.refShown) {
    const int delta = refAreaHeight(true);
    refShownLaidOut_ = f.refShown;
    resize(width(), std::max(least.height(), height() + (f.refShown ? delta : -delta)));
  }
  layoutControls();
  grid1_->refresh();
  grid2_->refresh();
  if (!f.overlayShown) gtext1_->setVisible(false);
  syncing_ = false;
}

void frmJW::applyFocus() {
  JWForm& f = app_.JWF;
  const JWFocus to = f.focus;
  f.focus = JWFocus::None;
  if (!isVisible()) return;
  switch (to) {
    case JWFocus::Grid1: grid1_->setFocus(Qt::OtherFocusReason); break;
    case JWFocus::TxtInput: txtInput_->setFocus(Qt::OtherFocusReason); break;
    case JWFocus::TxtJW: txtJW_->setFocus(Qt::OtherFocusReason); break;
    case JWFocus::LstJW: lstJW_->setFocus(Qt::OtherFocusReason); break;
    case JWFocus::CmdJWAdd: cmdJWAdd_->setFocus(Qt::OtherFocusReason); break;
    case JWFocus::CmdJWIns: cmdJWIns_->setFocus(Qt::OtherFocusReason); break;
    case JWFocus::None: break;
  }
}

void frmJW::placeOverlay() {
  // Exactly over the cursor cell, in the grid's font.
  const Grid& g = app_.JWF.Grid1;
  QRect r = grid1_->cellRect(g.Row, g.Col);
  gtext1_->setFont(toQFont(g.Font));
  gtext1_->setGeometry(r);
  gtext1_->setText(txtInput_->text());
  gtext1_->setVisible(!r.isEmpty());
  gtext1_->raise();
}

void frmJW::capturePlacement() {
  JWForm& f = app_.JWF;
  f.windowState = isMinimized() ? 1 : isMaximized() ? 2 : 0;
  if (f.windowState != 0) return;
  f.left = pxToTwips(frameGeometry().x(), dpi_);
  f.top = pxToTwips(frameGeometry().y(), dpi_);
  // The client size, without the reference area, goes with the position.
  storeJWSize(app_, {pxToTwips(width(), dpi_), pxToTwips(height() - refAreaHeight(f.refShown), dpi_)});
}

bool frmJW::gridKeyPress(QKeyEvent* k) {
  const int code = keyCode(k);
  int shift = shiftState(k->modifiers());
  if (shift & (kCtrlBit | kAltBit)) {
    // Shortcuts (Ctrl+C, Ctrl+X, Ctrl+V); chords_ keeps their releases from starting an edit.
    JWGridKey act = JWGridKey::None;
    run([&](App& a) { act = JW_Grid1_KeyDown(a, code, shift); });
    return act != JWGridKey::None;
  }
  if (code == kKeyEnter || code == kKeyPadEnter || code == kKeyF2 || code == kKeyDelete) {
    JWGridKey act = JWGridKey::None;
    run([&](App& a) { act = JW_Grid1_KeyDown(a, code == kKeyPadEnter ? kKeyEnter : code, shift); });
    grid1_->showCurrent();
    if (act == JWGridKey::StartEdit) txtInput_->setFocus(Qt::OtherFocusReason);
    return act != JWGridKey::None;
  }
  if (!k->text().isEmpty() && k->text().at(0).isPrint()) {
    bool started = false;
    for (const QChar& ch : k->text()) started = JW_Grid1_KeyPressText(app_, us(QString(ch))) || started;
    // A character outside the single-byte range starts the edit at once.
    if (started && app_.JWF.edit.InputKey == 0) {
      txtInput_->setFocus(Qt::OtherFocusReason);
      return true;
    }
  }
  return false;
}

bool frmJW::eventFilter(QObject* o, QEvent* e) {
  JWForm& f = app_.JWF;
  if (o == grid1_) {
    const bool chordRelease = chords_.filter(e);
    if (e->type() == QEvent::FocusIn && ownFocusChange(e)) {
      gtext1_->setVisible(false);
      run(JW_Grid1_GotFocus);
      grid1_->showCurrent();
    } else if (e->type() == QEvent::KeyPress) {
      if (gridKeyPress(static_cast<QKeyEvent*>(e))) return true;
    } else if (e->type() == QEvent::KeyRelease) {
      auto* k = static_cast<QKeyEvent*>(e);
      // The release of a Ctrl or Alt chord's key starts no edit, whichever key went up first.
      if (!chordRelease && !k->isAutoRepeat() && JW_Grid1_KeyUp(app_, keyCode(k), shiftState(k->modifiers()))) {
        txtInput_->setFocus(Qt::OtherFocusReason);
        return true;
      }
    }
  } else if (o == txtInput_) {
    if (e->type() == QEvent::FocusIn && ownFocusChange(e)) {
      bool editing = false;
      run([&editing](App& a) { editing = JW_txtInput_GotFocus(a); });
      if (editing) {
        txtInput_->setText(qs(f.txtInput));
        txtInput_->setCursorPosition(static_cast<int>(txtInput_->text().size()));
        txtInput_->deselect();
        placeOverlay();
      }
    } else if (e->type() == QEvent::KeyPress) {
      auto* k = static_cast<QKeyEvent*>(e);
      f.txtInput = us(txtInput_->text());
      bool ends = false;
      int code = keyCode(k);
      int shift = shiftState(k->modifiers());
      run([&](App& a) { ends = JW_txtInput_KeyDown(a, code, shift); });
      if (ends) return true;
    } else if (e->type() == QEvent::KeyRelease) {
      gtext1_->setText(txtInput_->text());
    } else if (e->type() == QEvent::FocusOut && ownFocusChange(e) && isVisible()) {
      // Focus went to another control of the window (Tab, a click on the list or a
      // button): the edit ends unstored and the overlay goes. To the grid (it commits) or
      // the overlay (the edit goes on) it stays.
      QWidget* to = QApplication::focusWidget();
      if (f.overlayShown && to != grid1_ && to != gtext1_ && to != txtInput_) run(JW_txtInput_LostFocus);
    }
  } else if (o == gtext1_ && e->type() == QEvent::FocusIn && ownFocusChange(e)) {
    JW_GText1_GotFocus(app_);
    txtInput_->setFocus(Qt::OtherFocusReason);
  } else if (o == txtJW_) {
    if (e->type() == QEvent::FocusIn && ownFocusChange(e)) {
      run(txtJW_GotFocus);
    } else if (e->type() == QEvent::KeyPress) {
      auto* k = static_cast<QKeyEvent*>(e);
      if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
        f.txtJW = us(txtJW_->text());
        run(txtJW_Enter);
        return true;
      }
    }
  } else if (o == cmdJWAdd_ && e->type() == QEvent::FocusIn && ownFocusChange(e)) {
    run(cmdJWAdd_GotFocus);
  } else if (o == cmdJWIns_ && e->type() == QEvent::FocusIn && ownFocusChange(e)) {
    run(cmdJWIns_GotFocus);
  }
  return QWidget::eventFilter(o, e);
}

void frmJW::closeEvent(QCloseEvent* e) {
  capturePlacement();
  try {
    JW_Form_Unload(app_);
  } catch (...) {
    // The close goes on whatever fails.
  }
  if (mainChanged_) mainChanged_();
  e->accept();
}

}  // namespace tly::ui
