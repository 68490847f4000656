#include "policy/registry.h"

#include "win32/unique_handle.h"

namespace quellan::policy {
namespace {

// Text values longer than this read as missing, like every other failure: no policy value comes
// near it, and a broken or hostile value cannot exhaust the process's memory.
constexpr std::uint32_t kLargestText = 16u << 20;

struct HiveRow {
  std::uint32_t root;
  const char16_t* name;
};
constexpr HiveRow kHives[] = {
    {kHkeyClassesRoot, u"HKEY_CLASSES_ROOT"},
    {kHkeyCurrentUser, u"HKEY_CURRENT_USER"},
    {kHkeyUsers, u"HKEY_USERS"},
    {kHkeyLocalMachine, u"HKEY_LOCAL_MACHINE"},
    {kHkeyCurrentConfig, u"HKEY_CURRENT_CONFIG"},
    {kHkeyDynData, u"HKEY_DYN_DATA"},
    {kHkeyPerformanceData, u"HKEY_PERFORMANCE_DATA"},
};

// Four bytes of a value's data as an integer, low byte first.
std::uint32_t LowByteFirst(const std::uint8_t (&bytes)[4]) {
  return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

// A key handle obtained from the registry, closed through the same registry exactly once.
struct CloseKeyOf {
  RegistryApi* reg = nullptr;
  void operator()(KeyHandle key) const { reg->CloseKey(key); }
};
using RegKey = win32::UniqueHandle<KeyHandle, CloseKeyOf>;

// The value of an opened key, or nothing when a query fails or the type is not read.
std::optional<RegValue> QueryValue(RegistryApi& reg, KeyHandle key, const std::string& name) {
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  if (reg.QuerySize(key, name, &type, &size) != kErrorSuccess) return std::nullopt;
  switch (type) {
    case kRegSz: {
      // One spare byte past the size learned: it stays a space, as do any bytes the data turns out
      // not to fill, and the trailing spaces are removed before cutting at the first NUL.
      if (size > kLargestText) return std::nullopt;
      std::string buffer(std::size_t{size} + 1, ' ');
      if (reg.QueryData(key, name, reinterpret_cast<std::uint8_t*>(&buffer[0]), &size) != kErrorSuccess)
        return std::nullopt;
      std::u16string text = reg.Utf16FromAnsi(buffer);
      std::size_t end = text.size();
      while (end > 0 && text[end - 1] == u' ') --end;
      text.resize(end);
      return RegValue{text.substr(0, text.find(u'\0'))};
    }
    case kRegBinary:
    case kRegDword: {
      // Shorter data fills the integer from its low byte upward; longer data does not fit.
      std::uint8_t bytes[4] = {0, 0, 0, 0};
      std::uint32_t bufferSize = sizeof bytes;
      if (reg.QueryData(key, name, bytes, &bufferSize) != kErrorSuccess) return std::nullopt;
      return RegValue{static_cast<std::int32_t>(LowByteFirst(bytes))};
    }
    default:
      return std::nullopt;
  }
}

}  // namespace

std::u16string HiveName(std::uint32_t root) {
  for (const HiveRow& row : kHives)
    if (row.root == root) return row.name;
  return {};
}

std::int32_t SetRegDword(RegistryApi& reg, std::uint32_t root, const std::u16string& keyPath,
                         const std::u16string& valueName, std::int32_t value) {
  RegKey key(0, CloseKeyOf{&reg});
  if (const std::int32_t created = reg.CreateKey(root, reg.AnsiFromUtf16(keyPath), key.out())) return created;
  return reg.SetDword(key.get(), reg.AnsiFromUtf16(valueName), static_cast<std::uint32_t>(value));
}

std::int32_t DeleteRegValue(RegistryApi& reg, std::uint32_t root, const std::u16string& keyPath,
                            const std::u16string& valueName) {
  RegKey key(0, CloseKeyOf{&reg});
  if (const std::int32_t created = reg.CreateKey(root, reg.AnsiFromUtf16(keyPath), key.out())) return created;
  const std::int32_t status = reg.DeleteValue(key.get(), reg.AnsiFromUtf16(valueName));
  return status == kErrorFileNotFound ? kErrorSuccess : status;
}

std::optional<std::uint32_t> GetRegDword(RegistryApi& reg, std::uint32_t root, const std::u16string& keyPath,
                                         const std::u16string& valueName) {
  RegKey key(0, CloseKeyOf{&reg});
  if (reg.OpenKey(root, reg.AnsiFromUtf16(keyPath), key.out()) != kErrorSuccess) return std::nullopt;
  const std::string name = reg.AnsiFromUtf16(valueName);
  std::uint32_t type = 0, size = 0;
  std::uint8_t bytes[4] = {};
  if (reg.QuerySize(key.get(), name, &type, &size) != kErrorSuccess || type != kRegDword || size != sizeof bytes ||
      reg.QueryData(key.get(), name, bytes, &size) != kErrorSuccess || size != sizeof bytes)
    return std::nullopt;
  return LowByteFirst(bytes);
}

RegValue GetRegValue(RegistryApi& reg, std::uint32_t root, const std::u16string& keyPath,
                     const std::u16string& valueName, const RegValue& defaultValue) {
  RegKey key(0, CloseKeyOf{&reg});
  if (reg.OpenKey(root, reg.AnsiFromUtf16(keyPath), key.out()) != kErrorSuccess) return defaultValue;
  auto value = QueryValue(reg, key.get(), reg.AnsiFromUtf16(valueName));
  return value ? std::move(*value) : defaultValue;
}

}  // namespace quellan::policy
