#include "travel/travel_step.h"

#include <array>
#include <string_view>

#include "shell/saturating.h"
#include "travel/robbery_story.h"

namespace nebulance {

namespace {

constexpr std::int32_t kAcquaintanceGift = 2000;  // the 200 credits lent, come back tenfold
constexpr double kPatrolTaxShare = 0.1;

// Places named by the events; the hangar only ever appears as the origin of the first jump.
constexpr std::array<std::string_view, 9> kPlaceNames = {
    "",       "Tattooine", "Jundland",   "Naboo",      "Dagobah",
    "Kessel", "Alderaan",  "Cloud City", "the hangar",
};

std::string_view placeName(std::int32_t place) {
  return place >= 1 && place <= 8 ? kPlaceNames[place] : std::string_view{};
}

// The wreckage's finds: "Holocam" singular and "Homing beacons" in lower case are its own.
constexpr std::array<std::string_view, kProductCount> kWreckageNames = {
    "Lightsabers",     "Comlinks",     "Holocam",    "Blasters",
    "Sublight Drives", "Super Lasers", "Vibro-axes", "Homing beacons",
};

enum class TravelEvent {
  safeJourney,
  robberyRumour,
  wreckageLoot,
  oldAcquaintance,
  pirateRaid,
  patrolTax
};

TravelEvent eventForRoll(std::int32_t eventRoll) {
  switch (eventRoll) {
    case 15:
      return TravelEvent::patrolTax;
    case 14:
      return TravelEvent::pirateRaid;
    case 13:
      return TravelEvent::oldAcquaintance;
    case 12:
      return TravelEvent::wreckageLoot;
    case 11:
    case 10:
      return TravelEvent::robberyRumour;
    default:
      return TravelEvent::safeJourney;
  }
}

void printPlace(Console& console, std::int32_t place, FormatString<'s'> format) {
  const std::string_view name = placeName(place);
  if (!name.empty()) console.format(format, name);
}

// Every event but the rumour: a blank line, then the frame's opening.
void eventOpening(Console& console) {
  console.lineBreak();
  console.frameOpening();
}

// A blank line, the prompt, the pause and a blank line: inside a long event and at its end.
void proceedPause(Console& console) {
  console.print("\n       Enter any input to proceed.\n");
  console.skipChars(2);
  console.lineBreak();
}

void eventClosing(Console& console) {
  console.frameClosing();
  proceedPause(console);
}

void patrolTax(Console& console, GameState& state) {
  eventOpening(console);
  console.print("       As you were travelling from\n");
  printPlace(console, state.origin, "       %s ");
  console.print("to ");
  printPlace(console, state.location, "%s,");
  console.print("\n       a Republican patrol caught\n       you and taxed you 10% of your\n");
  state.workAmount = truncateToInt32(state.credits - state.credits * kPatrolTaxShare);
  console.format("       formerly %d has been\n", state.credits);
  console.format("       deducted and is now %d.\n", state.workAmount);
  state.credits = state.workAmount;
  eventClosing(console);
}

constexpr std::string_view kPirateRaidAttack = R"art(       As you gaze at the stars from
       the cockpit of your ship, a
       sudden laser blast comes from
       out of nowhere and rattles
       your ship! Without warning,
       numerous pirates appear from
       lightspeed and begin their
       attack on you. Once trained
       in the Republican Academy
       in starship combat, you
       think that you can handle
       the space bandits with ease.
)art";

constexpr std::string_view kPirateRaidSurrender = R"art(       To your surprise, your shields,
       engine, and weapons stopped
       operating! The first laser
       blast must have jammed your
       computer systems.

       You realize that you have
       no chance against the thieves,
       and surrender. They leave you
       unharmed, but they pillage
       through your cargo bay and
       take everything.
)art";

void pirateRaid(Console& console, GameState& state) {
  eventOpening(console);
  console.print(kPirateRaidAttack);
  proceedPause(console);
  console.print(kPirateRaidSurrender);
  state.cargo.fill(0);
  eventClosing(console);
}

