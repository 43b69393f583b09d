#include "ui/frmabout.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QSysInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "session/windows/frmmain/lifecycle.h"
#include "ui/frmmain.h"
#include "ui/qtplatform.h"

namespace tly::ui {

const char* const kVersion = "3.0.0";
const char* const kHelpIndex = "qrc:/help/index.html";

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
  browser_ = new QTextBrowser(this);
  browser_->setObjectName(QStringLiteral("helpText"));
  browser_->setOpenExternalLinks(false);
  browser_->setSource(QUrl(QString::fromLatin1(kHelpIndex)));
  v->addWidget(browser_);
  auto* row = new QHBoxLayout;
  auto* back = new QPushButton(QString::fromUtf8("戻る(&B)"), this);
  back->setObjectName(QStringLiteral("cmdBack"));
  auto* home = new QPushButton(QString::fromUtf8("目次(&C)"), this);
  home->setObjectName(QStringLiteral("cmdContents"));
  auto* close = new QPushButton(QString::fromUtf8("閉じる"), this);
  close->setObjectName(QStringLiteral("cmdClose"));
  close->setDefault(true);
  row->addWidget(back);
  row->addWidget(home);
  row->addStretch();
  row->addWidget(close);
  v->addLayout(row);
  back->setEnabled(false);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
  connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(home, &QPushButton::clicked, browser_, &QTextBrowser::home);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  // Esc closes the window wherever the focus is in it, as in a dialog; the text view
  // would otherwise take the key for itself.
  browser_->installEventFilter(this);
  auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  esc->setContext(Qt::WindowShortcut);
  connect(esc, &QShortcut::activated, this, &QWidget::close);
  resize(640, 600);
}

bool HelpWindow::eventFilter(QObject* o, QEvent* e) {
  if (o == browser_ && (e->type() == QEvent::KeyPress || e->type() == QEvent::ShortcutOverride) &&
      static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
    if (e->type() == QEvent::KeyPress) close();
    e->accept();
    return true;
  }
  return QWidget::eventFilter(o, e);
}

QString HelpWindow::helpHtml() { return pageHtml(QStringLiteral("index.html")); }

QString HelpWindow::pageHtml(const QString& page) {
  QFile f(QStringLiteral(":/help/") + page);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(f.readAll());
}

void HelpWindow::showPage(const QString& page) {
  browser_->setSource(QUrl(QStringLiteral("qrc:/help/") + page));
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
