// What the routines rely on from the five registry calls, checked against every backend with
// poisoned out-parameters and guard bytes past the buffers.
#include <algorithm>

#include "registry_backend.h"

namespace quellan::policy::testing {
namespace {

constexpr std::uint32_t kPoison = 0xDEADBEEF;
constexpr std::uint8_t kGuard = 0xA5;
const std::string kBase = "Software\\QuellanContract";

KeyHandle Open(RegistryApi& reg, std::uint32_t access) {
  KeyHandle key = kPoison;
  EXPECT_EQ(reg.OpenKeyEx(kHkeyCurrentUser, kBase, 0, access, &key), kErrorSuccess);
  return key;
}

TEST_P(RegistryContract, OpenNeverCreatesAndCreateMakesTheWholePath) {
  struct Step {
    bool create;
    std::string path;
    std::int32_t status;
    std::uint32_t disposition;
  } steps[] = {
      {false, "\\A", kErrorFileNotFound, kPoison},
      {true, "\\A\\B\\C", kErrorSuccess, kRegCreatedNewKey},
      {true, "\\a\\b\\c", kErrorSuccess, kRegOpenedExistingKey},  // names compare without regard to case
      {false, "\\A\\B", kErrorSuccess, kPoison},
      {false, "\\A\\B\\C\\D", kErrorFileNotFound, kPoison},
  };
  for (const Step& step : steps) {
    KeyHandle key = kPoison;
    std::uint32_t disposition = kPoison;
    const SecurityAttributes security{};
    const std::int32_t status = step.create
                                    ? Api().CreateKeyEx(kHkeyCurrentUser, kBase + step.path, 0, "", 0, kKeyAllAccess,
                                                        &security, &key, &disposition)
                                    : Api().OpenKeyEx(kHkeyCurrentUser, kBase + step.path, 0, kKeyQueryValue, &key);
    EXPECT_EQ(status, step.status) << step.path;
    EXPECT_EQ(disposition, step.disposition) << step.path;
    EXPECT_EQ(key == 0, status != kErrorSuccess) << step.path;
    if (status == kErrorSuccess) {
      EXPECT_EQ(Api().CloseKey(key), kErrorSuccess);
    }
  }
  EXPECT_FALSE(Backend().KeyExists(kHkeyCurrentUser, kBase + "\\A\\B\\C\\D"));
}

TEST_P(RegistryContract, QueryReportsTypeAndSizeThenCopiesNoMoreThanTheBufferHolds) {
  const std::pair<std::uint32_t, std::vector<std::uint8_t>> values[] = {
      {kRegBinary, {}},
      {kRegBinary, {0x91}},
      {kRegDword, DwordBytes(0xFFFFFFFE)},
      {kRegQword, {8, 7, 6, 5, 4, 3, 2, 1}},
      {kRegMultiSz, Bytes(std::string("a\0bc\0\0", 6))},
      {kRegBinary, std::vector<std::uint8_t>(70000, 0x3C)},
  };
  for (std::size_t i = 0; i < std::size(values); ++i)
    Backend().Seed(kHkeyCurrentUser, kBase, std::to_string(i), values[i].first, values[i].second);
  const KeyHandle key = Open(Api(), kKeyQueryValue);
  for (std::size_t i = 0; i < std::size(values); ++i) {
    const auto& [storedType, data] = values[i];
    const std::string name = std::to_string(i);
    const auto n = static_cast<std::uint32_t>(data.size());
    std::uint32_t type = kPoison;
    std::uint32_t size = kPoison;
    ASSERT_EQ(Api().QueryValueEx(key, name, nullptr, &type, nullptr, &size), kErrorSuccess) << name;
    EXPECT_EQ(type, storedType);
    EXPECT_EQ(size, n);
    // One byte short, then exactly the size: nothing is written past what the call was given.
    for (const std::uint32_t given : {n - 1, n}) {
      if (n == 0 && given != n) continue;
      std::vector<std::uint8_t> buffer(n + 8, kGuard);
      size = given;
      EXPECT_EQ(Api().QueryValueEx(key, name, nullptr, &type, buffer.data(), &size),
                given < n ? kErrorMoreData : kErrorSuccess);
      EXPECT_EQ(size, n);
      EXPECT_TRUE(std::all_of(buffer.begin() + given, buffer.end(), [](std::uint8_t b) { return b == kGuard; }));
      if (given == n) {
        EXPECT_TRUE(std::equal(data.begin(), data.end(), buffer.begin())) << name;
      }
    }
  }
  std::uint8_t buffer[4] = {kGuard, kGuard, kGuard, kGuard};
  std::uint32_t reserved = 0;
  std::uint32_t size = sizeof buffer;
  EXPECT_EQ(Api().QueryValueEx(key, "absent", nullptr, nullptr, buffer, &size), kErrorFileNotFound);
  EXPECT_EQ(Api().QueryValueEx(key, "2", &reserved, nullptr, buffer, &size), kErrorInvalidParameter);
  EXPECT_TRUE(std::all_of(std::begin(buffer), std::end(buffer), [](std::uint8_t b) { return b == kGuard; }));
  EXPECT_EQ(Api().CloseKey(key), kErrorSuccess);
}

TEST_P(RegistryContract, SetCreatesOrReplacesWithinTheRightsTheKeyWasOpenedWith) {
  Backend().Seed(kHkeyCurrentUser, kBase, "MixedCase", kRegSz, Bytes(std::string("145\0", 4)));
  const std::vector<std::uint8_t> nine = DwordBytes(9);
  const KeyHandle readOnly = Open(Api(), kKeyQueryValue);
  EXPECT_EQ(Api().SetValueEx(readOnly, "added", 0, kRegDword, nine.data(), 4), kErrorAccessDenied);
  EXPECT_EQ(Api().CloseKey(readOnly), kErrorSuccess);
  const KeyHandle writeOnly = Open(Api(), kKeySetValue);
  std::uint32_t size = 0;
  EXPECT_EQ(Api().QueryValueEx(writeOnly, "MixedCase", nullptr, nullptr, nullptr, &size), kErrorAccessDenied);
  for (const char* name : {"MIXEDCASE", "", "fresh"})  // "" is the key's default value
    EXPECT_EQ(Api().SetValueEx(writeOnly, name, 0, kRegDword, nine.data(), 4), kErrorSuccess) << name;
  EXPECT_EQ(Api().CloseKey(writeOnly), kErrorSuccess);
  for (const char* name : {"mixedcase", "", "fresh"})
    EXPECT_EQ(Backend().Find(kHkeyCurrentUser, kBase, name), (StoredValue{kRegDword, nine})) << name;
  EXPECT_FALSE(Backend().Find(kHkeyCurrentUser, kBase, "added"));
}

}  // namespace
}  // namespace quellan::policy::testing
