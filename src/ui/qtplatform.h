// Qt implementations of the platform services the rules call on (message box, input box,
// clipboard, per-user settings, file dialog, font dialog, clock).
#pragma once

#include <QFont>
#include <QString>
#include <QWidget>
#include <memory>
#include <string>

#include "model/platform.h"
#include "ui/printdevice.h"
#include "model/twips.h"

namespace tly::ui {

inline QString qs(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
inline std::string us(const QString& s) { return s.toUtf8().toStdString(); }

// Message texts may break lines with LF, CR or CR LF; Qt wants LF only.
QString messageText(const std::string& text);

// Windows font names found in data files, rendered through installed IPA faces.
void installFontSubstitutions();
QFont toQFont(const FontInfo& f);
FontInfo fromQFont(const QFont& f);
// The font dialog opens on the installed face a font is drawn in (a Windows name such as
// "ＭＳ Ｐ明朝" is in no font list, so the dialog would otherwise show another face), and
// what it gives back keeps the font's own name while that face is still the one chosen.
QFont fontDialogStart(const FontInfo& current);
FontInfo fontDialogChoice(const FontInfo& current, const QFont& chosen);

// Twips <-> device pixels at the screen's logical resolution (1440 twips per inch);
// pxToTwips keeps `before` when it still gives px (model/twips.h).
int twipsToPx(int twips, int dpi);
int pxToTwips(int px, int dpi, int before = -1);
int screenDpi();

class QtMessageBox : public MessageBoxService {
 public:
  MsgResult show(const std::string& text, MsgButtons buttons, MsgIcon icon, const std::string& title) override;
  // While the program is being ended (a signal, the display gone) no question waits for
  // an answer: each box shown or open is closed unanswered, which gives OK for an OK box
  // and Cancel for every other (so that nothing a No would discard is discarded).
  // closeOpen: also close the boxes open now (not when the display is gone).
  static void answerNothing(bool closeOpen = true);
  static bool answeringNothing();

 private:
  static MsgResult showBox(const std::string& text, MsgButtons buttons, MsgIcon icon, const std::string& title);
};

class QtInputBox : public InputBoxService {
 public:
  std::string ask(const std::string& prompt, const std::string& title, const std::string& defaultText) override;
};

class QtClipboard : public ClipboardService {
 public:
  void clear() override;
  void setText(const std::string& utf8) override;
  std::string text() override;
};

// QSettings under organisation "TLY": application and section from the caller, values as
// text. With a file name, one INI file holds everything (tests and portable use).
class QtSettingsStore : public SettingsStore {
 public:
  QtSettingsStore() = default;
  explicit QtSettingsStore(QString iniFile) : file_(std::move(iniFile)) {}
  std::string get(const std::string& app, const std::string& section, const std::string& key,
                  const std::string& def) override;
  void set(const std::string& app, const std::string& section, const std::string& key,
           const std::string& value) override;

 private:
  QString file_;
};

class QtFileDialog : public FileDialogService {
 public:
  FileDialogResult run(const FileDialogRequest& req) override;
};

class QtFontDialog : public FontDialogService {
 public:
  std::optional<FontInfo> choose(const FontInfo& current) override;
};

class QtClock : public ClockService {
 public:
  Date today() override;
};

// One set of the Qt services, owned together.
struct QtPlatform {
  QtMessageBox msg;
  QtInputBox input;
  QtClipboard clipboard;
  std::unique_ptr<QtSettingsStore> settings = std::make_unique<QtSettingsStore>();
  QtFileDialog fileDialog;
  QtFontDialog fontDialog;
  QtClock clock;
  QtPrinters printers;
  Platform platform() {
    return Platform{&msg, &input, &clipboard, settings.get(), &fileDialog, &fontDialog, &clock, &printers};
  }
};

}  // namespace tly::ui
