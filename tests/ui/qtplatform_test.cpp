// The Qt side of the platform services: the settings store under "TLY", message texts
// with CR line breaks, twips on screen, and Windows font names reaching the IPA faces.
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>

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
  void fontDialogOpensOnTheDrawnFaceAndKeepsTheName_data();
  void fontDialogOpensOnTheDrawnFaceAndKeepsTheName();
  void fontDialogOkWithoutAChangeKeepsTheStoredFont();
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

void QtPlatformTest::fontDialogOpensOnTheDrawnFaceAndKeepsTheName_data() {
  QTest::addColumn<QString>("stored");
  QTest::addColumn<QString>("face");     // the face the grid is drawn in, and the dialog opens on
  QTest::addColumn<QString>("picked");   // the face chosen in the dialog
  QTest::addColumn<QString>("saved");    // the name the grid keeps afterwards
  const QString pm = QString::fromUtf8("ＭＳ Ｐ明朝"), pg = QString::fromUtf8("ＭＳ Ｐゴシック");
  QTest::newRow("明朝 kept") << pm << "IPAPMincho" << "IPAPMincho" << pm;
  QTest::newRow("明朝 to Gothic") << pm << "IPAPMincho" << "IPAPGothic" << "IPAPGothic";
  QTest::newRow("ゴシック kept") << pg << "IPAPGothic" << "IPAPGothic" << pg;
  QTest::newRow("fixed ゴシック kept") << QString::fromUtf8("ＭＳ ゴシック") << "IPAGothic" << "IPAGothic"
                                     << QString::fromUtf8("ＭＳ ゴシック");
  QTest::newRow("installed face kept") << "IPAMincho" << "IPAMincho" << "IPAMincho" << "IPAMincho";
  QTest::newRow("installed face changed") << "IPAMincho" << "IPAMincho" << "IPAPGothic" << "IPAPGothic";
}

void QtPlatformTest::fontDialogOpensOnTheDrawnFaceAndKeepsTheName() {
  QFETCH(QString, stored);
  QFETCH(QString, face);
  QFETCH(QString, picked);
  QFETCH(QString, saved);
  installFontSubstitutions();
  const FontInfo current{us(stored), 10.5f, true, false, false};
  const QFont start = fontDialogStart(current);
  QCOMPARE(start.family(), face);
  QCOMPARE(start.pointSizeF(), 10.5);
  QVERIFY(start.bold());
  QFont chosen = start;
  chosen.setFamily(picked);
  chosen.setPointSizeF(12);
  const FontInfo after = fontDialogChoice(current, chosen);
  QCOMPARE(qs(after.name), saved);
  QCOMPARE(after.size, 12.0f);
  QVERIFY(after.bold);
}

// The real dialog, answered OK as it opened.
void QtPlatformTest::fontDialogOkWithoutAChangeKeepsTheStoredFont() {
  installFontSubstitutions();
  QString shownFace;
  QTimer::singleShot(0, [&] {
    auto* d = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
    if (!d) return;
    shownFace = d->currentFont().family();
    d->accept();
  });
  QtFontDialog dialog;
  const FontInfo current{"ＭＳ Ｐ明朝", 9.0f, false, false, false};
  const std::optional<FontInfo> got = dialog.choose(current);
  QCOMPARE(shownFace, QStringLiteral("IPAPMincho"));
  QVERIFY(got.has_value());
  QCOMPARE(got->name, current.name);
  QCOMPARE(got->size, 9.0f);
  QVERIFY(!got->bold);
}

QTEST_MAIN(QtPlatformTest)
#include "qtplatform_test.moc"
