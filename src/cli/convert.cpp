// `tly convert IN OUT --to v2|v3 [--periods N] [--dir DIR]`: converts a year between the
// current data file and the older three-file set.

#include <cerrno>
#include <memory>
#include <ostream>

#include "cli/commands.h"
#include "model/os.h"
#include "cli/context.h"
#include "io/safesave.h"
#include "session/state/app.h"
#include "session/files/datafile.h"
#include "io/profile.h"
#include "session/files/settingsfile.h"
#include "session/windows/frmmain/navigation.h"
#include "session/files/ver2.h"

namespace tly::cli {

namespace {

// Messages go to the error stream; the period question of the older format's reader is
// answered from --periods.
class ConvertMessages : public ErrorStream, public InputBoxService {
 public:
  ConvertMessages(std::ostream& err, int periods) : ErrorStream(err), periods_(periods) {}
  MsgResult show(const std::string& text, MsgButtons buttons, MsgIcon icon, const std::string& title) override {
    if (buttons == MsgButtons::YesNo) return periods_ == 6 ? MsgResult::Yes : MsgResult::No;
    return ErrorStream::show(text, buttons, icon, title);
  }
  std::string ask(const std::string&, const std::string&, const std::string&) override {
    return std::to_string(periods_);
  }

 private:
  int periods_;
};

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

}  // namespace

Outcome cmdConvert(const Args& args, std::ostream& out, std::ostream& err) {
  std::vector<std::string> files;
  std::string to, dir;
  int periods = 6;
  for (ArgWalk walk(args); walk.next();) {
    const std::string& a = walk.arg();
    std::string v;
    if (a == "--to" || a == "--dir") {
      if (!walk.value(a == "--to" ? to : dir) || (a == "--dir" && dir.empty())) {
        err << a << " の値がありません。\n";
        return badArguments();
      }
    } else if (a == "--periods") {
      if (!walk.value(v) || (v != "5" && v != "6" && v != "7")) {
        return badArguments("--periods には 5、6、7 のいずれかを指定してください。");
      }
      periods = v[0] - '0';
    } else if (startsWith(a, "--")) {
      err << "不明なオプションです: " << a << "\n";
      return badArguments();
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 2 || (to != "v2" && to != "v3")) {
    return badArguments("使い方: tly convert IN OUT --to v2|v3 [--periods N] [--dir DIR]");
  }
  if (files[0].empty() || files[1].empty()) {
    err << (files[0].empty() ? "入力" : "出力") << "ファイル名が空です。\n";
    return badArguments();
  }
  const std::string in = inCurrentFolder(files[0]);
  const std::string outPath = inCurrentFolder(files[1]);
  // The settings folder must be there: otherwise the settings would be skipped unseen.
  if (!dir.empty()) {
    if (os::fileFacts(dir).kind != os::FileKind::Folder) {
      err << "設定ファイルのフォルダーが見つかりません: " << dir << "\n";
      return stopped();
    }
  }

  Context c(err);
  App* app = c.app.get();
  ConvertMessages console(err, periods);
  app->P.msg = &console;
  app->P.input = &console;
  if (!dir.empty()) {
    app->F.AppPath = dir.back() == '/' ? dir : dir + "/";
    app->F.IniFile = app->F.AppPath + "tly.ini";
  }

  Result<std::string> head = readFileContents(in);
  if (!head) {
    const int e = head.failure().error;
    if (head.is(Fault::NotFound)) return stopped("ファイルが見つかりません。: " + in);
    return stopped("ファイルを読み込めません: " + in + ": " + ioErrorText(e) + " (Error Code " + std::to_string(e) + ")");
  }
  if (head->empty()) return stopped("ファイルが空です: " + in);
  if (startsWith(*head, kFileSig)) {
    if (Outcome opened = openYear(c, in); !opened) return opened;
  } else {
    std::string name = in;
    Result<Ver2Read> read = loadVer2(*app, name);
    if (!read) {
      // Nothing there to convert, or a failure the reader has shown.
      if (read.is(Fault::NotFound) || read.is(Fault::Cancelled)) return stopped("ファイルが見つかりません。: " + in);
      return shown(read.failure());
    }
    if (*read == Ver2Read::StoppedNoTexts) return stopped("テキストファイルが見つかりません。: " + ver2BaseName(in) + ".das");
    if (*read == Ver2Read::StoppedNoTimetables)
      return stopped("時間割ファイルが見つかりません。: " + ver2BaseName(in) + ".daj");
    if (!dir.empty()) {
      GetMainIni(*app);
    } else {
      // Without a settings folder the settings take their defaults, but the grade count
      // stays the one the main file holds, so that no grade is lost.
      int16_t ggn = app->Y.Ggn;
      getMainIniFrom(*app, nullptr);
      app->Y.Ggn = ggn;
      if (app->S.CurGr < 1 || app->S.CurGr > ggn) app->S.CurGr = 1;
      fillGradeSelector(*app);
    }
  }

  if (to == "v2") {
    std::string target = outPath;
    if (Result<void> r = saveVer2(*app, target); !r) return shown(r.failure());
    if (!dir.empty()) PutMainIni(*app);
  } else {
    if (Result<void> r = writeDataFileAt(*app, outPath); !r) return shown(r.failure());
  }
  out << "変換しました: " << outPath << "\n";
  return {};
}

}  // namespace tly::cli
