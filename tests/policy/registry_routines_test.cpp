// GetRegValue and SetRegDword against every backend: the calls they make, what they read and write,
// and that every key they open is closed once whatever fails.
#include "policy/registry.h"

#include <algorithm>

#include "registry_backend.h"

namespace quellan::policy::testing {
namespace {

const std::string kPath = "Software\\QuellanRoutines";
const std::u16string kPath16 = u"Software\\QuellanRoutines";

RegValue Read(RegistryApi& reg, const std::u16string& name, const RegValue& fallback = kZeroDefault) {
  return GetRegValue(reg, kHkeyCurrentUser, kPath16, name, fallback);
}

TEST_P(RegistryRoutines, SetRegDwordCreatesThePathAndStoresTheTwosComplementPattern) {
  Backend().Seed(kHkeyCurrentUser, kPath, "Number", kRegSz, Bytes(std::string("145\0", 4)));
  for (const std::int32_t value : {4, -1, INT32_MIN, INT32_MAX, 0}) {
    ASSERT_EQ(SetRegDword(Api(), kHkeyCurrentUser, kPath16, u"Number", value), kErrorSuccess);
    const auto pattern = static_cast<std::uint32_t>(value);
    EXPECT_EQ(Backend().Find(kHkeyCurrentUser, kPath, "Number"), (StoredValue{kRegDword, DwordBytes(pattern)}));
    EXPECT_EQ(Read(Api(), u"Number"), RegValue{value});
  }
  const std::string deep = kPath + "\\New\\Policies\\Explorer";
  EXPECT_FALSE(Backend().KeyExists(kHkeyCurrentUser, kPath + "\\New"));
  EXPECT_EQ(SetRegDword(Api(), kHkeyCurrentUser, kPath16 + u"\\New\\Policies\\Explorer", u"NoDriveAutoRun", 4),
            kErrorSuccess);
  EXPECT_EQ(Backend().Find(kHkeyCurrentUser, deep, "NoDriveAutoRun"), (StoredValue{kRegDword, DwordBytes(4)}));

  Api().ClearCalls();
  ASSERT_EQ(SetRegDword(Api(), kHkeyLocalMachine, u"System\\QuellanCalls", u"AutoRun", -2), kErrorSuccess);
  const auto& calls = Api().Calls();
  ASSERT_EQ(calls.size(), 3u);
  const RegCallRecord& create = calls[0];
  EXPECT_EQ(std::make_tuple(create.call, create.root, create.keyPath, create.reserved, create.className, create.options,
                            create.access, create.securityGiven, create.inheritHandle),
            std::make_tuple(RegCall::CreateKeyEx, kHkeyLocalMachine, std::string("System\\QuellanCalls"), 0u,
                            std::string(), 0u, 0xF003Fu, true, false));
  const RegCallRecord& set = calls[1];
  EXPECT_EQ(std::make_tuple(set.call, set.handle, set.valueName, set.reserved, set.type, set.sizeIn, set.data),
            std::make_tuple(RegCall::SetValueEx, create.handle, std::string("AutoRun"), 0u, kRegDword, 4u,
                            DwordBytes(0xFFFFFFFE)));
  EXPECT_EQ(std::make_tuple(calls[2].call, calls[2].handle), std::make_tuple(RegCall::CloseKey, create.handle));
}

// A read gives an integer for REG_DWORD and REG_BINARY of up to 4 bytes, the text up to the first NUL
// for REG_SZ, and the caller's default, unchanged, for everything else.
TEST_P(RegistryRoutines, GetRegValueConvertsByType) {
  const RegValue kDefault{std::int16_t{0}};
  struct Case {
    std::uint32_t type;
    std::vector<std::uint8_t> data;
    RegValue expected;
  } cases[] = {
      {kRegDword, DwordBytes(0xFFFFFFFF), std::int32_t{-1}},
      {kRegBinary, {0x91, 0x00}, std::int32_t{145}},
      {kRegBinary, {0x01, 0x02, 0x03}, std::int32_t{0x030201}},
      {kRegBinary, {0x04, 0x03, 0x02, 0x81}, std::int32_t{static_cast<std::int32_t>(0x81020304u)}},
      {kRegBinary, {}, std::int32_t{0}},
      {kRegBinary, {1, 2, 3, 4, 5}, kDefault},
      {kRegBinary, {1, 0, 0, 0, 0, 0, 0, 0}, kDefault},
      {kRegQword, {5, 0, 0, 0, 0, 0, 0, 0}, kDefault},
      {kRegExpandSz, Bytes(std::string("%SystemRoot%\0", 13)), kDefault},
      {kRegMultiSz, Bytes(std::string("145\0\0", 5)), kDefault},
      {kRegNone, {1, 0, 0, 0}, kDefault},
      {kRegSz, Bytes(std::string("145\0", 4)), std::u16string(u"145")},
      {kRegSz, Bytes(std::string("\0", 1)), std::u16string()},
      {kRegSz, {}, std::u16string()},
      {kRegSz, Bytes("145  "), std::u16string(u"145")},  // no NUL: the spaces go with the spare end
      {kRegSz, Bytes(std::string("abc\0def\0", 8)), std::u16string(u"abc")},
      {kRegSz, Bytes(std::string("  12  \0", 7)), std::u16string(u"  12  ")},
      {kRegSz, Bytes(std::string("caf\xE9\0", 5)), std::u16string(u"caf\u00E9")},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    Backend().Seed(kHkeyCurrentUser, kPath, std::to_string(i), cases[i].type, cases[i].data);
  const RegValue other{std::u16string(u"fallback")};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const std::string name = std::to_string(i);
    const Case& c = cases[i];
    EXPECT_EQ(Read(Api(), std::u16string(name.begin(), name.end())), c.expected) << i;
    EXPECT_EQ(Read(Api(), std::u16string(name.begin(), name.end()), other), c.expected == kDefault ? other : c.expected)
        << i;
  }
  // Missing value, missing key, missing path: the default comes back as it went in, nothing opened
  // stays open and nothing is created.
  for (const auto& [path, name] :
       {std::pair{kPath16, u"absent"}, {kPath16 + u"\\Missing", u"0"}, {u"Software\\QuellanMissing\\Deeper", u"0"}}) {
    for (const RegValue& fallback : {RegValue{std::int16_t{0}}, RegValue{std::int32_t{0}}, other}) {
      const RegValue result = GetRegValue(Api(), kHkeyCurrentUser, path, name, fallback);
      EXPECT_EQ(result, fallback);
      EXPECT_EQ(result.index(), fallback.index());  // a 16-bit 0 stays a 16-bit 0
    }
  }
  EXPECT_FALSE(Backend().KeyExists(kHkeyCurrentUser, "Software\\QuellanMissing"));
}

TEST_P(RegistryRoutines, GetRegValueQueriesTheSizeFirstThenReadsIntoABufferOfThatSize) {
  Backend().Seed(kHkeyCurrentUser, kPath, "text", kRegSz, Bytes(std::string("4\0", 2)));
  Backend().Seed(kHkeyCurrentUser, kPath, "dword", kRegDword, DwordBytes(4));
  Backend().Seed(kHkeyCurrentUser, kPath, "qword", kRegQword, {4, 0, 0, 0, 0, 0, 0, 0});
  for (const auto& [name, secondQuery] : {std::pair{u"text", true}, {u"dword", true}, {u"qword", false}}) {
    Api().ClearCalls();
    Read(Api(), name);
    const auto& calls = Api().Calls();
    ASSERT_EQ(calls.size(), secondQuery ? 4u : 3u);
    EXPECT_EQ(std::make_tuple(calls[0].call, calls[0].root, calls[0].keyPath, calls[0].options, calls[0].access),
              std::make_tuple(RegCall::OpenKeyEx, kHkeyCurrentUser, kPath, 0u, kKeyQueryValue));
    EXPECT_EQ(std::make_tuple(calls[1].call, calls[1].dataGiven, calls[1].reservedGiven),
              std::make_tuple(RegCall::QueryValueEx, false, false));
    if (secondQuery) {
      const std::uint32_t size = std::u16string(name) == u"text" ? calls[1].sizeOut : 4u;
      EXPECT_EQ(std::make_tuple(calls[2].call, calls[2].dataGiven, calls[2].reservedGiven, calls[2].sizeIn),
                std::make_tuple(RegCall::QueryValueEx, true, false, size));
    }
    EXPECT_EQ(std::make_tuple(calls.back().call, calls.back().handle),
              std::make_tuple(RegCall::CloseKey, calls[0].handle));
  }
}

TEST_P(RegistryRoutines, GetRegValueReadsTextOfAnyLength) {
  for (const auto& [length, nulAt] : {std::pair{70000u, 70000u}, {70000u, 40000u}, {33000u, 32768u}}) {
    std::string text(length, 'x');
    for (std::size_t i = 0; i < text.size(); i += 997) text[i] = static_cast<char>('a' + i % 26);
    if (nulAt < length) text[nulAt] = '\0';
    Backend().Seed(kHkeyCurrentUser, kPath, "long", kRegSz, Bytes(text + '\0'));
    const RegValue result = Read(Api(), u"long");
    ASSERT_TRUE(std::holds_alternative<std::u16string>(result));
    EXPECT_EQ(std::get<std::u16string>(result), std::u16string(text.begin(), text.begin() + nulAt));
  }
}

// Every step that can fail: the routine returns the status (a write) or the default (a read), and
// closes exactly the key it opened.
TEST_P(RegistryRoutines, FailuresAtEveryStepCloseWhatWasOpened) {
  Backend().Seed(kHkeyCurrentUser, kPath, "text", kRegSz, Bytes(std::string("12\0", 3)));
  Backend().Seed(kHkeyCurrentUser, kPath, "dword", kRegDword, DwordBytes(12));
  struct Case {
    RegCall call;
    int skip;
    std::int32_t status;
    const char16_t* name;  // null: a write of "dword"
    std::size_t calls;
    int opened;
  } cases[] = {
      {RegCall::CreateKeyEx, 0, kErrorAccessDenied, nullptr, 1, 0},
      {RegCall::SetValueEx, 0, kErrorOutOfMemory, nullptr, 3, 1},
      {RegCall::OpenKeyEx, 0, kErrorAccessDenied, u"text", 1, 0},
      {RegCall::QueryValueEx, 0, kErrorAccessDenied, u"text", 3, 1},
      {RegCall::QueryValueEx, 1, kErrorMoreData, u"text", 4, 1},
      {RegCall::QueryValueEx, 0, kErrorFileNotFound, u"dword", 3, 1},
      {RegCall::QueryValueEx, 1, kErrorMoreData, u"dword", 4, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.calls);
    Api().ClearCalls();
    const int openedBefore = Api().Opened();
    Api().InjectFailure(InjectedFailure{c.call, c.status, {}, {}, {}, c.skip, 1});
    if (c.name) {
      const RegValue result = Read(Api(), c.name, RegValue{std::int16_t{-1}});
      EXPECT_EQ(result, RegValue{std::int16_t{-1}});
    } else {
      EXPECT_EQ(SetRegDword(Api(), kHkeyCurrentUser, kPath16, u"dword", 99), c.status);
      EXPECT_EQ(Backend().Find(kHkeyCurrentUser, kPath, "dword"), (StoredValue{kRegDword, DwordBytes(12)}));
    }
    EXPECT_EQ(Api().Calls().size(), c.calls);
    EXPECT_EQ(Api().Opened() - openedBefore, c.opened);
    EXPECT_EQ(Api().OpenKeys(), 0);
  }
}

TEST_P(RegistryRoutines, NamesPassThroughTheAnsiCodePage) {
  const std::u16string path = kPath16 + u"\\\u00C9t\u00E9";
  EXPECT_EQ(SetRegDword(Api(), kHkeyCurrentUser, path, u"Caf\u00E9", 77), kErrorSuccess);
  EXPECT_EQ(GetRegValue(Api(), kHkeyCurrentUser, path, u"Caf\u00E9", kZeroDefault), RegValue{std::int32_t{77}});
  EXPECT_EQ(Backend().Find(kHkeyCurrentUser, kPath + "\\\xC9t\xE9", "Caf\xE9"),
            (StoredValue{kRegDword, DwordBytes(77)}));
}

}  // namespace
}  // namespace quellan::policy::testing
