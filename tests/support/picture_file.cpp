// Reference pictures, kept as binary PPM files (P6), which ImageMagick shows and converts.
#include <gtest/gtest.h>

#include <fstream>

#include "harness.h"

namespace quellan::harness {

namespace {
void SavePpm(const Picture& picture, const std::string& path) {
  std::ofstream file(path, std::ios::binary);
  file << "P6\n" << picture.width << ' ' << picture.height << "\n255\n";
  for (const std::uint32_t pixel : picture.pixels) file.put(char(pixel >> 16)).put(char(pixel >> 8)).put(char(pixel));
}
}  // namespace

::testing::AssertionResult MatchesReference(const Picture& shown, const std::string& reference) {
  std::ifstream file(reference, std::ios::binary);
  std::string magic;
  Picture expected;
  int depth = 0;
  file >> magic >> expected.width >> expected.height >> depth;
  file.get();
  for (char rgb[3]; expected.pixels.size() < std::size_t(expected.width) * expected.height && file.read(rgb, 3);)
    expected.pixels.push_back(std::uint32_t(std::uint8_t(rgb[0])) << 16 | std::uint8_t(rgb[1]) << 8 |
                              std::uint8_t(rgb[2]));
  if (shown == expected) return ::testing::AssertionSuccess();
  Picture difference = shown;
  for (std::size_t i = 0; i < shown.pixels.size(); ++i)
    difference.pixels[i] = i < expected.pixels.size() && expected.pixels[i] == shown.pixels[i] ? 0xFFFFFFu : 0xFF0000u;
  const std::size_t name = reference.find_last_of("/\\") + 1;
  const std::string stem = reference.substr(name, reference.size() - 4 - name);
  SavePpm(shown, stem + "-actual.ppm");
  SavePpm(difference, stem + "-difference.ppm");
  return ::testing::AssertionFailure() << "differs from " << reference << ": see " << stem << "-actual.ppm and " << stem
                                       << "-difference.ppm (differing pixels red) in the test's working directory";
}

}  // namespace quellan::harness
