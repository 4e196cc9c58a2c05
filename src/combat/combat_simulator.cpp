// The start menu's practice range: pick a duel, play it, see a win or lose screen. A visit holds
// nothing but the chosen game and the duel's result, and touches no game state.
#include <array>
#include <cstdint>

#include "combat/duel.h"

namespace nebulance {

namespace {

constexpr int kAfterChoiceBlankBlock = 11;  // with the answer's line break, twelve in all

// Every backslash here is printed as it stands; the answer is typed after the last line.
constexpr std::string_view kSimulatorMenu =
    R"art(      __________________________________________________
     |                     NEBULANCE: Orvane Concordat ||
     |    _________          - mini-games              ||
     |  _/_________\_                      { }         ||
     | |__ _\\\_ ____O                     } {         ||
     |  || |_/  \____|                     { }         ||
     |  || |                               } {         ||
     |  || | 1 - Blaster Challenge!        { }         ||
     |  ||_|                               } {         ||
     |                                    ~{_}~        ||
     |       2 - Lightsaber Challenge!    |___|        ||
     |                                     |o|         ||
     |  __                                 \_/         ||
     |  \ \  3 - Starship Challenge!       |_|         ||
     |  |__\________                       |_|         ||
     |  }) >__^___\\\               ___________________//
     |  })_>/  //  \_\             //-------------------|
     |     /  //                  //                    |
     |     \__\\__               //                     |
     |                          //                      |
     |       4 - Exit          //                       |
     |                        //                        |
     |_______________________//________________________/
       Select Game (1/2/3/4): )art";

constexpr std::string_view kLoadingScreen = R"art(     *****INCOMING*********************

       Loading simulants...
       Loading natural terrain...
       Loading holographic displays...

       Loading complete.
       Please enter through the doors
       at the sound of the red siren.
       Good luck.

     **********************MESSAGE*****

       Enter any input to continue.)art";

constexpr std::string_view kWinScreen = R"art(     *****INCOMING*********************

       Congratulations, you have won.
       Leaving combat zone....

     **********************MESSAGE*****

       Enter any input to continue.
)art";

// Losing every hit point and surrendering end the same way.
constexpr std::string_view kLoseScreen = R"art(     *****INCOMING*********************

       You lose.
       The combat simulator will be
       online for the rest of the night,
       should you wish to train some more.

     **********************MESSAGE*****

       Enter any input to continue.
)art";

constexpr std::int32_t kExitGame = 4;

// The duel behind each game number of the menu, 1..3.
constexpr std::array<DuelKind, 3> kSimulatorDuels = {DuelKind::blaster, DuelKind::lightsaber,
                                                     DuelKind::starship};

// Shows the menu until a game 1..4 is chosen, and returns it.
std::int32_t simulatorMenu(Console& console) {
  // No answer yet: an entry that is not a number can only keep a refused value.
  std::int32_t chosenGame = 0;
  do {
    console.print(kSimulatorMenu);
    console.numberEntry(chosenGame);
    console.lineBreak();
  } while (chosenGame < 1 || chosenGame > kExitGame);
  return chosenGame;
}

}  // namespace

void combatSimulator(Console& console, RandomGenerator& random) {
  const std::int32_t chosenGame = simulatorMenu(console);
  console.blankBlock(kAfterChoiceBlankBlock);
  if (chosenGame == kExitGame) return;
  console.print(kLoadingScreen);
  console.skipChars(2);
  const DuelResult result = playDuel(console, random, kSimulatorDuels[chosenGame - 1]);
  console.print(result == DuelResult::won ? kWinScreen : kLoseScreen);
  console.skipChars(2);
}

}  // namespace nebulance
