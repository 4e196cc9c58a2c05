// The duel frame shared by every duel: the battle screen, the turn cycle and the end tests. What a
// move does comes from the duel's table (duel_definitions.cpp), never from code here.
#include "combat/duel.h"

#include <cstdint>
#include <optional>
#include <string>

#include "combat/duel_definitions.h"

namespace nebulance {

namespace {

constexpr int kStartingHitPoints = 5;  // both sides, in every duel and for both callers
constexpr int kTurnBlankBlock = 16;    // before the first battle screen and after every move

// The player's box on top, the opponent's below, the move menu under them. The marks are the
// only display of the hit points; the "You" line is 36 characters wide, the opponent's 37.
constexpr std::string_view kBattleScreen = R"art( /-----------\_____________________
 \----You----/ %s|


  _____________________/-----------\
 |%s%s





%s  Select action: )art";

// One "***" per hit point left, padded to the width of five.
std::string hitPointMarks(int hitPoints, std::string_view mark) {
  std::string marks;
  for (int point = 0; point < kStartingHitPoints; ++point) {
    marks += point < hitPoints ? mark : "    ";
  }
  return marks;
}

// What one call of a duel holds; every call starts afresh.
struct DuelFighters {
  int playerHitPoints = kStartingHitPoints;
  int opponentHitPoints = kStartingHitPoints;
  std::int32_t playerMove = 0;  // no move: a first entry that is not a number plays nothing
};

void battleScreen(Console& console, const DuelDefinition& definition,
                  const DuelFighters& fighters) {
  console.format(kBattleScreen, hitPointMarks(fighters.playerHitPoints, "*** "),
                 hitPointMarks(fighters.opponentHitPoints, " ***"), definition.opponentLabel,
                 definition.moveMenu);
}

// The cell for this turn's pair of moves, or none when the player's move is not a fighting move.
const OutcomeCell* outcomeCell(const DuelDefinition& definition, std::int32_t playerMove,
                               int opponentMove) {
  if (playerMove < 1 || playerMove > static_cast<std::int32_t>(definition.outcomes.size())) {
    return nullptr;
  }
  return &definition.outcomes[static_cast<std::size_t>(playerMove - 1)]
                             [static_cast<std::size_t>(opponentMove - 1)];
}

// Prints the cell's outcome line and takes the hit point. A contested cell draws the exchange
// roll here, and only here, so settled turns use one draw and contested turns two.
void applyOutcome(Console& console, RandomGenerator& random, const OutcomeCell& cell,
                  DuelFighters& fighters) {
  HitSide hit = cell.hit;
  std::string_view line = cell.line;
  if (hit == HitSide::contested) {
    const bool playerIsHit = random.drawModulo(2, 1) == 2;
    hit = playerIsHit ? HitSide::player : HitSide::opponent;
    line = playerIsHit ? cell.line : cell.opponentHitLine;
  }
  if (hit == HitSide::player) --fighters.playerHitPoints;
  if (hit == HitSide::opponent) --fighters.opponentHitPoints;
  console.print(line);
  console.lineBreak();
}

// The end tests, in their order; nothing while the duel goes on.
std::optional<DuelResult> endOfDuel(const DuelDefinition& definition,
                                    const DuelFighters& fighters) {
  if (fighters.opponentHitPoints == 0) return DuelResult::won;
  if (fighters.playerHitPoints == 0) return DuelResult::lost;
  if (fighters.playerMove == definition.surrenderMove) return DuelResult::surrendered;
  return std::nullopt;
}

// One turn: the screen, the move, the opponent's draw and the exchange.
void duelTurn(Console& console, RandomGenerator& random, const DuelDefinition& definition,
              DuelFighters& fighters) {
  battleScreen(console, definition, fighters);
  // An entry that is not a number keeps the previous move, which is played again.
  console.numberEntry(fighters.playerMove);
  // Every turn reseeds and draws, whatever was typed, so one clock second replays one turn.
  random.reseedFromClock();
  const int opponentMove = random.drawModulo(definition.opponentMoves, 1);
  console.blankBlock(kTurnBlankBlock);
  const OutcomeCell* cell = outcomeCell(definition, fighters.playerMove, opponentMove);
  if (cell != nullptr) applyOutcome(console, random, *cell, fighters);
}

}  // namespace

DuelResult playDuel(Console& console, RandomGenerator& random, const DuelDefinition& definition) {
  DuelFighters fighters;
  console.blankBlock(kTurnBlankBlock);
  for (;;) {
    duelTurn(console, random, definition, fighters);
    if (const std::optional<DuelResult> result = endOfDuel(definition, fighters)) {
      console.blankBlock(*result == DuelResult::won ? definition.wonBlankBlock
                                                    : definition.lostBlankBlock);
      return *result;
    }
  }
}

DuelResult playDuel(Console& console, RandomGenerator& random, DuelKind kind) {
  return playDuel(console, random, duelDefinition(kind));
}

}  // namespace nebulance
