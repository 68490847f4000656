// Quellan.exe run as a child process under Wine, against the prefix's real registry and files.
#include <gtest/gtest.h>
#include <process.h>  // _wspawnl: runs a program to its end and gives its exit code

#include <filesystem>
#include <fstream>

#include "policy/autorun_policy.h"
#include "policy/reg_file.h"
#include "policy/registry.h"
#include "policy/win32_registry.h"
#include "win32/handles.h"

namespace quellan::policy {
namespace {

namespace fs = std::filesystem;

std::u16string Path(const PolicyLocation& at) { return std::u16string(at.keyPath); }
std::u16string Name(const PolicyLocation& at) { return std::u16string(at.valueName); }
void Delete(const PolicyLocation& at) {
  RegDeleteKeyValueW(reinterpret_cast<HKEY>(LONG_PTR{LONG(at.root)}), win32::Wide(Path(at)), win32::Wide(Name(at)));
}

// The stored high bits of the type mask survive; a file that cannot be written exits 1 (what is left
// behind is the file layer's); reg.exe imports the file as the four values a save writes. Every run
// is /quiet: a box would hold it open.
TEST(Export, WritesTheFileASaveWouldOrFailsWithItsExitCode) {
  const std::wstring q = fs::path(_pgmptr).parent_path().wstring() + L"\\..\\..\\src\\app\\Quellan.exe";
  const fs::path dir = fs::temp_directory_path() / (L"quellan-export-" + std::to_wstring(GetCurrentProcessId()));
  const auto in = [&](const wchar_t* name) { return L"\"" + (dir / name).wstring() + L"\""; };
  fs::create_directories(dir);
  Win32Registry reg;
  const std::int32_t stored[] = {5, -0x3FFFFFC, -111};  // 5, 0xFC000004, 0xFFFFFF91
  const std::array<std::int32_t, 4> saved{1, 4, -111, -111};
  for (int i = 0; i < 3; ++i)
    SetRegDword(reg, kSaveLocations[i].root, Path(kSaveLocations[i]), Name(kSaveLocations[i]), stored[i]);

  EXPECT_EQ(_wspawnl(_P_WAIT, q.c_str(), L"Quellan", L"/export", in(L"a.reg").c_str(), L"/quiet", nullptr), 0);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(std::ifstream(dir / L"a.reg", std::ios::binary).rdbuf()), {}),
            RegFileBytes(saved, ReadAutoplaySwitches(reg)));
  EXPECT_EQ(_wspawnl(_P_WAIT, q.c_str(), L"Quellan", L"/QUIET", L"/export", in(L"missing\\b.reg").c_str(), nullptr), 1);
  EXPECT_EQ(_wspawnl(_P_WAIT, q.c_str(), L"Quellan", L"/bogus", L"/quiet", nullptr), 2);

  for (const PolicyLocation& at : kSaveLocations) Delete(at);
  EXPECT_EQ(_wspawnlp(_P_WAIT, L"reg.exe", L"reg", L"import", in(L"a.reg").c_str(), nullptr), 0);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(GetRegValue(reg, kSaveLocations[i].root, Path(kSaveLocations[i]), Name(kSaveLocations[i]), kZeroDefault),
              RegValue{saved[i]});
  for (const PolicyLocation& at : kSaveLocations) Delete(at);
  // The switches travel as stored, on (1) and off (0), and an import over the other state gives them back.
  for (const int on : {1, 0}) {
    for (const auto& at : {kDisableAutoplay, kNoAutorun}) SetRegDword(reg, at.root, Path(at), Name(at), on);
    EXPECT_EQ(_wspawnl(_P_WAIT, q.c_str(), L"Quellan", L"/export", in(L"c.reg").c_str(), L"/quiet", nullptr), 0);
    for (const auto& at : {kDisableAutoplay, kNoAutorun}) SetRegDword(reg, at.root, Path(at), Name(at), 1 - on);
    EXPECT_EQ(_wspawnlp(_P_WAIT, L"reg.exe", L"reg", L"import", in(L"c.reg").c_str(), nullptr), 0);
    EXPECT_EQ(std::tuple(GetRegValue(reg, kHkeyCurrentUser, Path(kDisableAutoplay), u"DisableAutoplay", kZeroDefault),
                         GetRegValue(reg, kHkeyCurrentUser, Path(kNoAutorun), u"NoAutorun", kZeroDefault)),
              std::tuple(RegValue{std::int32_t{on}}, on ? RegValue{std::int32_t{1}} : kZeroDefault));
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace quellan::policy
