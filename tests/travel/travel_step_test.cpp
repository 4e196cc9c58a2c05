#include "travel/travel_step.h"

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

// Clocks whose four draws (event, product, count, rate) give each event:
//   1700000002: 28469 22523 25624 8035  -> 15 patrol tax, product 4, count 5, rate 8
//   1700000011: 28498 20955 22561 27996 -> 14 pirate raid, product 4, count 2, rate 17
//   1700000006: 28482 32749 31544 5984  -> 13 old acquaintance, product 6, count 5, rate 5
//   1700000263: 29321 9809 2349 29871   -> 12 wreckage loot, product 2, count 10, rate 20
//   1700000000: 28462 1027 22663 25444  -> 8 safe journey, product 4, count 4, rate 9
// e.g. 1700000002 * 214013 + 2531011 = 363822102959037, mod 2^32 = 4013249469, >> 16 = 61237,
// & 32767 = 28469, and 28469 mod 15 + 1 = 15.
constexpr std::int64_t kPatrolTax = 1700000002;
constexpr std::int64_t kPirateRaid = 1700000011;
constexpr std::int64_t kOldAcquaintance = 1700000006;
constexpr std::int64_t kWreckageLoot = 1700000263;
constexpr std::int64_t kSafeJourney = 1700000000;

struct Jump {
  std::string output;
  GameState state;
};

// One travel step on `state`, answering every pause with a key and Enter.
Jump travel(GameState state, std::int64_t clockSeconds, const std::string& typed = "\na\na\n") {
  std::istringstream in(typed);
  std::ostringstream out;
  {
    Console console(in, out);
    RandomGenerator random(fixedClock(clockSeconds));
    try {
      travelStep(console, random, state);
    } catch (const EndOfInput&) {
    }
  }
  return {out.str(), state};
}

// A player on the way from Jundland to Cloud City, with some cargo and a loan.
GameState underway() {
  GameState state;
  state.credits = 2345;
  state.loan = 500;
  state.day = 7;
  state.origin = kJundland;
  state.location = kCloudCity;
  state.prices = {5434, 3526, 2231, 1419, 486, 303, 261, 51};
  state.cargo = {3, 0, 0, 12, 0, 0, 0, 40};
  return state;
}

GameState withDraws(GameState state, int event, int product, int count, int rate) {
  state.eventRoll = event;
  state.eventProduct = product;
  state.eventCount = count;
  state.interestRate = rate;
  return state;
}

void expectScreen(const char* transcript, const std::string& output) {
  if (updateTestData(transcript, output)) GTEST_SKIP() << "transcript written";
  EXPECT_EQ(output, readTestData(transcript));
}

TEST(TravelStepTest, PatrolTax) {
  const Jump jump = travel(underway(), kPatrolTax);
  GameState expected = withDraws(underway(), 15, 4, 5, 8);
  expected.credits = 2110;
  expected.workAmount = 2110;
  expected.inputChar = 'a';
  EXPECT_EQ(jump.state, expected);
  expectScreen("travel_patrol_tax.txt", jump.output);
}

struct Tax {
  std::int32_t credits;
  std::int32_t left;
};

class PatrolTaxTest : public ::testing::TestWithParam<Tax> {};

// The tax is a tenth of the credits, rounded up to a whole credit.
TEST_P(PatrolTaxTest, LeavesNineTenthsRoundedDown) {
  GameState state = underway();
  state.credits = GetParam().credits;
  const Jump jump = travel(state, kPatrolTax);
  EXPECT_EQ(jump.state.credits, GetParam().left);
  EXPECT_EQ(jump.state.workAmount, GetParam().left);
  const std::string lines = "       formerly " + std::to_string(GetParam().credits) +
                            " has been\n       deducted and is now " +
                            std::to_string(GetParam().left) + ".\n";
  EXPECT_NE(jump.output.find(lines), std::string::npos) << jump.output;
}

INSTANTIATE_TEST_SUITE_P(Travel, PatrolTaxTest,
                         ::testing::Values(Tax{0, 0}, Tax{1, 0}, Tax{15, 13}, Tax{2000, 1800},
                                           Tax{2345, 2110}, Tax{2147483647, 1932735282}));

TEST(TravelStepTest, PirateRaidEmptiesTheHold) {
  const Jump jump = travel(underway(), kPirateRaid);
  GameState expected = withDraws(underway(), 14, 4, 2, 17);
  expected.cargo.fill(0);
  expected.inputChar = 'a';
  EXPECT_EQ(jump.state, expected);
  expectScreen("travel_pirate_raid.txt", jump.output);
}

