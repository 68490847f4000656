#pragma once
// The system registry through advapi32's ANSI entry points.
#include "policy/registry_api.h"

namespace quellan::policy {

class Win32Registry : public RegistryApi {
 public:
  std::int32_t CreateKeyEx(std::uint32_t root, const std::string& subKey, std::uint32_t reserved,
                           const std::string& className, std::uint32_t options, std::uint32_t samDesired,
                           const SecurityAttributes* security, KeyHandle* result, std::uint32_t* disposition) override;
  std::int32_t SetValueEx(KeyHandle key, const std::string& valueName, std::uint32_t reserved, std::uint32_t type,
                          const std::uint8_t* data, std::uint32_t size) override;
  std::int32_t OpenKeyEx(std::uint32_t root, const std::string& subKey, std::uint32_t options, std::uint32_t samDesired,
                         KeyHandle* result) override;
  std::int32_t QueryValueEx(KeyHandle key, const std::string& valueName, std::uint32_t* reserved, std::uint32_t* type,
                            std::uint8_t* data, std::uint32_t* size) override;
  std::int32_t CloseKey(KeyHandle key) override;
  // In the system's ANSI code page (CP_ACP).
  std::string AnsiFromUtf16(const std::u16string& text) const override;
  std::u16string Utf16FromAnsi(const std::string& bytes) const override;
  // FormatMessage's text, or "Error <n>." when the system has none.
  std::u16string ErrorText(std::int32_t status) const override;
};

}  // namespace quellan::policy
