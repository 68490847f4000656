#include "policy/win32_registry.h"

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

// Keys are created with every access right, no class, default options and a handle no child
// process inherits; they are opened only to query values.
std::int32_t Win32Registry::CreateKey(std::uint32_t root, const std::string& path, KeyHandle* key) {
  char noClass[] = "";  // the entry point takes the class through a non-const pointer
  HKEY opened = nullptr;
  const LONG status =
      m_calls.createKeyEx(RootKey(root), path.c_str(), 0, noClass, 0, KEY_ALL_ACCESS, nullptr, &opened, nullptr);
  *key = status == ERROR_SUCCESS ? reinterpret_cast<KeyHandle>(opened) : 0;
  return status;
}

std::int32_t Win32Registry::SetDword(KeyHandle key, const std::string& name, std::uint32_t value) {
  const DWORD data = value;
  return RegSetValueExA(OpenedKey(key), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
}

std::int32_t Win32Registry::DeleteValue(KeyHandle key, const std::string& name) {
  return RegDeleteValueA(OpenedKey(key), name.c_str());
}

std::int32_t Win32Registry::OpenKey(std::uint32_t root, const std::string& path, KeyHandle* key) {
  HKEY opened = nullptr;
  const LONG status = m_calls.openKeyEx(RootKey(root), path.c_str(), 0, KEY_QUERY_VALUE, &opened);
  *key = status == ERROR_SUCCESS ? reinterpret_cast<KeyHandle>(opened) : 0;
  return status;
}

// DWORD is not std::uint32_t on every compiler, so the out-parameters pass through locals.
std::int32_t Win32Registry::QuerySize(KeyHandle key, const std::string& name, std::uint32_t* type,
                                      std::uint32_t* size) {
  DWORD typeValue = 0, sizeValue = 0;
  const LONG status = m_calls.queryValueEx(OpenedKey(key), name.c_str(), nullptr, &typeValue, nullptr, &sizeValue);
  *type = typeValue;
  *size = sizeValue;
  return status;
}

std::int32_t Win32Registry::QueryData(KeyHandle key, const std::string& name, std::uint8_t* data, std::uint32_t* size) {
  DWORD sizeValue = *size;
  const LONG status = m_calls.queryValueEx(OpenedKey(key), name.c_str(), nullptr, nullptr, data, &sizeValue);
  *size = sizeValue;
  return status;
}

void Win32Registry::CloseKey(KeyHandle key) { m_calls.closeKey(OpenedKey(key)); }

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
