#include "travel/robbery_story.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "support/session.h"

namespace nebulance {
namespace {

// First draws after a reseed at the clocks used here, from the generator's rule:
//   1700000000: 28462 1027 22663 25444 9533   blaster: he takes cover, exchange roll 2
//   1700000003: 28472 504 10720 32098 7709    blaster: cover, roll 1; three-move duels: move 3
//   1700000005: 28479 22001 13680 14688 28338 (the travel step takes the first four)
//   1700000008: 28488 21478 1737 21342 26514  three-move duels: he parries or evades
// e.g. 1700000003 * 214013 + 2531011 mod 2^32 = 1865971955, and 1865971955 >> 16 = 28472.
constexpr std::int64_t kPlayerFallsToBlasters = 1700000000;
constexpr std::int64_t kOpponentFalls = 1700000003;
constexpr std::int64_t kNoDuel = 1700000005;
constexpr std::int64_t kPlayerFalls = 1700000008;

constexpr ProductCounts kStartingCargo = {1, 0, 0, 1, 0, 0, 5, 1};

// A story as the travel step starts it: the generator reseeded and four draws taken.
GameState runStory(const std::string& input, std::int64_t clock, GameState state,
                   std::string& output) {
  std::istringstream in(input);
  std::ostringstream out;
  {
    Console console(in, out);
    RandomGenerator random(testing::fixedClock(clock));
    random.reseedFromClock();
    for (int i = 0; i < 4; ++i) random.draw();
    try {
      bankRobberyStory(console, random, state.inputChar, state.credits, state.purchaseDiscount,
                       state.bankFunds, state.cargo, state.nabooTradeAllowed, state.prices,
                       state.location);
    } catch (const EndOfInput&) {
    }
  }
  output = out.str();
  return state;
}

GameState storyStart(std::int32_t credits, ProductCounts cargo) {
  GameState state;
  state.credits = credits;
  state.location = kCloudCity;
  state.prices = {5500, 4000, 2300, 1500, 500, 300, 450, 50};
  state.cargo = cargo;
  return state;
}

// The choice, the intro's pause, five turns of the same move and the end screen's pause.
std::string fight(char choice, char move, const char* extraPause = "") {
  std::string typed = std::string("\n") + choice + "\nx";
  for (int turn = 0; turn < 5; ++turn) typed += std::string("\n") + move;
  return typed + extraPause + "\nx\n";
}

// What a story may change, as one line: credits, bank funds, the hold and the two rewards.
std::string settlement(const GameState& state) {
  std::ostringstream line;
  line << state.credits << " bank " << state.bankFunds << " cargo";
  for (const std::int32_t units : state.cargo) line << ' ' << units;
  line << (state.purchaseDiscount == 1 ? " discount" : "")
       << (state.nabooTradeAllowed == 1 ? " naboo" : "");
  return line.str();
}

struct StoryCase {
  const char* name;  // also names the transcript, story_<name>.txt
  std::string typed;
  std::int64_t clock;
  std::int32_t credits;
  ProductCounts cargo;
  const char* settled;
};

class StoryTest : public ::testing::TestWithParam<StoryCase> {};

TEST_P(StoryTest, ShowsItsScreensAndSettlesTheGame) {
  const StoryCase& story = GetParam();
  std::string output;
  const GameState after =
      runStory(story.typed, story.clock, storyStart(story.credits, story.cargo), output);
  const std::string transcript = std::string("story_") + story.name + ".txt";
  if (!testing::updateTestData(transcript, output)) {
    EXPECT_EQ(output, testing::readTestData(transcript));
  }
  EXPECT_EQ(settlement(after), story.settled);
}

constexpr ProductCounts kNoBlaster = {1, 0, 0, 0, 0, 0, 5, 1};

INSTANTIATE_TEST_SUITE_P(
    Branches, StoryTest,
    ::testing::Values(
        // Hero reward 10720 mod 4901 + 100 and the discount.
        StoryCase{"blaster_won", fight('1', '2'), kOpponentFalls, 5000, kStartingCargo,
                  "6018 bank 10000000 cargo 1 0 0 1 0 0 5 1 discount"},
        // Product 22663 mod 8 + 1 = 8: the one beacon held is lost, then 9533 + 900000.
        StoryCase{"blaster_lost", fight('1', '2'), kPlayerFallsToBlasters, 5000, kStartingCargo,
                  "5000 bank 9090467 cargo 1 0 0 1 0 0 5 0"},
        // The Jedi's belongings land even in a full hold; Naboo opens.
        StoryCase{"lightsaber_won",
                  fight('2', '2', "\nx"),
                  kOpponentFalls,
                  5000,
                  {1, 0, 0, 1, 0, 0, 100, 1},
                  "5000 bank 10000000 cargo 2 2 0 2 0 0 100 1 naboo"},
        // Product 21478 mod 8 + 1 = 7 is not held: only the bank pays, 1737 + 900000.
        StoryCase{"lightsaber_lost",
                  fight('2', '2'),
                  kPlayerFalls,
                  5000,
                  {1, 0, 0, 1, 0, 0, 0, 1},
                  "5000 bank 9098263 cargo 1 0 0 1 0 0 0 1"},
        // The beacon names the planet just reached; hero reward 504 + 100.
        StoryCase{"starship_won", fight('3', '2'), kOpponentFalls, 5000, kStartingCargo,
                  "5604 bank 10000000 cargo 1 0 0 1 0 0 5 1"},
        // Seven again: 1737 mod 5 + 1 = 3 of the 5 vibro-axes go, then 21342 + 900000.
        StoryCase{"starship_lost", fight('3', '2'), kPlayerFalls, 5000, kStartingCargo,
                  "5000 bank 9078658 cargo 1 0 0 1 0 0 2 1"},
        // Letting things be costs the fifth draw after the reseed: 28338 + 900000.
        StoryCase{"let_things_be", "\n4\nx\n", kNoDuel, 5000, kStartingCargo,
                  "5000 bank 9071662 cargo 1 0 0 1 0 0 5 1"},
        // A blaster bought at the full price starts the duel at once.
        StoryCase{"offer_bought", "\n1" + fight('1', '2'), kOpponentFalls, 5000, kNoBlaster,
                  "4518 bank 10000000 cargo 1 0 0 1 0 0 5 1 discount"},
        // Exactly the price is not enough; the prompt returns and 4 is chosen.
        StoryCase{"offer_price_equals_credits", "\n1\n1\n4\nx\n", kNoDuel, 1500, kNoBlaster,
                  "1500 bank 9071662 cargo 1 0 0 0 0 0 5 1"},
        // A No eats its line end, so the next entry's first character is dropped.
        StoryCase{"offer_declined_twice", "\n1\n2\n11\n2\n44\nx\n", kNoDuel, 5000, kNoBlaster,
                  "5000 bank 9071662 cargo 1 0 0 0 0 0 5 1"},
        // Any other answer repeats the whole offer.
        StoryCase{"offer_other_answer", "\n1\n7\n2\n44\nx\n", kNoDuel, 5000, kNoBlaster,
                  "5000 bank 9071662 cargo 1 0 0 0 0 0 5 1"},
        // A letter keeps the answer empty: the offer repeats, then the letter is used up.
        StoryCase{"offer_not_a_number", "\n1\nz\n2\n44\nx\n", kNoDuel, 5000, kNoBlaster,
                  "5000 bank 9071662 cargo 1 0 0 0 0 0 5 1"},
        // Out-of-range choices repeat the prompt silently.
        StoryCase{"offer_choice_out_of_range", "\n0\n9\n-3\n4\nx\n", kNoDuel, 5000, kNoBlaster,
                  "5000 bank 9071662 cargo 1 0 0 0 0 0 5 1"}),
    [](const ::testing::TestParamInfo<StoryCase>& info) { return std::string(info.param.name); });

TEST(StoryLimitsTest, DepositLossStaysWithinItsNarrowBandForEveryDraw) {
  for (std::int64_t clock = 0; clock < 2000; ++clock) {
    std::string output;
    const GameState after = runStory("\n4\nx\n", clock, storyStart(0, {}), output);
    ASSERT_GE(kStartingBankFunds - after.bankFunds, 900000);
    ASSERT_LE(kStartingBankFunds - after.bankFunds, 932767);
  }
}

TEST(StoryLimitsTest, RewardsAndLossesHoldAtTheLimitsInsteadOfWrapping) {
  std::string output;
  GameState rich = storyStart(2147483000, {1, 2147483647, 0, 1, 0, 0, 0, 1});
  EXPECT_EQ(runStory(fight('1', '2'), kOpponentFalls, rich, output).credits, 2147483647);
  EXPECT_EQ(runStory(fight('2', '2', "\nx"), kOpponentFalls, rich, output).cargo[1], 2147483647);
  rich.bankFunds = -2147000000;  // a robbery may leave the bank in debt until the next day
  EXPECT_EQ(runStory("\n4\nx\n", kNoDuel, rich, output).bankFunds, -2147483647 - 1);
}

TEST(StoryLimitsTest, SecondVictoriesRewardAgainAndFlagsStaySet) {
  std::string output;
  GameState state = storyStart(5000, kStartingCargo);
  for (int story = 0; story < 2; ++story) {
    state = runStory(fight('1', '2'), kOpponentFalls, state, output);
    state = runStory(fight('2', '2', "\nx"), kOpponentFalls, state, output);
  }
  EXPECT_EQ(state.credits, 5000 + 2 * 1018);
  EXPECT_EQ(state.purchaseDiscount, 1);
  EXPECT_EQ(state.nabooTradeAllowed, 1);
  EXPECT_EQ(state.cargo[productIndex(kComlinks)], 4);
}

}  // namespace
}  // namespace nebulance
