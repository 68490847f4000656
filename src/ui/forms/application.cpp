#include "ui/forms/application.h"

#include <vector>

#ifndef QUELLAN_VERSION_MAJOR
#define QUELLAN_VERSION_MAJOR 1
#endif
#ifndef QUELLAN_VERSION_MINOR
#define QUELLAN_VERSION_MINOR 0
#endif

namespace quellan::forms {

namespace {

// The query for the product name in the string table of the first language and code page the
// resource lists ("\StringFileInfo\041904b0\ProductName").
std::u16string ProductNameQuery(const void* block) {
  struct LangCodePage {
    WORD language;
    WORD codePage;
  };
  LangCodePage* pairs = nullptr;
  UINT bytes = 0;
  // U.S. English, Unicode: what resource compilers write when the resource names no translation.
  DWORD translation = 0x040904B0;
  if (VerQueryValueW(block, L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&pairs), &bytes) &&
      bytes >= sizeof(LangCodePage))
    translation = static_cast<DWORD>(pairs[0].language) << 16 | pairs[0].codePage;
  std::u16string query = u"\\StringFileInfo\\";
  for (int shift = 28; shift >= 0; shift -= 4) query += u"0123456789abcdef"[(translation >> shift) & 0xF];
  return query + u"\\ProductName";
}

}  // namespace

ApplicationInfo BuiltInApplicationInfo() { return {u"Quellan", QUELLAN_VERSION_MAJOR, QUELLAN_VERSION_MINOR}; }

ApplicationInfo ApplicationInfoOf(const wchar_t* path) {
  ApplicationInfo info = BuiltInApplicationInfo();
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
  if (size == 0) return info;
  std::vector<unsigned char> block(size);
  if (!GetFileVersionInfoW(path, 0, size, block.data())) return info;

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT bytes = 0;
  if (VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &bytes) &&
      bytes >= sizeof(VS_FIXEDFILEINFO) && fixed->dwSignature == VS_FFI_SIGNATURE) {
    info.major = HIWORD(fixed->dwFileVersionMS);
    info.minor = LOWORD(fixed->dwFileVersionMS);
  }

  const std::u16string query = ProductNameQuery(block.data());
  wchar_t* name = nullptr;
  UINT length = 0;
  if (VerQueryValueW(block.data(), reinterpret_cast<const wchar_t*>(query.c_str()), reinterpret_cast<void**>(&name),
                     &length) &&
      name && length > 0 && name[0] != L'\0')
    info.title = reinterpret_cast<const char16_t*>(name);
  return info;
}

ApplicationInfo Application() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return BuiltInApplicationInfo();
    if (n < path.size()) break;
    path.resize(path.size() * 2);  // a long path was cut short
  }
  return ApplicationInfoOf(path.data());
}

}  // namespace quellan::forms
