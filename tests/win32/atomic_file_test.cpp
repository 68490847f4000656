// Files replaced whole in a scratch folder of the prefix's temporary folder.
#include "win32/atomic_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace quellan::win32 {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& file) {
  return std::string(std::istreambuf_iterator<char>(std::ifstream(file, std::ios::binary).rdbuf()), {});
}

// Stream names, device paths and names and shortcuts are refused before anything is created; an
// existing file is replaced whole; while a replacement is in progress its folder cannot be renamed
// away (to put a junction to another folder in its place), and nothing but the target is left.
TEST(FileReplacement, WritesOnlyAPlainFileInTheFolderItHolds) {
  const fs::path dir = fs::temp_directory_path() / (L"quellan-atomic-" + std::to_wstring(GetCurrentProcessId()));
  fs::create_directories(dir);
  const std::u16string in = dir.u16string() + u"\\";
  for (const std::u16string& refused :
       {in + u"x.reg:s", in + u"x.reg:s:$DATA", in + u"NUL.reg", in + u"com1", in + u"Con .txt", in + u"x.reg.LNK",
        in + u"x\\", u"\\\\.\\" + in + u"x.reg", u"\\\\?\\" + in + u"x.reg", std::u16string(u"C:x.reg")})
    EXPECT_EQ(WriteFileAtomically(refused, "data"), DWORD{ERROR_INVALID_NAME}) << fs::path(refused).string();
  EXPECT_TRUE(fs::is_empty(dir));

  std::ofstream(dir / "x.reg") << "old contents, longer than the new";
  {
    FileReplacement replacement(in + u"x.reg");
    EXPECT_FALSE(MoveFileExW((dir).c_str(), (dir.wstring() + L"-moved").c_str(), 0)) << "the folder was moved away";
    EXPECT_EQ(Read(dir / "x.reg"), "old contents, longer than the new");
    EXPECT_EQ(replacement.Commit("new"), DWORD{ERROR_SUCCESS});
  }
  EXPECT_EQ(Read(dir / "x.reg"), "new");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);
  { FileReplacement abandoned(in + u"y.reg"); }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1) << "an abandoned temporary file was left";
  fs::remove_all(dir);
}

}  // namespace
}  // namespace quellan::win32