constexpr std::string_view kAcquaintanceRequest = R"art( you see an
       old acquaintance. He seems
       to be in dire need, and asks
       you for 200 credits to repair
       his speeder. Knowing the
       value of money, you hesitate
       in paying him. Yet, he insists
       that his race will be starting
       in less than a week, and he
       needs the money to feed his
       family. Without having much
       choice, you give him the money
       and leave.
)art";

constexpr std::string_view kAcquaintanceReturn = R"art(       Upon reaching your destination,
       you are surprised to receive a
       message from your friend that he
       had won the pod race. Thanking
       you, he leaves you with the
       amount you gave him, multiplied
       by ten. It looks like it's your
       lucky day.

)art";

void oldAcquaintance(Console& console, GameState& state) {
  eventOpening(console);
  console.print("       As you prepare to leave for\n");
  printPlace(console, state.location, "       %s,");
  console.print(kAcquaintanceRequest);
  proceedPause(console);
  console.print(kAcquaintanceReturn);
  state.credits = saturatingAdd(state.credits, kAcquaintanceGift);
  console.format("       Current credits: %d\n", state.credits);
  eventClosing(console);
}

constexpr std::string_view kWreckage = R"art(       You chance upon the floating
       wreckage of a large starship.
       Investigating its remains for
       possible loot, you find:

)art";

void wreckageLoot(Console& console, GameState& state) {
  eventOpening(console);
  console.print(kWreckage);
  const std::string_view name = kWreckageNames[productIndex(state.eventProduct)];
  console.format("       %d %s\n", state.eventCount, name);
  std::int32_t& held = state.cargo[productIndex(state.eventProduct)];
  held = saturatingAdd(held, state.eventCount);
  eventClosing(console);
}

constexpr std::string_view kSafeJourney = R"art(       Your journey was safe and
       quick. You hastily proceed
       to the docking bay and begin
       unloading your cargo for trade.
)art";

void safeJourney(Console& console) {
  eventOpening(console);
  console.print(kSafeJourney);
  eventClosing(console);
}

constexpr std::string_view kRobberyRumour = R"art(       Relaxing at a bar, you hear
       from a contact that the
       Federation Bank will be
       robbed. You know that the
       economical imbalance that
       will be caused by this will
       make your life even harder.
       You decide to:

          1 - Take your blasters
              and defend the bank.
          2 - Take your lightsaber
              and defend the bank.
          3 - Use a homing beacon
              to track the robbers
              to their headquarters.
          4 - Let things be, and
              leave the bank to
              its fate.
)art";

// The rumour opens the story at once: no blank line before it and no pause after it.
void robberyRumour(Console& console, RandomGenerator& random, GameState& state) {
  console.frameOpening();
  console.print(kRobberyRumour);
  console.frameClosing();
  console.lineBreak();
  bankRobberyStory(console, random, state.credits, state.purchaseDiscount, state.bankFunds,
                   state.cargo, state.nabooTradeAllowed, state.prices, state.location);
}

}  // namespace

void travelStep(Console& console, RandomGenerator& random, GameState& state) {
  random.reseedFromClock();
  state.eventRoll = random.drawModulo(15, 1);
  state.eventProduct = random.drawModulo(kProductCount, 1);
  state.eventCount = random.drawModulo(10, 1);
  state.interestRate = random.drawModulo(16, 5);

  switch (eventForRoll(state.eventRoll)) {
    case TravelEvent::patrolTax:
      return patrolTax(console, state);
    case TravelEvent::pirateRaid:
      return pirateRaid(console, state);
    case TravelEvent::oldAcquaintance:
      return oldAcquaintance(console, state);
    case TravelEvent::wreckageLoot:
      return wreckageLoot(console, state);
    case TravelEvent::robberyRumour:
      return robberyRumour(console, random, state);
    case TravelEvent::safeJourney:
      return safeJourney(console);
  }
}

}  // namespace nebulance
