// The shared suites against the registry held in memory.
#include "registry_backend.h"

namespace quellan::policy::testing {

INSTANTIATE_TEST_SUITE_P(Memory, RegistryContract, ::testing::Values(BackendParam{"Memory", &MakeMemoryBackend}),
                         BackendName);
INSTANTIATE_TEST_SUITE_P(Memory, RegistryRoutines, ::testing::Values(BackendParam{"Memory", &MakeMemoryBackend}),
                         BackendName);
INSTANTIATE_TEST_SUITE_P(Memory, AutorunPolicy, ::testing::Values(BackendParam{"Memory", &MakeMemoryBackend}),
                         BackendName);

}  // namespace quellan::policy::testing
