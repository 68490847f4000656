// GetRegValue and SetRegDword against every backend: the calls they make, what they read and write,
// and that every key they open is closed once whatever fails.
#include "policy/registry.h"

#include "registry_backend.h"

namespace quellan::policy::testing {
namespace {

// Key paths and value names compare without regard to case.
const std::string kPath = "Software\\QuellanRoutines";
const std::u16string kPath16 = u"SOFTWARE\\quellanroutines";

RegValue Read(RegistryApi& reg, const std::string& name, const RegValue& fallback = kZeroDefault) {
  return GetRegValue(reg, kHkeyCurrentUser, kPath16, std::u16string(name.begin(), name.end()), fallback);
}

TEST_P(RegistryRoutines, SetRegDwordCreatesThePathAndStoresTheTwosComplementPattern) {
  Backend().Seed(kHkeyCurrentUser, kPath, "Number", kRegSz, Bytes(std::string("145\0", 4)));
  for (const std::int32_t value : {4, -1, INT32_MIN, INT32_MAX, 0}) {
    ASSERT_EQ(SetRegDword(Api(), kHkeyCurrentUser, kPath16, u"NUMBER", value), kErrorSuccess);
    EXPECT_EQ(Backend().Find(kHkeyCurrentUser, kPath, "number"), Dword(static_cast<std::uint32_t>(value)));
    EXPECT_EQ(Read(Api(), "Number"), RegValue{value});
  }
  // A whole new path, with names that pass through the ANSI code page.
  const std::u16string path = u"New\\Policies\\\u00C9t\u00E9";
  Api().ClearCalls();
  ASSERT_EQ(SetRegDword(Api(), kHkeyLocalMachine, path, u"Caf\u00E9", -2), kErrorSuccess);
  EXPECT_EQ(Backend().Find(kHkeyLocalMachine, "New\\Policies\\\xC9t\xE9", "Caf\xE9"), Dword(0xFFFFFFFE));
  EXPECT_EQ(GetRegValue(Api(), kHkeyLocalMachine, path, u"Caf\u00E9", kZeroDefault), RegValue{std::int32_t{-2}});
  const auto& calls = Api().Calls();
  ASSERT_GE(calls.size(), 3u);
  const RegCallRecord& create = calls[0];
  EXPECT_EQ(std::make_tuple(create.call, create.root, create.keyPath, create.reserved, create.className, create.options,
                            create.access, create.securityGiven, create.inheritHandle),
            std::make_tuple(RegCall::CreateKeyEx, kHkeyLocalMachine, std::string("New\\Policies\\\xC9t\xE9"), 0u,
                            std::string(), 0u, 0xF003Fu, true, false));
  const RegCallRecord& set = calls[1];
  EXPECT_EQ(std::make_tuple(set.call, set.handle, set.valueName, set.reserved, set.type, set.sizeIn, set.data),
            std::make_tuple(RegCall::SetValueEx, create.handle, std::string("Caf\xE9"), 0u, kRegDword, 4u,
                            DwordBytes(0xFFFFFFFE)));
  EXPECT_EQ(std::make_tuple(calls[2].call, calls[2].handle), std::make_tuple(RegCall::CloseKey, create.handle));
}

// A read opens the key for querying only, learns the type and size with no buffer, reads REG_DWORD
// and REG_BINARY of up to 4 bytes into a 4-byte integer and REG_SZ into a buffer of the size learned,
// and gives the caller's default, unchanged, for everything else.
TEST_P(RegistryRoutines, GetRegValueConvertsByTypeAfterLearningTheSize) {
  const struct {
    std::uint32_t type;
    std::vector<std::uint8_t> data;
    RegValue expected;
  } cases[] = {
      {kRegDword, DwordBytes(0xFFFFFFFF), std::int32_t{-1}},
      {kRegBinary, {0x91, 0x00}, std::int32_t{145}},
      {kRegBinary, {0x04, 0x03, 0x02, 0x81}, std::int32_t{static_cast<std::int32_t>(0x81020304u)}},
      {kRegBinary, {}, std::int32_t{0}},
      {kRegBinary, {1, 2, 3, 4, 5}, kZeroDefault},
      {kRegQword, {5, 0, 0, 0, 0, 0, 0, 0}, kZeroDefault},
      {kRegExpandSz, Bytes(std::string("%SystemRoot%\0", 13)), kZeroDefault},
      {kRegMultiSz, Bytes(std::string("145\0\0", 5)), kZeroDefault},
      {kRegSz, Bytes(std::string("145\0", 4)), std::u16string(u"145")},
      {kRegSz, Bytes(std::string("\0", 1)), std::u16string()},
      {kRegSz, {}, std::u16string()},
      {kRegSz, Bytes("145  "), std::u16string(u"145")},  // no NUL: the spaces go with the spare end
      {kRegSz, Bytes(std::string("abc\0def\0", 8)), std::u16string(u"abc")},
      {kRegSz, Bytes(std::string("  12  \0", 7)), std::u16string(u"  12  ")},
      {kRegSz, Bytes(std::string("caf\xE9\0", 5)), std::u16string(u"caf\u00E9")},
      {kRegSz, Bytes(std::string(70000, 'x') + '\0'), std::u16string(70000, u'x')},  // beyond a 16-bit position
      {kRegSz, Bytes(std::string(40000, 'x') + '\0' + std::string(30000, 'y')), std::u16string(40000, u'x')},
      {kRegSz, Bytes(std::string(32768, 'x') + '\0' + "y"), std::u16string(32768, u'x')},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    Backend().Seed(kHkeyCurrentUser, kPath, std::to_string(i), cases[i].type, cases[i].data);
  const RegValue other{std::u16string(u"fallback")};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    const auto& c = cases[i];
    Api().ClearCalls();
    EXPECT_EQ(Read(Api(), std::to_string(i)), c.expected);
    const auto& calls = Api().Calls();
    const bool secondQuery = c.type == kRegSz || c.type == kRegBinary || c.type == kRegDword;
    ASSERT_EQ(calls.size(), secondQuery ? 4u : 3u);
    EXPECT_EQ(std::make_tuple(calls[0].call, calls[0].root, calls[0].keyPath, calls[0].options, calls[0].access),
              std::make_tuple(RegCall::OpenKeyEx, kHkeyCurrentUser, Narrow(kPath16), 0u, kKeyQueryValue));
    EXPECT_EQ(std::make_tuple(calls[1].call, calls[1].dataGiven, calls[1].reservedGiven),
              std::make_tuple(RegCall::QueryValueEx, false, false));
    if (secondQuery) {
      EXPECT_EQ(std::make_tuple(calls[2].call, calls[2].dataGiven, calls[2].reservedGiven, calls[2].sizeIn),
                std::make_tuple(RegCall::QueryValueEx, true, false, c.type == kRegSz ? calls[1].sizeOut : 4u));
    }
    EXPECT_EQ(std::make_tuple(calls.back().call, calls.back().handle),
              std::make_tuple(RegCall::CloseKey, calls[0].handle));
    EXPECT_EQ(Read(Api(), std::to_string(i), other), c.expected == kZeroDefault ? other : c.expected);
  }
  // Missing value, key or path: the default comes back as it went in (a 16-bit 0 stays a 16-bit 0),
  // and nothing is created.
  for (const auto& [path, name] :
       {std::pair{kPath16, u"absent"}, {kPath16 + u"\\Missing", u"0"}, {u"Software\\QuellanMissing\\Deeper", u"0"}}) {
    for (const RegValue& fallback : {kZeroDefault, RegValue{std::int32_t{0}}, other})
      EXPECT_EQ(GetRegValue(Api(), kHkeyCurrentUser, path, name, fallback), fallback);
  }
  KeyHandle key = 0;
  EXPECT_EQ(Api().OpenKeyEx(kHkeyCurrentUser, "Software\\QuellanMissing", 0, kKeyQueryValue, &key), kErrorFileNotFound);
}

// Every step that can fail: the routine returns the status (a write) or the default (a read), makes
// no further call, and closes exactly the key it opened.
TEST_P(RegistryRoutines, FailuresAtEveryStepCloseWhatWasOpened) {
  Backend().Seed(kHkeyCurrentUser, kPath, "text", kRegSz, Bytes(std::string("12\0", 3)));
  Backend().Seed(kHkeyCurrentUser, kPath, "dword", kRegDword, DwordBytes(12));
  const struct {
    RegCall call;
    int skip;
    std::int32_t status;
    const char* name;   // null: a write of "dword"
    std::size_t calls;  // made in all, the last a close of the key whenever one was opened
  } cases[] = {
      {RegCall::CreateKeyEx, 0, kErrorAccessDenied, nullptr, 1},
      {RegCall::SetValueEx, 0, kErrorOutOfMemory, nullptr, 3},
      {RegCall::OpenKeyEx, 0, kErrorAccessDenied, "text", 1},
      {RegCall::QueryValueEx, 0, kErrorAccessDenied, "text", 3},
      {RegCall::QueryValueEx, 1, kErrorMoreData, "text", 4},
      {RegCall::QueryValueEx, 0, kErrorFileNotFound, "dword", 3},
      {RegCall::QueryValueEx, 1, kErrorMoreData, "dword", 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.calls);
    Api().ClearCalls();
    Api().InjectFailure(InjectedFailure{c.call, c.status, {}, {}, {}, c.skip, 1});
    if (c.name) {
      EXPECT_EQ(Read(Api(), c.name, RegValue{std::int16_t{-1}}), RegValue{std::int16_t{-1}});
    } else {
      EXPECT_EQ(SetRegDword(Api(), kHkeyCurrentUser, kPath16, u"dword", 99), c.status);
      EXPECT_EQ(Backend().Find(kHkeyCurrentUser, kPath, "dword"), Dword(12));
    }
    ASSERT_EQ(Api().Calls().size(), c.calls);
    EXPECT_EQ(Api().Calls().back().call, c.calls > 1 ? RegCall::CloseKey : c.call);
    EXPECT_EQ(Api().OpenKeys(), 0);
  }
}

}  // namespace
}  // namespace quellan::policy::testing
