// The name tables start empty and are filled by the first registry access of the process, once. This
// runs in an executable of its own so that nothing has touched the registry routines before it.
#include <gtest/gtest.h>

#include "policy/memory_registry.h"
#include "policy/registry.h"

namespace quellan::policy {
namespace {

TEST(RegistryNames, TheFirstAccessFillsTheTablesOnce) {
  const RegistryNameTables& tables = RegistryNames();
  ASSERT_EQ(tables.fillCount, 0);
  EXPECT_TRUE(tables.RegTypeCodes.Empty() && tables.RegFilePrefixes.Empty() && tables.RegHiveHandles.Empty());
  MemoryRegistry reg;
  GetRegValue(reg, kHkeyCurrentUser, u"Software", u"x", kZeroDefault);
  SetRegDword(reg, kHkeyCurrentUser, u"Software\\Quellan", u"x", 1);
  InitRegistryNames();  // adds nothing: every key is there already
  EXPECT_EQ(tables.fillCount, 2);

  using Small = std::vector<std::pair<std::u16string, std::int16_t>>;
  EXPECT_EQ(tables.RegTypeCodes.Entries(),
            (Small{{u"REG_SZ", 1}, {u"REG_EXPAND_SZ", 2}, {u"REG_BINARY", 3}, {u"REG_DWORD", 4}}));
  EXPECT_EQ(tables.RegFilePrefixes.Entries(), (Small{{u"", 1}, {u"hex(2):", 2}, {u"hex:", 3}, {u"dword:", 4}}));
  using Hives = std::vector<std::pair<std::u16string, std::uint32_t>>;
  EXPECT_EQ(tables.RegHiveHandles.Entries(), (Hives{{u"HKEY_CLASSES_ROOT", 0x80000000u},
                                                    {u"HKEY_CURRENT_USER", 0x80000001u},
                                                    {u"HKEY_USERS", 0x80000003u},
                                                    {u"HKEY_LOCAL_MACHINE", 0x80000002u},
                                                    {u"HKEY_CURRENT_CONFIG", 0x80000005u},
                                                    {u"HKEY_DYN_DATA", 0x80000006u},
                                                    {u"HKEY_PERFORMANCE_DATA", 0x80000004u}}));
  EXPECT_EQ(HiveName(kHkeyUsers), u"HKEY_USERS");
  EXPECT_EQ(HiveName(0x12345678u), u"");
}

}  // namespace
}  // namespace quellan::policy
