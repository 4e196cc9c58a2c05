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

// Everything a run needs: the console, the one random generator and the game.
struct Session {
  Console& console;
  RandomGenerator& random;
  GameState& state;
};

// What the start menu keeps from one pass to the next.
struct StartMenu {
  // An entry that is not a number keeps the last choice. Back from the simulator it is still
  // 4, so such an entry opens the simulator again; a refused number is refused again. The
  // instructions and a No to leaving set it back to 0.
  std::int32_t choice = 0;
  // The very first answer is typed on a fresh console: no line end waits before it.
  bool firstPass = true;
};

enum class MenuOutcome { showAgain, newGame, leave };

// Returns true when the player confirms leaving, false after a No.
bool leaveProgramQuestion(Console& console) {
  // An entry that is not a number keeps the refused answer, and the question is asked again.
  std::int32_t leaveAnswer = 0;
  for (;;) {
    console.print(kLeaveProgramQuestion);
    console.numberEntry(leaveAnswer);
    if (leaveAnswer == 1) {
      console.print("\nFarewell...\n");
      return true;
    }
    if (leaveAnswer == 2) {
      console.blankBlock(5);
      return false;
    }
  }
}

void newGameIntros(Console& console) {
  console.lineBreak();
  firstNewGameIntro(console);
  console.skipChars(2);
  console.lineBreak();
  secondNewGameIntro(console);
  console.skipChars(2);
  console.lineBreak();
}

// One pass of the start menu: the banner, the menu, one answer and what it leads to.
MenuOutcome startMenuPass(Session& session, StartMenu& menu) {
  Console& console = session.console;
  titleBanner(console);
  startMenu(console);
  console.print("   Select option number: ");
  if (!menu.firstPass) console.skipChar();
  menu.firstPass = false;
  console.readNumber(menu.choice);
  switch (menu.choice) {
    case 1:
      menu.choice = 0;
      newGameIntros(console);
      return MenuOutcome::newGame;
    case 2:
      menu.choice = 0;
      console.lineBreak();
      instructions(console);
      console.skipChars(2);
      console.lineBreak();
      return MenuOutcome::showAgain;
    case 3:
      menu.choice = 0;
      return leaveProgramQuestion(console) ? MenuOutcome::leave : MenuOutcome::showAgain;
    case 4:
      console.blankBlock(5);
      combatSimulator(console, session.random);
      console.blankBlock(5);
      return MenuOutcome::showAgain;
    default:
      console.invalidInputDisplay();
      console.blankBlock(5);
      return MenuOutcome::showAgain;
  }
}

// Shows the start menu until a new game is chosen (true) or the player leaves (false).
bool newGameChosen(Session& session) {
  StartMenu menu;
  for (;;) {
    const MenuOutcome outcome = startMenuPass(session, menu);
    if (outcome != MenuOutcome::showAgain) return outcome == MenuOutcome::newGame;
  }
}

void newGameSetUp(Session& session) {
  session.console.print(kNewGameGrant);
  session.state.purse.credits = kStartingCredits;
  session.console.skipChars(2);
  session.console.lineBreak();
}

// The jump from the hangar: no allowance, no interest, no bank growth.
void firstJump(Session& session) {
  Console& console = session.console;
  GameState& state = session.state;
  Position& position = state.position;
  // A refused number stays: an entry that is not a number keeps it, and it is refused again.
  std::int32_t destination = 0;
  bool arrived = false;
  while (!arrived) {
    marketGeneration(session.random, state.market, position.location);
    position.origin = kHangar;
    console.lineBreak();
    planetMap(console);
    console.numberEntry(destination);
    arrived = destinationCheck(console, destination, position.location);
    if (arrived) {
      state.calendar.day = saturatingAdd(state.calendar.day, 1);
      travelStep(console, session.random, state);
    } else {
      console.blankBlock(5);
    }
    marketGeneration(session.random, state.market, position.location);
  }
}

void travel(Session& session) {
  Console& console = session.console;
  GameState& state = session.state;
  Position& position = state.position;
  console.blankBlock(6);
  bool arrived = false;
  while (!arrived) {
    // Every map starts with no number, so an entry that is not a number is refused.
    std::int32_t destination = 0;
    console.lineBreak();
    position.origin = position.location;
    planetMap(console);
    console.numberEntry(destination);
    console.lineBreak();
    arrived = destinationCheck(console, destination, position.location);
    if (!arrived) console.blankBlock(5);
    marketGeneration(session.random, state.market, position.location);
  }
  console.lineBreak();
  dayAdvance(state);
  travelStep(console, session.random, state);
}

void leaveGameQuestion(Session& session) {
  std::int32_t& answer = session.state.leaveAnswer;
  session.console.print(kLeaveGameQuestion);
  for (;;) {
    session.console.numberEntry(answer);
    if (answer == 1 || answer == 2) break;
    session.console.print("                Input 1 to exit, 2 to cancel: ");
  }
  if (answer == 1) session.console.lineBreak();
}

void lastDayWarning(Session& session) {
  session.state.calendar.lastDayWarned = true;
  session.console.print(kLastDayWarning);
  session.console.skipChars(2);
}

// One pass of the day loop: the dashboard and one command.
void dayLoopPass(Session& session) {
  Console& console = session.console;
  GameState& state = session.state;
  if (state.calendar.day == kDayLimit && !state.calendar.lastDayWarned) lastDayWarning(session);
  console.blankBlock(6);
  dashboard(console, state);
  if (!state.calendar.lastDayWarned) console.skipChar();
  switch (console.readChar()) {
    case 'S':
    case 's':
      console.blankBlock(6);
      tradingPost(console, state.market, state.cargo, state.purse,
                  tradeTerms(state.rewards, state.position.location));
      break;
    case 'B':
    case 'b':
      console.blankBlock(6);
      federationBank(console, state.purse, state.bank);
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

bool gameGoesOn(const GameState& state) {
  return state.calendar.day != kDayLimit + 1 && state.leaveAnswer != 1;
}

void play(Session& session) {
  if (newGameChosen(session)) {
    newGameSetUp(session);
    firstJump(session);
    while (gameGoesOn(session.state)) dayLoopPass(session);
    finalScore(session.console, session.state.calendar, session.state.purse);
  }
  session.console.print("Thank you for playing!\n\n");
}

}  // namespace

void dayAdvance(GameState& state) {
  Purse& purse = state.purse;
  std::int32_t& bankFunds = state.bank.bankFunds;
  const double rate = purse.currentRate / kRateDivisor;
  state.calendar.day = saturatingAdd(state.calendar.day, 1);
  purse.credits = saturatingAdd(purse.credits, kDailyAllowance);
  purse.loan = truncateToInt32(purse.loan + rate * purse.loan);
  bankFunds = truncateToInt32(bankFunds + rate * purse.loan);
  bankFunds = saturatingAdd(bankFunds, kBankGrowth);
  if (bankFunds < 0) bankFunds = 0;
}

namespace {

std::error_code runGameOn(Console& console, Clock clock) {
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

}  // namespace

std::error_code runGame(std::istream& in, std::ostream& out, Clock clock) {
  Console console(in, out);
  return runGameOn(console, std::move(clock));
}

std::error_code runGame(Terminal& terminal, Clock clock) {
  Console console(terminal);
  return runGameOn(console, std::move(clock));
}

}  // namespace nebulance
