#include "session/files/ver2.h"

#include <algorithm>
#include <cerrno>
#include <cctype>
#include <cstdlib>
#include <vector>
#include <memory>

#include "model/basic.h"
#include "model/cp932.h"
#include "model/os.h"
#include "session/files/datafile.h"
#include "io/profile.h"
#include "io/safesave.h"
#include "session/files/yearswap.h"

namespace tly {

const char* const kOldWorkFileName = "JJTEMP.DAT";
const char* const kMsgVer2NameClash =
    "Ver.2 形式では、テキスト (.das) と時間割 (.daj) のファイルが同じ名前で一緒に保存されるため、"
    "この名前では保存できません。別の名前を指定してください。\r";

namespace {

constexpr const char* kTitlePrefix = "TLY 授業時数集計 - ";
constexpr const char* kCR = "\r";

std::string fileNamePart(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool fileExists(const std::string& path) {
  const os::FileKind k = os::fileFacts(path).kind;
  return k != os::FileKind::Missing && k != os::FileKind::Folder;
}

// Two names of one file: equal names (without regard to case, as on the FAT file systems
// of USB sticks), or one existing file under both.
bool sameFile(const std::string& a, const std::string& b) {
  if (a.size() == b.size() &&
      std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y)); }))
    return true;
  return os::sameFile(a, b);
}

std::string withCR(const std::string& a, const std::string& b) { return a + kCR + b; }

// The number of periods of the year being converted, asked until 5, 6 or 7 is given.
int askPeriods(App& app) {
  for (;;) {
    MsgResult r = app.msg(std::string("Ver.3のデータ形式に変換します。") + "\r\n" + "１日は６時限ですか？",
                          MsgButtons::YesNo, MsgIcon::None, "Ver.2データ読み込み");
    if (r == MsgResult::Yes) return 6;
    // With no input box there is nobody to ask: take the question's own answer.
    if (!app.P.input) return 6;
    std::string a = app.P.input->ask("１日の時限数を入力してください。（5～7）", "TLY", "");
    double n = roundHalfEven(Val(a));
    if (n >= 5 && n <= 7) return static_cast<int>(n);
  }
}

}  // namespace

// ---- The procedures

// The Open or Save As dialog of the older format; a dialog error other than cancel is
// reported here, and the caller treats every result but Ok as the end of the command.
static FileDialogResult runVer2Dialog(App& app, bool save) {
  FileDialogRequest req;
  req.save = save;
  req.title = save ? "ファイル名を付けて保存" : "ファイルを開く";
  req.filters = {{"Data File (*.DAT)", "*.DAT"}, {"All Files (*.*)", "*.*"}};
  req.filterIndex = 1;
  req.defaultExt = "DAT";
  req.initialDir = app.F.AppPath;
  FileDialogResult res = app.P.fileDialog ? app.P.fileDialog->run(req) : FileDialogResult{};
  if (res.status == FileDialogResult::Status::Error) app.msg("指定に誤りがあります。");
  return res;
}

Result<Ver2Read> loadVer2(App& app, std::string& name) {
  std::string path;
  if (name == kOldWorkFileName) {
    path = app.F.AppPath + kOldWorkFileName;
  } else if (name.empty()) {
    FileDialogResult res = runVer2Dialog(app, false);
    if (res.status != FileDialogResult::Status::Ok) return Failure{Fault::Cancelled, 0, ""};
    path = res.path;
  } else {
    path = name;
  }
  const bool fromDialog = name.empty();
  name.clear();

  // No readable, non-empty main file: nothing to convert (no older working file at start-up).
  Result<std::string> mainRead = readFileContents(path);
  if (!mainRead || mainRead->empty()) return Failure{Fault::NotFound, 0, ""};
  const std::string& mainBytes = *mainRead;
  if (fromDialog) app.F.CurFile = path;

  // The older format's grid: ten columns (set only once there is a file, so that the quiet
  // ends above change nothing).
  app.Grid1.setCols(10);
  app.Grid1.setColWidth(8, 560);
  app.Grid1.setColWidth(9, 2688);

  const int periods = askPeriods(app);

  auto finish = [&](Result<Ver2Read> o) {
    if (!o || *o != Ver2Read::Whole) app.F.CurFile.clear();
    app.W.caption = kTitlePrefix + app.F.CurFile;
    app.W.panel[0].clear();
    return o;
  };
  auto fail = [&](Failure f) {
    app.msg(withCR("データファイル(Ver.2)を読み込み中にエラーが発生しました。", "Error Code " + std::to_string(f.error)));
    return finish(f);
  };
  // A companion that cannot be read fails with the older program's number for its errno.
  auto unreadable = [&](Failure f) {
    f.error = errorNumberFor(f.error);
    return fail(f);
  };

  // The year is read into a copy and takes the place of the open one only when complete
  // (or when reading stops at a missing companion file, which keeps what was read).
  auto y = std::make_unique<SchoolYear>(app.Y);
  y->Jigen = static_cast<int16_t>(periods);
  y->Fs.FsColWidth[0] = 0;
  app.W.panel[0] = "ファイル読み込み中";

  auto commit = [&] {
    app.Y = std::move(*y);
    yearReplaced(app, ShownGrade::FirstIfMissing);
  };

  if (Result<void> d = decodeVer2Main(mainBytes, *y); !d) return fail(d.failure());

  const std::string base = ver2BaseName(path);
  Result<std::string> texts = readFileContents(base + ".das");
  if (texts.is(Fault::NotFound)) {
    (void)decodeVer2Texts({}, *y);  // clears the texts; nothing to fail on
    commit();
    return finish(Ver2Read::StoppedNoTexts);
  }
  if (!texts) return unreadable(texts.failure());
  Result<int> skippedLines = decodeVer2Texts(*texts, *y);
  if (!skippedLines) return fail(skippedLines.failure());
  if (*skippedLines > 0)
    app.msg("文字列ファイル(.das)の読み取れない " + std::to_string(*skippedLines) + " 行を読み飛ばしました。",
            MsgButtons::OK, MsgIcon::Exclamation, "TLY");

  Result<std::string> timetables = readFileContents(base + ".daj");
  if (timetables.is(Fault::NotFound)) {
    commit();
    return finish(Ver2Read::StoppedNoTimetables);
  }
  if (!timetables) return unreadable(timetables.failure());
  if (Result<void> d = decodeVer2Timetables(*timetables, *y); !d) return fail(d.failure());

  commit();
  return finish(Ver2Read::Whole);
}

