#include "policy/registry.h"

#include "win32/unique_handle.h"

namespace quellan::policy {
namespace {

// Text values longer than this read as missing, like every other failure: no policy value comes
// near it, and a broken or hostile value cannot exhaust the process's memory.
constexpr std::uint32_t kLargestText = 16u << 20;

RegistryNameTables& Tables() {
  static RegistryNameTables tables;
  return tables;
}

void EnsureRegistryNames() {
  if (Tables().RegHiveHandles.Empty()) InitRegistryNames();
}

// A key handle obtained from the registry, closed through the same registry exactly once.
struct CloseKeyOf {
  RegistryApi* reg = nullptr;
  void operator()(KeyHandle key) const { reg->CloseKey(key); }
};
using RegKey = win32::UniqueHandle<KeyHandle, CloseKeyOf>;

std::int32_t FromLittleEndian(const std::uint8_t (&bytes)[4]) {
  const std::uint32_t pattern = static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
                                (static_cast<std::uint32_t>(bytes[2]) << 16) |
                                (static_cast<std::uint32_t>(bytes[3]) << 24);
  return static_cast<std::int32_t>(pattern);
}

// The value of an opened key, or nothing when the query fails or the type is not read.
std::optional<RegValue> QueryValue(RegistryApi& reg, KeyHandle key, const std::string& name) {
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  if (reg.QueryValueEx(key, name, nullptr, &type, nullptr, &size) != kErrorSuccess) return std::nullopt;
  switch (type) {
    case kRegSz: {
      // One spare byte past the size learned: it stays a space, as do any bytes the data turns out
      // not to fill, and the trailing spaces are removed before cutting at the first NUL.
      if (size > kLargestText) return std::nullopt;
      std::string buffer(std::size_t{size} + 1, ' ');
      if (reg.QueryValueEx(key, name, nullptr, &type, reinterpret_cast<std::uint8_t*>(&buffer[0]), &size) !=
          kErrorSuccess)
        return std::nullopt;
      std::u16string text = reg.Utf16FromAnsi(buffer);
      std::size_t end = text.size();
      while (end > 0 && text[end - 1] == u' ') --end;
      text.resize(end);
      return RegValue{TrimAtNull(text)};
    }
    case kRegBinary:
    case kRegDword: {
      // Shorter data fills the integer from its low byte upward; longer data does not fit.
      std::uint8_t bytes[4] = {0, 0, 0, 0};
      std::uint32_t bufferSize = sizeof bytes;
      if (reg.QueryValueEx(key, name, nullptr, &type, bytes, &bufferSize) != kErrorSuccess) return std::nullopt;
      return RegValue{FromLittleEndian(bytes)};
    }
    default:
      return std::nullopt;
  }
}

}  // namespace

const RegistryNameTables& RegistryNames() { return Tables(); }

void InitRegistryNames() {
  struct TypeRow {
    const char16_t* typeWord;
    const char16_t* filePrefix;
    std::int16_t code;
  };
  static const TypeRow kTypes[] = {{u"REG_SZ", u"", kRegSz},
                                   {u"REG_EXPAND_SZ", u"hex(2):", kRegExpandSz},
                                   {u"REG_BINARY", u"hex:", kRegBinary},
                                   {u"REG_DWORD", u"dword:", kRegDword}};
  struct HiveRow {
    const char16_t* name;
    std::uint32_t handle;
  };
  static const HiveRow kHives[] = {
      {u"HKEY_CLASSES_ROOT", kHkeyClassesRoot},
      {u"HKEY_CURRENT_USER", kHkeyCurrentUser},
      {u"HKEY_USERS", kHkeyUsers},
      {u"HKEY_LOCAL_MACHINE", kHkeyLocalMachine},
      {u"HKEY_CURRENT_CONFIG", kHkeyCurrentConfig},
      {u"HKEY_DYN_DATA", kHkeyDynData},
      {u"HKEY_PERFORMANCE_DATA", kHkeyPerformanceData},
  };
  RegistryNameTables& tables = Tables();
  for (const TypeRow& row : kTypes) {
    tables.RegTypeCodes.Add(row.typeWord, row.code);
    tables.RegFilePrefixes.Add(row.filePrefix, row.code);
  }
  for (const HiveRow& row : kHives) tables.RegHiveHandles.Add(row.name, row.handle);
}

std::u16string HiveName(std::uint32_t root) {
  EnsureRegistryNames();
  for (const auto& entry : Tables().RegHiveHandles.Entries())
    if (entry.second == root) return entry.first;
  return {};
}

std::u16string TrimAtNull(const std::u16string& text) {
  const std::size_t nul = text.find(u'\0');
  return nul == std::u16string::npos ? text : text.substr(0, nul);
}

std::int32_t SetRegDword(RegistryApi& reg, std::uint32_t root, const std::u16string& keyPath,
                         const std::u16string& valueName, std::int32_t value) {
  EnsureRegistryNames();
  const std::string path = reg.AnsiFromUtf16(keyPath);
  const std::string name = reg.AnsiFromUtf16(valueName);
  const SecurityAttributes security{};
  std::uint32_t disposition = 0;
  RegKey key(0, CloseKeyOf{&reg});
  const std::int32_t created =
      reg.CreateKeyEx(root, path, 0, std::string(), 0, kKeyAllAccess, &security, key.out(), &disposition);
  if (created != kErrorSuccess) {
    key.release();  // nothing was opened, so there is nothing to close
    return created;
  }
  const auto pattern = static_cast<std::uint32_t>(value);
  const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(pattern), static_cast<std::uint8_t>(pattern >> 8),
                                 static_cast<std::uint8_t>(pattern >> 16), static_cast<std::uint8_t>(pattern >> 24)};
  return reg.SetValueEx(key.get(), name, 0, kRegDword, bytes, sizeof bytes);
}

RegValue GetRegValue(RegistryApi& reg, std::uint32_t root, const std::u16string& keyPath,
                     const std::u16string& valueName, const RegValue& defaultValue) {
  EnsureRegistryNames();
  const std::string path = reg.AnsiFromUtf16(keyPath);
  const std::string name = reg.AnsiFromUtf16(valueName);
  RegKey key(0, CloseKeyOf{&reg});
  if (reg.OpenKeyEx(root, path, 0, kKeyQueryValue, key.out()) != kErrorSuccess) {
    key.release();
    return defaultValue;
  }
  auto value = QueryValue(reg, key.get(), name);
  return value ? std::move(*value) : defaultValue;
}

}  // namespace quellan::policy
