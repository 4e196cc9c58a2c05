// Replays every seed of the fuzz corpus and every saved finding through the fuzzer's own
// harness, so that `make test` and `make check` (under the sanitizers) keep them passing, and
// compares each with the output kept for it in expected/<name>.txt: a change of behaviour on
// any of them shows as a difference in any build. libFuzzer reads every file of corpus/ as an
// input, so the expected outputs live beside it, not in it.
#include <gtest/gtest.h>

#include <cstdlib>
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

// The output kept for an input; with NEBULANCE_UPDATE_TEST_DATA set, `output` is kept instead
// (for a new seed or finding, or a reviewed change of a screen).
std::string expectedOutput(const std::filesystem::path& input, const std::string& output) {
  const std::filesystem::path kept =
      std::filesystem::path(NEBULANCE_FUZZ_DIR) / "expected" / (input.filename().string() + ".txt");
  if (std::getenv("NEBULANCE_UPDATE_TEST_DATA") != nullptr) {
    std::ofstream(kept, std::ios::binary) << output;
  }
  std::ifstream stream(kept, std::ios::binary);
  return {std::istreambuf_iterator<char>(stream), {}};
}

// The clock and the typed bytes are the only inputs, so a replay must print the same again;
// a difference from the second replay means something read memory it never set.
TEST(FuzzReplayTest, EverySavedInputPlaysAsKeptAndReplaysIdentically) {
  for (const char* folder : {"corpus", "regressions"}) {
    const std::filesystem::path directory = std::filesystem::path(NEBULANCE_FUZZ_DIR) / folder;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
      if (entry.path().extension() == ".md") continue;
      SCOPED_TRACE(entry.path());
      const std::string first = played(entry.path());
      EXPECT_EQ(first, expectedOutput(entry.path(), first));
      EXPECT_EQ(first, played(entry.path()));
    }
  }
}

}  // namespace
}  // namespace nebulance::fuzzing
