#pragma once
// The program's registry routines: one that writes a 32-bit value, one that reads a value of any
// common type with a default, and the module's three name tables.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "policy/reg_value.h"
#include "policy/registry_api.h"

namespace quellan::policy {

// A table of unique text keys in insertion order.
template <class T>
class NameTable {
 public:
  // Adds key with value; a key already present is left as it is and false is returned.
  bool Add(std::u16string key, T value) {
    if (Find(key)) return false;
    m_entries.emplace_back(std::move(key), value);
    return true;
  }
  std::optional<T> Find(const std::u16string& key) const {
    for (const auto& entry : m_entries)
      if (entry.first == key) return entry.second;
    return std::nullopt;
  }
  const std::vector<std::pair<std::u16string, T>>& Entries() const { return m_entries; }
  bool Empty() const { return m_entries.empty(); }

 private:
  std::vector<std::pair<std::u16string, T>> m_entries;
};

struct RegistryNameTables {
  NameTable<std::int16_t> RegTypeCodes;     // "REG_SZ" 1 ... "REG_DWORD" 4
  NameTable<std::int16_t> RegFilePrefixes;  // registration-file data prefixes: "" 1 ... "dword:" 4
  NameTable<std::uint32_t> RegHiveHandles;  // "HKEY_CLASSES_ROOT" 0x80000000 ...
};

// The module's tables, as they are now (empty until the first registry access of the process).
const RegistryNameTables& RegistryNames();

// Fills the three tables. The registry routines call it when RegHiveHandles is empty.
void InitRegistryNames();

// The hive name of a predefined root ("HKEY_LOCAL_MACHINE"), or empty for an unknown root.
std::u16string HiveName(std::uint32_t root);

// The text before the first NUL character, or all of it when it holds none.
std::u16string TrimAtNull(const std::u16string& text);

// Creates root\keyPath as needed and writes value there as a REG_DWORD. Returns 0 or the error code
// of the step that failed.
std::int32_t SetRegDword(RegistryApi& reg, std::uint32_t root, const std::u16string& keyPath,
                         const std::u16string& valueName, std::int32_t value);

// Reads root\keyPath\valueName: a REG_SZ as its text (up to the first NUL, of any length up to
// 16 MiB), a REG_BINARY or REG_DWORD of at most 4 bytes as a 32-bit integer; every other type, a
// longer text and every failure give defaultValue.
RegValue GetRegValue(RegistryApi& reg, std::uint32_t root, const std::u16string& keyPath,
                     const std::u16string& valueName, const RegValue& defaultValue);

}  // namespace quellan::policy
