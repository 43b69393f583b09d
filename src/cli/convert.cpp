// `tly convert IN OUT --to v2|v3 [--periods N] [--dir DIR]`: converts a year between the
// current data file and the older three-file set.
#include <memory>
#include <ostream>

#include "cli/commands.h"
#include "io/safesave.h"
#include "session/appstate.h"
#include "session/datafile.h"
#include "io/profile.h"
#include "session/settingsfile.h"
#include "session/navigation.h"
#include "session/ver2.h"

namespace tly::cli {

namespace {

// Messages go to the error stream; the period question is answered from --periods.
class ConsoleMessages : public MessageBoxService, public InputBoxService {
 public:
  ConsoleMessages(std::ostream& err, int periods) : err_(err), periods_(periods) {}
  MsgResult show(const std::string& text, MsgButtons buttons, MsgIcon, const std::string&) override {
    if (buttons == MsgButtons::YesNo) return periods_ == 6 ? MsgResult::Yes : MsgResult::No;
    std::string t = text;
    for (char& c : t)
      if (c == '\r') c = '\n';
    err_ << t << "\n";
    return MsgResult::OK;
  }
  std::string ask(const std::string&, const std::string&, const std::string&) override {
    return std::to_string(periods_);
  }

 private:
  std::ostream& err_;
  int periods_;
};

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

}  // namespace

int cmdConvert(const Args& args, std::ostream& out, std::ostream& err) {
  std::vector<std::string> files;
  std::string to, dir;
  int periods = 6;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& v) {
      if (i + 1 >= args.size()) return false;
      v = args[++i];
      return true;
    };
    std::string v;
    if (a == "--to" || a == "--dir") {
      if (!value(a == "--to" ? to : dir) || (a == "--dir" && dir.empty())) {
        err << a << " の値がありません。\n";
        return 2;
      }
    } else if (a == "--periods") {
      if (!value(v) || (v != "5" && v != "6" && v != "7")) {
        err << "--periods には 5、6、7 のいずれかを指定してください。\n";
        return 2;
      }
      periods = v[0] - '0';
    } else if (startsWith(a, "--")) {
      err << "不明なオプションです: " << a << "\n";
      return 2;
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 2 || (to != "v2" && to != "v3")) {
    err << "使い方: tly convert IN OUT --to v2|v3 [--periods N] [--dir DIR]\n";
    return 2;
  }
  // The working files' bare names would mean the program folder: here they name files in
  // the current folder, as any other name does.
  auto here = [](const std::string& f) { return f == kOldWorkFileName || f == kWorkFileName ? "./" + f : f; };
  const std::string in = here(files[0]);
  const std::string outPath = here(files[1]);

  auto app = std::make_unique<App>();
  ConsoleMessages console(err, periods);
  app->P.msg = &console;
  app->P.input = &console;
  if (!dir.empty()) {
    app->S.AppPath = dir.back() == '/' ? dir : dir + "/";
    app->S.IniFile = app->S.AppPath + "tly.ini";
  }

  std::string head;
  if (int e = readFileContents(in, &head); e != 0 || head.empty()) {
    err << "ファイルが見つかりません。: " << in << "\n";
    return 1;
  }
  if (startsWith(head, kFileSig)) {
    app->S.CurFile = in;
    std::string why;
    if (readDataFileAt(*app, in, &why) != LoadOutcome::Loaded) {
      if (!why.empty()) err << in << ": " << why << "\n";
      return 1;
    }
  } else {
    std::string name = in;
    switch (loadVer2(*app, name)) {
      case Ver2LoadOutcome::Read:
        break;
      case Ver2LoadOutcome::StoppedNoTexts:
        err << "テキストファイルが見つかりません。: " << ver2BaseName(in) << ".das\n";
        return 1;
      case Ver2LoadOutcome::StoppedNoTimetables:
        err << "時間割ファイルが見つかりません。: " << ver2BaseName(in) << ".daj\n";
        return 1;
      case Ver2LoadOutcome::NoFile:
      case Ver2LoadOutcome::Cancelled:
        err << "ファイルが見つかりません。: " << in << "\n";
        return 1;
      case Ver2LoadOutcome::Failed:
        return 1;
    }
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
    if (saveVer2(*app, target) != Ver2SaveOutcome::Written) return 1;
    if (!dir.empty()) PutMainIni(*app);
  } else {
    if (writeDataFileAt(*app, outPath) != SaveOutcome::Saved) return 1;
  }
  out << "変換しました: " << outPath << "\n";
  return 0;
}

}  // namespace tly::cli
