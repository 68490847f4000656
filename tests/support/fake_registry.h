#pragma once
// A registry in memory: a short buffer gets ERROR_MORE_DATA and the size needed, chosen calls fail, keys are counted
// open and closed. Its ANSI code page is Latin-1; its error text "Error <n>.".
#include <map>
#include <string>

#include "policy/autorun_policy.h"

namespace quellan::policy {

constexpr std::int32_t kErrorMoreData = 234;

enum class RegCall { CreateKey, SetDword, OpenKey, QuerySize, QueryData };

using Stored = std::pair<std::uint32_t, std::string>;  // a value's type and data
inline Stored Dword(std::uint32_t v) { return {kRegDword, {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}}; }

class FakeRegistry : public RegistryApi {
 public:
  std::int32_t CreateKey(std::uint32_t root, const std::string& path, KeyHandle* key) override {
    return Open(RegCall::CreateKey, {root, path}, key);
  }
  std::int32_t OpenKey(std::uint32_t root, const std::string& path, KeyHandle* key) override {
    return Open(RegCall::OpenKey, {root, path}, key);
  }
  std::int32_t SetDword(KeyHandle key, const std::string& name, std::uint32_t value) override {
    const std::int32_t status = Status(RegCall::SetDword, key);
    if (status == kErrorSuccess) m_values[{m_open[key], name}] = Dword(value);
    return status;
  }
  std::int32_t DeleteValue(KeyHandle key, const std::string& name) override {
    return m_values.erase({m_open[key], name}) ? kErrorSuccess : kErrorFileNotFound;
  }
  std::int32_t QuerySize(KeyHandle key, const std::string& name, std::uint32_t* type, std::uint32_t* size) override {
    return Query(RegCall::QuerySize, key, name, type, nullptr, size);
  }
  std::int32_t QueryData(KeyHandle key, const std::string& name, std::uint8_t* data, std::uint32_t* size) override {
    return Query(RegCall::QueryData, key, name, nullptr, data, size);
  }
  void CloseKey(KeyHandle key) override { m_strayCloses += m_open.erase(key) == 0; }
  std::string AnsiFromUtf16(const std::u16string& text) const override { return {text.begin(), text.end()}; }
  std::u16string Utf16FromAnsi(const std::string& bytes) const override {
    const auto* begin = reinterpret_cast<const unsigned char*>(bytes.data());
    return {begin, begin + bytes.size()};
  }
  std::u16string ErrorText(std::int32_t n) const override { return Utf16FromAnsi("Error " + std::to_string(n) + "."); }

  // Seed stores a value, not counted as a call; Find tells what is stored (type 0 when nothing).
  void Seed(const PolicyLocation& at, const Stored& value) { m_values[Id(at)] = value; }
  Stored Find(const PolicyLocation& at) const { return m_values.count(Id(at)) ? m_values.at(Id(at)) : Stored{}; }
  // Makes the index-th call of this kind (counted from 0) fail with status, without effect.
  void Fail(RegCall call, int index, std::int32_t status) { m_failures[{call, index}] = status; }
  bool Balanced() const { return m_open.empty() && m_strayCloses == 0; }  // every key closed once

 private:
  using KeyId = std::pair<std::uint32_t, std::string>;  // root and path
  using ValueId = std::pair<KeyId, std::string>;        // and name
  ValueId Id(const PolicyLocation& at) const {
    return {{at.root, AnsiFromUtf16(std::u16string(at.keyPath))}, AnsiFromUtf16(std::u16string(at.valueName))};
  }
  // The failure chosen for this call, else ERROR_INVALID_HANDLE for a key not open. Every key exists.
  std::int32_t Status(RegCall call, KeyHandle key = 0) {
    const auto failure = m_failures.find({call, m_calls[call]++});
    if (failure != m_failures.end()) return failure->second;
    return key == 0 || m_open.count(key) ? kErrorSuccess : 6 /* ERROR_INVALID_HANDLE */;
  }
  std::int32_t Open(RegCall call, const KeyId& id, KeyHandle* key) {
    *key = 0;
    const std::int32_t status = Status(call);
    if (status == kErrorSuccess) m_open[*key = m_nextHandle += 4] = id;
    return status;
  }
  std::int32_t Query(RegCall call, KeyHandle key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                     std::uint32_t* size) {
    if (const std::int32_t status = Status(call, key)) return status;
    const auto value = m_values.find({m_open[key], name});
    if (value == m_values.end()) return kErrorFileNotFound;
    const auto needed = static_cast<std::uint32_t>(value->second.second.size());
    const bool fits = !data || *size >= needed;
    if (data && fits) value->second.second.copy(reinterpret_cast<char*>(data), needed);
    if (type) *type = value->second.first;
    *size = needed;
    return fits ? kErrorSuccess : kErrorMoreData;
  }

  std::map<ValueId, Stored> m_values;
  std::map<KeyHandle, KeyId> m_open;
  KeyHandle m_nextHandle = 0x1000;
  int m_strayCloses = 0;
  std::map<RegCall, int> m_calls;
  std::map<std::pair<RegCall, int>, std::int32_t> m_failures;
};

}  // namespace quellan::policy
