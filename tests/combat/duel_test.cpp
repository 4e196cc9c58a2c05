// The duel frame against the three outcome tables, its end tests and the moves that play nothing.
#include "combat/duel.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "combat/duel_definitions.h"
#include "support/session.h"

namespace nebulance {
namespace {

using enum DuelKind;
using enum DuelResult;

// Clock second kClock + n gives the bandits' move (draw mod 2 + 1), the others' (mod 3 + 1) and
// the exchange roll: n 0: 2 2 2, 1: 1 2 1, 2: 2 2 1, 3: 1 2 2, 4: 1 3 2, 7: 1 1 1, 8: 2 1 2.
constexpr std::int64_t kClock = 1800000000;

// A duel on clock kClock + n: the moves (a space is the line end the next entry eats), an outcome
// line and a letter per turn: it hit the opponent (o), the player (p), nobody (=), or no line (-).
struct Duel {
  DuelKind kind;
  int n;
  std::string_view moves, line, turns;
  DuelResult result = surrendered;
  std::size_t closingBlock = 14;
};

constexpr Duel kDuels[] = {
    // Every cell: one exchange, then a surrender. Contested cells once for each exchange roll.
    {blaster, 1, "1 3", " You both take cover from fire.", "=-"},
    {blaster, 0, "1 3", " His laser blasts bounce off debris and hit you!", "p-"},
    {blaster, 2, "1 3", " His laser blasts bounce off debris and hit him!", "o-"},
    {blaster, 3, "2 3", " Your laser blasts bounce off debris!", "p-"},
    {blaster, 1, "2 3", " Your laser blasts bounce off debris and hit him!", "o-"},
    {blaster, 0, "2 3", " You are burned by his blast!", "p-"},
    {blaster, 2, "2 3", " He is injured by your laser beam!", "o-"},
    {lightsaber, 7, "1 4", " You both wait for each other's attack.", "=-"},
    {lightsaber, 0, "1 4", " You easily block his slash!", "o-"},
    {lightsaber, 4, "1 4", " His force maneuver sends you to your feet!", "p-"},
    {lightsaber, 8, "2 4", " He deftly parries your attack!", "p-"},
    {lightsaber, 0, "2 4", " You are cut by his blade!", "p-"},
    {lightsaber, 1, "2 4", " He is burned as your attack defeats his!", "o-"},
    {lightsaber, 4, "2 4", " You interrupt him with a downward slash!", "o-"},
    {lightsaber, 7, "3 4", " You catch him off guard as you throw dust into his face!", "o-"},
    {lightsaber, 1, "3 4", " You are caught defenseless as he lunges towards you!", "p-"},
    {lightsaber, 4, "3 4", " His force attack hits the rock you threw at him!", "=-"},
    {starship, 8, "1 4", " Your ships glide past each other.", "=-"},
    {starship, 1, "1 4", " You swiftly evade his blasts and counter-attack!", "o-"},
    {starship, 4, "1 4", " You crash into some of his mines!", "p-"},
    {starship, 7, "2 4", " He easily evades your missiles and attacks!", "p-"},
    {starship, 0, "2 4", " Your ship rattles as a laser beam hits it!", "p-"},
    {starship, 1, "2 4", " His craft makes a sound as a missile hits it!", "o-"},
    {starship, 4, "2 4", " You fire at his mines, making it explode at him!", "o-"},
    {starship, 8, "3 4", " Your mines catch him off guard!", "o-"},
    {starship, 0, "3 4", " Your mines explode as his blast critically hits you!", "p-"},
    {starship, 4, "3 4", " You both fill the area with mines.", "=-"},
    // The quickest wins and losses (the blaster win: combat-simulator-win.session): five turns,
    // closed by 14 line breaks, but 13 after a lightsaber or starship win.
    {blaster, 0, "2 2 2 2 2", " You are burned by his blast!", "ppppp", lost},
    {lightsaber, 0, "1 1 1 1 1", " You easily block his slash!", "ooooo", won, 13},
    {lightsaber, 4, "1 1 1 1 1", " His force maneuver sends you to your feet!", "ppppp", lost},
    {starship, 7, "3 3 3 3 3", " Your mines catch him off guard!", "ooooo", won, 13},
    {starship, 4, "1 1 1 1 1", " You crash into some of his mines!", "ppppp", lost},
    // A surrender at once; unlisted numbers pass a turn with no line (4 is none of the bandits');
    // a non-number plays no move at first, the kept move later, and waits for the next read.
    {blaster, 0, "3", "", "-"},
    {blaster, 0, "4 0 -1 99 3", "", "-----"},
    {lightsaber, 0, "5 0 -3 12 4", "", "-----"},
    {starship, 0, "5 0 -7 40 4", "", "-----"},
    {lightsaber, 1, "x 4", "", "--"},
    {blaster, 2, "2 x 3", " He is injured by your laser beam!", "oo-"},
};

TEST(DuelTest, EveryCellAndEveryEnding) {
  for (const Duel& duel : kDuels) {
    SCOPED_TRACE(::testing::Message() << duel.moves << " /" << duel.line);
    std::istringstream in("\n" + std::string(duel.moves));
    std::ostringstream out;
    Console console(in, out);
    int readings = 0;  // every turn reseeds once, whatever is typed
    RandomGenerator random([&readings, &duel] { return ++readings, kClock + duel.n; });
    EXPECT_EQ(playDuel(console, random, duel.kind), duel.result);
    console.flush();
    const DuelDefinition& definition = duelDefinition(duel.kind);
    std::ostringstream expected;
    expected << std::string(16, '\n');
    std::string you = "*** *** *** *** *** ";  // a hit blanks the side's last mark
    std::string them = " *** *** *** *** ***";
    for (const char turn : duel.turns) {
      expected << " /-----------\\_____________________\n \\----You----/ " << you
               << "|\n\n\n  _____________________/-----------\\\n |" << them
               << definition.opponentLabel << "\n\n\n\n\n\n"
               << definition.moveMenu << "  Select action: " << std::string(16, '\n');
      if (turn != '-') expected << duel.line << '\n';
      if (turn == 'p') you.replace(you.rfind("***"), 3, "   ");
      if (turn == 'o') them.replace(them.rfind("***"), 3, "   ");
    }
    EXPECT_EQ(out.str(), expected.str() + std::string(duel.closingBlock, '\n'));
    EXPECT_EQ(readings, static_cast<int>(duel.turns.size()));
  }
}

// A simulator visit leaves nothing behind: the game after it plays as one started directly.
TEST(CombatSimulatorTest, GameAfterAVisitPlaysAsOneStartedDirectly) {
  const testing::ScriptedSession visit = testing::loadScriptedSession("combat-game-after-visit");
  const std::string game = visit.input.substr(std::string_view("4\n1\nx\n3\nx\n").size());
  EXPECT_TRUE(visit.expectedOutput.ends_with(testing::playSession(game, visit.clockReadings[0])));
}

}  // namespace
}  // namespace nebulance
