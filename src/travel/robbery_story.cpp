#include "travel/robbery_story.h"

#include <array>
#include <string_view>

#include "combat/duel.h"
#include "shell/saturating.h"

namespace nebulance {

namespace {

// The game one story plays in, and the console and generator it plays on.
struct Story {
  Console& console;
  RandomGenerator& random;
  GameState& state;
};

constexpr std::int32_t kLetThingsBe = 4;
constexpr int kHeroRewardSpread = 4901;  // a hero earns 100..5000 credits
constexpr int kHeroRewardLowest = 100;
// The robbers' haul: a draw never reaches the spread, so the loss stays within 900000..932767.
constexpr int kDepositLossSpread = 19100001;
constexpr int kDepositLossLowest = 900000;

constexpr std::string_view kEndOfScreen = "\n       Enter any input to continue.\n";

void closeScreen(Story& story) {
  story.console.frameClosing();
  story.console.print(kEndOfScreen);
  story.console.skipChars(2);
}

void depositLoss(Story& story) {
  const int loss = story.random.drawModulo(kDepositLossSpread, kDepositLossLowest);
  story.console.format("         - Bank: -%d deposits\n", loss);
  std::int32_t& bankFunds = story.state.bank.bankFunds;
  bankFunds = saturatingSubtract(bankFunds, loss);
}

void heroReward(Story& story) {
  const int reward = story.random.drawModulo(kHeroRewardSpread, kHeroRewardLowest);
  std::int32_t& credits = story.state.purse.credits;
  credits = saturatingAdd(credits, reward);
  story.console.format("         - Credits: +%d\n", reward);
}

void blasterReward(Story& story) {
  heroReward(story);
  story.console.print("         - 10% discount in purchase.\n");
  story.state.rewards.purchaseDiscount = true;
}

constexpr std::string_view kJediBelongings = R"art(       You manage to find,
       among his belongings, a pair
       of comlinks, a lightsaber,
       and a blaster. Inspecting
       his other belongings, you
       manage to see a shred of
       paper with a set of numbers
       scribbled on it. You dial
       the number, and it leads
       to an underground black
       market contact.

)art";

// Units of one product that a victory adds to the hold.
struct Spoil {
  Product product;
  std::int32_t count;
};

// What the Jedi leaves behind, in the order it is listed.
constexpr std::array<Spoil, 3> kJediSpoils = {{
    {kLightsabers, 1},
    {kComlinks, 2},
    {kBlasters, 1},
}};

// The Jedi's spoils come after a pause of their own.
void lightsaberReward(Story& story) {
  story.console.skipChars(2);
  story.console.print(kJediBelongings);
  for (const Spoil& spoil : kJediSpoils) {
    story.console.format("         - %s: +%d\n", productNames(spoil.product).name, spoil.count);
    std::int32_t& held = story.state.cargo[productIndex(spoil.product)];
    held = saturatingAdd(held, spoil.count);
  }
  story.console.print("         - Allowed trade in Naboo.\n");
  story.state.rewards.nabooTradeAllowed = true;
}

void defeatPenalty(Story& story) {
  const auto product = static_cast<Product>(story.random.drawModulo(kProductCount, 1));
  std::int32_t& held = story.state.cargo[productIndex(product)];
  if (held > 0) {
    const int lost = story.random.drawModulo(held, 1);
    story.console.format("         - %s: %d\n", productNames(product).lostName, lost);
    held -= lost;
  }
  depositLoss(story);
}

// One of the three fighting choices: the item it needs, its duel and the screens around it.
struct StoryBranch {
  Product neededItem;
  DuelKind duel;
  std::string_view intro;
  bool introNamesPlanet;  // the beacon tracks the robbers to the planet just reached
  std::string_view victory;
  void (*reward)(Story&);
  std::string_view defeat;
};

constexpr std::string_view kBlasterIntro = R"art(       Taking a pair of blasters from
       your cargo bay, you proceed
       to the Federation Bank as
       swiftly as you could. Just in
       time, you catch the robbers
       red-handed with their loot.
       You arm your weapons and
       proceed to battle!
)art";

constexpr std::string_view kBlasterVictory = R"art(       You easily defeat the thieves.
       Late as usual, the Federation
       Police start surrounding the
       scene and demand the surrender
       of the thieves. You emerge
       from the bank's entrance,
       covered in dust and scratches,
       carrying by net the robbers
       you defeated. News spread fast
       that you were the hero who
       saved the bank. People begin
       to send you gifts, and people
       generally begin to be more
       friendly to you.

)art";

constexpr std::string_view kBlasterDefeat = R"art(       As you leave cover to fire, a
       sudden blast singes your hand
       and sends your blaster flying
       to a corner. Without much
       choice, you call your ship
       with your comlink and escape.
       However, by doing this, the
       thieves were able to escape.
       To make things worse, your
       cargo bay dropped items
       through a hole which was
       blasted through by the
       thieves as you escaped.

)art";

constexpr std::string_view kLightsaberIntro = R"art(       Taking your lightsaber from
       your cargo bay, you proceed
       as quickly as you can to the
       Federation Bank. Mysteriously,
       you find the bank in good
       condition, as if nothing
       happened. Without warning, a
       sudden blast from the door
       sends you sprawling! A man
       in dark cloaks steps out from
       the smoke, and draws his
       lightsaber.
)art";

constexpr std::string_view kLightsaberVictory = R"art(       Your Jedi opponent parries
       your attack and slashes you.
       Kicking off from a wall
       by your side, you evade his
       assault and counter his attack.
       The energy blade smoothly cuts
       off his arm, and he disappears
       in smoke.

       Enter any input to continue.
)art";

