#include "policy/memory_registry.h"

#include <algorithm>
#include <cstdio>

namespace quellan::policy::detail {
namespace {

bool IsPredefinedRoot(std::uint32_t root) { return root >= kHkeyClassesRoot && root <= kHkeyDynData; }

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// The components of a key path, or nothing for a path the system rejects: a leading backslash or an
// empty component inside it. One trailing backslash is allowed; an empty path is the root itself.
std::optional<std::vector<std::string>> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  if (path.empty()) return parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t stop = path.find('\\', start);
    const std::string part = path.substr(start, stop == std::string::npos ? std::string::npos : stop - start);
    if (part.empty()) {
      if (stop == std::string::npos && !parts.empty()) break;  // the trailing backslash
      return std::nullopt;
    }
    parts.push_back(part);
    if (stop == std::string::npos) break;
    start = stop + 1;
  }
  return parts;
}

std::string Join(const std::vector<std::string>& parts, std::size_t count) {
  std::string joined;
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) joined += '\\';
    joined += parts[i];
  }
  return joined;
}

}  // namespace

std::int32_t MemoryStore::Put(std::uint32_t root, const std::string& keyPath, const std::string& valueName,
                              StoredValue value) {
  if (!IsPredefinedRoot(root)) return kErrorInvalidHandle;
  const auto parts = SplitPath(keyPath);
  if (!parts) return kErrorBadPathname;
  for (std::size_t depth = 1; depth <= parts->size(); ++depth) {
    const std::string path = Join(*parts, depth);
    auto& key = m_keys[KeyId{root, Lower(path)}];
    if (key.path.empty()) key.path = path;
  }
  Key& key = m_keys[KeyId{root, Lower(Join(*parts, parts->size()))}];
  Value& slot = key.values[Lower(valueName)];
  if (slot.name.empty()) slot.name = valueName;
  slot.stored = std::move(value);
  return kErrorSuccess;
}

std::optional<StoredValue> MemoryStore::Find(std::uint32_t root, const std::string& keyPath,
                                             const std::string& valueName) const {
  const auto parts = SplitPath(keyPath);
  if (!parts) return std::nullopt;
  const auto key = m_keys.find(KeyId{root, Lower(Join(*parts, parts->size()))});
  if (key == m_keys.end()) return std::nullopt;
  const auto value = key->second.values.find(Lower(valueName));
  if (value == key->second.values.end()) return std::nullopt;
  return value->second.stored;
}

bool MemoryStore::KeyExists(std::uint32_t root, const std::string& keyPath) const {
  const auto parts = SplitPath(keyPath);
  if (!parts || !IsPredefinedRoot(root)) return false;
  return parts->empty() || m_keys.count(KeyId{root, Lower(Join(*parts, parts->size()))}) != 0;
}

std::map<std::string, StoredValue> MemoryStore::Snapshot() const {
  std::map<std::string, StoredValue> all;
  for (const auto& key : m_keys) {
    char root[16];
    std::snprintf(root, sizeof root, "%08X", static_cast<unsigned>(key.first.first));
    for (const auto& value : key.second.values)
      all[std::string(root) + "\\" + key.first.second + "\\" + value.first] = value.second.stored;
  }
  return all;
}

std::int32_t MemoryStore::CreateKeyEx(std::uint32_t root, const std::string& subKey, std::uint32_t, const std::string&,
                                      std::uint32_t, std::uint32_t samDesired, const SecurityAttributes*,
                                      KeyHandle* result, std::uint32_t* disposition) {
  if (!result) return kErrorInvalidParameter;
  *result = 0;
  if (!IsPredefinedRoot(root)) return kErrorInvalidHandle;
  const auto parts = SplitPath(subKey);
  if (!parts) return kErrorBadPathname;
  const std::string path = Lower(Join(*parts, parts->size()));
  const bool existed = parts->empty() || m_keys.count(KeyId{root, path}) != 0;
  for (std::size_t depth = 1; depth <= parts->size(); ++depth) {
    const std::string prefix = Join(*parts, depth);
    auto& key = m_keys[KeyId{root, Lower(prefix)}];
    if (key.path.empty()) key.path = prefix;
  }
  if (disposition) *disposition = existed ? kRegOpenedExistingKey : kRegCreatedNewKey;
  *result = m_nextHandle;
  m_nextHandle += 4;
  m_handles[*result] = Handle{root, path, samDesired};
  return kErrorSuccess;
}

