// The safe-save writer on the system underneath (model/os.h): reads of every kind of path,
// replacements of one file and of a set, and the failures that must leave the old files
// whole. Runs on Linux and, cross-built, on Windows.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "io/safesave.h"
#include "model/os.h"
#include "support/tempdir.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tly {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

std::vector<std::string> namesIn(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir)) names.push_back(test::utf8Name(e.path()));
  std::sort(names.begin(), names.end());
  return names;
}

struct ReadCase {
  const char* name;
  int error;  // 0: read
};

class ReadKinds : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadKinds, EachKindIsReadOrRefusedWithItsError) {
  TempDir dir;
  writeBytes(dir.file("file"), std::string("A\0B\xFF", 4));
  writeBytes(dir.file("empty"), "");
  std::filesystem::create_directory(dir.file("folder"));
  Result<std::string> r = readFileContents(dir.file(GetParam().name));
  if (GetParam().error == 0) {
    ASSERT_TRUE(r) << r.failure().why;
    EXPECT_EQ(*r, readBytes(dir.file(GetParam().name)));
  } else {
    ASSERT_FALSE(r);
    EXPECT_EQ(r.failure().error, GetParam().error);
  }
}

INSTANTIATE_TEST_SUITE_P(Safesave, ReadKinds,
                         ::testing::Values(ReadCase{"file", 0}, ReadCase{"empty", 0}, ReadCase{"folder", EISDIR},
                                           ReadCase{"missing", ENOENT}),
                         [](const auto& info) { return std::string(info.param.name); });

// The smaller services the readers and the workbook writer use, on every system.
TEST(Safesave, TheSeamsSmallerServices) {
  TempDir dir;
  const std::string a = dir.file("a.dat");
  EXPECT_EQ(os::createEmptyFile(a), 0);
  EXPECT_EQ(readBytes(a), "");
  EXPECT_EQ(os::createEmptyFile(a), EEXIST) << "an existing file is never truncated";
  writeBytes(a, "kept");
  EXPECT_EQ(os::createEmptyFile(a), EEXIST);
  EXPECT_EQ(readBytes(a), "kept");
  EXPECT_EQ(os::createEmptyFile(dir.file("no folder/x.dat")), ENOENT);

  writeBytes(dir.file("b.dat"), "kept");
  EXPECT_TRUE(os::sameFile(a, dir.path() + "/./a.dat"));
  EXPECT_FALSE(os::sameFile(a, dir.file("b.dat"))) << "equal contents are not the same file";
  EXPECT_FALSE(os::sameFile(a, dir.file("missing.dat")));

  EXPECT_EQ(os::flushFileToDisk(a), 0);
  EXPECT_EQ(os::flushFileToDisk(dir.file("missing.dat")), ENOENT);
}

TEST(Safesave, ADeviceIsNoRegularFile) {
#ifdef _WIN32
  const std::string device = "NUL";
#else
  const std::string device = "/dev/null";
#endif
  Result<std::string> r = readFileContents(device);
  ASSERT_FALSE(r);
  EXPECT_EQ(r.failure().error, kErrNotRegularFile);
}

TEST(Safesave, ReplacesAndCreatesLeavingNoTemporaryFile) {
  TempDir dir;
  const std::string path = dir.file("年度.DAT");  // a Japanese name goes through wide paths on Windows
  ASSERT_TRUE(replaceFileContents(path, "first"));
  ASSERT_TRUE(replaceFileContents(path, std::string("second\0", 7)));
  EXPECT_EQ(readBytes(path), std::string("second\0", 7));
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"年度.DAT"});
}

TEST(Safesave, AFolderOrAReadOnlyFileIsNotReplaced) {
  TempDir dir;
  std::filesystem::create_directory(dir.file("folder"));
  Result<void> f = replaceFileContents(dir.file("folder"), "x");
  ASSERT_FALSE(f);
  EXPECT_EQ(f.failure().error, EISDIR);

  const std::string ro = dir.file("ro.DAT");
  writeBytes(ro, "old");
  std::filesystem::permissions(ro, std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                       std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
  Result<void> r = replaceFileContents(ro, "new");
  ASSERT_FALSE(r);
  EXPECT_EQ(r.failure().error, EACCES);
  EXPECT_EQ(readBytes(ro), "old");
  std::filesystem::permissions(ro, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
  EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"folder", "ro.DAT"}));
}

// The multi-file save with its Nth rename failing (the renames that put files back
// succeed): every previous file is back, a file that was not there before is gone,
// nothing else is left.
int renamesLeft = 0;
int failingRename(const char* from, const char* to) {
  if (renamesLeft-- == 0) {
    errno = ENOSPC;
    return -1;
  }
  std::error_code ec;
  std::filesystem::rename(from, to, ec);
  if (ec) errno = ec.value();
  return ec ? -1 : 0;
}

class SetSave : public ::testing::TestWithParam<int> {};

TEST_P(SetSave, AFailedRenameLeavesEveryPreviousFileWhole) {
  TempDir dir;
  writeBytes(dir.file("a.dat"), "old a");
  writeBytes(dir.file("b.das"), "old b");
  // c.daj is new.
  const std::vector<FileReplacement> files = {
      {dir.file("a.dat"), "new a"}, {dir.file("b.das"), "new b"}, {dir.file("c.daj"), "new c"}};
  renamesLeft = GetParam();
  std::vector<std::string> aside;
  Result<void> r = replaceFilesTogether(files, &aside, failingRename);
  ASSERT_FALSE(r);
  EXPECT_EQ(r.failure().error, ENOSPC);
  EXPECT_TRUE(aside.empty());
  EXPECT_EQ(readBytes(dir.file("a.dat")), "old a");
  EXPECT_EQ(readBytes(dir.file("b.das")), "old b");
  EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"a.dat", "b.das"}));
}

// Five renames make the save: a aside, a in, b aside, b in, c in.
INSTANTIATE_TEST_SUITE_P(Safesave, SetSave, ::testing::Range(0, 5));

TEST(Safesave, TheSetSaveReplacesAllThree) {
  TempDir dir;
  writeBytes(dir.file("a.dat"), "old a");
  const std::vector<FileReplacement> files = {{dir.file("a.dat"), "new a"}, {dir.file("b.das"), "new b"}};
  std::vector<std::string> aside;
  ASSERT_TRUE(replaceFilesTogether(files, &aside));
  EXPECT_EQ(readBytes(dir.file("a.dat")), "new a");
  EXPECT_EQ(readBytes(dir.file("b.das")), "new b");
  EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"a.dat", "b.das"}));
}

#ifdef _WIN32
// Another program holds the data file open without sharing it: ReplaceFileW fails, the
// save says so, and the old file is whole, with no temporary or backup file left.
TEST(SafesaveWindows, AFailedReplaceFileKeepsTheOldFileWhole) {
  TempDir dir;
  const std::string path = dir.file("JJTEMP3.DAT");
  writeBytes(path, "the old year");
  const std::wstring wpath = std::filesystem::path(path).wstring();
  HANDLE held = CreateFileW(wpath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Result<void> r = replaceFileContents(path, "the new year");
  CloseHandle(held);
  ASSERT_FALSE(r);
  EXPECT_EQ(r.failure().error, EBUSY);
  EXPECT_EQ(readBytes(path), "the old year");
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"JJTEMP3.DAT"});
}
#endif

}  // namespace
}  // namespace tly
