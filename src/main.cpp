// Wires the real console and the calendar clock to the game.
#include <ctime>
#include <iostream>

#include "game/game.h"

int main() {
  std::ios::sync_with_stdio(false);
  std::cin.tie(nullptr);
  const std::error_code writeError = nebulance::runGame(
      std::cin, std::cout, [] { return static_cast<std::int64_t>(std::time(nullptr)); });
  if (!writeError) return 0;
  std::cerr << "nebulance: write error: " << writeError.message() << '\n';
  return 1;
}
