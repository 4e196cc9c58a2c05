#include "travel/robbery_story.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "support/session.h"

namespace nebulance {
namespace {

using testing::fixedClock;
using testing::playSession;
using testing::readTestData;
using testing::updateTestData;

// Draws worked out from the generator for the clocks used here (first draws after a reseed):
//   1700000000: 28462 1027 22663 25444 9533   -> blaster turn: he takes cover, exchange roll 2
//   1700000003: 28472 504 10720 32098 7709    -> blaster: cover, roll 1; three-move duels: move 3
//   1700000005: 28479 22001 13680 14688 28338 -> travel event 28479 mod 15 + 1 = 10, the rumour
//   1700000008: 28488 21478 1737 21342 26514  -> three-move duels: he parries or evades (move 1)
// e.g. 1700000003 * 214013 + 2531011 mod 2^32 = 1865971955, and 1865971955 >> 16 = 28472.
constexpr std::int64_t kBlasterLoss = 1700000000;
constexpr std::int64_t kOpponentFalls = 1700000003;
constexpr std::int64_t kRumour = 1700000005;
constexpr std::int64_t kPlayerFalls = 1700000008;

struct StoryRun {
  std::string output;
  GameState state;
};

// A story as the travel step starts it: the generator reseeded and four draws taken.
StoryRun runStory(std::string_view input, std::int64_t clockSeconds, GameState state) {
  std::istringstream in{std::string(input)};
  std::ostringstream out;
  {
    Console console(in, out);
    RandomGenerator random(fixedClock(clockSeconds));
    random.reseedFromClock();
    for (int i = 0; i < 4; ++i) random.draw();
    try {
      bankRobberyStory(console, random, state.inputChar, state.credits, state.purchaseDiscount,
                       state.bankFunds, state.cargo, state.nabooTradeAllowed, state.prices,
                       state.location);
    } catch (const EndOfInput&) {
    }
  }
  return {out.str(), state};
}

GameState storyStart() {
  GameState state;
  state.credits = 5000;
  state.location = kCloudCity;
  state.prices = {5500, 4000, 2300, 1500, 500, 300, 450, 50};
  state.cargo = {1, 0, 0, 1, 0, 0, 0, 1};
  return state;
}

// Five turns of the same move, each answered on its own line.
std::string fiveTurns(char move) {
  std::string turns;
  for (int i = 0; i < 5; ++i) turns += std::string("\n") + move;
  return turns;
}

std::int32_t& held(GameState& state, Product product) {
  return state.cargo[productIndex(product)];
}

void expectTranscript(const std::string& file, const std::string& output) {
  if (updateTestData(file, output)) return;
  EXPECT_EQ(output, readTestData(file)) << file;
}

TEST(RobberyStoryTest, BlasterVictoryPaysAHeroAndGrantsTheDiscount) {
  const GameState before = storyStart();
  StoryRun run = runStory("\n1\nx" + fiveTurns('2') + "\nx\n", kOpponentFalls, before);
  expectTranscript("story_blaster_won.txt", run.output);
  GameState expected = before;
  expected.credits += 10720 % 4901 + 100;
  expected.purchaseDiscount = 1;
  expected.inputChar = 'x';
  EXPECT_EQ(run.state, expected);
}

TEST(RobberyStoryTest, BlasterDefeatCostsOneHeldBeaconAndDeposits) {
  GameState before = storyStart();
  StoryRun run = runStory("\n1\nx" + fiveTurns('2') + "\nx\n", kBlasterLoss, before);
  expectTranscript("story_blaster_lost.txt", run.output);
  // Product 22663 mod 8 + 1 = 8, the beacons; one held, so exactly one is lost.
  GameState expected = before;
  held(expected, kHomingBeacons) = 0;
  expected.bankFunds -= 9533 % 19100001 + 900000;
  expected.inputChar = 'x';
  EXPECT_EQ(run.state, expected);
}

TEST(RobberyStoryTest, LightsaberVictoryBringsTheJedisBelongingsAndOpensNaboo) {
  GameState before = storyStart();
  StoryRun run = runStory("\n2\nx" + fiveTurns('2') + "\nx\nx\n", kOpponentFalls, before);
  expectTranscript("story_lightsaber_won.txt", run.output);
  GameState expected = before;
  held(expected, kLightsabers) += 1;
  held(expected, kComlinks) += 2;
  held(expected, kBlasters) += 1;
  expected.nabooTradeAllowed = 1;
  expected.inputChar = 'x';
  EXPECT_EQ(run.state, expected);
}

TEST(RobberyStoryTest, LightsaberDefeatSkipsAProductThatIsNotHeld) {
  GameState before = storyStart();
  StoryRun run = runStory("\n2\nx" + fiveTurns('2') + "\nx\n", kPlayerFalls, before);
  expectTranscript("story_lightsaber_lost.txt", run.output);
  // Product 21478 mod 8 + 1 = 7, the vibro-axes, none held: only the bank pays.
  GameState expected = before;
  expected.bankFunds -= 1737 + 900000;
  expected.inputChar = 'x';
  EXPECT_EQ(run.state, expected);
}

TEST(RobberyStoryTest, StarshipVictoryTracksTheRobbersToThePlanetReached) {
  GameState before = storyStart();
  StoryRun run = runStory("\n3\nx" + fiveTurns('2') + "\nx\n", kOpponentFalls, before);
  expectTranscript("story_starship_won.txt", run.output);
  GameState expected = before;
  expected.credits += 504 % 4901 + 100;
  expected.inputChar = 'x';
  EXPECT_EQ(run.state, expected);
}

TEST(RobberyStoryTest, StarshipDefeatTakesPartOfAHeldProduct) {
  GameState before = storyStart();
  held(before, kVibroAxes) = 5;
  StoryRun run = runStory("\n3\nx" + fiveTurns('2') + "\nx\n", kPlayerFalls, before);
  expectTranscript("story_starship_lost.txt", run.output);
  // Vibro-axes again; 1737 mod 5 + 1 = 3 of the 5 are lost, then the deposits of 21342.
  GameState expected = before;
  held(expected, kVibroAxes) = 2;
  expected.bankFunds -= 21342 + 900000;
  expected.inputChar = 'x';
  EXPECT_EQ(run.state, expected);
}

TEST(RobberyStoryTest, LettingThingsBeCostsOnlyTheBanksDeposits) {
  GameState before = storyStart();
  before.bankFunds = 500000;  // the robbery may leave the bank in debt until the next day
  StoryRun run = runStory("\n4\nx\n", kRumour, before);
  expectTranscript("story_let_things_be.txt", run.output);
  GameState expected = before;
  expected.bankFunds = 500000 - (28338 + 900000);
  expected.inputChar = 'x';
  EXPECT_EQ(run.state, expected);
}

TEST(RobberyStoryTest, DepositLossStaysWithinItsNarrowBandForEveryDraw) {
  for (std::int64_t clock = 0; clock < 2000; ++clock) {
    GameState before = storyStart();
    StoryRun run = runStory("\n4\nx\n", clock, before);
    const std::int32_t loss = before.bankFunds - run.state.bankFunds;
    ASSERT_GE(loss, 900000);
    ASSERT_LE(loss, 932767);
  }
}

// The offer flows end in choice 4 so that only the offer itself differs between them.
struct OfferCase {
  const char* name;
  std::int32_t credits;
  const char* input;
  std::int32_t blastersAfter;
  std::int32_t creditsAfter;
};

class PurchaseOfferTest : public ::testing::TestWithParam<OfferCase> {};

TEST_P(PurchaseOfferTest, EndsWithTheExpectedScreensAndPurse) {
  const OfferCase& offer = GetParam();
  GameState before = storyStart();
  held(before, kBlasters) = 0;
  before.credits = offer.credits;
  StoryRun run = runStory(offer.input, kRumour, before);
  expectTranscript(std::string("story_offer_") + offer.name + ".txt", run.output);
  EXPECT_EQ(held(run.state, kBlasters), offer.blastersAfter);
  EXPECT_EQ(run.state.credits, offer.creditsAfter);
  EXPECT_EQ(run.state.purchaseDiscount, before.purchaseDiscount);
}

INSTANTIATE_TEST_SUITE_P(
    Offers, PurchaseOfferTest,
    ::testing::Values(
        // Exactly the price is not enough; the prompt returns and 4 is chosen.
        OfferCase{"price_equals_credits", 1500, "\n1\n1\n4\nx\n", 0, 1500},
        // A No eats its line end, so the next entry's first character is dropped.
        OfferCase{"declined_twice", 5000, "\n1\n2\n11\n2\n44\nx\n", 0, 5000},
        // Any other answer repeats the whole offer.
        OfferCase{"other_answer", 5000, "\n1\n7\n2\n44\nx\n", 0, 5000},
        // A letter keeps the answer empty: the offer repeats, then the letter is used up.
        OfferCase{"not_a_number", 5000, "\n1\nz\n2\n44\nx\n", 0, 5000},
        // Out-of-range choices repeat the prompt silently.
        OfferCase{"choice_out_of_range", 5000, "\n0\n9\n-3\n4\nx\n", 0, 5000}),
    [](const ::testing::TestParamInfo<OfferCase>& info) { return std::string(info.param.name); });

TEST(RobberyStoryTest, ABoughtBlasterStartsTheDuelAtOnceAtTheFullPrice) {
  GameState before = storyStart();
  held(before, kBlasters) = 0;
  before.purchaseDiscount = 1;  // the discount is the Trading Post's, not the robbers'
  StoryRun run = runStory("\n1\n1\nx" + fiveTurns('2') + "\nx\n", kOpponentFalls, before);
  expectTranscript("story_offer_bought.txt", run.output);
  EXPECT_EQ(held(run.state, kBlasters), 1);
  EXPECT_EQ(run.state.credits, 5000 - 1500 + 10720 % 4901 + 100);
}

TEST(RobberyStoryTest, RewardsRepeatAndFlagsStaySet) {
  GameState state = storyStart();
  state = runStory("\n1\nx" + fiveTurns('2') + "\nx\n", kOpponentFalls, state).state;
  state = runStory("\n1\nx" + fiveTurns('2') + "\nx\n", kOpponentFalls, state).state;
  state = runStory("\n2\nx" + fiveTurns('2') + "\nx\nx\n", kOpponentFalls, state).state;
  state = runStory("\n2\nx" + fiveTurns('2') + "\nx\nx\n", kOpponentFalls, state).state;
  EXPECT_EQ(state.credits, 5000 + 2 * (10720 % 4901 + 100));
  EXPECT_EQ(state.purchaseDiscount, 1);
  EXPECT_EQ(state.nabooTradeAllowed, 1);
  EXPECT_EQ(held(state, kComlinks), 4);
}

TEST(RobberyStoryTest, RewardsHoldAtTheLimitsInsteadOfWrapping) {
  GameState before = storyStart();
  before.credits = 2147483000;
  held(before, kComlinks) = 2147483647;
  StoryRun won = runStory("\n1\nx" + fiveTurns('2') + "\nx\n", kOpponentFalls, before);
  EXPECT_EQ(won.state.credits, 2147483647);
  StoryRun spoils = runStory("\n2\nx" + fiveTurns('2') + "\nx\nx\n", kOpponentFalls, before);
  EXPECT_EQ(held(spoils.state, kComlinks), 2147483647);
  before.bankFunds = -2147000000;
  StoryRun robbed = runStory("\n4\nx\n", kRumour, before);
  EXPECT_EQ(robbed.state.bankFunds, -2147483647 - 1);
}

// The rumour as a travel event: straight after the first jump, with the robbed bank chosen.
TEST(RobberyStoryTest, RumourOnTheFirstJumpOpensTheStory) {
  const std::string output = playSession("1\nx\nx\nx\n6\n4\nx\nE\n1\n", kRumour);
  expectTranscript("story_rumour_session.txt", output);
}

}  // namespace
}  // namespace nebulance
