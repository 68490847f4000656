// The shared suites against the system registry. Every predefined root is redirected into a scratch
// key, HKEY_CURRENT_USER\Software\QuellanTest\<random>\<root>, deleted when the backend goes, so the
// routines run unchanged and can never reach the real policy.
#include <windows.h>

#include <cstdio>
#include <random>

#include "policy/win32_registry.h"
#include "registry_backend.h"

namespace quellan::policy::testing {
namespace {

constexpr char kScratchParent[] = "Software\\QuellanTest";

class ScratchRegistry : public Win32Registry {
 public:
  ScratchRegistry() {
    char name[32];
    std::snprintf(name, sizeof name, "\\%08X%08X", static_cast<unsigned>(std::random_device()()),
                  static_cast<unsigned>(GetTickCount() ^ GetCurrentProcessId()));
    m_scratch = std::string(kScratchParent) + name;
  }
  ~ScratchRegistry() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, m_scratch.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, kScratchParent);  // only once no other run is using it
  }
  // Where root\subKey lives inside the scratch key.
  std::string Path(std::uint32_t root, const std::string& subKey) const {
    char name[16];
    std::snprintf(name, sizeof name, "\\%08X", static_cast<unsigned>(root));
    return m_scratch + name + (subKey.empty() ? "" : "\\" + subKey);
  }
  std::int32_t CreateKeyEx(std::uint32_t root, const std::string& subKey, std::uint32_t reserved,
                           const std::string& className, std::uint32_t options, std::uint32_t samDesired,
                           const SecurityAttributes* security, KeyHandle* result, std::uint32_t* disposition) override {
    return Win32Registry::CreateKeyEx(kHkeyCurrentUser, Path(root, subKey), reserved, className, options, samDesired,
                                      security, result, disposition);
  }
  std::int32_t OpenKeyEx(std::uint32_t root, const std::string& subKey, std::uint32_t options, std::uint32_t samDesired,
                         KeyHandle* result) override {
    return Win32Registry::OpenKeyEx(kHkeyCurrentUser, Path(root, subKey), options, samDesired, result);
  }

 private:
  std::string m_scratch;
};

class Win32Backend : public RegistryBackend {
 public:
  InstrumentedRegistry& Api() override { return m_api; }

  // Through the Unicode entry point, which stores exactly the characters given; the ANSI one adds a
  // terminator to text without one.
  void Seed(std::uint32_t root, const std::string& keyPath, const std::string& valueName, std::uint32_t type,
            const std::vector<std::uint8_t>& data) override {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, m_scratch.Path(root, keyPath).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    std::vector<std::uint8_t> stored = data;
    if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
      const std::u16string text = m_scratch.Utf16FromAnsi(std::string(data.begin(), data.end()));
      const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
      stored.assign(bytes, bytes + text.size() * sizeof(char16_t));
    }
    const std::u16string name = m_scratch.Utf16FromAnsi(valueName);
    EXPECT_EQ(RegSetValueExW(key, reinterpret_cast<const wchar_t*>(name.c_str()), 0, type, stored.data(),
                             static_cast<DWORD>(stored.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  std::optional<StoredValue> Find(std::uint32_t root, const std::string& keyPath,
                                  const std::string& valueName) override {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, m_scratch.Path(root, keyPath).c_str(), 0, KEY_QUERY_VALUE, &key))
      return std::nullopt;
    StoredValue found{0, std::vector<std::uint8_t>(1 << 17)};  // more than any test stores
    DWORD type = 0;
    auto size = static_cast<DWORD>(found.data.size());
    const LONG status = RegQueryValueExA(key, valueName.c_str(), nullptr, &type, found.data.data(), &size);
    RegCloseKey(key);
    found.type = type;
    found.data.resize(size);
    return status == ERROR_SUCCESS ? std::optional(found) : std::nullopt;
  }

 private:
  ScratchRegistry m_scratch;
  InstrumentedRegistry m_api{m_scratch};
};

std::unique_ptr<RegistryBackend> MakeWin32Backend() { return std::make_unique<Win32Backend>(); }
const auto kWin32 = ::testing::Values(BackendParam{"Win32", &MakeWin32Backend});

}  // namespace

INSTANTIATE_TEST_SUITE_P(System, RegistryRoutines, kWin32, BackendName);
INSTANTIATE_TEST_SUITE_P(System, AutorunPolicy, kWin32, BackendName);

}  // namespace quellan::policy::testing
