#pragma once
// The five registry calls the program makes, with the shapes of the system's ANSI entry points but
// portable types, so that the registry routines run the same against the system's registry and
// against one held in memory.
#include <cstdint>
#include <string>

namespace quellan::policy {

// Predefined root keys (32-bit; the real binding sign-extends them to the system's key handles).
constexpr std::uint32_t kHkeyClassesRoot = 0x80000000u;
constexpr std::uint32_t kHkeyCurrentUser = 0x80000001u;
constexpr std::uint32_t kHkeyLocalMachine = 0x80000002u;
constexpr std::uint32_t kHkeyUsers = 0x80000003u;
constexpr std::uint32_t kHkeyPerformanceData = 0x80000004u;
constexpr std::uint32_t kHkeyCurrentConfig = 0x80000005u;
constexpr std::uint32_t kHkeyDynData = 0x80000006u;

// Value types.
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;

// Access rights.
constexpr std::uint32_t kKeyQueryValue = 0x0001;
constexpr std::uint32_t kKeyAllAccess = 0xF003F;

// Status codes (the system's error numbers).
constexpr std::int32_t kErrorSuccess = 0;
constexpr std::int32_t kErrorAccessDenied = 5;

// An opened key; 0 is no key.
using KeyHandle = std::uintptr_t;

// Security attributes of a created key: this program never passes a security descriptor, so only
// the inheritance flag is carried.
struct SecurityAttributes {
  bool inheritHandle = false;
};

class RegistryApi {
 public:
  virtual ~RegistryApi() = default;

  // Opens root\subKey with the access asked for, creating every missing key on the path. On
  // failure *result is 0. disposition may be null.
  virtual std::int32_t CreateKeyEx(std::uint32_t root, const std::string& subKey, std::uint32_t reserved,
                                   const std::string& className, std::uint32_t options, std::uint32_t samDesired,
                                   const SecurityAttributes* security, KeyHandle* result,
                                   std::uint32_t* disposition) = 0;
  // Writes size bytes of data as a value of the given type, creating or replacing it.
  virtual std::int32_t SetValueEx(KeyHandle key, const std::string& valueName, std::uint32_t reserved,
                                  std::uint32_t type, const std::uint8_t* data, std::uint32_t size) = 0;
  // Opens an existing key; never creates one. On failure *result is 0.
  virtual std::int32_t OpenKeyEx(std::uint32_t root, const std::string& subKey, std::uint32_t options,
                                 std::uint32_t samDesired, KeyHandle* result) = 0;
  // With a null data buffer reports the type and the size in bytes; with a buffer of *size bytes
  // copies the data, or reports ERROR_MORE_DATA with the size needed. reserved must be null.
  virtual std::int32_t QueryValueEx(KeyHandle key, const std::string& valueName, std::uint32_t* reserved,
                                    std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) = 0;
  virtual std::int32_t CloseKey(KeyHandle key) = 0;

  // Text conversion between the program's strings and the registry's ANSI code page.
  virtual std::string AnsiFromUtf16(const std::u16string& text) const = 0;
  virtual std::u16string Utf16FromAnsi(const std::string& bytes) const = 0;
  // The system's description of a status code, without a trailing line break.
  virtual std::u16string ErrorText(std::int32_t status) const = 0;
};

}  // namespace quellan::policy
