// Temporary stand-ins for the data file while that module is not on this branch yet. They
// keep only what the start-up and file rules observe: the year number, grades, periods and
// shown grade travel through the file. Removed when the real code lands.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/datafile.h"
#include "navfakes.h"

namespace tly {

void LoadJJ3(App& app, std::string& name) {
  std::string path;
  if (name == "JJTEMP3.DAT") {
    path = app.S.AppPath + name;
  } else {
    FileDialogRequest req;
    req.title = "ファイルを開く";
    auto r = app.P.fileDialog->run(req);
    if (r.status != FileDialogResult::Status::Ok) {
      name.clear();
      return;
    }
    path = r.path;
    app.S.CurFile = path;
  }
  name.clear();
  if (!std::filesystem::exists(path)) std::ofstream(path, std::ios::binary).flush();
  std::istringstream in(navtest::slurp(path));
  std::string sig;
  int nendo = 0, ggn = 0, jigen = 0, gr = 0;
  if (!(in >> sig >> nendo >> ggn >> jigen >> gr) || sig != "TLY300") return;
  navtest::makeYear(app, nendo, ggn, jigen);
  app.S.CurYear = nendo;
  app.W.cmbGr.select(gr);
  app.W.caption = "TLY 授業時数集計 - " + app.S.CurFile;
}

void SaveJJ3(App& app, std::string& name) {
  std::string path;
  if (name == "JJTEMP3.DAT") {
    path = app.S.AppPath + name;
  } else if (!name.empty()) {
    path = name;
  } else {
    FileDialogRequest req;
    req.save = true;
    req.title = "ファイル名を付けて保存";
    auto r = app.P.fileDialog->run(req);
    if (r.status != FileDialogResult::Status::Ok) return;
    path = r.path;
    if (path.find('.') == std::string::npos) path += ".dat";
    if (std::filesystem::exists(path) &&
        app.msg("同名のファイルが存在します。\r上書きしてよろしいですか？", MsgButtons::YesNo, MsgIcon::Exclamation,
                "TLY") != MsgResult::Yes) {
      name.clear();
      return;
    }
    app.S.CurFile = path;
  }
  name.clear();
  std::ofstream(path, std::ios::binary) << "TLY300 " << app.Y.nendo() << ' ' << app.Y.Ggn << ' ' << app.Y.Jigen << ' '
                                        << app.W.cmbGr.index << '\n';
}

}  // namespace tly
