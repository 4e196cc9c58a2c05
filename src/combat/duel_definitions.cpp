#include "combat/duel_definitions.h"

#include <array>

namespace nebulance {

namespace {

// The thieves of the blaster and starship duels; the starship duel keeps their plate although
// the fight is ship against ship.
constexpr std::string_view kBanditsLabel = R"( \--Bandits--/ )";

// Blaster duel: the player against a band of thieves. Moves: 1 take cover, 2 fire; the bandits
// take cover (1) or fire (2). Firing always hits someone; taking cover may hit nobody.
constexpr std::string_view kBlasterMenu = R"art(     1 - Take cover from fire.
     2 - Fire your weapons.
     3 - Surrender.
)art";

constexpr std::array<OutcomeRow, 2> kBlasterOutcomes = {{
    // 1, take cover.
    {settled(" You both take cover from fire.", HitSide::nobody),
     contested(" His laser blasts bounce off debris and hit you!",
               " His laser blasts bounce off debris and hit him!")},
    // 2, fire.
    {contested(" Your laser blasts bounce off debris!",
               " Your laser blasts bounce off debris and hit him!"),
     contested(" You are burned by his blast!", " He is injured by your laser beam!")},
}};

constexpr DuelDefinition kBlasterDuel = {
    .moveMenu = kBlasterMenu,
    .surrenderMove = 3,
    .opponentLabel = kBanditsLabel,
    .opponentMoves = 2,
    .wonBlankBlock = 14,
    .lostBlankBlock = 14,
    .outcomes = kBlasterOutcomes,
};

// Lightsaber duel: the player against a dark Jedi. Moves: 1 parry, 2 attack, 3 throw debris; he
// parries (1), attacks (2) or uses a force attack (3). Each move beats one of his, loses to
// another and draws with the third; only attack against attack goes to the exchange roll.
constexpr std::string_view kLightsaberMenu = R"art(     1 - Parry.
     2 - Attack.
     3 - Throw debris.
     4 - Surrender.
)art";

constexpr std::array<OutcomeRow, 3> kLightsaberOutcomes = {{
    // 1, parry.
    {settled(" You both wait for each other's attack.", HitSide::nobody),
     settled(" You easily block his slash!", HitSide::opponent),
     settled(" His force maneuver sends you to your feet!", HitSide::player)},
    // 2, attack.
    {settled(" He deftly parries your attack!", HitSide::player),
     contested(" You are cut by his blade!", " He is burned as your attack defeats his!"),
     settled(" You interrupt him with a downward slash!", HitSide::opponent)},
    // 3, throw debris.
    {settled(" You catch him off guard as you throw dust into his face!", HitSide::opponent),
     settled(" You are caught defenseless as he lunges towards you!", HitSide::player),
     settled(" His force attack hits the rock you threw at him!", HitSide::nobody)},
}};

constexpr DuelDefinition kLightsaberDuel = {
    .moveMenu = kLightsaberMenu,
    .surrenderMove = 4,
    .opponentLabel = R"( \-Dark Jedi-/ )",
    .opponentMoves = 3,
    .wonBlankBlock = 13,
    .lostBlankBlock = 14,
    .outcomes = kLightsaberOutcomes,
};

// Starship duel: the player's ship against the thieves' craft. Moves: 1 evasive maneuvers,
// 2 fire missiles, 3 drop mines; he evades (1), fires (2) or drops mines (3). The same shape as
// the lightsaber duel, with fire against fire going to the exchange roll.
constexpr std::string_view kStarshipMenu = R"art(     1 - Evasive maneuvers.
     2 - Fire your weapons.
     3 - Drop mines.
     4 - Surrender.
)art";

constexpr std::array<OutcomeRow, 3> kStarshipOutcomes = {{
    // 1, evasive maneuvers.
    {settled(" Your ships glide past each other.", HitSide::nobody),
     settled(" You swiftly evade his blasts and counter-attack!", HitSide::opponent),
     settled(" You crash into some of his mines!", HitSide::player)},
    // 2, fire your weapons.
    {settled(" He easily evades your missiles and attacks!", HitSide::player),
     contested(" Your ship rattles as a laser beam hits it!",
               " His craft makes a sound as a missile hits it!"),
     settled(" You fire at his mines, making it explode at him!", HitSide::opponent)},
    // 3, drop mines.
    {settled(" Your mines catch him off guard!", HitSide::opponent),
     settled(" Your mines explode as his blast critically hits you!", HitSide::player),
     settled(" You both fill the area with mines.", HitSide::nobody)},
}};

constexpr DuelDefinition kStarshipDuel = {
    .moveMenu = kStarshipMenu,
    .surrenderMove = 4,
    .opponentLabel = kBanditsLabel,
    .opponentMoves = 3,
    .wonBlankBlock = 13,
    .lostBlankBlock = 14,
    .outcomes = kStarshipOutcomes,
};

}  // namespace

const DuelDefinition& duelDefinition(DuelKind kind) {
  switch (kind) {
    case DuelKind::lightsaber:
      return kLightsaberDuel;
    case DuelKind::starship:
      return kStarshipDuel;
    case DuelKind::blaster:
      break;
  }
  return kBlasterDuel;
}

}  // namespace nebulance
