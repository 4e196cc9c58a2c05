// Plays standard input to standard output exactly as the game's own main() does, with the
// clock readings of a recorded session taken from the arguments: `nebulance_scripted 1700000000
// 1700000003 ...`.
#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include "game/game.h"
#include "support/session.h"

int main(int argc, char* argv[]) {
  std::vector<std::int64_t> readings;
  for (int i = 1; i < argc; ++i) readings.push_back(std::stoll(argv[i]));
  if (readings.empty()) {
    std::cerr << "usage: nebulance_scripted CLOCK_READING...\n";
    return 2;
  }
  std::ios::sync_with_stdio(false);
  std::cin.tie(nullptr);
  const std::error_code writeError =
      nebulance::runGame(std::cin, std::cout, nebulance::testing::scriptedClock(readings));
  return writeError ? 1 : 0;
}
