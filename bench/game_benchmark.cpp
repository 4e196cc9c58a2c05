// How fast the game core plays: whole scripted games in-process, output thrown away after it
// has been formatted. items_per_second is games per second.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "game/game.h"

namespace {

// Every reseed reads this second, whose travel event is always the wreckage: no jump meets
// the robbery rumour, so the script's answers stay in step.
constexpr std::int64_t kBenchmarkSeconds = 1700000001;

std::string scriptNamed(std::string_view name) {
  std::ifstream file(std::string(NEBULANCE_BENCH_DIR) + "/" + std::string(name), std::ios::binary);
  std::ostringstream contents;
  contents << file.rdbuf();
  return contents.str();
}

// Plays `script` once per iteration; fails the run if the game never shows `lastScreenText`.
void replay(benchmark::State& benchState, std::string_view scriptName,
            std::string_view lastScreenText) {
  const std::string script = scriptNamed(scriptName);
  std::size_t printed = 0;
  for (auto _ : benchState) {
    std::istringstream in(script);
    std::ostringstream out;
    nebulance::runGame(in, out, [] { return kBenchmarkSeconds; });
    const std::string text = out.str();
    if (text.find(lastScreenText) == std::string::npos) {
      benchState.SkipWithError("the script fell out of step with the game");
      break;
    }
    printed = text.size();
    benchmark::DoNotOptimize(printed);
  }
  benchState.SetItemsProcessed(benchState.iterations());
  benchState.SetBytesProcessed(static_cast<std::int64_t>(benchState.iterations() * printed));
}

// The whole game: thirty-one jumps, the last-day warning and the final score.
void fullGame(benchmark::State& benchState) {
  replay(benchState, "full_game.txt", "Your journey is over.");
}
BENCHMARK(fullGame);

// A whole game that goes to the Trading Post and the Bank every day: screens full of figures.
void tradingGame(benchmark::State& benchState) {
  replay(benchState, "trading_game.txt", "Your journey is over.");
}
BENCHMARK(tradingGame);

// From the start menu to the first dashboard: intros, grant, map, first event.
void startUpToFirstDashboard(benchmark::State& benchState) {
  replay(benchState, "first_dashboard.txt", "Enter Choice (S)hop, (B)ank, (T)ravel, (E)xit: ");
}
BENCHMARK(startUpToFirstDashboard);

}  // namespace

BENCHMARK_MAIN();
