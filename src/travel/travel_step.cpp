#include "travel/travel_step.h"

#include <array>
#include <string_view>

#include "shell/saturating.h"
#include "travel/robbery_story.h"

namespace nebulance {

namespace {

constexpr std::int32_t kAcquaintanceGift = 2000;  // the 200 credits lent, come back tenfold
constexpr double kPatrolTaxShare = 0.1;

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

// The hangar only ever appears as the origin of the first jump; no planet is not named.
void printPlace(Console& console, Planet place, FormatString<'s'> format) {
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
  std::int32_t& credits = state.purse.credits;
  eventOpening(console);
  console.print("       As you were travelling from\n");
  printPlace(console, state.position.origin, "       %s ");
  console.print("to ");
  printPlace(console, state.position.location, "%s,");
  console.print("\n       a Republican patrol caught\n       you and taxed you 10% of your\n");
  const std::int32_t taxed = truncateToInt32(credits - credits * kPatrolTaxShare);
  console.format("       formerly %d has been\n", credits);
  console.format("       deducted and is now %d.\n", taxed);
  credits = taxed;
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

void pirateRaid(Console& console, ProductCounts& cargo) {
  eventOpening(console);
  console.print(kPirateRaidAttack);
  proceedPause(console);
  console.print(kPirateRaidSurrender);
  cargo.fill(0);
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
  printPlace(console, state.position.location, "       %s,");
  console.print(kAcquaintanceRequest);
  proceedPause(console);
  console.print(kAcquaintanceReturn);
  state.purse.credits = saturatingAdd(state.purse.credits, kAcquaintanceGift);
  console.format("       Current credits: %d\n", state.purse.credits);
  eventClosing(console);
}

constexpr std::string_view kWreckage = R"art(       You chance upon the floating
       wreckage of a large starship.
       Investigating its remains for
       possible loot, you find:

)art";

// What the wreckage holds: `count` units of `product`.
struct Loot {
  Product product;
  std::int32_t count;
};

void wreckageLoot(Console& console, const Loot& loot, ProductCounts& cargo) {
  eventOpening(console);
  console.print(kWreckage);
  console.format("       %d %s\n", loot.count, productNames(loot.product).foundName);
  std::int32_t& held = cargo[productIndex(loot.product)];
  held = saturatingAdd(held, loot.count);
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
  bankRobberyStory(console, random, state);
}

}  // namespace

void travelStep(Console& console, RandomGenerator& random, GameState& state) {
  random.reseedFromClock();
  const std::int32_t eventRoll = random.drawModulo(15, 1);
  const Loot loot{.product = static_cast<Product>(random.drawModulo(kProductCount, 1)),
                  .count = random.drawModulo(10, 1)};
  state.bank.interestRate = random.drawModulo(16, 5);

  switch (eventForRoll(eventRoll)) {
    case TravelEvent::patrolTax:
      return patrolTax(console, state);
    case TravelEvent::pirateRaid:
      return pirateRaid(console, state.cargo);
    case TravelEvent::oldAcquaintance:
      return oldAcquaintance(console, state);
    case TravelEvent::wreckageLoot:
      return wreckageLoot(console, loot, state.cargo);
    case TravelEvent::robberyRumour:
      return robberyRumour(console, random, state);
    case TravelEvent::safeJourney:
      return safeJourney(console);
  }
}

}  // namespace nebulance
