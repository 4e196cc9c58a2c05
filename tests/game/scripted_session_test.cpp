// Every file in tests/data/sessions is one whole scripted session (format in support/session.h):
// a few header lines say why it matters, which clock it runs on and what the player types, and
// the rest is the exact console output expected. Set NEBULANCE_UPDATE_TEST_DATA=1 to rewrite the
// outputs after a reviewed change.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/session.h"

namespace nebulance {
namespace {

std::vector<std::string> sessionNames() {
  std::vector<std::string> names;
  const std::filesystem::path folder = std::string(NEBULANCE_TEST_DATA_DIR) + "/sessions";
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() == ".session") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class ScriptedSessionTest : public ::testing::TestWithParam<std::string> {};

TEST_P(ScriptedSessionTest, PrintsItsTranscript) {
  const std::string file = "sessions/" + GetParam() + ".session";
  const testing::ScriptedSession session = testing::loadScriptedSession(GetParam());
  ASSERT_FALSE(session.clockReadings.empty()) << file << " names no clock";
  const std::string output =
      testing::playSession(session.input, testing::scriptedClock(session.clockReadings));
  if (testing::updateTestData(file, session.header + output)) GTEST_SKIP() << "rewritten";
  EXPECT_EQ(output, session.expectedOutput) << file;
}

INSTANTIATE_TEST_SUITE_P(Sessions, ScriptedSessionTest, ::testing::ValuesIn(sessionNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

// The input may end anywhere in the whole game: the run then stops quietly, having printed
// exactly what the whole game prints up to there. Its script types single digits only, so no
// cut can shorten a number into another one.
TEST(FullGameTest, EndOfInputAtEveryPointStopsWithAPrefixOfTheWholeGame) {
  const testing::ScriptedSession game = testing::loadScriptedSession("shell-full-game");
  std::size_t previousLength = 0;
  for (std::size_t cut = 0; cut < game.input.size(); ++cut) {
    const std::string output =
        testing::playSession(game.input.substr(0, cut), testing::scriptedClock(game.clockReadings));
    ASSERT_EQ(output, game.expectedOutput.substr(0, output.size())) << "cut at " << cut;
    ASSERT_GE(output.size(), previousLength) << "cut at " << cut;
    previousLength = output.size();
  }
  // The last key of the verdict's pause is the last character the game reads.
  EXPECT_EQ(previousLength, game.expectedOutput.size());
}

}  // namespace
}  // namespace nebulance
