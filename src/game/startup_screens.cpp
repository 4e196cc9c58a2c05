#include "game/startup_screens.h"

namespace nebulance {

namespace {

// The setting's name is split over the two frame lines, around the block letters of the title.
constexpr std::string_view kTitleBanner = R"art(     *****NEBU**************************
    _____ _____ __  __ _____ __  __ ____
   / __ // _  // / / // _  //  |/ // __/
  / /_/ //   _/ | |/ // __ // /|  // _/
 /_____//_/\_\  |___//_/ /_//_/ |_//___/
  \____________________________________/
   ==============| CONCORDAT |==========

     *************************LANCE*****

)art";

constexpr std::string_view kStartMenu = R"art(
   -Welcome to Nebulance: ORVANE CONCORDAT-
  |         What do you wish to do?        |
  |           1 = Start New Game           |
  |           2 = Instructions             |
  |           3 = Exit Program             |
  |           4 = Combat Simulator         |
   ----------------------------------------
)art";

constexpr std::string_view kInstructions = R"art(     *****INSTRUCTIONS******************

       Thank you for playing Nebulance:
       ORVANE CONCORDAT. This game's
       objective is to gain as much
       credits as possible through the
       trade of various goods from
       planet to planet.

       As you proceed through the
       program, you will be asked many
       options. Often, numbers will be
       provided for a menu choice. At
       other times, letter choices are
       shown (for example: [B]uy ->
       press 'B' or 'b' to proceed).

     ***********************************
 Enter any input to return to the start menu.
)art";

constexpr std::string_view kFirstNewGameIntro = R"art(     *****NEW***************************
       You are about to embark on an
       intergalactic journey through
       dangerous galaxies and star
       systems. As you venture into
       each of the mysterious worlds
       presented to you, remember to
       be ready for anything. Lurking
       about the dark corners of the
       realm may be devious pirates
       and bounty hunters.

       Enter any input to proceed.
)art";

constexpr std::string_view kSecondNewGameIntro = R"art(       Yet, this is not the time to be
       afraid now, is it? Your craft
       has been fully equipped with
       cargo bays and tractor beams,
       and of course, it has already
       been refueled, and its parts
       have already been fine-tuned.

       Now, choose your destination:

     *************************GAME*****

       Enter any input to proceed to
       the navigational computer.
)art";

}  // namespace

void titleBanner(Console& console) {
  console.blankBlock(2);
  console.print(kTitleBanner);
}

void startMenu(Console& console) {
  console.print(kStartMenu);
}

void instructions(Console& console) {
  console.print(kInstructions);
}

void firstNewGameIntro(Console& console) {
  console.print(kFirstNewGameIntro);
}

void secondNewGameIntro(Console& console) {
  console.print(kSecondNewGameIntro);
}

}  // namespace nebulance
