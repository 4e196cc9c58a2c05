#include "support/session.h"

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "shell/game.h"

namespace nebulance::testing {

Clock fixedClock(std::int64_t seconds) {
  return [seconds] { return seconds; };
}

Clock scriptedClock(std::vector<std::int64_t> readings) {
  auto shared = std::make_shared<std::vector<std::int64_t>>(std::move(readings));
  auto next = std::make_shared<std::size_t>(0);
  return [shared, next] {
    const std::int64_t value = (*shared)[std::min(*next, shared->size() - 1)];
    ++*next;
    return value;
  };
}

std::string playSession(std::string_view input, Clock clock) {
  std::istringstream in{std::string(input)};
  std::ostringstream out;
  runGame(in, out, std::move(clock));
  return out.str();
}

std::string playSession(std::string_view input, std::int64_t clockSeconds) {
  return playSession(input, fixedClock(clockSeconds));
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
