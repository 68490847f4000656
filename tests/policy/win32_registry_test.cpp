// The registry routines on the system's registry, in a scratch key.
#include "policy/win32_registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <random>

#include "policy/registry.h"
#include "win32/handles.h"

namespace quellan::policy {
namespace {

using namespace std::string_literals;

// advapi32 as the binding calls it: a call is noted ("size": a query without a buffer), its fixed arguments checked.
std::vector<std::string> g_calls;
LONG WINAPI CreateKeyEx(HKEY root, LPCSTR path, DWORD reserved, LPSTR className, DWORD options, REGSAM access,
                        LPSECURITY_ATTRIBUTES security, PHKEY key, LPDWORD disposition) {
  g_calls.push_back("create");
  EXPECT_EQ(std::tuple(reserved, std::string(className), options, access, security),
            std::tuple(0ul, "", 0ul, KEY_ALL_ACCESS, nullptr));
  return RegCreateKeyExA(root, path, reserved, className, options, access, security, key, disposition);
}
LONG WINAPI OpenKeyEx(HKEY root, LPCSTR path, DWORD options, REGSAM access, PHKEY key) {
  g_calls.push_back("open");
  EXPECT_EQ(std::tuple(options, access), std::tuple(0ul, DWORD{KEY_QUERY_VALUE}));
  return RegOpenKeyExA(root, path, options, access, key);
}
LONG WINAPI QueryValueEx(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size) {
  g_calls.push_back(data ? "read " + std::to_string(*size) : "size");
  return RegQueryValueExA(key, name, reserved, type, data, size);
}
LONG WINAPI CloseKey(HKEY key) {
  g_calls.push_back("close");
  return RegCloseKey(key);
}

// In a fresh scratch key, each value with a guard byte after it, read through the binding (what GetRegValue makes
// of each type and text: its fuzzer on the double): the ANSI code page, a text without a NUL, a long one cut at its
// NUL, one too long to read. A missing key is only opened; a write creates the whole path.
TEST(Win32Registry, ReadsAndWritesTheSystemsRegistry) {
  const std::string scratch = "Software\\QuellanTest\\" + std::to_string(std::random_device()());
  win32::UniqueHandle<HKEY, win32::CloseWith<&RegCloseKey>> key;
  RegCreateKeyExA(HKEY_CURRENT_USER, scratch.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.out(), nullptr);
  Win32Registry reg({&CreateKeyEx, &OpenKeyEx, &QueryValueEx, &CloseKey});
  const std::u16string path = reg.Utf16FromAnsi(scratch);
  const RegValue fallback{std::int16_t{-7}};
  // clang-format off
  const std::tuple<std::uint32_t, std::string, std::optional<RegValue>> cases[] = {
      {kRegDword, "\xFF\xFF\xFF\xFF", std::int32_t{-1}}, {kRegSz, "145  ", u"145"},
      {kRegSz, "caf\xE9\0"s, u"caf\u00E9"},
      {kRegSz, std::string(40000, 'x') + '\0' + std::string(30000, 'y'), std::u16string(40000, u'x')},
      {kRegSz, std::string((16 << 20) + 1, 'x'), std::nullopt}};
  // clang-format on
  char name[] = "A";
  for (const auto& [type, data, expected] : cases) {
    const std::string guarded = data + '?';
    RegSetValueExA(key.get(), name, 0, type, reinterpret_cast<const BYTE*>(guarded.data()), DWORD(data.size()));
    const RegValue read = GetRegValue(reg, kHkeyCurrentUser, path, reg.Utf16FromAnsi(name), fallback);
    EXPECT_TRUE(read == expected.value_or(fallback)) << name;  // not EXPECT_EQ: 70,000 characters
    ++name[0];
  }
  g_calls.clear();
  EXPECT_EQ(GetRegValue(reg, kHkeyCurrentUser, path, u"A", fallback), RegValue{std::int32_t{-1}});
  EXPECT_EQ(GetRegValue(reg, kHkeyCurrentUser, path + u"\\Missing", u"A", fallback), fallback);
  EXPECT_EQ(SetRegDword(reg, kHkeyCurrentUser, path + u"\\New\\Deeper", u"Value", -2), kErrorSuccess);
  EXPECT_EQ(g_calls, (std::vector<std::string>{"open", "size", "read 4", "close", "open", "create", "close"}));
  EXPECT_EQ(GetRegValue(reg, kHkeyCurrentUser, path + u"\\New\\Deeper", u"Value", kZeroDefault),
            RegValue{std::int32_t{-2}});
  const std::u16string denied = reg.ErrorText(ERROR_ACCESS_DENIED);
  EXPECT_TRUE(denied != u"Error 5." && denied.find_first_of(u"\r\n") == std::u16string::npos) << denied.size();
  EXPECT_EQ(reg.ErrorText(0x7FFFFFF0), u"Error 2147483632.");
  key.reset();
  EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, scratch.c_str()), ERROR_SUCCESS);
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\QuellanTest");  // only once no other run is using it
}

}  // namespace
}  // namespace quellan::policy
