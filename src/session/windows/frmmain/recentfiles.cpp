#include "session/windows/frmmain/recentfiles.h"


#include <algorithm>

#include "model/os.h"
#include "session/files/datafile.h"
#include "session/windows/frmmain/lifecycle.h"

namespace tly {

const char* const kMsgRecentMissing = "が見つかりません。\r最近使ったファイルの一覧から削除しますか？";

namespace {

std::string recentKey(int i) { return "Recent" + std::to_string(i + 1); }

void storeList(App& app, const std::vector<std::string>& list) {
  for (int i = 0; i < kRecentFiles; ++i)
    app.storeSetting(recentKey(i), i < static_cast<int>(list.size()) ? list[static_cast<size_t>(i)] : "");
}

std::string folderOf(const std::string& path) {
  auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string fileNameOf(const std::string& path) {
  auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool isFile(const std::string& path) {
  return os::fileFacts(path).kind == os::FileKind::Regular;
}

}  // namespace

std::vector<std::string> recentFiles(App& app) {
  std::vector<std::string> out;
  for (int i = 0; i < kRecentFiles; ++i) {
    std::string p = app.setting(recentKey(i), "");
    // A control character cannot come from a real path here; such an entry is dropped.
    bool clean = std::none_of(p.begin(), p.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    if (!p.empty() && clean && std::find(out.begin(), out.end(), p) == out.end()) out.push_back(p);
  }
  return out;
}

void rememberRecentFile(App& app, const std::string& path) {
  if (path.empty() || path == app.F.AppPath + kWorkFileName) return;
  std::vector<std::string> list = recentFiles(app);
  list.erase(std::remove(list.begin(), list.end(), path), list.end());
  list.insert(list.begin(), path);
  if (list.size() > static_cast<size_t>(kRecentFiles)) list.resize(kRecentFiles);
  storeList(app, list);
  if (std::string f = folderOf(path); !f.empty()) app.storeSetting("LastFolder", f);
}

void forgetRecentFile(App& app, const std::string& path) {
  std::vector<std::string> list = recentFiles(app);
  list.erase(std::remove(list.begin(), list.end(), path), list.end());
  storeList(app, list);
}

std::string recentFileCaption(int index, const std::string& path) {
  // "&&" keeps an ampersand in the name from becoming the entry's access key.
  std::string name;
  for (char c : fileNameOf(path)) name += c == '&' ? std::string("&&") : std::string(1, c);
  return "&" + std::to_string(index + 1) + " " + name;
}

bool openRecentFile(App& app, int index) {
  std::vector<std::string> list = recentFiles(app);
  if (index < 0 || index >= static_cast<int>(list.size()) || app.V.tally) return false;
  const std::string path = list[static_cast<size_t>(index)];
  if (!isFile(path)) {
    if (app.msg("「" + path + "」" + kMsgRecentMissing, MsgButtons::YesNo, MsgIcon::Question, "TLY") ==
        MsgResult::Yes)
      forgetRecentFile(app, path);
    return false;
  }
  return openNamedFile(app, path);
}

}  // namespace tly