// An empty hold: the whole story is told and nothing changes.
TEST(TravelStepTest, PirateRaidOnAnEmptyHold) {
  GameState state = underway();
  state.cargo.fill(0);
  const Jump jump = travel(state, kPirateRaid);
  EXPECT_EQ(jump.output, travel(underway(), kPirateRaid).output);
  EXPECT_EQ(jump.state.cargo, ProductCounts{});
}

TEST(TravelStepTest, OldAcquaintanceGivesTwoThousand) {
  const Jump jump = travel(underway(), kOldAcquaintance);
  GameState expected = withDraws(underway(), 13, 6, 5, 5);
  expected.credits = 4345;
  expected.inputChar = 'a';
  EXPECT_EQ(jump.state, expected);
  expectScreen("travel_old_acquaintance.txt", jump.output);
}

// Fewer than the 200 credits he asks for make no difference; the sum is held at the limit.
TEST(TravelStepTest, OldAcquaintanceWhateverTheCredits) {
  for (const auto& [before, after] : {std::pair{0, 2000}, std::pair{150, 2150},
                                      std::pair{-5000, -3000}, std::pair{2147483000, 2147483647}}) {
    GameState state = underway();
    state.credits = before;
    const Jump jump = travel(state, kOldAcquaintance);
    EXPECT_EQ(jump.state.credits, after);
    EXPECT_NE(jump.output.find("\n       Current credits: " + std::to_string(after) + "\n"),
              std::string::npos);
  }
}

TEST(TravelStepTest, WreckageLoot) {
  const Jump jump = travel(underway(), kWreckageLoot);
  GameState expected = withDraws(underway(), 12, 2, 10, 20);
  expected.cargo[productIndex(kComlinks)] = 10;
  expected.inputChar = 'a';
  EXPECT_EQ(jump.state, expected);
  expectScreen("travel_wreckage_loot.txt", jump.output);
}

// The hold's capacity of 100 units is not consulted.
TEST(TravelStepTest, WreckageLootPastAFullHold) {
  GameState state = underway();
  state.cargo = {0, 100, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(travel(state, kWreckageLoot).state.cargo, (ProductCounts{0, 110, 0, 0, 0, 0, 0, 0}));
  state.cargo = {60, 35, 0, 0, 0, 0, 0, 5};
  EXPECT_EQ(travel(state, kWreckageLoot).state.cargo, (ProductCounts{60, 45, 0, 0, 0, 0, 0, 5}));
}

TEST(TravelStepTest, SafeJourney) {
  const Jump jump = travel(underway(), kSafeJourney);
  GameState expected = withDraws(underway(), 8, 4, 4, 9);
  expected.inputChar = 'a';
  EXPECT_EQ(jump.state, expected);
  expectScreen("travel_safe_journey.txt", jump.output);
}

// The four draws are written on every jump, whatever the event; a rumour's story is cut
// short by the end of the input here.
TEST(TravelStepTest, DrawsFollowTheReseedInOrder) {
  for (std::int64_t seconds = 1700000000; seconds < 1700003000; ++seconds) {
    RandomGenerator reference(fixedClock(seconds));
    reference.reseedFromClock();
    const int event = reference.draw() % 15 + 1;
    const int product = reference.draw() % 8 + 1;
    const int count = reference.draw() % 10 + 1;
    const int rate = reference.draw() % 16 + 5;
    const GameState state = travel(underway(), seconds, "").state;
    ASSERT_EQ(state.eventRoll, event);
    ASSERT_EQ(state.eventProduct, product);
    ASSERT_EQ(state.eventCount, count);
    ASSERT_EQ(state.interestRate, rate);
    ASSERT_GE(rate, 5);
    ASSERT_LE(rate, 20);
  }
}

// On the first jump the patrol tax names the hangar as the place left, and taxes the grant.
TEST(TravelSessionTest, PatrolTaxLeavingTheHangar) {
  const std::string output = playSession("1\na\na\na\n3\na\n", kPatrolTax);
  if (updateTestData("travel_patrol_tax_from_hangar.txt", output)) GTEST_SKIP();
  EXPECT_EQ(output, readTestData("travel_patrol_tax_from_hangar.txt"));
}

// With the same second on every reseed, every jump finds ten comlinks: after eleven jumps the
// hold carries 110 units, past the capacity that only purchases respect.
TEST(TravelSessionTest, WreckageLootFillsTheHoldPastItsCapacity) {
  std::string typed = "1\na\na\na\n2\na\n";
  for (int jump = 0; jump < 10; ++jump) typed += "T\n2\na\n";
  const std::string output = playSession(typed, kWreckageLoot);
  if (updateTestData("travel_wreckage_past_capacity.txt", output)) GTEST_SKIP();
  EXPECT_EQ(output, readTestData("travel_wreckage_past_capacity.txt"));
  EXPECT_NE(output.find("|  110  |\n"), std::string::npos);
}

}  // namespace
}  // namespace nebulance
