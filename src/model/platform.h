// Services the rules call on, behind small interfaces. The desktop program implements
// them with Qt; tests and the command line use scripted or silent implementations.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tly {

// OverwriteSaveAsCancel: the buttons 上書き (answered Yes), 名前を付けて保存 (No) and
// キャンセル (Cancel).
enum class MsgButtons { OK, OKCancel, YesNo, OverwriteSaveAsCancel };
enum class MsgIcon { None, Information, Question, Exclamation, Critical };
enum class MsgResult { OK, Cancel, Yes, No };

class MessageBoxService {
 public:
  virtual ~MessageBoxService() = default;
  virtual MsgResult show(const std::string& text, MsgButtons buttons, MsgIcon icon,
                         const std::string& title) = 0;
};

class InputBoxService {
 public:
  virtual ~InputBoxService() = default;
  // The entered text; "" when cancelled (as the old input box did).
  virtual std::string ask(const std::string& prompt, const std::string& title,
                          const std::string& defaultText) = 0;
};

class ClipboardService {
 public:
  virtual ~ClipboardService() = default;
  virtual void clear() = 0;
  virtual void setText(const std::string& utf8) = 0;
  virtual std::string text() = 0;
};

// Per-user settings store: text values by application, section and key.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::string get(const std::string& app, const std::string& section, const std::string& key,
                          const std::string& def) = 0;
  virtual void set(const std::string& app, const std::string& section, const std::string& key,
                   const std::string& value) = 0;
};

struct FileFilter {
  std::string label;    // "Data File (*.DAT)"
  std::string pattern;  // "*.DAT"
};

struct FileDialogRequest {
  bool save = false;
  std::string title;
  std::vector<FileFilter> filters;
  int filterIndex = 1;  // 1-based
  std::string defaultExt;
  std::string fileName;
  std::string initialDir;
  bool folder = false;  // a folder is chosen (title and initialDir only)
};

struct FileDialogResult {
  enum class Status { Ok, Cancelled, Error } status = Status::Cancelled;
  std::string path;
  int filterIndex = 1;  // 1-based, the filter chosen
};

class FileDialogService {
 public:
  virtual ~FileDialogService() = default;
  // The save dialog does not itself ask about replacing a file: the caller asks.
  virtual FileDialogResult run(const FileDialogRequest& req) = 0;
};

struct FontInfo {
  std::string name;
  float size = 9;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool operator==(const FontInfo&) const = default;
};

class FontDialogService {
 public:
  virtual ~FontDialogService() = default;
  virtual std::optional<FontInfo> choose(const FontInfo& current) = 0;
};

// A printer or a PDF file, addressed in twips from the top left of the printable area.
// One run is one document of pages. A failing output (printer gone, disk full) throws
// std::runtime_error with a message for the user.
class PrintDevice {
 public:
  virtual ~PrintDevice() = default;
  virtual int pageWidth() = 0;   // twips
  virtual int pageHeight() = 0;  // twips
  virtual double twipsPerPixel() = 0;
  virtual void beginDocument() = 0;
  // Finishes the document: the pages go to the printer or the file appears.
  virtual void endDocument() = 0;
  // Drops the document begun (an aborted or failed run): nothing is printed or written.
  virtual void abortDocument() = 0;
  virtual void beginPage() = 0;
  virtual void endPage() = 0;
  virtual void setFont(const FontInfo& f) = 0;
  // Size of a text in the current font, in twips.
  virtual int textWidth(const std::string& s) = 0;
  virtual int textHeight(const std::string& s) = 0;
  // A text whose top left corner is at (x, y), in the current font.
  virtual void text(int x, int y, const std::string& s) = 0;
  // Line width in device pixels, for the rectangles drawn after it.
  virtual void setLineWidth(int pixels) = 0;
  // A black rectangle outline from (x1, y1) to (x2, y2).
  virtual void rectangle(int x1, int y1, int x2, int y2) = 0;
};

// The printer the user chose, and PDF files.
class PrinterService {
 public:
  virtual ~PrinterService() = default;
  // The printer set-up dialog; false when cancelled.
  virtual bool setup() = 0;
  // A device on the chosen printer; nullptr when no printer is available.
  virtual std::unique_ptr<PrintDevice> printer() = 0;
  // A device writing a PDF file at path. The file appears only when the document ends;
  // until then it is written under another name, so a failed run leaves nothing behind.
  virtual std::unique_ptr<PrintDevice> pdf(const std::string& path) = 0;
};

struct Date {
  int year = 2000, month = 1, day = 1;
  bool operator==(const Date&) const = default;
};

class ClockService {
 public:
  virtual ~ClockService() = default;
  virtual Date today() = 0;
};

// All services together; any may be null where a front end has no use for it.
struct Platform {
  MessageBoxService* msg = nullptr;
  InputBoxService* input = nullptr;
  ClipboardService* clipboard = nullptr;
  SettingsStore* settings = nullptr;
  FileDialogService* fileDialog = nullptr;
  FontDialogService* fontDialog = nullptr;
  ClockService* clock = nullptr;
  PrinterService* printer = nullptr;
};

}  // namespace tly
