// Every file in tests/data/sessions is one whole scripted session: a few header lines say why it
// matters, which clock it runs on and what the player types, and the rest is the exact console
// output expected. Set NEBULANCE_UPDATE_TEST_DATA=1 to rewrite the outputs after a reviewed change.
//
//   # why this session matters (any number of comment lines)
//   clock: 1700000000                 (several readings: one per reseed, the last one kept)
//   input: 1\nx\nx\nx\n3\n            (\n, \t and \\ are the only escapes)
//   --- output
//   ...the transcript, byte for byte, to the end of the file...
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/session.h"

namespace nebulance {
namespace {

constexpr std::string_view kOutputMarker = "--- output\n";

struct ScriptedSession {
  std::string name;
  std::vector<std::int64_t> clockReadings;
  std::string input;
  std::string header;  // everything up to and including the output marker
  std::string expectedOutput;
};

std::string unescape(std::string_view text) {
  std::string result;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      result += text[i];
      continue;
    }
    const char escaped = text[++i];
    result += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
  }
  return result;
}

ScriptedSession parseSession(const std::string& name, const std::string& file) {
  ScriptedSession session{name, {}, {}, {}, {}};
  const std::size_t marker = file.find(kOutputMarker);
  session.header = file.substr(0, marker + kOutputMarker.size());
  session.expectedOutput = file.substr(session.header.size());
  std::istringstream header(file.substr(0, marker));
  for (std::string line; std::getline(header, line);) {
    if (line.rfind("clock:", 0) == 0) {
      std::istringstream readings(line.substr(6));
      for (std::int64_t reading = 0; readings >> reading;) session.clockReadings.push_back(reading);
    } else if (line.rfind("input: ", 0) == 0) {
      session.input = unescape(line.substr(7));
    }
  }
  return session;
}

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
  const ScriptedSession session = parseSession(GetParam(), testing::readTestData(file));
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

}  // namespace
}  // namespace nebulance
