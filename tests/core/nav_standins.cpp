// Temporary stand-ins for the month grid and the data file while those modules are not on
// this branch yet. They keep only what the start-up, file and navigation rules observe:
// the year number, grades, periods and shown grade travel through the file; the grid
// gets its month row count and the selectors their texts. Removed when the real code lands.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/datafile.h"
#include "view/monthgrid.h"
#include "navfakes.h"

namespace tly {

void SetJJGrid(App& app) {
  app.Grid1.setCols(app.Y.Jigen + 4);
  app.Grid1.setRows(32);
  app.Grid1.FixedCols = 2;
  app.Grid1.setCurrent(0, app.Y.Jigen + 3);
}

void DispJJ(App& app, int, int month) {
  if (app.S.CurGr < 1) app.S.CurGr = 1;
  int len = app.Y.JJ[app.S.CurGr - 1][month][0][0];
  int r0 = app.Grid1.Row < 1 ? 1 : app.Grid1.Row, c0 = app.Grid1.Col;
  app.Grid1.setRows(len + 1 >= 29 ? len + 1 : 32);
  app.Grid1.setCurrent(r0, c0);
  app.W.panel[1] = " " + std::to_string(app.Y.nendo()) + " 年度";
  auto& g = app.W.cmbGr;
  if (app.S.CurGr - 1 < static_cast<int>(g.items.size())) g.text = g.items[app.S.CurGr - 1];
  auto& m = app.W.cmbMonth;
  int mi = month >= 4 ? month - 4 : month + 8;
  if (mi >= 0 && mi < static_cast<int>(m.items.size())) m.text = m.items[mi];
}

void SetRowHeight(App&) {}
void ResetRowHeight(App&) {}

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
