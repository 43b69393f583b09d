#include "ui/frmabout.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSysInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "session/windows/frmmain/lifecycle.h"
#include "ui/frmmain.h"
#include "ui/qtplatform.h"

namespace tly::ui {

const char* const kVersion = "3.0.0";

namespace {
QLabel* titleLabel(const QString& text, int px, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  QFont f(QString::fromUtf8("ＭＳ Ｐ明朝"));
  f.setPixelSize(px);
  f.setBold(true);
  l->setFont(f);
  l->setAlignment(Qt::AlignCenter);
  return l;
}
}  // namespace

frmSplash::frmSplash() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("frmSplash"));
  setWindowTitle(QString::fromUtf8("TLY 授業時数集計"));
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(36, 28, 36, 28);
  v->addWidget(titleLabel(QStringLiteral("TLY"), 22, this));
  v->addWidget(titleLabel(QString::fromUtf8("授業時数集計"), 30, this));
  auto* ver = new QLabel(QString::fromUtf8("Version %1").arg(QString::fromUtf8(kVersion)), this);
  ver->setAlignment(Qt::AlignCenter);
  v->addSpacing(8);
  v->addWidget(ver);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, QColor(250, 248, 240));
  setPalette(p);
  adjustSize();
}

frmAbout::frmAbout(App& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QString::fromUtf8("ﾊﾞｰｼﾞｮﾝ情報"));
  setModal(false);
  auto* v = new QVBoxLayout(this);
  v->addWidget(titleLabel(QString::fromUtf8("授業時数集計"), 24, this));
  auto* ver = new QLabel(QString::fromUtf8("TLY Version %1").arg(QString::fromUtf8(kVersion)), this);
  ver->setObjectName(QStringLiteral("lblVersion"));
  ver->setAlignment(Qt::AlignCenter);
  v->addWidget(ver);
  v->addSpacing(12);
  auto* row = new QHBoxLayout;
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setDefault(true);
  auto* sys = new QPushButton(QString::fromUtf8("ｼｽﾃﾑ情報(&S)..."), this);
  sys->setObjectName(QStringLiteral("cmdSysInfo"));
  row->addStretch();
  row->addWidget(ok);
  row->addWidget(sys);
  v->addLayout(row);
  connect(ok, &QPushButton::clicked, this, &QDialog::close);
  connect(sys, &QPushButton::clicked, this, [this] {
    auto* box = new QMessageBox(QMessageBox::Information, QString::fromUtf8("ｼｽﾃﾑ情報"), systemInfo(),
                                QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("sysInfoBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
  });
}

QString frmAbout::systemInfo() const {
  QString dataFile = app_.F.CurFile.empty() ? qs(app_.F.AppPath) + QStringLiteral("JJTEMP3.DAT") : qs(app_.F.CurFile);
  return QString::fromUtf8("Qt: %1（実行時 %2）\nOS: %3 (%4 %5)\nプログラムフォルダー: %6\nデータファイル: %7")
      .arg(QStringLiteral(QT_VERSION_STR), QString::fromLatin1(qVersion()), QSysInfo::prettyProductName(),
           QSysInfo::kernelType(), QSysInfo::kernelVersion(), qs(app_.F.AppPath), dataFile);
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("frmHelp"));
  setWindowTitle(QString::fromUtf8("TLY - ヘルプ"));
  auto* v = new QVBoxLayout(this);
  auto* b = new QTextBrowser(this);
  b->setObjectName(QStringLiteral("helpText"));
  b->setHtml(helpHtml());
  v->addWidget(b);
  resize(560, 520);
}

QString HelpWindow::helpHtml() {
  return QString::fromUtf8(
      "<h2>授業時数集計（TLY）の使い方</h2>"
      "<h3>1. 年度を作る</h3>"
      "<p>「ファイル」の「新規作成」を選び、年度（西暦）、学年数、時限数、休業にする土曜日を指定して"
      "「実行」を押します。平日には時間割の番号が入り、日曜日・休業日・祝祭日は空き（／）になります。"
      "4月の予定が表示されます。</p>"
      "<h3>2. 授業を入力する</h3>"
      "<p>学年と月を上の欄で選び、表のます目を選んで授業名（たとえば「道徳」や「月 3」）を入力し、"
      "Enter キーで確定します。行事と備考の列には自由に文字を書けます。"
      "「全学年一括編集」にすると全学年に同じ内容が入ります。"
      "切り取り・複写・貼り付け・削除と、直前の操作の取り消しは「編集」メニューにあります。</p>"
      "<h3>3. 時数を集計する</h3>"
      "<p>「ツール」の「授業時数集計」を選び、年間または期間を指定して「集計」を押すと、"
      "教科・集計項目ごとの授業時数が表に表示されます。もう一度選ぶと予定表に戻ります。</p>"
      "<h3>4. 印刷する</h3>"
      "<p>「ファイル」の「印刷」で学年と月の範囲、部数、余白を指定して印刷します。"
      "表示中の画面（月間予定表または時数集計表）が印刷されます。</p>"
      "<h3>データの保存</h3>"
      "<p>終了するとデータはプログラムフォルダーの JJTEMP3.DAT に自動的に保存され、"
      "次に起動したときに続きから始まります。別のファイルに残すときは「名前を付けて保存」を使います。</p>");
}

void frmMain::showHelp() {
  std::string file;
  try {
    file = mnuHelp_Click(app_);  // "" after telling the user there is no help file
  } catch (...) {
  }
  syncFromModel();
  if (file.empty()) return;
  if (QFileInfo::exists(qs(file))) {
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(qs(file))))
      app_.msg("ヘルプファイルを開くプログラムが見つかりません: " + file, MsgButtons::OK, MsgIcon::None, "TLY");
    return;
  }
  // No help file installed: the program's own short help page.
  if (!help_) {
    help_ = new HelpWindow(this);
    trackWindow(help_);
  }
  help_->show();
  help_->raise();
}

}  // namespace tly::ui
