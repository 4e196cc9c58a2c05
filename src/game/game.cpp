#include "game/game.h"

#include "bank/federation_bank.h"
#include "combat/duel.h"
#include "endgame/final_score.h"
#include "game/startup_screens.h"
#include "market/market.h"
#include "market/trading_post.h"
#include "shell/saturating.h"
#include "travel/navigation.h"
#include "travel/travel_step.h"

namespace nebulance {

namespace {

constexpr std::string_view kNewGameGrant = R"art(
     *****INCOMING*********************

       You are given 2,000 Republican
       credits. As you move through
       the different planets and star
       systems, you might encounter
       different events that may
       increase or decrease this
       number. Remember that it is
       your ultimate goal to gain
       as much credits as possible.
       Each day, you will be given a
       100 credit allowance. Think of
       this as a bonus, since after all,
       you are still new to this trading
       business.

     **********************MESSAGE*****

       Enter any input to continue.
)art";

constexpr std::string_view kLastDayWarning = R"art(     *****INCOMING*********************

       This is your last day. It would
       be wise to empty your cargo.

     **********************MESSAGE*****

       Enter any input to continue.
)art";

constexpr std::string_view kLeaveGameQuestion = R"art(
                Are you sure you wish to leave?
                           1 - Yes
                           2 - No
                        Enter choice: )art";

constexpr std::string_view kLeaveProgramQuestion = R"art(
       Are you sure you wish to leave?
                 1 = Yes
                 2 = No
       Select option number:)art";

// Everything a run needs besides the state: the console and the one random generator.
struct Session {
  Console& console;
  RandomGenerator& random;
  GameState& state;
};

void leaveProgramQuestion(Session& session) {
  GameState& state = session.state;
  state.leaveAnswer = 0;
  do {
    session.console.print(kLeaveProgramQuestion);
    session.console.numberEntry(state.leaveAnswer);
    if (state.leaveAnswer == 1) {
      session.console.print("\nFarewell...\n");
      state.menuRepeat = 0;
      state.leaveSettled = 1;
    } else if (state.leaveAnswer == 2) {
      state.menuRepeat = 1;
      state.leaveSettled = 1;
      session.console.blankBlock(5);
    } else {
      state.leaveSettled = 0;
    }
    state.menuChoice = 0;
  } while (state.leaveSettled != 1);
}

void newGameIntros(Session& session) {
  Console& console = session.console;
  console.lineBreak();
  firstNewGameIntro(console);
  console.skipChars(2);
  console.lineBreak();
  secondNewGameIntro(console);
  console.skipChars(2);
  console.lineBreak();
}

// One pass of the start menu: the banner, the menu, one answer and what it leads to.
void startMenuPass(Session& session) {
  Console& console = session.console;
  GameState& state = session.state;
  state.menuPasses = saturatingAdd(state.menuPasses, 1);
  titleBanner(console);
  startMenu(console);
  console.print("   Select option number: ");
  // The very first answer is typed on a fresh console: no line end waits before it.
  if (state.menuPasses > 1) console.skipChar();
  console.readNumber(state.menuChoice);
  switch (state.menuChoice) {
    case 1:
      state.menuRepeat = 0;
      newGameIntros(session);
      state.newGameChosen = 1;
      state.menuChoice = 0;
      break;
    case 2:
      console.lineBreak();
      instructions(console);
      console.skipChars(2);
      console.lineBreak();
      state.menuRepeat = 1;
      state.menuChoice = 0;
      break;
    case 3:
      leaveProgramQuestion(session);
      break;
    case 4:
      console.blankBlock(5);
      combatSimulator(console, session.random);
      console.blankBlock(5);
      state.menuRepeat = 1;
      break;
    default:
      console.invalidInputDisplay();
      state.menuRepeat = 1;
      console.blankBlock(5);
  }
}

void newGameSetUp(Session& session) {
  session.console.print(kNewGameGrant);
  session.state.credits = kStartingCredits;
  session.console.skipChars(2);
  session.console.lineBreak();
}

