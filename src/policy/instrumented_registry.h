#pragma once
// A registry layer that records every call passed through it, counts the keys opened and closed,
// and can make chosen calls fail with a chosen status instead of reaching the registry below. It
// wraps the in-memory registry and, in tests, the real one.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "policy/registry_api.h"

namespace quellan::policy {

enum class RegCall { CreateKeyEx, SetValueEx, OpenKeyEx, QueryValueEx, CloseKey };

// One call as it was made. Fields a call does not have keep their zero values.
struct RegCallRecord {
  RegCall call = RegCall::CreateKeyEx;
  std::int32_t status = 0;
  std::uint32_t root = 0;  // for calls on a key handle: the root the key was opened under
  std::string keyPath;     // likewise the key's path
  std::string valueName;
  KeyHandle handle = 0;  // the key handle passed in, or for CreateKeyEx/OpenKeyEx the one returned
  std::uint32_t reserved = 0;
  bool reservedGiven = false;  // QueryValueEx: a reserved pointer was passed
  std::string className;
  std::uint32_t options = 0;
  std::uint32_t access = 0;
  bool securityGiven = false;
  bool inheritHandle = false;
  std::uint32_t type = 0;  // SetValueEx: the type written; QueryValueEx: the type reported
  bool dataGiven = false;  // QueryValueEx: a data buffer was passed
  std::uint32_t sizeIn = 0;
  std::uint32_t sizeOut = 0;
  std::vector<std::uint8_t> data;  // SetValueEx: the bytes written
};

// Makes matching calls fail with status without reaching the registry below. Unset fields match
// anything; keyPath and valueName compare without regard to ASCII case. The first `skip` matching
// calls go through, the next `times` fail (times < 0: every one; a spent rule matches nothing). When
// several rules could fail a call, the first one added does. A failed CreateKeyEx or OpenKeyEx
// returns key 0; a failed CloseKey leaves the key open.
struct InjectedFailure {
  RegCall call = RegCall::CreateKeyEx;
  std::int32_t status = kErrorAccessDenied;
  std::optional<std::uint32_t> root{};
  std::optional<std::string> keyPath{};
  std::optional<std::string> valueName{};
  int skip = 0;
  int times = 1;
};

class InstrumentedRegistry : public RegistryApi {
 public:
  explicit InstrumentedRegistry(RegistryApi& inner) : m_inner(inner) {}

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
  std::string AnsiFromUtf16(const std::u16string& text) const override { return m_inner.AnsiFromUtf16(text); }
  std::u16string Utf16FromAnsi(const std::string& bytes) const override { return m_inner.Utf16FromAnsi(bytes); }
  std::u16string ErrorText(std::int32_t status) const override { return m_inner.ErrorText(status); }

  void InjectFailure(InjectedFailure failure) { m_failures.push_back(std::move(failure)); }
  void ClearFailures() { m_failures.clear(); }

  const std::vector<RegCallRecord>& Calls() const { return m_calls; }
  void ClearCalls() { m_calls.clear(); }

  int OpenKeys() const { return static_cast<int>(m_open.size()); }  // opened and not yet closed
  int Opened() const { return m_opened; }                           // successful creates and opens
  int Closed() const { return m_closed; }                           // closes of an open key
  int BadCloses() const { return m_badCloses; }  // closes of a key not open (never opened, or closed already)

 private:
  struct OpenKey {
    std::uint32_t root;
    std::string path;
  };
  std::optional<std::int32_t> Injected(RegCall call, std::uint32_t root, const std::string& keyPath,
                                       const std::string& valueName);
  OpenKey KeyOf(KeyHandle key) const;
  void Opening(std::int32_t status, KeyHandle key, std::uint32_t root, const std::string& path);

  RegistryApi& m_inner;
  std::vector<InjectedFailure> m_failures;
  std::vector<RegCallRecord> m_calls;
  std::map<KeyHandle, OpenKey> m_open;
  int m_opened = 0;
  int m_closed = 0;
  int m_badCloses = 0;
};

// ASCII case-insensitive equality, the way key paths and value names compare.
bool EqualNoCase(const std::string& a, const std::string& b);

}  // namespace quellan::policy
