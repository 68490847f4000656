#include "fake_registry.h"

#include <algorithm>

namespace quellan::policy::testing {

static std::string Lower(std::string text) {
  for (char& c : text) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  return text;
}

static std::string Latin1(std::u16string_view text) {
  std::string bytes;
  for (const char16_t c : text) bytes += c < 0x100 ? static_cast<char>(c) : '?';
  return bytes;
}

// A key path or value name as the registry keeps it.
static std::string Key(std::u16string_view text) { return Lower(Latin1(text)); }

std::int32_t FakeRegistry::Injected(RegCall call) {
  const auto failure = m_failures.find({call, m_calls[call]++});
  return failure == m_failures.end() ? kErrorSuccess : failure->second;
}

// Both calls that give a key: CreateKeyEx makes it first, OpenKeyEx needs it to exist.
std::int32_t FakeRegistry::Open(RegCall call, const KeyId& id, std::uint32_t access, KeyHandle* result) {
  *result = 0;
  if (const std::int32_t status = Injected(call)) return status;
  if (call == RegCall::CreateKeyEx) m_keys[id];
  if (!m_keys.count(id)) return kErrorFileNotFound;
  m_open[*result = m_nextHandle += 4] = {id, access};
  return kErrorSuccess;
}

std::int32_t FakeRegistry::CreateKeyEx(std::uint32_t root, const std::string& subKey, std::uint32_t, const std::string&,
                                       std::uint32_t, std::uint32_t samDesired, const SecurityAttributes*,
                                       KeyHandle* result, std::uint32_t*) {
  return Open(RegCall::CreateKeyEx, {root, Lower(subKey)}, samDesired, result);
}

std::int32_t FakeRegistry::OpenKeyEx(std::uint32_t root, const std::string& subKey, std::uint32_t,
                                     std::uint32_t samDesired, KeyHandle* result) {
  return Open(RegCall::OpenKeyEx, {root, Lower(subKey)}, samDesired, result);
}

std::int32_t FakeRegistry::SetValueEx(KeyHandle key, const std::string& valueName, std::uint32_t, std::uint32_t type,
                                      const std::uint8_t* data, std::uint32_t size) {
  if (const std::int32_t status = Injected(RegCall::SetValueEx)) return status;
  const auto open = m_open.find(key);
  if (open == m_open.end() || !(open->second.second & kKeySetValue)) return kErrorAccessDenied;
  m_keys[open->second.first][Lower(valueName)] = {type, std::vector<std::uint8_t>(data, data + size)};
  return kErrorSuccess;
}

std::int32_t FakeRegistry::QueryValueEx(KeyHandle key, const std::string& valueName, std::uint32_t* reserved,
                                        std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) {
  if (const std::int32_t status = Injected(RegCall::QueryValueEx)) return status;
  const auto open = m_open.find(key);
  if (open == m_open.end() || !(open->second.second & kKeyQueryValue) || reserved) return kErrorAccessDenied;
  const auto& values = m_keys[open->second.first];
  const auto value = values.find(Lower(valueName));
  if (value == values.end()) return kErrorFileNotFound;
  const auto& [storedType, stored] = value->second;
  const auto needed = static_cast<std::uint32_t>(stored.size());
  if (type) *type = storedType;
  const bool fits = !data || *size >= needed;
  if (data && fits) std::copy(stored.begin(), stored.end(), data);
  if (size) *size = needed;
  return fits ? kErrorSuccess : kErrorMoreData;
}

std::int32_t FakeRegistry::CloseKey(KeyHandle key) {
  return m_open.erase(key) ? kErrorSuccess : (++m_badCloses, kErrorInvalidHandle);
}

std::string FakeRegistry::AnsiFromUtf16(const std::u16string& text) const { return Latin1(text); }

std::u16string FakeRegistry::Utf16FromAnsi(const std::string& bytes) const {
  const auto* begin = reinterpret_cast<const unsigned char*>(bytes.data());
  return std::u16string(begin, begin + bytes.size());
}

std::u16string FakeRegistry::ErrorText(std::int32_t status) const {
  return Utf16FromAnsi("Error " + std::to_string(status) + ".");
}

void FakeRegistry::Seed(std::uint32_t root, std::u16string_view keyPath, std::u16string_view valueName,
                        std::uint32_t type, const std::string& data) {
  m_keys[{root, Key(keyPath)}][Key(valueName)] = {type, std::vector<std::uint8_t>(data.begin(), data.end())};
}

std::optional<std::int32_t> FakeRegistry::StoredDword(std::uint32_t root, std::u16string_view keyPath,
                                                      std::u16string_view valueName) const {
  const auto key = m_keys.find({root, Key(keyPath)});
  if (key == m_keys.end() || !key->second.count(Key(valueName))) return std::nullopt;
  const auto& [type, b] = key->second.at(Key(valueName));
  if (type != kRegDword || b.size() != 4) return std::nullopt;
  return static_cast<std::int32_t>(b[0] | b[1] << 8 | b[2] << 16 | std::uint32_t{b[3]} << 24);
}

}  // namespace quellan::policy::testing
