#include "ui/frmstdhours.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <functional>

#include "model/basic.h"
#include "session/output/export.h"
#include "session/windows/frmstdhours/reportwindow.h"
#include "session/windows/frmstdhours/standards.h"
#include "ui/frmmain.h"
#include "ui/qtplatform.h"

namespace tly::ui {

namespace {

enum Col { kClass, kSubject, kStandard, kPlanned, kHeld, kRemaining, kSurplus, kRate, kCols };

Date todayOf(App& app) { return app.P.clock ? app.P.clock->today() : app.S.Today; }

QTableWidgetItem* cell(const QString& t, bool number) {
  auto* it = new QTableWidgetItem(t);
  it->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  if (number) it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return it;
}

}  // namespace

frmStdHours::frmStdHours(App& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName(QStringLiteral("frmStdHours"));
  setWindowTitle(QStringLiteral("標準時数との比較"));
  setAttribute(Qt::WA_DeleteOnClose);

  cmbClass_ = new QComboBox(this);
  cmbClass_->setObjectName(QStringLiteral("cmbClass"));
  cmbClass_->setMinimumContentsLength(12);
  cmbGrade_ = new QComboBox(this);
  cmbGrade_->setObjectName(QStringLiteral("cmbGrade"));
  cmbGrade_->addItem(QStringLiteral("未設定"));
  for (int g = 1; g <= kGrades; ++g) cmbGrade_->addItem(QStringLiteral("%1年").arg(g));
  cmbSchool_ = new QComboBox(this);
  cmbSchool_->setObjectName(QStringLiteral("cmbSchool"));
  cmbSchool_->addItems({QStringLiteral("小学校"), QStringLiteral("中学校")});
  dateTo_ = new QDateEdit(this);
  dateTo_->setObjectName(QStringLiteral("dateTo"));
  dateTo_->setCalendarPopup(true);
  dateTo_->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
  const Date t = todayOf(app_);
  dateTo_->setDate(QDate(t.year, t.month, t.day));

  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(QStringLiteral("学級:"), this));
  top->addWidget(cmbClass_);
  top->addWidget(new QLabel(QStringLiteral("学年:"), this));
  top->addWidget(cmbGrade_);
  top->addSpacing(12);
  top->addWidget(new QLabel(QStringLiteral("校種:"), this));
  top->addWidget(cmbSchool_);
  top->addSpacing(12);
  top->addWidget(new QLabel(QStringLiteral("実施済みの集計日:"), this));
  top->addWidget(dateTo_);
  top->addStretch(1);

  table_ = new QTableWidget(0, kCols, this);
  table_->setObjectName(QStringLiteral("tblReport"));
  table_->setHorizontalHeaderLabels({QStringLiteral("学級"), QStringLiteral("教科"), QStringLiteral("標準時数"),
                                     QStringLiteral("年間計画"), QStringLiteral("実施済み"), QStringLiteral("残り"),
                                     QStringLiteral("過不足"), QStringLiteral("消化率")});
  table_->verticalHeader()->setVisible(false);
  table_->verticalHeader()->setDefaultSectionSize(22);
  table_->setSelectionMode(QAbstractItemView::ContiguousSelection);
  table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  table_->horizontalHeader()->setSectionResizeMode(kSubject, QHeaderView::Stretch);
  table_->setColumnWidth(kClass, 90);

  lblNote_ = new QLabel(this);
  lblNote_->setObjectName(QStringLiteral("lblNote"));
  lblNote_->setWordWrap(true);

