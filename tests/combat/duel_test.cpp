#include "combat/duel.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "combat/duel_definitions.h"
#include "support/session.h"

namespace nebulance {
namespace {

using testing::fixedClock;
using testing::scriptedClock;

// Clock seconds and the first two draws after reseeding with them, with the opponent move
// (draw mod 2 + 1 for the bandits, draw mod 3 + 1 for the three-move duels) and the exchange
// roll (second draw mod 2 + 1) that they give:
//
//   seconds     draws          bandits  three-move  roll
//   1800000000  20497, 6415    2        2           2
//   1800000001  20500, 17164   1        2           1
//   1800000002  20503, 27912   2        2           1
//   1800000003  20506, 5893    1        2           2
//   1800000004  20510, 16641   1        3           2
//   1800000007  20520, 16118   1        1           1
//   1800000008  20523, 26867   2        1           2
//
// Checked by hand for 1800000000: 1800000000 * 214013 + 2531011 = 385223402531011, which is
// 3490785475 mod 2^32; >> 16 gives 53265, & 32767 gives 20497 (odd: bandits 2; 20497 = 3 * 6832
// + 1: three-move 2). Next state 3490785475 * 214013 + 2531011 = 747073474392186, 2567958650
// mod 2^32; >> 16 gives 39183, & 32767 gives 6415 (odd: roll 2). For 1800000001 the first state
// is 214013 higher, 3490999488; >> 16 gives 53268, & 32767 gives 20500 (even: bandits 1).
constexpr std::int64_t kThreeMoveTwoRollTwo = 1800000000;  // also bandits fire
constexpr std::int64_t kBanditsCoverRollOne = 1800000001;  // three-move: 2
constexpr std::int64_t kBanditsFireRollOne = 1800000002;   // three-move: 2
constexpr std::int64_t kBanditsCoverRollTwo = 1800000003;
constexpr std::int64_t kThreeMoveThree = 1800000004;
constexpr std::int64_t kThreeMoveOneRollOne = 1800000007;
constexpr std::int64_t kThreeMoveOneRollTwo = 1800000008;
constexpr std::int64_t kThreeMoveTwoRollOne = kBanditsCoverRollOne;

// The battle screen as the player sees it, written out from the design of the screen.
struct Look {
  std::string label;
  std::string menu;
};

Look lookOf(DuelKind kind) {
  switch (kind) {
    case DuelKind::blaster:
      return {R"( \--Bandits--/ )",
              "     1 - Take cover from fire.\n     2 - Fire your weapons.\n     3 - Surrender.\n"};
    case DuelKind::lightsaber:
      return {R"( \-Dark Jedi-/ )",
              "     1 - Parry.\n     2 - Attack.\n     3 - Throw debris.\n     4 - Surrender.\n"};
    case DuelKind::starship:
      break;
  }
  return {R"( \--Bandits--/ )",
          "     1 - Evasive maneuvers.\n     2 - Fire your weapons.\n     3 - Drop mines.\n"
          "     4 - Surrender.\n"};
}

std::string lineBreaks(int count) {
  return std::string(static_cast<std::size_t>(count), '\n');
}

std::string battleScreen(DuelKind kind, int player, int opponent) {
  std::string you = R"( \----You----/ )";
  for (int point = 0; point < 5; ++point) you += point < player ? "*** " : "    ";
  std::string them = " |";
  for (int point = 0; point < 5; ++point) them += point < opponent ? " ***" : "    ";
  const Look look = lookOf(kind);
  return std::string(R"( /-----------\_____________________)") + "\n" + you + "|\n\n\n" +
         R"(  _____________________/-----------\)" + "\n" + them + look.label + "\n" +
         lineBreaks(5) + look.menu + "  Select action: ";
}

// One turn as printed: what the player then sees, and the line the exchange printed (none for
// a surrender or an unlisted move).
struct Turn {
  int playerBefore;
  int opponentBefore;
  std::string outcomeLine;
};

std::string duelTranscript(DuelKind kind, const std::vector<Turn>& turns, int closingBlock) {
  std::string text = lineBreaks(16);
  for (const Turn& turn : turns) {
    text += battleScreen(kind, turn.playerBefore, turn.opponentBefore) + lineBreaks(16);
    if (!turn.outcomeLine.empty()) text += turn.outcomeLine + "\n";
  }
  return text + lineBreaks(closingBlock);
}

struct DuelRun {
  DuelResult result;
  std::string output;
};

// Plays a duel as a caller would reach it: right after a pause, whose line end still waits.
DuelRun runDuel(DuelKind kind, std::string_view moves, Clock clock) {
  std::istringstream in("\n" + std::string(moves));
  std::ostringstream out;
  RandomGenerator random(std::move(clock));
  DuelResult result;
  {
    Console console(in, out);
    result = playDuel(console, random, kind);
  }
  return {result, out.str()};
}

// Every cell of the three outcome tables, both sides of the contested ones: one exchange on
// the clock second that draws the wanted opponent move and roll, then a surrender.
struct CellCase {
  DuelKind kind;
  int playerMove;
  std::int64_t clockSeconds;
  std::string outcomeLine;
  int playerAfter;
  int opponentAfter;
};

class DuelCellTest : public ::testing::TestWithParam<CellCase> {};

TEST_P(DuelCellTest, PrintsTheCellsLineAndTakesItsHitPoint) {
  const CellCase& cell = GetParam();
  const int surrender = cell.kind == DuelKind::blaster ? 3 : 4;
  const DuelRun run =
      runDuel(cell.kind, std::to_string(cell.playerMove) + "\n" + std::to_string(surrender) + "\n",
              fixedClock(cell.clockSeconds));
  EXPECT_EQ(run.result, DuelResult::surrendered);
  EXPECT_EQ(
      run.output,
      duelTranscript(cell.kind,
                     {{5, 5, cell.outcomeLine}, {cell.playerAfter, cell.opponentAfter, ""}}, 14));
}

INSTANTIATE_TEST_SUITE_P(
    BlasterOutcomes, DuelCellTest,
    ::testing::Values(CellCase{DuelKind::blaster, 1, kBanditsCoverRollOne,
                               " You both take cover from fire.", 5, 5},
                      CellCase{DuelKind::blaster, 1, kThreeMoveTwoRollTwo,
                               " His laser blasts bounce off debris and hit you!", 4, 5},
                      CellCase{DuelKind::blaster, 1, kBanditsFireRollOne,
                               " His laser blasts bounce off debris and hit him!", 5, 4},
                      CellCase{DuelKind::blaster, 2, kBanditsCoverRollTwo,
                               " Your laser blasts bounce off debris!", 4, 5},
                      CellCase{DuelKind::blaster, 2, kBanditsCoverRollOne,
                               " Your laser blasts bounce off debris and hit him!", 5, 4},
                      CellCase{DuelKind::blaster, 2, kThreeMoveTwoRollTwo,
                               " You are burned by his blast!", 4, 5},
                      CellCase{DuelKind::blaster, 2, kBanditsFireRollOne,
                               " He is injured by your laser beam!", 5, 4}));

INSTANTIATE_TEST_SUITE_P(
    LightsaberOutcomes, DuelCellTest,
    ::testing::Values(CellCase{DuelKind::lightsaber, 1, kThreeMoveOneRollOne,
                               " You both wait for each other's attack.", 5, 5},
                      CellCase{DuelKind::lightsaber, 1, kThreeMoveTwoRollTwo,
                               " You easily block his slash!", 5, 4},
                      CellCase{DuelKind::lightsaber, 1, kThreeMoveThree,
                               " His force maneuver sends you to your feet!", 4, 5},
                      CellCase{DuelKind::lightsaber, 2, kThreeMoveOneRollTwo,
                               " He deftly parries your attack!", 4, 5},
                      CellCase{DuelKind::lightsaber, 2, kThreeMoveTwoRollTwo,
                               " You are cut by his blade!", 4, 5},
                      CellCase{DuelKind::lightsaber, 2, kThreeMoveTwoRollOne,
                               " He is burned as your attack defeats his!", 5, 4},
                      CellCase{DuelKind::lightsaber, 2, kThreeMoveThree,
                               " You interrupt him with a downward slash!", 5, 4},
                      CellCase{DuelKind::lightsaber, 3, kThreeMoveOneRollOne,
                               " You catch him off guard as you throw dust into his face!", 5, 4},
                      CellCase{DuelKind::lightsaber, 3, kThreeMoveTwoRollOne,
                               " You are caught defenseless as he lunges towards you!", 4, 5},
                      CellCase{DuelKind::lightsaber, 3, kThreeMoveThree,
                               " His force attack hits the rock you threw at him!", 5, 5}));

INSTANTIATE_TEST_SUITE_P(
    StarshipOutcomes, DuelCellTest,
    ::testing::Values(CellCase{DuelKind::starship, 1, kThreeMoveOneRollTwo,
                               " Your ships glide past each other.", 5, 5},
                      CellCase{DuelKind::starship, 1, kThreeMoveTwoRollOne,
                               " You swiftly evade his blasts and counter-attack!", 5, 4},
                      CellCase{DuelKind::starship, 1, kThreeMoveThree,
                               " You crash into some of his mines!", 4, 5},
                      CellCase{DuelKind::starship, 2, kThreeMoveOneRollOne,
                               " He easily evades your missiles and attacks!", 4, 5},
                      CellCase{DuelKind::starship, 2, kThreeMoveTwoRollTwo,
                               " Your ship rattles as a laser beam hits it!", 4, 5},
                      CellCase{DuelKind::starship, 2, kThreeMoveTwoRollOne,
                               " His craft makes a sound as a missile hits it!", 5, 4},
                      CellCase{DuelKind::starship, 2, kThreeMoveThree,
                               " You fire at his mines, making it explode at him!", 5, 4},
                      CellCase{DuelKind::starship, 3, kThreeMoveOneRollTwo,
                               " Your mines catch him off guard!", 5, 4},
                      CellCase{DuelKind::starship, 3, kThreeMoveTwoRollTwo,
                               " Your mines explode as his blast critically hits you!", 4, 5},
                      CellCase{DuelKind::starship, 3, kThreeMoveThree,
                               " You both fill the area with mines.", 5, 5}));

// Five exchanges on the same clock second, all going one way: the quickest end of a duel.
struct QuickestEndCase {
  DuelKind kind;
  int playerMove;
  std::int64_t clockSeconds;
  std::string outcomeLine;
  DuelResult result;
  int closingBlock;
};

class DuelQuickestEndTest : public ::testing::TestWithParam<QuickestEndCase> {};

TEST_P(DuelQuickestEndTest, TakesFiveTurnsAndClosesWithItsBlankBlock) {
  const QuickestEndCase& end = GetParam();
  std::string moves;
  for (int turn = 0; turn < 5; ++turn) moves += std::to_string(end.playerMove) + "\n";
  const DuelRun run = runDuel(end.kind, moves, fixedClock(end.clockSeconds));
  EXPECT_EQ(run.result, end.result);
  std::vector<Turn> turns;
  for (int points = 5; points > 0; --points) {
    const bool won = end.result == DuelResult::won;
    turns.push_back({won ? 5 : points, won ? points : 5, end.outcomeLine});
  }
  EXPECT_EQ(run.output, duelTranscript(end.kind, turns, end.closingBlock));
}

INSTANTIATE_TEST_SUITE_P(
    AllDuels, DuelQuickestEndTest,
    ::testing::Values(QuickestEndCase{DuelKind::blaster, 2, kBanditsFireRollOne,
                                      " He is injured by your laser beam!", DuelResult::won, 14},
                      QuickestEndCase{DuelKind::blaster, 2, kThreeMoveTwoRollTwo,
                                      " You are burned by his blast!", DuelResult::lost, 14},
                      QuickestEndCase{DuelKind::lightsaber, 1, kThreeMoveTwoRollTwo,
                                      " You easily block his slash!", DuelResult::won, 13},
                      QuickestEndCase{DuelKind::lightsaber, 1, kThreeMoveThree,
                                      " His force maneuver sends you to your feet!",
                                      DuelResult::lost, 14},
                      QuickestEndCase{DuelKind::starship, 3, kThreeMoveOneRollOne,
                                      " Your mines catch him off guard!", DuelResult::won, 13},
                      QuickestEndCase{DuelKind::starship, 1, kThreeMoveThree,
                                      " You crash into some of his mines!", DuelResult::lost, 14}));

// A clock that counts its readings: every turn reseeds once, whatever the move.
struct CountingClock {
  std::shared_ptr<int> readings = std::make_shared<int>(0);
  Clock clock() const {
    return [readings = readings] {
      ++*readings;
      return kThreeMoveTwoRollOne;
    };
  }
};

TEST(DuelTest, SurrenderOnTheFirstTurnLeavesBothSidesWhole) {
  for (const auto& [kind, surrender] :
       {std::pair{DuelKind::blaster, "3\n"}, std::pair{DuelKind::lightsaber, "4\n"},
        std::pair{DuelKind::starship, "4\n"}}) {
    CountingClock counting;
    const DuelRun run = runDuel(kind, surrender, counting.clock());
    EXPECT_EQ(run.result, DuelResult::surrendered);
    EXPECT_EQ(run.output, duelTranscript(kind, {{5, 5, ""}}, 14));
    EXPECT_EQ(*counting.readings, 1) << "the surrender turn reseeds too";
  }
}

TEST(DuelTest, UnlistedMovesPassTheTurnWithAReseedAndNoOutcome) {
  struct Case {
    DuelKind kind;
    std::string moves;
  };
  for (const Case& unlisted : {Case{DuelKind::blaster, "4\n0\n-1\n99\n3\n"},
                               Case{DuelKind::lightsaber, "5\n0\n-3\n12\n4\n"},
                               Case{DuelKind::starship, "5\n0\n-7\n40\n4\n"}}) {
    CountingClock counting;
    const DuelRun run = runDuel(unlisted.kind, unlisted.moves, counting.clock());
    EXPECT_EQ(run.result, DuelResult::surrendered);
    EXPECT_EQ(run.output, duelTranscript(unlisted.kind, std::vector<Turn>(5, Turn{5, 5, ""}), 14));
    EXPECT_EQ(*counting.readings, 5);
  }
}

TEST(DuelTest, AnEntryThatIsNotANumberOnTheFirstTurnPlaysNoMove) {
  // The x stays waiting after the failed number read; the next turn's character read takes it.
  const DuelRun run = runDuel(DuelKind::lightsaber, "x\n4\n", fixedClock(kThreeMoveTwoRollOne));
  EXPECT_EQ(run.result, DuelResult::surrendered);
  EXPECT_EQ(run.output, duelTranscript(DuelKind::lightsaber, {{5, 5, ""}, {5, 5, ""}}, 14));
}

TEST(DuelTest, AnEntryThatIsNotANumberOnALaterTurnReplaysTheKeptMove) {
  const DuelRun run =
      runDuel(DuelKind::blaster, "2\nx\n3\n",
              scriptedClock({kBanditsFireRollOne, kBanditsCoverRollOne, kBanditsFireRollOne}));
  EXPECT_EQ(run.result, DuelResult::surrendered);
  EXPECT_EQ(run.output, duelTranscript(DuelKind::blaster,
                                       {{5, 5, " He is injured by your laser beam!"},
                                        {5, 4, " Your laser blasts bounce off debris and hit him!"},
                                        {5, 3, ""}},
                                       14));
}

TEST(DuelTest, EndOfInputEndsTheDuelThroughTheConsole) {
  EXPECT_THROW(runDuel(DuelKind::starship, "1\n", fixedClock(kThreeMoveOneRollOne)), EndOfInput);
}

// A fourth duel is one more table: a made-up one-move duel runs in the same frame.
constexpr OutcomeRow kTrainingOutcomes[] = {
    {settled(" You hit the training droid.", HitSide::opponent)},
};

TEST(DuelTest, AnotherTablePlaysInTheSameFrame) {
  const DuelDefinition training = {
      .moveMenu = "     1 - Swing.\n     2 - Give up.\n",
      .surrenderMove = 2,
      .opponentLabel = " \\---Droid---/ ",
      .opponentMoves = 1,
      .wonBlankBlock = 3,
      .lostBlankBlock = 4,
      .outcomes = kTrainingOutcomes,
  };
  std::istringstream in("\n1\n1\n1\n1\n1\n");
  std::ostringstream out;
  RandomGenerator random(fixedClock(kThreeMoveThree));
  {
    Console console(in, out);
    EXPECT_EQ(playDuel(console, random, training), DuelResult::won);
  }
  const std::string output = out.str();
  EXPECT_NE(output.find(" | ***                 \\---Droid---/ \n"), std::string::npos);
  EXPECT_TRUE(output.ends_with(" You hit the training droid.\n\n\n\n"));
}

}  // namespace
}  // namespace nebulance
