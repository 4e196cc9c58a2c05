// The tables behind the duel frame. Every duel is the same turn cycle; what makes the blaster,
// lightsaber and starship duels differ is only the DuelDefinition below. To add a duel, write one
// more definition (menu, label, blank blocks and outcome table) and give it a DuelKind.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "combat/duel.h"

namespace nebulance {

// The widest outcome table: how many moves an opponent may draw from.
inline constexpr int kMostOpponentMoves = 3;

// Who pays for an exchange.
enum class HitSide {
  nobody,     // a stand-off: both moves cancel out
  player,     // the player loses one hit point
  opponent,   // the opponent loses one hit point
  contested,  // the exchange roll decides between the player and the opponent
};

// One cell of an outcome table: the pair (player's move, opponent's move) and what it does.
struct OutcomeCell {
  HitSide hit = HitSide::nobody;
  // The line printed for a settled cell; for a contested cell, the line when the player is hit.
  std::string_view line;
  // Contested cells only: the line when the opponent is hit.
  std::string_view opponentHitLine;
};

// A cell that always ends the same way.
constexpr OutcomeCell settled(std::string_view line, HitSide hit) {
  return OutcomeCell{hit, line, {}};
}

// A cell settled by the exchange roll: 2 hits the player, 1 hits the opponent.
constexpr OutcomeCell contested(std::string_view playerHitLine, std::string_view opponentHitLine) {
  return OutcomeCell{HitSide::contested, playerHitLine, opponentHitLine};
}

// One row per fighting move, one cell per opponent move; cells past `opponentMoves` are unused.
using OutcomeRow = std::array<OutcomeCell, kMostOpponentMoves>;

struct DuelDefinition {
  // The move menu under the battle screen, every line with its line break.
  std::string_view moveMenu;
  // The move number that gives up the duel.
  std::int32_t surrenderMove;
  // The name plate on the opponent's side of the battle screen, 15 characters.
  std::string_view opponentLabel;
  // The opponent draws his move from 1..opponentMoves. REQUIRES: 1..kMostOpponentMoves.
  int opponentMoves;
  // Line breaks printed before returning won, and before returning lost or surrendered.
  int wonBlankBlock;
  int lostBlankBlock;
  // Row n - 1 is the player's fighting move n; any move number past the rows (other than the
  // surrender) is no move at all and lets the turn pass.
  std::span<const OutcomeRow> outcomes;
};

// The definition of one of the game's duels.
const DuelDefinition& duelDefinition(DuelKind kind);

// Plays the duel that `definition` describes; playDuel(kind) is this with the game's own tables.
DuelResult playDuel(Console& console, RandomGenerator& random, const DuelDefinition& definition);

}  // namespace nebulance
