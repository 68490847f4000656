#pragma once
// A registry for the shared registry and policy suites: the routines run against Api(), which records
// calls, counts keys and injects failures; Seed and Find set up and inspect the same registry
// directly, unrecorded. Each test executable instantiates the suites with the backends it has.
#include <gtest/gtest.h>

#include <iomanip>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "policy/instrumented_registry.h"
#include "policy/memory_registry.h"

namespace quellan::policy {

inline void PrintTo(const StoredValue& value, std::ostream* os) {
  *os << "type " << value.type << " [";
  for (const std::uint8_t b : value.data) *os << ' ' << std::hex << std::setw(2) << std::setfill('0') << int{b};
  *os << std::dec << " ]";
}

}  // namespace quellan::policy

namespace quellan::policy::testing {

class RegistryBackend {
 public:
  virtual ~RegistryBackend() = default;
  virtual InstrumentedRegistry& Api() = 0;
  virtual void Seed(std::uint32_t root, const std::string& keyPath, const std::string& valueName, std::uint32_t type,
                    const std::vector<std::uint8_t>& data) = 0;
  virtual std::optional<StoredValue> Find(std::uint32_t root, const std::string& keyPath,
                                          const std::string& valueName) = 0;
};

struct BackendParam {
  const char* name;
  std::unique_ptr<RegistryBackend> (*make)();
};
inline void PrintTo(const BackendParam& param, std::ostream* os) { *os << param.name; }
inline std::string BackendName(const ::testing::TestParamInfo<BackendParam>& info) { return info.param.name; }

std::unique_ptr<RegistryBackend> MakeMemoryBackend();

// A fresh backend per test (Reset gives another within a test); every backend, when left, must have
// had each key opened through the routines closed exactly once.
class BackendTest : public ::testing::TestWithParam<BackendParam> {
 protected:
  void SetUp() override { m_backend = GetParam().make(); }
  void TearDown() override { CheckKeysBalance(); }
  void Reset() {
    CheckKeysBalance();
    m_backend = GetParam().make();
  }
  void CheckKeysBalance() {
    EXPECT_EQ(Api().OpenKeys(), 0) << "keys left open";
    EXPECT_EQ(Api().BadCloses(), 0) << "keys closed that were not open";
  }
  RegistryBackend& Backend() { return *m_backend; }
  InstrumentedRegistry& Api() { return m_backend->Api(); }

 private:
  std::unique_ptr<RegistryBackend> m_backend;
};

class RegistryRoutines : public BackendTest {};
class AutorunPolicy : public BackendTest {};

// Little-endian bytes of a 32-bit pattern, as a REG_DWORD holds it.
inline std::vector<std::uint8_t> DwordBytes(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}
inline StoredValue Dword(std::uint32_t value) { return StoredValue{kRegDword, DwordBytes(value)}; }
inline std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// ASCII text of a UTF-16 literal (the tests' paths and names are ASCII).
inline std::string Narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

}  // namespace quellan::policy::testing
