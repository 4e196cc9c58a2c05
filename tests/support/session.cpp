#include "support/session.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "game/game.h"

namespace nebulance::testing {

Clock scriptedClock(std::vector<std::int64_t> readings) {
  return [readings = std::move(readings), next = std::size_t{0}]() mutable {
    return readings[std::min(next++, readings.size() - 1)];
  };
}

std::string playSession(std::string_view input, Clock clock) {
  std::istringstream in{std::string(input)};
  std::ostringstream out;
  runGame(in, out, std::move(clock));
  return out.str();
}

namespace {

constexpr std::string_view kOutputMarker = "--- output\n";

std::string unescape(std::string_view text) {
  std::string result(text);
  for (std::size_t at = 0; (at = result.find("\\n", at)) != std::string::npos; ++at) {
    result.replace(at, 2, "\n");
  }
  return result;
}

}  // namespace

ScriptedSession loadScriptedSession(std::string_view name) {
  const std::string file = readTestData("sessions/" + std::string(name) + ".session");
  ScriptedSession session;
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

std::string readTestData(std::string_view name) {
  std::ifstream file(std::string(NEBULANCE_TEST_DATA_DIR) + "/" + std::string(name),
                     std::ios::binary);
  std::ostringstream contents;
  contents << file.rdbuf();
  return contents.str();
}

bool updateTestData(std::string_view name, std::string_view text) {
  if (std::getenv("NEBULANCE_UPDATE_TEST_DATA") == nullptr) return false;
  std::ofstream file(std::string(NEBULANCE_TEST_DATA_DIR) + "/" + std::string(name),
                     std::ios::binary);
  file.write(text.data(), static_cast<std::streamsize>(text.size()));
  return true;
}

}  // namespace nebulance::testing
