#pragma once
// A registry held in memory: a short buffer gets ERROR_MORE_DATA and the size needed, chosen calls
// fail, open keys are counted. Its ANSI code page is Latin-1; its error text is "Error <n>.".
#include <map>
#include <string>

#include "policy/autorun_policy.h"

namespace quellan::policy::harness {

constexpr std::int32_t kErrorFileNotFound = 2, kErrorMoreData = 234;

enum class RegCall { CreateKeyEx, SetValueEx, OpenKeyEx, QueryValueEx, CloseKey };

using Stored = std::pair<std::uint32_t, std::string>;  // a value's type and data

class FakeRegistry : public RegistryApi {
 public:
  std::int32_t CreateKeyEx(std::uint32_t root, const std::string& subKey, std::uint32_t, const std::string&,
                           std::uint32_t, std::uint32_t, const SecurityAttributes*, KeyHandle* result,
                           std::uint32_t*) override {
    return Open(RegCall::CreateKeyEx, {root, subKey}, result);
  }
  std::int32_t OpenKeyEx(std::uint32_t root, const std::string& subKey, std::uint32_t, std::uint32_t,
                         KeyHandle* result) override {
    return Open(RegCall::OpenKeyEx, {root, subKey}, result);
  }
  std::int32_t SetValueEx(KeyHandle key, const std::string& name, std::uint32_t, std::uint32_t type,
                          const std::uint8_t* data, std::uint32_t size) override {
    if (const std::int32_t status = Status(RegCall::SetValueEx, m_open.count(key))) return status;
    m_values[{m_open[key], name}] = {type, std::string(data, data + size)};
    return kErrorSuccess;
  }
  std::int32_t QueryValueEx(KeyHandle key, const std::string& name, std::uint32_t*, std::uint32_t* type,
                            std::uint8_t* data, std::uint32_t* size) override {
    if (const std::int32_t status = Status(RegCall::QueryValueEx, m_open.count(key))) return status;
    const auto value = m_values.find({m_open[key], name});
    if (value == m_values.end()) return kErrorFileNotFound;
    const auto needed = static_cast<std::uint32_t>(value->second.second.size());
    const bool fits = !data || *size >= needed;
    if (data && fits) value->second.second.copy(reinterpret_cast<char*>(data), needed);
    if (type) *type = value->second.first;
    *size = needed;
    return fits ? kErrorSuccess : kErrorMoreData;
  }
  std::int32_t CloseKey(KeyHandle key) override { return Status(RegCall::CloseKey, m_open.erase(key)); }
  std::string AnsiFromUtf16(const std::u16string& text) const override { return {text.begin(), text.end()}; }
  std::u16string Utf16FromAnsi(const std::string& bytes) const override {
    const auto* begin = reinterpret_cast<const unsigned char*>(bytes.data());
    return {begin, begin + bytes.size()};
  }
  std::u16string ErrorText(std::int32_t status) const override {
    return Utf16FromAnsi("Error " + std::to_string(status) + ".");
  }

  // Stores a value directly; not counted as a call.
  void Seed(const PolicyLocation& at, const Stored& value) {
    m_values[{{at.root, Name(at.keyPath)}, Name(at.valueName)}] = value;
  }
  // What is stored there; type 0 and no data when nothing is.
  Stored Find(const PolicyLocation& at) const {
    const auto value = m_values.find({{at.root, Name(at.keyPath)}, Name(at.valueName)});
    return value == m_values.end() ? Stored{} : value->second;
  }
  // Makes the index-th call of this kind (counted from 0) fail with status, without effect.
  void Fail(RegCall call, int index, std::int32_t status) { m_failures[{call, index}] = status; }
  // Every key opened has been closed.
  bool Balanced() const { return m_open.empty(); }

 private:
  using KeyId = std::pair<std::uint32_t, std::string>;  // root and path
  std::string Name(std::u16string_view text) const { return AnsiFromUtf16(std::u16string(text)); }
  // The failure chosen for this call, else ERROR_INVALID_HANDLE for a key that is not open.
  std::int32_t Status(RegCall call, bool keyOpen = true) {
    const auto failure = m_failures.find({call, m_calls[call]++});
    if (failure != m_failures.end()) return failure->second;
    return keyOpen ? kErrorSuccess : 6 /* ERROR_INVALID_HANDLE */;
  }
  // Every key exists: a missing one holds no values.
  std::int32_t Open(RegCall call, const KeyId& id, KeyHandle* result) {
    *result = 0;
    if (const std::int32_t status = Status(call)) return status;
    m_open[*result = m_nextHandle += 4] = id;
    return kErrorSuccess;
  }

  std::map<std::pair<KeyId, std::string>, Stored> m_values;
  std::map<KeyHandle, KeyId> m_open;
  KeyHandle m_nextHandle = 0x1000;
  std::map<RegCall, int> m_calls;
  std::map<std::pair<RegCall, int>, std::int32_t> m_failures;
};

}  // namespace quellan::policy::harness