  auto button = [this](const char* name, const char* caption, auto slot) {
    auto* b = new QPushButton(QString::fromUtf8(caption), this);
    b->setObjectName(QString::fromUtf8(name));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, slot] { std::invoke(slot, this); });
    return b;
  };
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(button("cmdCopy", "クリップボードへ複写", &frmStdHours::copyToClipboard));
  bottom->addWidget(button("cmdImport", "目標時数の読み込み...", &frmStdHours::importTargets));
  bottom->addWidget(button("cmdExportTargets", "目標時数の書き出し...", &frmStdHours::exportTargets));
  bottom->addWidget(button("cmdReset", "標準時数に戻す", &frmStdHours::resetTargets));
  bottom->addWidget(button("cmdShortNames", "略称...", &frmStdHours::editShortNames));
  bottom->addWidget(button("cmdXlsx", "Excelへ書き出し...", &frmStdHours::exportWorkbook));
  bottom->addWidget(button("cmdCsv", "CSVへ書き出し...", &frmStdHours::exportCsv));
  auto* printRow = new QHBoxLayout;
  printRow->addWidget(button("cmdPrint", "印刷", &frmStdHours::printReport));
  printRow->addWidget(button("cmdPreview", "プレビュー", [](frmStdHours* f) { f->previewReport(); }));
  printRow->addWidget(button("cmdPdf", "PDF保存", &frmStdHours::pdfReport));
  printRow->addStretch(1);
  bottom->addStretch(1);
  auto* close = new QPushButton(QStringLiteral("閉じる"), this);
  close->setObjectName(QStringLiteral("cmdClose"));
  close->setAutoDefault(false);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  bottom->addWidget(close);

  auto* v = new QVBoxLayout(this);
  v->addLayout(top);
  v->addWidget(table_, 1);
  v->addWidget(lblNote_);
  v->addLayout(printRow);
  v->addLayout(bottom);

  // The school kind: the stored choice, else the grade count's; any other count asks.
  const auto stored = loadReportSettings(app_, todayOf(app_));
  SchoolKind kind = SchoolKind::Elementary;
  if (stored.kind) {
    kind = *stored.kind;
  } else {
    const MsgResult r = app_.msg("この年度の学年数は " + std::to_string(app_.Y.Ggn) +
                                     " です。小学校の標準時数と比較しますか？\r（いいえ: 中学校）",
                                 MsgButtons::YesNo, MsgIcon::Question);
    kind = r == MsgResult::Yes ? SchoolKind::Elementary : SchoolKind::Junior;
    storeSchoolKind(app_, kind);
  }
  cmbSchool_->setCurrentIndex(kind == SchoolKind::Elementary ? 0 : 1);

  connect(cmbClass_, qOverload<int>(&QComboBox::activated), this, [this](int) { classChosen(); });
  connect(cmbGrade_, qOverload<int>(&QComboBox::activated), this, &frmStdHours::gradeChosen);
  connect(cmbSchool_, qOverload<int>(&QComboBox::activated), this, [this](int i) {
    storeSchoolKind(app_, i == 0 ? SchoolKind::Elementary : SchoolKind::Junior);
    refresh();
  });
  connect(dateTo_, &QDateEdit::dateChanged, this, [this] { refresh(); });
  connect(table_, &QTableWidget::cellChanged, this, &frmStdHours::standardEdited);

  resize(900, 640);
  fillClassList();
  refresh();
}

ReportOptions frmStdHours::options() {
  const QDate d = dateTo_->date();
  ReportOptions o = loadReportSettings(app_, Date{d.year(), d.month(), d.day()}).options;
  o.kind = cmbSchool_->currentIndex() == 0 ? SchoolKind::Elementary : SchoolKind::Junior;
  return o;
}

void frmStdHours::fillClassList() {
  const int keep = cmbClass_->currentIndex();
  cmbClass_->clear();
  cmbClass_->addItem(QStringLiteral("全学級（学校全体）"));
  const int n = std::min(app_.Y.timetableCount(0), kMaxTimetables);
  for (int i = 1; i <= n; ++i) cmbClass_->addItem(qs(trimBlanks(app_.Y.JW[0][i].JWName)));
  cmbClass_->setCurrentIndex(keep > 0 && keep < cmbClass_->count() ? keep : 0);
}

void frmStdHours::refresh() {
  report_ = buildHoursReport(app_.Y, options(), cmbClass_->currentIndex());
  showReport();
}

void frmStdHours::classChosen() { refresh(); }

void frmStdHours::gradeChosen(int index) {
  const int n = cmbClass_->currentIndex();
  if (n < 1) return;
  storeClassGrade(app_, app_.Y.JW[0][n].JWName, index);
  refresh();
}

