// Wires the command line, the real console and the calendar clock to the game.
#include <ctime>
#include <iostream>
#include <string_view>
#include <vector>

#include "game/game.h"
#include "program/console_window.h"
#include "program/options.h"

namespace {

int playGame() {
  std::ios::sync_with_stdio(false);
  std::cin.tie(nullptr);
  const std::error_code writeError = nebulance::runGame(
      std::cin, std::cout, [] { return static_cast<std::int64_t>(std::time(nullptr)); });
  if (!writeError) return 0;
  std::cerr << "nebulance: write error: " << writeError.message() << '\n';
  return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  namespace program = nebulance::program;
  const program::Platform platform = program::thisPlatform();
  const program::Invocation invocation =
      program::parseArguments(std::vector<std::string_view>(argv + 1, argv + argc), platform);
  if (invocation.request != program::Request::play) {
    const program::Answer answer = program::answerRequest(invocation, platform);
    std::cout << answer.out;
    std::cerr << answer.errors;
    return answer.status;
  }
  const int status = playGame();
  program::holdWindowBeforeExit(std::cout);
  return status;
}