void LoadJJ(App& app, std::string& name) { (void)loadVer2(app, name); }

Result<void> saveVer2(App& app, std::string& name) {
  std::string path;
  if (name == kOldWorkFileName) {
    path = app.F.AppPath + kOldWorkFileName;
  } else if (name.empty()) {
    FileDialogResult res = runVer2Dialog(app, true);
    if (res.status != FileDialogResult::Status::Ok) {
      name.clear();
      return Failure{Fault::Cancelled, 0, ""};
    }
    path = res.path;
    if (fileNamePart(path).find('.') == std::string::npos) path += ".dat";
    if (fileExists(path) &&
        app.msg(withCR("同名のファイルが存在します。", "上書きしてよろしいですか？"), MsgButtons::YesNo,
                MsgIcon::Exclamation, "TLY") != MsgResult::Yes) {
      name.clear();
      return Failure{Fault::Cancelled, 0, ""};
    }
    app.F.CurFile = path;
  } else {
    path = name;
  }
  name.clear();
  app.W.panel[0] = "ファイル保存中";

  const std::string base = ver2BaseName(path);
  const std::string files[3] = {replacementTarget(path), replacementTarget(base + ".das"),
                                replacementTarget(base + ".daj")};
  // A main file named like one of its companions ("x.das" has the text file "x.das")
  // would be written and then overwritten by the companion: refused before anything is
  // written.
  if (sameFile(files[0], files[1]) || sameFile(files[0], files[2])) {
    app.W.panel[0].clear();
    app.msg(kMsgVer2NameClash + fileNamePart(path), MsgButtons::OK, MsgIcon::Exclamation, "TLY");
    return Failure{Fault::BadArguments, 0, kMsgVer2NameClash + fileNamePart(path)};
  }
  Result<std::string> oldTimetables = readFileContents(files[2]);  // missing: nothing to keep
  Ver2Bytes bytes = encodeVer2(app.Y, oldTimetables ? *oldTimetables : std::string());

  // The three files are replaced as one: a failure at any step leaves the previous set.
  std::vector<std::string> leftAside;
  Result<void> written = replaceFilesTogether(
      {{files[0], bytes.main}, {files[1], bytes.texts}, {files[2], bytes.timetables}}, &leftAside);
  app.W.panel[0].clear();
  if (!written) {
    Failure f = written.failure();
    const int err = f.error;
    f.error = errorNumberFor(err);
    std::string text = withCR("データファイルを書き込み中にエラーが発生しました。", "Error Code " + std::to_string(errorNumberFor(err))) +
                       withCR("", path + ": " + ioErrorText(err));
    for (const auto& a : leftAside) text += withCR("", "以前のファイルは次の名前で残っています: " + a);
    app.msg(text);
    return f;
  }
  if (bytes.lossy)
    app.msg(kMsgLossySave, MsgButtons::OK, MsgIcon::Exclamation, "TLY");
  return {};
}

void SaveJJ(App& app, std::string& name) { (void)saveVer2(app, name); }

}  // namespace tly
