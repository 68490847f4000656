#pragma once
// A registry held in memory: keys and values behave as the system's do for the calls the program
// makes (case-insensitive names, keys created along a path, access checked against the rights a key
// was opened with, ERROR_MORE_DATA for a short buffer). It carries the recording, counting and
// failure injection of InstrumentedRegistry. Its ANSI code page is Latin-1: characters above U+00FF
// become "?".
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "policy/instrumented_registry.h"
#include "policy/registry_api.h"

namespace quellan::policy {

struct StoredValue {
  std::uint32_t type = kRegNone;
  std::vector<std::uint8_t> data;
  bool operator==(const StoredValue& other) const { return type == other.type && data == other.data; }
  bool operator!=(const StoredValue& other) const { return !(*this == other); }
};

namespace detail {

class MemoryStore : public RegistryApi {
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

  std::int32_t Put(std::uint32_t root, const std::string& keyPath, const std::string& valueName, StoredValue value);
  std::optional<StoredValue> Find(std::uint32_t root, const std::string& keyPath, const std::string& valueName) const;
  bool KeyExists(std::uint32_t root, const std::string& keyPath) const;
  std::map<std::string, StoredValue> Snapshot() const;

 private:
  struct Value {
    std::string name;  // as first written
    StoredValue stored;
  };
  struct Key {
    std::string path;                     // as first created
    std::map<std::string, Value> values;  // by lower-case name
  };
  struct Handle {
    std::uint32_t root;
    std::string path;  // lower case
    std::uint32_t access;
  };
  using KeyId = std::pair<std::uint32_t, std::string>;  // root and lower-case path

  std::map<KeyId, Key> m_keys;
  std::map<KeyHandle, Handle> m_handles;
  KeyHandle m_nextHandle = 0x1000;
};

struct MemoryStoreHolder {
  MemoryStore m_store;
};

}  // namespace detail

class MemoryRegistry : private detail::MemoryStoreHolder, public InstrumentedRegistry {
 public:
  MemoryRegistry() : InstrumentedRegistry(m_store) {}
  MemoryRegistry(const MemoryRegistry&) = delete;
  MemoryRegistry& operator=(const MemoryRegistry&) = delete;

  // Direct access for setting up and inspecting, neither recorded nor subject to injected failures.
  // Paths and names are ANSI bytes as the calls take them; Seed creates the keys on the path.
  std::int32_t Seed(std::uint32_t root, const std::string& keyPath, const std::string& valueName, std::uint32_t type,
                    std::vector<std::uint8_t> data) {
    return m_store.Put(root, keyPath, valueName, StoredValue{type, std::move(data)});
  }
  std::optional<StoredValue> Find(std::uint32_t root, const std::string& keyPath, const std::string& valueName) const {
    return m_store.Find(root, keyPath, valueName);
  }
  bool KeyExists(std::uint32_t root, const std::string& keyPath) const { return m_store.KeyExists(root, keyPath); }
  // Every value, keyed "<root in hex>\<lower-case key path>\<lower-case value name>".
  std::map<std::string, StoredValue> Snapshot() const { return m_store.Snapshot(); }
};

}  // namespace quellan::policy
