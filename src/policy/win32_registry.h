#pragma once
// The system registry through advapi32's ANSI entry points.
#include <windows.h>

#include "policy/registry_api.h"

namespace quellan::policy {

// The entry points whose arguments the binding fixes, and the close; a test passes its own to see the calls.
struct Advapi32 {
  decltype(&RegCreateKeyExA) createKeyEx = &RegCreateKeyExA;
  decltype(&RegOpenKeyExA) openKeyEx = &RegOpenKeyExA;
  decltype(&RegQueryValueExA) queryValueEx = &RegQueryValueExA;
  decltype(&RegCloseKey) closeKey = &RegCloseKey;
};

class Win32Registry : public RegistryApi {
 public:
  explicit Win32Registry(const Advapi32& calls = {}) : m_calls(calls) {}
  std::int32_t CreateKey(std::uint32_t root, const std::string& path, KeyHandle* key) override;
  std::int32_t SetDword(KeyHandle key, const std::string& name, std::uint32_t value) override;
  std::int32_t DeleteValue(KeyHandle key, const std::string& name) override;
  std::int32_t OpenKey(std::uint32_t root, const std::string& path, KeyHandle* key) override;
  std::int32_t QuerySize(KeyHandle key, const std::string& name, std::uint32_t* type, std::uint32_t* size) override;
  std::int32_t QueryData(KeyHandle key, const std::string& name, std::uint8_t* data, std::uint32_t* size) override;
  void CloseKey(KeyHandle key) override;
  // In the system's ANSI code page (CP_ACP).
  std::string AnsiFromUtf16(const std::u16string& text) const override;
  std::u16string Utf16FromAnsi(const std::string& bytes) const override;
  // FormatMessage's text, or "Error <n>." when the system has none.
  std::u16string ErrorText(std::int32_t status) const override;

 private:
  Advapi32 m_calls;
};

}  // namespace quellan::policy