void frmStdHours::showReport() {
  filling_ = true;
  const ReportTable shown = reportTable(app_.Y, report_, cmbClass_->currentIndex(), options());
  table_->setRowCount(0);
  rowRefs_.clear();
  const QColor red(200, 0, 0);
  auto bold = [](QTableWidgetItem* it) {
    QFont f = it->font();
    f.setBold(true);
    it->setFont(f);
  };
  using Kind = ReportLine::Kind;
  for (const ReportLine& l : shown.lines) {
    const int row = table_->rowCount();
    table_->insertRow(row);
    table_->setItem(row, kClass, cell(qs(l.className), false));
    table_->setItem(row, kSubject, cell(qs(l.subject), false));
    for (int c = 0; c < kReportNumberColumns; ++c) {
      const std::string& v = l.values[static_cast<size_t>(c)];
      if (l.kind != Kind::NoGrade && (!v.empty() || l.kind != Kind::Unmatched))
        table_->setItem(row, kStandard + c, cell(qs(v), true));
    }
    if (l.kind == Kind::NoGrade) table_->item(row, kSubject)->setForeground(red);
    if (l.editGrade) {
      // The standard of a subject row is the school's target when edited here.
      table_->item(row, kStandard)->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
      table_->item(row, kStandard)->setToolTip(QStringLiteral("ダブルクリックで目標時数を変更"));
    }
    if (l.shortfall) {
      for (int col : {kSubject, kPlanned, kSurplus}) {
        table_->item(row, col)->setForeground(red);
        bold(table_->item(row, col));
      }
    }
    if (l.kind == Kind::Unmatched) {
      table_->item(row, kSubject)->setForeground(QColor(110, 110, 110));
      table_->item(row, kSubject)->setToolTip(QStringLiteral("どの教科にも当たらない名前です（略称で教科に結び付けられます）"));
    }
    if (l.kind == Kind::Total) {
      for (int col = 0; col < kCols; ++col) {
        if (!table_->item(row, col)) table_->setItem(row, col, cell("", false));
        table_->item(row, col)->setBackground(QColor(232, 238, 247));
        bold(table_->item(row, col));
      }
    }
    rowRefs_.push_back(RowRef{l.editGrade, l.subject});
  }
  table_->setColumnHidden(kClass, shown.classColumnHidden);
  cmbGrade_->setEnabled(shown.gradeSelectorEnabled);
  cmbGrade_->setCurrentIndex(shown.gradeIndex);
  lblNote_->setText(qs(shown.note));
  filling_ = false;
}

void frmStdHours::standardEdited(int row, int col) {
  if (filling_ || col != kStandard || row < 0 || row >= static_cast<int>(rowRefs_.size())) return;
  const RowRef ref = rowRefs_[static_cast<size_t>(row)];
  if (!ref.grade) return;
  tly::standardEdited(app_, options(), ref.grade, ref.subject, table_->item(row, col)->text().toStdString());
  // Shown after the edit has finished with the item.
  QMetaObject::invokeMethod(this, [this] { refresh(); }, Qt::QueuedConnection);
}

void frmStdHours::copyToClipboard() {
  if (!app_.P.clipboard) return;
  app_.P.clipboard->clear();
  app_.P.clipboard->setText(reportClipboardText(report_));
}

namespace {
FileDialogRequest csvRequest(bool save) {
  FileDialogRequest r;
  r.save = save;
  r.title = save ? "目標時数の書き出し" : "目標時数の読み込み";
  r.filters = {{"CSV ファイル (*.csv)", "*.csv"}, {"すべてのファイル (*.*)", "*"}};
  r.defaultExt = "csv";
  r.fileName = "目標時数.csv";
  return r;
}
}  // namespace

void frmStdHours::importTargets() {
  if (!app_.P.fileDialog) return;
  const FileDialogResult f = app_.P.fileDialog->run(csvRequest(false));
  if (f.status != FileDialogResult::Status::Ok) return;
  std::string why;
  auto t = readTargetsFile(f.path, why);
  if (!t) {
    app_.msg(why, MsgButtons::OK, MsgIcon::Exclamation);
    return;
  }
  storeTargets(app_, *t);
  refresh();
}

