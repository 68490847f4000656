#pragma once
// A registry held in memory for the tests and the fuzzer, behaving as the system's does for the
// calls the program makes: names compare without regard to ASCII case, a call needs the right it
// uses (an unknown key has none), a short buffer gets ERROR_MORE_DATA and the size needed. Chosen
// calls fail; open keys are counted. Its ANSI code page is Latin-1 ("?" above U+00FF); its error
// text is "Error <n>.".
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "policy/registry_api.h"

namespace quellan::policy::testing {

constexpr std::uint32_t kKeySetValue = 0x0002;
constexpr std::int32_t kErrorFileNotFound = 2, kErrorInvalidHandle = 6, kErrorMoreData = 234;

enum class RegCall { CreateKeyEx, SetValueEx, OpenKeyEx, QueryValueEx };

class FakeRegistry : public RegistryApi {
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
  std::string AnsiFromUtf16(const std::u16string& text) const override;
  std::u16string Utf16FromAnsi(const std::string& bytes) const override;
  std::u16string ErrorText(std::int32_t status) const override;

  // Stores a value directly, creating its key; not counted as a call.
  void Seed(std::uint32_t root, std::u16string_view keyPath, std::u16string_view valueName, std::uint32_t type,
            const std::string& data);
  // The value stored there if it is a 4-byte REG_DWORD.
  std::optional<std::int32_t> StoredDword(std::uint32_t root, std::u16string_view keyPath,
                                          std::u16string_view valueName) const;
  // Makes the index-th call of this kind (counted from 0) fail with status, without effect.
  void Fail(RegCall call, int index, std::int32_t status) { m_failures[{call, index}] = status; }
  // Every key opened has been closed, and nothing else was.
  bool Balanced() const { return m_open.empty() && m_badCloses == 0; }

 private:
  using KeyId = std::pair<std::uint32_t, std::string>;                // root and lower-case path
  using Value = std::pair<std::uint32_t, std::vector<std::uint8_t>>;  // type and data
  std::int32_t Injected(RegCall call);
  std::int32_t Open(RegCall call, const KeyId& id, std::uint32_t access, KeyHandle* result);

  std::map<KeyId, std::map<std::string, Value>> m_keys;         // values by lower-case name
  std::map<KeyHandle, std::pair<KeyId, std::uint32_t>> m_open;  // with the rights it was opened with
  KeyHandle m_nextHandle = 0x1000;
  int m_badCloses = 0;
  std::map<RegCall, int> m_calls;
  std::map<std::pair<RegCall, int>, std::int32_t> m_failures;
};

}  // namespace quellan::policy::testing
