#include "ui/qtplatform.h"

#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <cmath>
#include <cstdio>

namespace tly::ui {

QString messageText(const std::string& text) {
  QString t = qs(text);
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t.replace(QChar('\r'), QChar('\n'));
  return t;
}

void installFontSubstitutions() {
  // Proportional faces first in each list; the fixed-pitch twin is the fallback.
  QFont::insertSubstitutions(QString::fromUtf8("ＭＳ Ｐ明朝"), {QStringLiteral("IPAPMincho"), QStringLiteral("IPAMincho")});
  QFont::insertSubstitutions(QString::fromUtf8("ＭＳ Ｐゴシック"), {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
  QFont::insertSubstitutions(QString::fromUtf8("ＭＳ 明朝"), {QStringLiteral("IPAMincho"), QStringLiteral("IPAPMincho")});
  QFont::insertSubstitutions(QString::fromUtf8("ＭＳ ゴシック"), {QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic")});
  // The same names as some files spell them with half-width letters.
  QFont::insertSubstitutions(QString::fromUtf8("MS P明朝"), {QStringLiteral("IPAPMincho")});
  QFont::insertSubstitutions(QString::fromUtf8("MS Pゴシック"), {QStringLiteral("IPAPGothic")});
  QFont::insertSubstitutions(QString::fromUtf8("MS 明朝"), {QStringLiteral("IPAMincho")});
  QFont::insertSubstitutions(QString::fromUtf8("MS ゴシック"), {QStringLiteral("IPAGothic")});
}

QFont toQFont(const FontInfo& f) {
  QFont q(f.name.empty() ? QString::fromUtf8("ＭＳ Ｐ明朝") : qs(f.name));
  q.setPointSizeF(f.size > 0 ? f.size : 9.0);
  q.setBold(f.bold);
  q.setItalic(f.italic);
  q.setUnderline(f.underline);
  return q;
}

FontInfo fromQFont(const QFont& q) {
  FontInfo f;
  f.name = us(q.family());
  f.size = static_cast<float>(q.pointSizeF() > 0 ? q.pointSizeF() : 9.0);
  f.bold = q.bold();
  f.italic = q.italic();
  f.underline = q.underline();
  return f;
}

QFont fontDialogStart(const FontInfo& current) {
  QFont q = toQFont(current);
  q.setFamily(QFontInfo(q).family());
  return q;
}

FontInfo fontDialogChoice(const FontInfo& current, const QFont& chosen) {
  FontInfo f = fromQFont(chosen);
  if (chosen.family().compare(QFontInfo(toQFont(current)).family(), Qt::CaseInsensitive) == 0) f.name = current.name;
  return f;
}

int twipsToPx(int twips, int dpi) { return toPixels(twips, dpi); }
int pxToTwips(int px, int dpi, int before) { return toTwips(px, dpi, before); }

int screenDpi() {
  QScreen* s = QGuiApplication::primaryScreen();
  int dpi = s ? static_cast<int>(std::lround(s->logicalDotsPerInch())) : 96;
  return dpi > 0 ? dpi : 96;
}

namespace {
bool g_answerNothing = false;
}  // namespace

void QtMessageBox::answerNothing(bool closeOpen) {
  g_answerNothing = true;
  if (!closeOpen) return;
  // The questions open now (each in its own nested event loop) close one after another.
  while (QWidget* w = QApplication::activeModalWidget()) {
    auto* d = qobject_cast<QDialog*>(w);
    if (!d || !d->isVisible()) break;
    d->reject();
    QCoreApplication::processEvents();
    if (QApplication::activeModalWidget() == w) break;
  }
}

bool QtMessageBox::answeringNothing() { return g_answerNothing; }

MsgResult QtMessageBox::show(const std::string& text, MsgButtons buttons, MsgIcon icon, const std::string& title) {
  auto unanswered = [buttons] { return buttons == MsgButtons::OK ? MsgResult::OK : MsgResult::Cancel; };
  if (g_answerNothing) {
    std::fprintf(stderr, "%s\n", text.c_str());
    return unanswered();
  }
  MsgResult r = showBox(text, buttons, icon, title);
  return g_answerNothing ? unanswered() : r;
}

MsgResult QtMessageBox::showBox(const std::string& text, MsgButtons buttons, MsgIcon icon, const std::string& title) {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(qs(title));
  box.setText(messageText(text));
  switch (icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
  }
  switch (buttons) {
    case MsgButtons::OK:
      box.setStandardButtons(QMessageBox::Ok);
      box.exec();
      return MsgResult::OK;
    case MsgButtons::OKCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Ok);
      box.button(QMessageBox::Cancel)->setText(QString::fromUtf8("ｷｬﾝｾﾙ"));
      return box.exec() == QMessageBox::Ok ? MsgResult::OK : MsgResult::Cancel;
    case MsgButtons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box.setDefaultButton(QMessageBox::Yes);
      box.button(QMessageBox::Yes)->setText(QString::fromUtf8("はい(&Y)"));
      box.button(QMessageBox::No)->setText(QString::fromUtf8("いいえ(&N)"));
      return box.exec() == QMessageBox::Yes ? MsgResult::Yes : MsgResult::No;
    case MsgButtons::OverwriteSaveAsCancel: {
      QPushButton* over = box.addButton(QString::fromUtf8("上書き"), QMessageBox::AcceptRole);
      QPushButton* saveAs = box.addButton(QString::fromUtf8("名前を付けて保存"), QMessageBox::ActionRole);
      QPushButton* cancel = box.addButton(QString::fromUtf8("キャンセル"), QMessageBox::RejectRole);
      // The safe answer is the default: Enter loses nothing.
      box.setDefaultButton(cancel);
      box.setEscapeButton(cancel);
      box.exec();
      const QAbstractButton* b = box.clickedButton();
      return b == over ? MsgResult::Yes : b == saveAs ? MsgResult::No : MsgResult::Cancel;
    }
  }
  return MsgResult::Cancel;
}

std::string QtInputBox::ask(const std::string& prompt, const std::string& title, const std::string& defaultText) {
  bool ok = false;
  QString t = QInputDialog::getText(QApplication::activeWindow(), qs(title), messageText(prompt), QLineEdit::Normal,
                                    qs(defaultText), &ok);
  return ok ? us(t) : std::string();
}

void QtClipboard::clear() { QGuiApplication::clipboard()->clear(); }
void QtClipboard::setText(const std::string& utf8) { QGuiApplication::clipboard()->setText(qs(utf8)); }
std::string QtClipboard::text() { return us(QGuiApplication::clipboard()->text()); }

namespace {
QString settingsKey(const std::string& section, const std::string& key) { return qs(section) + '/' + qs(key); }
}  // namespace

std::string QtSettingsStore::get(const std::string& app, const std::string& section, const std::string& key,
                                 const std::string& def) {
  auto read = [&](QSettings& s) {
    QVariant v = s.value(settingsKey(section, key));
    return v.isValid() ? us(v.toString()) : def;
  };
  if (!file_.isEmpty()) {
    QSettings s(file_, QSettings::IniFormat);
    s.beginGroup(qs(app));
    return read(s);
  }
  QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("TLY"), qs(app));
  return read(s);
}

void QtSettingsStore::set(const std::string& app, const std::string& section, const std::string& key,
                          const std::string& value) {
  if (!file_.isEmpty()) {
    QSettings s(file_, QSettings::IniFormat);
    s.beginGroup(qs(app));
    s.setValue(settingsKey(section, key), qs(value));
    return;
  }
  QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("TLY"), qs(app));
  s.setValue(settingsKey(section, key), qs(value));
}

FileDialogResult QtFileDialog::run(const FileDialogRequest& req) {
  QFileDialog dlg(QApplication::activeWindow(), qs(req.title), qs(req.initialDir));
  dlg.setAcceptMode(req.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dlg.setFileMode(req.folder ? QFileDialog::Directory : req.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (req.folder) dlg.setOption(QFileDialog::ShowDirsOnly, true);
  // The caller asks before replacing a file.
  dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
  QStringList filters;
  for (const FileFilter& f : req.filters) {
    QString label = qs(f.label);
    QString pattern = qs(f.pattern);
    // Qt reads the patterns from the parentheses; add them when the label lacks them.
    if (!label.contains('(')) label += QStringLiteral(" (") + pattern + ')';
    else if (!label.contains(pattern)) label = label.left(label.indexOf('(')).trimmed() + QStringLiteral(" (") + pattern + ')';
    filters << label;
  }
  if (!filters.isEmpty()) {
    dlg.setNameFilters(filters);
    int i = req.filterIndex >= 1 && req.filterIndex <= filters.size() ? req.filterIndex - 1 : 0;
    dlg.selectNameFilter(filters[i]);
  }
  if (!req.defaultExt.empty()) dlg.setDefaultSuffix(qs(req.defaultExt).toLower());
  if (!req.fileName.empty()) dlg.selectFile(qs(req.fileName));
  FileDialogResult r;
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) {
    r.status = FileDialogResult::Status::Cancelled;
    return r;
  }
  r.status = FileDialogResult::Status::Ok;
  r.path = us(dlg.selectedFiles().first());
  int idx = static_cast<int>(filters.indexOf(dlg.selectedNameFilter()));
  r.filterIndex = idx >= 0 ? idx + 1 : 1;
  return r;
}

std::optional<FontInfo> QtFontDialog::choose(const FontInfo& current) {
  bool ok = false;
  // Scalable fonts only: what is chosen prints as it shows.
  QFont f = QFontDialog::getFont(&ok, fontDialogStart(current), QApplication::activeWindow(), QString(),
                                 QFontDialog::ScalableFonts);
  if (!ok) return std::nullopt;
  return fontDialogChoice(current, f);
}

Date QtClock::today() {
  QDate d = QDate::currentDate();
  return Date{d.year(), d.month(), d.day()};
}

}  // namespace tly::ui