void firstJump(Session& session) {
  Console& console = session.console;
  GameState& state = session.state;
  while (state.gameRunning != 1) {
    marketGeneration(session.random, state.prices, state.stock, state.location);
    state.origin = kHangar;
    console.lineBreak();
    planetMap(console);
    console.numberEntry(state.destination);
    destinationCheck(console, state.destination, state.newGameChosen, state.gameRunning,
                     state.location);
    if (isPlanet(state.destination)) {
      ++state.day;
      travelStep(console, session.random, state);
    } else {
      state.gameRunning = 0;
      console.blankBlock(5);
    }
    marketGeneration(session.random, state.prices, state.stock, state.location);
  }
}

void travel(Session& session) {
  Console& console = session.console;
  GameState& state = session.state;
  console.blankBlock(6);
  do {
    state.destination = 0;
    console.lineBreak();
    state.origin = state.location;
    planetMap(console);
    console.numberEntry(state.destination);
    console.lineBreak();
    destinationCheck(console, state.destination, state.newGameChosen, state.gameRunning,
                     state.location);
    if (!isPlanet(state.destination)) console.blankBlock(5);
    marketGeneration(session.random, state.prices, state.stock, state.location);
  } while (!isPlanet(state.destination));
  console.lineBreak();
  dayAdvance(state);
  travelStep(console, session.random, state);
}

void leaveGameQuestion(Session& session) {
  GameState& state = session.state;
  session.console.print(kLeaveGameQuestion);
  for (;;) {
    session.console.numberEntry(state.exitAnswer);
    if (state.exitAnswer == 1 || state.exitAnswer == 2) break;
    session.console.print("                Input 1 to exit, 2 to cancel: ");
  }
  if (state.exitAnswer == 1) session.console.lineBreak();
}

void lastDayWarning(Session& session) {
  session.state.lastDayWarned = 1;
  session.console.print(kLastDayWarning);
  session.console.skipChars(2);
}

// One pass of the day loop: the dashboard and one command.
void dayLoopPass(Session& session) {
  Console& console = session.console;
  GameState& state = session.state;
  if (state.day == state.dayLimit && state.lastDayWarned == 0) lastDayWarning(session);
  console.blankBlock(6);
  dashboard(console, state.prices, state.credits, state.loan, state.dayLimit, state.location,
            state.day, state.stock, state.cargo);
  // Once the warning's pause has run, the line end it left is no longer eaten first.
  if (state.lastDayWarned == 0) console.skipChar();
  state.command = console.readChar();
  switch (state.command) {
    case 'S':
    case 's':
      console.blankBlock(6);
      tradingPost(console, state.prices, state.credits, state.workAmount, state.cargo, state.stock,
                  state.nabooTradeAllowed, state.location, state.purchaseDiscount);
      break;
    case 'B':
    case 'b':
      console.blankBlock(6);
      federationBank(console, state.credits, state.loan, state.interestRate, state.currentRate,
                     state.bankFunds);
      break;
    case 'T':
    case 't':
      travel(session);
      break;
    case 'E':
    case 'e':
      leaveGameQuestion(session);
      break;
    default:
      console.print("                   Input Error.\n");
  }
}

void play(Session& session) {
  GameState& state = session.state;
  while (state.menuRepeat == 1) startMenuPass(session);
  if (state.newGameChosen == 1) {
    newGameSetUp(session);
    firstJump(session);
    while (state.day != saturatingAdd(state.dayLimit, 1) && state.exitAnswer != 1) {
      dayLoopPass(session);
    }
    finalScore(session.console, state.day, state.dayLimit, state.credits, state.loan);
    state.gameRunning = 0;
  }
  session.console.print("Thank you for playing!\n\n");
}

}  // namespace

void dayAdvance(GameState& state) {
  const double rate = state.currentRate / kRateDivisor;
  state.day = saturatingAdd(state.day, 1);
  state.credits = saturatingAdd(state.credits, kDailyAllowance);
  state.loan = truncateToInt32(state.loan + rate * state.loan);
  state.bankFunds = truncateToInt32(state.bankFunds + rate * state.loan);
  state.bankFunds = saturatingAdd(state.bankFunds, kBankGrowth);
  if (state.bankFunds < 0) state.bankFunds = 0;
}

std::error_code runGame(std::istream& in, std::ostream& out, Clock clock) {
  Console console(in, out);
  RandomGenerator random(std::move(clock));
  GameState state;
  Session session{console, random, state};
  try {
    play(session);
  } catch (const EndOfInput&) {
    // The player can type nothing more: end quietly with what has been shown.
  }
  console.flush();
  return console.writeError();
}

}  // namespace nebulance
