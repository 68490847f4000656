// The shared suites against the registry held in memory.
#include "registry_backend.h"

namespace quellan::policy::testing {
namespace {

class MemoryBackend : public RegistryBackend {
 public:
  InstrumentedRegistry& Api() override { return m_registry; }
  void Seed(std::uint32_t root, const std::string& keyPath, const std::string& valueName, std::uint32_t type,
            const std::vector<std::uint8_t>& data) override {
    ASSERT_EQ(m_registry.Seed(root, keyPath, valueName, type, data), kErrorSuccess);
  }
  std::optional<StoredValue> Find(std::uint32_t root, const std::string& keyPath,
                                  const std::string& valueName) override {
    return m_registry.Find(root, keyPath, valueName);
  }

 private:
  MemoryRegistry m_registry;
};

const auto kMemory = ::testing::Values(BackendParam{"Memory", &MakeMemoryBackend});

}  // namespace

std::unique_ptr<RegistryBackend> MakeMemoryBackend() { return std::make_unique<MemoryBackend>(); }

INSTANTIATE_TEST_SUITE_P(Memory, RegistryRoutines, kMemory, BackendName);
INSTANTIATE_TEST_SUITE_P(Memory, AutorunPolicy, kMemory, BackendName);

}  // namespace quellan::policy::testing