void frmStdHours::exportTargets() {
  if (!app_.P.fileDialog) return;
  const FileDialogResult f = app_.P.fileDialog->run(csvRequest(true));
  if (f.status != FileDialogResult::Status::Ok) return;
  const std::string why = writeTargetsFile(f.path, options().targets);
  if (!why.empty()) app_.msg(why, MsgButtons::OK, MsgIcon::Exclamation);
}

void frmStdHours::resetTargets() {
  if (options().targets.empty()) return;
  if (app_.msg("目標時数をすべて消して、標準時数に戻します。", MsgButtons::OKCancel, MsgIcon::Question) != MsgResult::OK)
    return;
  storeTargets(app_, Targets{});
  refresh();
}

void frmStdHours::editShortNames() {
  QDialog d(this);
  d.setWindowTitle(QStringLiteral("略称"));
  auto* label = new QLabel(QStringLiteral("1行に「略称=教科名」。同じ略称を二つの教科に書くと、その学年に標準時数のある方に数えます。"), &d);
  label->setWordWrap(true);
  auto* edit = new QPlainTextEdit(&d);
  edit->setObjectName(QStringLiteral("txtShortNames"));
  edit->setPlainText(qs(shortNamesToText(options().shortNames)));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::RestoreDefaults, &d);
  connect(buttons, &QDialogButtonBox::accepted, &d, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
  connect(buttons->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, &d,
          [edit] { edit->setPlainText(qs(shortNamesToText(defaultShortNames()))); });
  auto* v = new QVBoxLayout(&d);
  v->addWidget(label);
  v->addWidget(edit, 1);
  v->addWidget(buttons);
  d.resize(420, 480);
  if (d.exec() != QDialog::Accepted) return;
  storeShortNames(app_, shortNamesFromText(us(edit->toPlainText())));
  refresh();
}

void frmStdHours::exportWorkbook() {
  if (!app_.P.fileDialog) return;
  FileDialogRequest r;
  r.save = true;
  r.title = "Excelへ書き出し";
  r.filters = {{"Excel ブック (*.xlsx)", "*.xlsx"}};
  r.defaultExt = "xlsx";
  r.fileName = std::to_string(app_.Y.nendo()) + "年度授業時数.xlsx";
  const FileDialogResult f = app_.P.fileDialog->run(r);
  if (f.status != FileDialogResult::Status::Ok) return;
  const ReportOptions o = options();
  std::string warning;
  const std::string why = writeXlsx(f.path, buildWorkbook(app_, buildHoursReport(app_.Y, o), o), &warning);
  if (!why.empty())
    app_.msg(why, MsgButtons::OK, MsgIcon::Exclamation);
  else if (!warning.empty())
    app_.msg(warning, MsgButtons::OK, MsgIcon::Exclamation);
}

void frmStdHours::closeEvent(QCloseEvent* e) {
  if (windowState() == Qt::WindowNoState) {
    app_.storeSetting("StdHoursLeft", std::to_string(x() * 15));
    app_.storeSetting("StdHoursTop", std::to_string(y() * 15));
  }
  QDialog::closeEvent(e);
}

MainStandards::MainStandards(frmMain& w) : QObject(&w), w_(w) {
  setObjectName(QStringLiteral("MainStandards"));
  w.markBuilt(Command::StdHours);
  connect(w.menuAction(Command::StdHours), &QAction::triggered, this, [this] {
    if (frmStdHours* open = window()) {
      open->refresh();
      open->raise();
      open->activateWindow();
      return;
    }
    if (!w_.app().Y.isOpen()) return;
    auto* dlg = new frmStdHours(w_.app(), &w_);
    w_.trackWindow(dlg);
    const int left = static_cast<int>(Val(w_.app().setting("StdHoursLeft", "-1")));
    const int top = static_cast<int>(Val(w_.app().setting("StdHoursTop", "-1")));
    if (left >= 0 && top >= 0) dlg->move(left / 15, top / 15);
    dlg->show();
  });
}

frmStdHours* MainStandards::window() const {
  for (frmStdHours* f : w_.findChildren<frmStdHours*>(QString(), Qt::FindDirectChildrenOnly))
    if (f->isVisible()) return f;
  return nullptr;
}

}  // namespace tly::ui
