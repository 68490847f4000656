#pragma once
// The registry calls the program makes, reduced to what varies between them (the root, the key
// path, the value name and the data), with portable types, so that the registry routines run the
// same against the system's registry and against one held in memory. The arguments every call
// passes the same way are the binding's (win32_registry.cpp).
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

// Status codes (the system's error numbers).
constexpr std::int32_t kErrorSuccess = 0;
constexpr std::int32_t kErrorFileNotFound = 2;
constexpr std::int32_t kErrorAccessDenied = 5;

// An opened key; 0 is no key.
using KeyHandle = std::uintptr_t;

class RegistryApi {
 public:
  virtual ~RegistryApi() = default;

  // Opens root\path for writing, creating every missing key on the path. On failure *key is 0.
  virtual std::int32_t CreateKey(std::uint32_t root, const std::string& path, KeyHandle* key) = 0;
  // Writes value as a REG_DWORD, creating or replacing it.
  virtual std::int32_t SetDword(KeyHandle key, const std::string& name, std::uint32_t value) = 0;
  // Removes the value from a key opened by CreateKey; ERROR_FILE_NOT_FOUND when there is none.
  virtual std::int32_t DeleteValue(KeyHandle key, const std::string& name) = 0;
  // Opens an existing key for reading its values; never creates one. On failure *key is 0.
  virtual std::int32_t OpenKey(std::uint32_t root, const std::string& path, KeyHandle* key) = 0;
  // The value's type and the size of its data in bytes, asked without a buffer.
  virtual std::int32_t QuerySize(KeyHandle key, const std::string& name, std::uint32_t* type, std::uint32_t* size) = 0;
  // Copies the value's data into the *size bytes at data and sets *size to the bytes copied, or
  // reports ERROR_MORE_DATA with the size needed.
  virtual std::int32_t QueryData(KeyHandle key, const std::string& name, std::uint8_t* data, std::uint32_t* size) = 0;
  virtual void CloseKey(KeyHandle key) = 0;

  // Text conversion between the program's strings and the registry's ANSI code page.
  virtual std::string AnsiFromUtf16(const std::u16string& text) const = 0;
  virtual std::u16string Utf16FromAnsi(const std::string& bytes) const = 0;
  // The system's description of a status code, without a trailing line break.
  virtual std::u16string ErrorText(std::int32_t status) const = 0;
};

}  // namespace quellan::policy