std::int32_t MemoryStore::OpenKeyEx(std::uint32_t root, const std::string& subKey, std::uint32_t,
                                    std::uint32_t samDesired, KeyHandle* result) {
  if (!result) return kErrorInvalidParameter;
  *result = 0;
  if (!IsPredefinedRoot(root)) return kErrorInvalidHandle;
  const auto parts = SplitPath(subKey);
  if (!parts) return kErrorBadPathname;
  const std::string path = Lower(Join(*parts, parts->size()));
  if (!parts->empty() && m_keys.count(KeyId{root, path}) == 0) return kErrorFileNotFound;
  *result = m_nextHandle;
  m_nextHandle += 4;
  m_handles[*result] = Handle{root, path, samDesired};
  return kErrorSuccess;
}

std::int32_t MemoryStore::SetValueEx(KeyHandle key, const std::string& valueName, std::uint32_t, std::uint32_t type,
                                     const std::uint8_t* data, std::uint32_t size) {
  const auto handle = m_handles.find(key);
  if (handle == m_handles.end()) return kErrorInvalidHandle;
  if ((handle->second.access & kKeySetValue) == 0) return kErrorAccessDenied;
  if (!data && size != 0) return kErrorInvalidParameter;
  Key& stored = m_keys[KeyId{handle->second.root, handle->second.path}];
  Value& slot = stored.values[Lower(valueName)];
  if (slot.name.empty()) slot.name = valueName;
  slot.stored.type = type;
  slot.stored.data.assign(data, data + size);
  return kErrorSuccess;
}

std::int32_t MemoryStore::QueryValueEx(KeyHandle key, const std::string& valueName, std::uint32_t* reserved,
                                       std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) {
  const auto handle = m_handles.find(key);
  if (handle == m_handles.end()) return kErrorInvalidHandle;
  if ((handle->second.access & kKeyQueryValue) == 0) return kErrorAccessDenied;
  if (reserved || (data && !size)) return kErrorInvalidParameter;
  const auto stored = m_keys.find(KeyId{handle->second.root, handle->second.path});
  if (stored == m_keys.end()) return kErrorFileNotFound;
  const auto value = stored->second.values.find(Lower(valueName));
  if (value == stored->second.values.end()) return kErrorFileNotFound;
  const StoredValue& found = value->second.stored;
  const auto needed = static_cast<std::uint32_t>(found.data.size());
  if (type) *type = found.type;
  if (data) {
    if (*size < needed) {
      *size = needed;
      return kErrorMoreData;
    }
    std::copy(found.data.begin(), found.data.end(), data);
  }
  if (size) *size = needed;
  return kErrorSuccess;
}

std::int32_t MemoryStore::CloseKey(KeyHandle key) {
  return m_handles.erase(key) != 0 ? kErrorSuccess : kErrorInvalidHandle;
}

std::string MemoryStore::AnsiFromUtf16(const std::u16string& text) const {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c < 0x100) {
      bytes += static_cast<char>(c);
      continue;
    }
    // A surrogate pair is one character and becomes one "?".
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) ++i;
    bytes += '?';
  }
  return bytes;
}

std::u16string MemoryStore::Utf16FromAnsi(const std::string& bytes) const {
  std::u16string text;
  text.reserve(bytes.size());
  for (const char b : bytes) text += static_cast<char16_t>(static_cast<unsigned char>(b));
  return text;
}

std::u16string MemoryStore::ErrorText(std::int32_t status) const {
  struct Row {
    std::int32_t status;
    const char16_t* text;
  };
  static const Row kTexts[] = {
      {kErrorSuccess, u"The operation completed successfully."},
      {kErrorFileNotFound, u"The system cannot find the file specified."},
      {kErrorAccessDenied, u"Access is denied."},
      {kErrorInvalidHandle, u"The handle is invalid."},
      {kErrorOutOfMemory, u"Not enough storage is available to complete this operation."},
      {kErrorInvalidParameter, u"The parameter is incorrect."},
      {kErrorBadPathname, u"The specified path is invalid."},
      {kErrorMoreData, u"More data is available."},
  };
  for (const Row& row : kTexts)
    if (row.status == status) return row.text;
  const std::string number = "Error " + std::to_string(status) + ".";
  return std::u16string(number.begin(), number.end());
}

}  // namespace quellan::policy::detail
