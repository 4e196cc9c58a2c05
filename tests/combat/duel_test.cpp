// The duel frame against the three outcome tables, the end tests and the moves that play nothing;
// the battle screens' art and the simulator's visits are checked by the combat-*.session files.
#include "combat/duel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <tuple>

#include "combat/duel_definitions.h"
#include "support/session.h"

namespace nebulance {
namespace {

using enum DuelKind;
using enum DuelResult;

// Clock second kClock + n and what its first two draws (20497 and 6415 for n = 0) give: the
// bandits' move (draw mod 2 + 1), the other opponents' (draw mod 3 + 1), the exchange roll.
//   n           0  1  2  3  4  7  8
//   bandits     2  1  2  1  1  1  2
//   three-move  2  2  2  2  3  1  1
//   roll        2  1  1  2  2  1  2
constexpr std::int64_t kClock = 1800000000;

std::string battleScreen(DuelKind kind, int playerPoints, int opponentPoints) {
  std::string you = " /-----------\\_____________________\n \\----You----/ ";
  std::string them = "  _____________________/-----------\\\n |";
  for (int point = 0; point < 5; ++point) {
    you += point < playerPoints ? "*** " : "    ";
    them += point < opponentPoints ? " ***" : "    ";
  }
  const DuelDefinition& duel = duelDefinition(kind);
  return you + "|\n\n\n" + them + std::string(duel.opponentLabel) + "\n\n\n\n\n\n" +
         std::string(duel.moveMenu) + "  Select action: ";
}

// Plays a duel on clock kClock + n, its moves one a line after a pause whose line end still
// waits. `turns` has a letter for what each turn printed: the outcome line hitting the opponent
// (o), the player (p) or nobody (=), or no line (-). Every turn reseeds once, whatever is typed.
void expectDuel(DuelKind kind, std::string moves, int n, const std::string& line,
                const std::string& turns, DuelResult result, int closingBlock) {
  SCOPED_TRACE(moves + " /" + line);
  std::replace(moves.begin(), moves.end(), ' ', '\n');
  std::istringstream in("\n" + moves + "\n");
  std::ostringstream out;
  int readings = 0;
  RandomGenerator random([&readings, n] { return ++readings, kClock + n; });
  Console console(in, out);
  EXPECT_EQ(playDuel(console, random, kind), result);
  const std::string turnBlock(16, '\n');
  std::string expected = turnBlock;
  int playerPoints = 5;
  int opponentPoints = 5;
  for (const char turn : turns) {
    expected += battleScreen(kind, playerPoints, opponentPoints) + turnBlock;
    if (turn != '-') expected += line + "\n";
    playerPoints -= turn == 'p';
    opponentPoints -= turn == 'o';
  }
  EXPECT_EQ(out.str(), expected + std::string(static_cast<std::size_t>(closingBlock), '\n'));
  EXPECT_EQ(readings, static_cast<int>(turns.size()));
}

// One exchange, then a surrender: duel, move, n, outcome line, who is hit (a turn letter as
// above). Contested cells appear once for each exchange roll.
using Cell = std::tuple<DuelKind, int, int, std::string, char>;

const Cell kCells[] = {
    {blaster, 1, 1, " You both take cover from fire.", '='},
    {blaster, 1, 0, " His laser blasts bounce off debris and hit you!", 'p'},
    {blaster, 1, 2, " His laser blasts bounce off debris and hit him!", 'o'},
    {blaster, 2, 3, " Your laser blasts bounce off debris!", 'p'},
    {blaster, 2, 1, " Your laser blasts bounce off debris and hit him!", 'o'},
    {blaster, 2, 0, " You are burned by his blast!", 'p'},
    {blaster, 2, 2, " He is injured by your laser beam!", 'o'},
    {lightsaber, 1, 7, " You both wait for each other's attack.", '='},
    {lightsaber, 1, 0, " You easily block his slash!", 'o'},
    {lightsaber, 1, 4, " His force maneuver sends you to your feet!", 'p'},
    {lightsaber, 2, 8, " He deftly parries your attack!", 'p'},
    {lightsaber, 2, 0, " You are cut by his blade!", 'p'},
    {lightsaber, 2, 1, " He is burned as your attack defeats his!", 'o'},
    {lightsaber, 2, 4, " You interrupt him with a downward slash!", 'o'},
    {lightsaber, 3, 7, " You catch him off guard as you throw dust into his face!", 'o'},
    {lightsaber, 3, 1, " You are caught defenseless as he lunges towards you!", 'p'},
    {lightsaber, 3, 4, " His force attack hits the rock you threw at him!", '='},
    {starship, 1, 8, " Your ships glide past each other.", '='},
    {starship, 1, 1, " You swiftly evade his blasts and counter-attack!", 'o'},
    {starship, 1, 4, " You crash into some of his mines!", 'p'},
    {starship, 2, 7, " He easily evades your missiles and attacks!", 'p'},
    {starship, 2, 0, " Your ship rattles as a laser beam hits it!", 'p'},
    {starship, 2, 1, " His craft makes a sound as a missile hits it!", 'o'},
    {starship, 2, 4, " You fire at his mines, making it explode at him!", 'o'},
    {starship, 3, 8, " Your mines catch him off guard!", 'o'},
    {starship, 3, 0, " Your mines explode as his blast critically hits you!", 'p'},
    {starship, 3, 4, " You both fill the area with mines.", '='},
};

TEST(DuelTest, EveryCellPrintsItsLineAndTakesItsHitPoint) {
  for (const auto& [kind, move, n, line, hit] : kCells) {
    const std::string moves =
        std::to_string(move) + " " + std::to_string(duelDefinition(kind).surrenderMove);
    expectDuel(kind, moves, n, line, std::string{hit, '-'}, surrendered, 14);
  }
}

// Whole duels: duel, moves, n, outcome line, what each turn printed, result, closing block.
using Ending = std::tuple<DuelKind, std::string, int, std::string, std::string, DuelResult, int>;

const Ending kEndings[] = {
    // The quickest win and loss take five turns; a win closes with 14 line breaks in the
    // blaster duel and 13 in the others, a loss with 14 in all three.
    {blaster, "2 2 2 2 2", 2, " He is injured by your laser beam!", "ooooo", won, 14},
    {blaster, "2 2 2 2 2", 0, " You are burned by his blast!", "ppppp", lost, 14},
    {lightsaber, "1 1 1 1 1", 0, " You easily block his slash!", "ooooo", won, 13},
    {lightsaber, "1 1 1 1 1", 4, " His force maneuver sends you to your feet!", "ppppp", lost, 14},
    {starship, "3 3 3 3 3", 7, " Your mines catch him off guard!", "ooooo", won, 13},
    {starship, "1 1 1 1 1", 4, " You crash into some of his mines!", "ppppp", lost, 14},
    // Surrender on the first turn leaves both sides whole; that turn reseeds too. Unlisted
    // numbers pass the turn with a reseed and no line; 4 is no surrender for the bandits.
    {blaster, "3", 0, "", "-", surrendered, 14},
    {blaster, "4 0 -1 99 3", 0, "", "-----", surrendered, 14},
    {lightsaber, "5 0 -3 12 4", 0, "", "-----", surrendered, 14},
    {starship, "5 0 -7 40 4", 0, "", "-----", surrendered, 14},
    // Not a number: no move on the first turn, the kept move later; x waits for the next read.
    {lightsaber, "x 4", 1, "", "--", surrendered, 14},
    {blaster, "2 x 3", 2, " He is injured by your laser beam!", "oo-", surrendered, 14},
};

TEST(DuelTest, EndTestsAndClosingBlocks) {
  for (const auto& ending : kEndings) std::apply(expectDuel, ending);
}

// A simulator visit leaves nothing behind: the game after it plays as one started directly.
TEST(CombatSimulatorTest, GameAfterAVisitPlaysAsOneStartedDirectly) {
  const testing::ScriptedSession visit = testing::loadScriptedSession("combat-game-after-visit");
  const std::string game = visit.input.substr(std::string_view("4\n1\nx\n3\nx\n").size());
  EXPECT_TRUE(visit.expectedOutput.ends_with(testing::playSession(game, visit.clockReadings[0])));
}

}  // namespace
}  // namespace nebulance