constexpr std::string_view kLightsaberDefeat = R"art(       In a series of quick strikes,
       he cuts and disarms your
       weapon. Knowing that you
       have no more chance, you call
       your ship and teleport into
       its cockpit. As you speed away
       from the scene, you can't help
       but feel that someone is
       following you.

)art";

constexpr std::string_view kStarshipIntro = R"art(       Deciding to take on their
       space craft as they escape,
       you sneak on board their craft
       and plant a homing beacon.
       Returning back to your ship,
       you wait for them to escape.
       The beacon sends you their
       coordinates, and are able to
       track them to )art";

constexpr std::string_view kStarshipVictory = R"art(       With a final barrage of
       missiles, you manage to ruin
       the pirates' craft just enough
       that it would be unable to move.
       You then decide to call the
       Federation Police, and within
       minutes, they come and capture
       the pirates. The authorities,
       on the next day, send you a
       "thank you" note, and a part of
       the loot that the pirates
       carried.

)art";

constexpr std::string_view kStarshipDefeat = R"art(       Unexpectedly, the enemy craft
       disappears from your ship's
       sensors. While you were
       preparing to leave, a quick
       laser blast shatters the doors
       of your cargo bay. The pirates
       had hid in the surrounding
       asteroids, but you had
       found out about this too late.
       As they escaped, they took
       some of your cargo with their
       tractor beam.

)art";

// Choices 1 to 3, in order.
constexpr std::array<StoryBranch, 3> kStoryBranches = {{
    {kBlasters, DuelKind::blaster, kBlasterIntro, false, kBlasterVictory, blasterReward,
     kBlasterDefeat},
    {kLightsabers, DuelKind::lightsaber, kLightsaberIntro, false, kLightsaberVictory,
     lightsaberReward, kLightsaberDefeat},
    {kHomingBeacons, DuelKind::starship, kStarshipIntro, true, kStarshipVictory, heroReward,
     kStarshipDefeat},
}};

const StoryBranch* branchFor(std::int32_t storyChoice) {
  if (storyChoice < 1 || storyChoice > static_cast<std::int32_t>(kStoryBranches.size())) {
    return nullptr;
  }
  return &kStoryBranches[static_cast<std::size_t>(storyChoice - 1)];
}

constexpr std::string_view kPurchaseOffer = R"art(       Would you like to purchase one?
                    1 - Yes
                    2 - No
       Enter choice: )art";

// Offers the branch's item while the hold has none; returns true once it has one, false when
// the offer is declined or the credits do not reach the price. A purchase pays the full market
// price and skips every Trading Post rule: no discount, no stock, no hold limit.
bool neededItemHeld(Story& story, const StoryBranch& branch, std::int32_t& offerAnswer) {
  std::int32_t& held = story.state.cargo[productIndex(branch.neededItem)];
  std::int32_t& credits = story.state.purse.credits;
  const std::int32_t price = story.state.market.prices[productIndex(branch.neededItem)];
  while (held == 0) {
    story.console.format("       You do not have any %s in stock!\n",
                         productNames(branch.neededItem).missingName);
    story.console.print(kPurchaseOffer);
    story.console.numberEntry(offerAnswer);
    if (offerAnswer == 1) {
      if (credits <= price) {
        story.console.print("       You do not have enough credits!\n");
        return false;
      }
      credits = saturatingSubtract(credits, price);
      held = saturatingAdd(held, 1);
    } else if (offerAnswer == 2) {
      // The No leaves its line end; eat it so the next prompt reads a fresh entry.
      story.console.skipChar();
      return false;
    }
  }
  return true;
}

std::int32_t readStoryChoice(Story& story) {
  // A choice whose item is not bought is set back to 0, which an entry that is not a number then
  // keeps and the prompt refuses.
  std::int32_t storyChoice = 0;
  // Kept from one offer to the next in a story: an entry that is not a number gives the last
  // answer again, so after a No the next offer is declined at once.
  std::int32_t offerAnswer = 0;
  do {
    story.console.print("       What will you do? (1/2/3/4): ");
    story.console.numberEntry(storyChoice);
    const StoryBranch* branch = branchFor(storyChoice);
    if (branch != nullptr && !neededItemHeld(story, *branch, offerAnswer)) storyChoice = 0;
  } while (storyChoice < 1 || storyChoice > kLetThingsBe);
  return storyChoice;
}

constexpr std::string_view kBankRobbed = R"art(       You decide to forget about
       the whole situation. The next
       day, you are surprised to hear
       that the bank was actually stolen
       from.

)art";

void letThingsBe(Story& story) {
  story.console.blankBlock(14);
  story.console.frameOpening();
  story.console.print(kBankRobbed);
  depositLoss(story);
  closeScreen(story);
}

void fight(Story& story, const StoryBranch& branch) {
  Console& console = story.console;
  console.frameOpening();
  console.print(branch.intro);
  const Planet location = story.state.position.location;
  if (branch.introNamesPlanet && isPlanet(location)) console.format("%s.\n", placeName(location));
  console.frameClosing();
  console.print("\n       Enter any input to continue.");
  console.skipChars(2);

  const DuelResult result = playDuel(console, story.random, branch.duel);
  console.frameOpening();
  if (result == DuelResult::won) {
    console.print(branch.victory);
    branch.reward(story);
  } else {
    console.print(branch.defeat);
    defeatPenalty(story);
  }
  closeScreen(story);
}

}  // namespace

void bankRobberyStory(Console& console, RandomGenerator& random, GameState& state) {
  Story story{console, random, state};
  const std::int32_t storyChoice = readStoryChoice(story);
  console.blankBlock(11);
  if (const StoryBranch* branch = branchFor(storyChoice)) {
    fight(story, *branch);
  } else {
    letThingsBe(story);
  }
}

}  // namespace nebulance
