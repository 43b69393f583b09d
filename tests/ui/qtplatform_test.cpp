// The Qt side of the platform services: the settings store under "TLY", message texts
// with CR line breaks, twips on screen, and Windows font names reaching the IPA faces.
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontInfo>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include "support/tempdir.h"
#include "ui/desktop.h"
#include "ui/qtplatform.h"

using namespace tly;
using namespace tly::ui;

class QtPlatformTest : public QObject {
  Q_OBJECT
 private slots:
  void settingsStoreKeepsTextBySection();
  void messageTextBreaksLinesOnCrAndLf();
  void twipsConvertAtTheScreenResolution();
  void windowsFontNamesRenderWithIpaFaces();
  void qtDialogTextsAreJapaneseInAnyLocale();
};

void QtPlatformTest::qtDialogTextsAreJapaneseInAnyLocale() {
  QLocale::setDefault(QLocale::c());
  QVERIFY(installJapaneseQtTexts(*qApp));
  QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Open);
  QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QString::fromUtf8("キャンセル"));
  QFileDialog dlg;
  dlg.setOption(QFileDialog::DontUseNativeDialog);
  QVERIFY(!dlg.findChildren<QPushButton*>().isEmpty());
  for (QPushButton* b : dlg.findChildren<QPushButton*>()) QVERIFY2(b->text() != "Cancel", qPrintable(b->text()));
}

void QtPlatformTest::settingsStoreKeepsTextBySection() {
  test::TempDir tmp;
  const QString dir = QString::fromStdString(tmp.path());
  // The default store: organisation "TLY", redirected into the temporary folder.
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir);
  QtSettingsStore store;
  QCOMPARE(store.get("TLY", "Settings", "MainLeft", "1000"), std::string("1000"));
  store.set("TLY", "Settings", "MainLeft", "1440");
  store.set("TLY", "Settings", "ExTLY", "0");
  store.set("TLY", "Other", "MainLeft", "7");
  QtSettingsStore again;
  QCOMPARE(again.get("TLY", "Settings", "MainLeft", "1000"), std::string("1440"));
  QCOMPARE(again.get("TLY", "Other", "MainLeft", ""), std::string("7"));
  QCOMPARE(again.get("TLY", "Settings", "ExTLY", "5"), std::string("0"));
  QVERIFY(QFile::exists(dir + "/TLY/TLY.ini"));

  // A store in one named file keeps Japanese text as it was given.
  QtSettingsStore file(dir + "/one.ini");
  file.set("TLY", "Settings", "Font", "ＭＳ Ｐ明朝");
  QCOMPARE(QtSettingsStore(dir + "/one.ini").get("TLY", "Settings", "Font", ""), std::string("ＭＳ Ｐ明朝"));
  QCOMPARE(store.get("TLY", "Settings", "Font", "none"), std::string("none"));
}

void QtPlatformTest::messageTextBreaksLinesOnCrAndLf() {
  QCOMPARE(messageText("同名のファイルが存在します。\r上書きしてよろしいですか？"),
           QString("同名のファイルが存在します。\n上書きしてよろしいですか？"));
  QCOMPARE(messageText("a\r\nb\nc"), QString("a\nb\nc"));
}

void QtPlatformTest::twipsConvertAtTheScreenResolution() {
  QCOMPARE(twipsToPx(1440, 96), 96);
  QCOMPARE(twipsToPx(336, 96), 22);
  QCOMPARE(twipsToPx(1440, 144), 144);
  for (int px : {0, 1, 13, 433, 1920}) QCOMPARE(twipsToPx(pxToTwips(px, 96), 96), px);
}

void QtPlatformTest::windowsFontNamesRenderWithIpaFaces() {
  installFontSubstitutions();
  const std::pair<const char*, const char*> pairs[] = {
      {"ＭＳ Ｐ明朝", "IPAPMincho"}, {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"ＭＳ 明朝", "IPAMincho"}, {"ＭＳ ゴシック", "IPAGothic"}};
  for (const auto& [win, ipa] : pairs) {
    FontInfo f{win, 10.5f, true, false, false};
    QFont q = toQFont(f);
    QCOMPARE(QFontInfo(q).family(), QString::fromLatin1(ipa));
    QCOMPARE(q.pointSizeF(), 10.5);
    QVERIFY(q.bold());
    QCOMPARE(fromQFont(q).name, std::string(win));  // the data keeps the Windows name
  }
}

QTEST_MAIN(QtPlatformTest)
#include "qtplatform_test.moc"
