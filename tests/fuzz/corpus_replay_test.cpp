// Replays every seed of the fuzz corpus and every saved finding through the fuzzer's own
// harness, so that `make test` and `make check` (under the sanitizers) keep them passing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"

namespace nebulance::fuzzing {
namespace {

std::string played(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  const std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(stream), {});
  std::ostringstream out;
  playFuzzInput(bytes, out);
  return out.str();
}

// The clock and the typed bytes are the only inputs, so a replay must print the same again;
// a difference means something read memory it never set.
TEST(FuzzReplayTest, EverySavedInputEndsAndReplaysIdentically) {
  for (const char* folder : {"corpus", "regressions"}) {
    const std::filesystem::path directory = std::filesystem::path(NEBULANCE_FUZZ_DIR) / folder;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
      if (entry.path().extension() == ".md") continue;
      SCOPED_TRACE(entry.path());
      const std::string first = played(entry.path());
      EXPECT_NE(first.find("What do you wish to do?"), std::string::npos);
      EXPECT_EQ(first, played(entry.path()));
    }
  }
}

}  // namespace
}  // namespace nebulance::fuzzing
