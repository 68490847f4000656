#include "policy/win32_registry.h"

#include <windows.h>

namespace quellan::policy {
namespace {

// The predefined roots are 32-bit values that the system's key handles carry sign-extended.
HKEY RootKey(std::uint32_t root) {
  return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(static_cast<std::int32_t>(root))));
}

HKEY OpenedKey(KeyHandle key) { return reinterpret_cast<HKEY>(key); }

// Registry names are short and values longer than 16 MiB are never read, so every length fits.
int Length(std::size_t size) { return static_cast<int>(size); }

}  // namespace

std::int32_t Win32Registry::CreateKeyEx(std::uint32_t root, const std::string& subKey, std::uint32_t reserved,
                                        const std::string& className, std::uint32_t options, std::uint32_t samDesired,
                                        const SecurityAttributes* security, KeyHandle* result,
                                        std::uint32_t* disposition) {
  SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, security && security->inheritHandle ? TRUE : FALSE};
  std::string classText = className;  // the entry point takes the class through a non-const pointer
  HKEY opened = nullptr;
  DWORD created = 0;
  const LONG status = RegCreateKeyExA(RootKey(root), subKey.c_str(), reserved, &classText[0], options, samDesired,
                                      security ? &attributes : nullptr, &opened, &created);
  if (result) *result = status == ERROR_SUCCESS ? reinterpret_cast<KeyHandle>(opened) : 0;
  if (disposition && status == ERROR_SUCCESS) *disposition = created;
  return status;
}

std::int32_t Win32Registry::SetValueEx(KeyHandle key, const std::string& valueName, std::uint32_t reserved,
                                       std::uint32_t type, const std::uint8_t* data, std::uint32_t size) {
  return RegSetValueExA(OpenedKey(key), valueName.c_str(), reserved, type, data, size);
}

std::int32_t Win32Registry::OpenKeyEx(std::uint32_t root, const std::string& subKey, std::uint32_t options,
                                      std::uint32_t samDesired, KeyHandle* result) {
  HKEY opened = nullptr;
  const LONG status = RegOpenKeyExA(RootKey(root), subKey.c_str(), options, samDesired, &opened);
  if (result) *result = status == ERROR_SUCCESS ? reinterpret_cast<KeyHandle>(opened) : 0;
  return status;
}

std::int32_t Win32Registry::QueryValueEx(KeyHandle key, const std::string& valueName, std::uint32_t* reserved,
                                         std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) {
  // DWORD is not std::uint32_t on every compiler, so the out-parameters pass through locals that
  // start with the caller's values.
  DWORD reservedValue = reserved ? *reserved : 0;
  DWORD typeValue = type ? *type : 0;
  DWORD sizeValue = size ? *size : 0;
  const LONG status = RegQueryValueExA(OpenedKey(key), valueName.c_str(), reserved ? &reservedValue : nullptr,
                                       type ? &typeValue : nullptr, data, size ? &sizeValue : nullptr);
  if (type) *type = typeValue;
  if (size) *size = sizeValue;
  return status;
}

std::int32_t Win32Registry::CloseKey(KeyHandle key) { return RegCloseKey(OpenedKey(key)); }

std::string Win32Registry::AnsiFromUtf16(const std::u16string& text) const {
  if (text.empty()) return std::string();
  const auto* wide = reinterpret_cast<const wchar_t*>(text.c_str());
  const int length = Length(text.size());
  const int needed = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return std::string();
  std::string bytes(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, length, &bytes[0], needed, nullptr, nullptr);
  return bytes;
}

std::u16string Win32Registry::Utf16FromAnsi(const std::string& bytes) const {
  if (bytes.empty()) return std::u16string();
  const int length = Length(bytes.size());
  const int needed = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
  if (needed <= 0) return std::u16string();
  std::u16string text(static_cast<std::size_t>(needed), u'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(&text[0]), needed);
  return text;
}

std::u16string Win32Registry::ErrorText(std::int32_t status) const {
  wchar_t buffer[512];
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                static_cast<DWORD>(status), 0, buffer, sizeof buffer / sizeof buffer[0], nullptr);
  while (length > 0 && (buffer[length - 1] == L'\r' || buffer[length - 1] == L'\n' || buffer[length - 1] == L' '))
    --length;
  if (length == 0) {
    const std::string number = "Error " + std::to_string(status) + ".";
    return std::u16string(number.begin(), number.end());
  }
  return std::u16string(reinterpret_cast<const char16_t*>(buffer), length);
}

}  // namespace quellan::policy
