// Replays every seed of the fuzz corpus and every saved finding through the fuzzer's own
// harness, so that `make test` and `make check` (under the sanitizers) keep them passing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"

namespace nebulance::fuzzing {
namespace {

std::vector<std::filesystem::path> savedInputs() {
  std::vector<std::filesystem::path> inputs;
  for (const char* folder : {"corpus", "regressions"}) {
    const std::filesystem::path directory = std::filesystem::path(NEBULANCE_FUZZ_DIR) / folder;
    if (!std::filesystem::is_directory(directory)) continue;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
      if (entry.is_regular_file() && entry.path().extension() != ".md") {
        inputs.push_back(entry.path());
      }
    }
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

std::string played(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(stream),
                                        std::istreambuf_iterator<char>()};
  std::ostringstream out;
  playFuzzInput(bytes, out);
  return out.str();
}

class SavedInputTest : public ::testing::TestWithParam<std::filesystem::path> {};

// The clock and the typed bytes are the only inputs, so a replay must print the same again;
// a difference means something read memory it never set.
TEST_P(SavedInputTest, EndsAndReplaysIdentically) {
  const std::string first = played(GetParam());
  EXPECT_NE(first.find("What do you wish to do?"), std::string::npos);
  EXPECT_EQ(first, played(GetParam()));
}

std::string testName(const ::testing::TestParamInfo<std::filesystem::path>& info) {
  std::string name =
      info.param.parent_path().filename().string() + "_" + info.param.stem().string();
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Fuzz, SavedInputTest, ::testing::ValuesIn(savedInputs()), testName);

}  // namespace
}  // namespace nebulance::fuzzing
