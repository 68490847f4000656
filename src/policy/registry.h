#pragma once
// The program's registry routines: one that writes a 32-bit value and one that deletes a value, one
// that reads a value of any common type with a default and one that reads only a REG_DWORD, and the
// names of the predefined roots.
#include <cstdint>
#include <optional>
#include <string>

#include "policy/reg_value.h"
#include "policy/registry_api.h"

namespace quellan::policy {

// The hive name of a predefined root ("HKEY_LOCAL_MACHINE"), or empty for an unknown root.
std::u16string HiveName(std::uint32_t root);

// Creates root\keyPath as needed and writes value there as a REG_DWORD. Returns 0 or the error code
// of the step that failed.
std::int32_t SetRegDword(RegistryApi& reg, std::uint32_t root, const std::u16string& keyPath,
                         const std::u16string& valueName, std::int32_t value);

// Opens root\keyPath as SetRegDword does (created as needed) and removes valueName there; a value
// already missing counts as removed. Returns 0 or the error code of the step that failed.
std::int32_t DeleteRegValue(RegistryApi& reg, std::uint32_t root, const std::u16string& keyPath,
                            const std::u16string& valueName);

// root\keyPath\valueName when it is a REG_DWORD of four bytes; empty for any other type, size or failure.
std::optional<std::uint32_t> GetRegDword(RegistryApi& reg, std::uint32_t root, const std::u16string& keyPath,
                                         const std::u16string& valueName);

// Reads root\keyPath\valueName: a REG_SZ as its text (up to the first NUL, of any length up to
// 16 MiB), a REG_BINARY or REG_DWORD of at most 4 bytes as a 32-bit integer; every other type, a
// longer text and every failure give defaultValue.
RegValue GetRegValue(RegistryApi& reg, std::uint32_t root, const std::u16string& keyPath,
                     const std::u16string& valueName, const RegValue& defaultValue);

}  // namespace quellan::policy
