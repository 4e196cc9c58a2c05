#include "endgame/final_score.h"

#include <array>
#include <string_view>

#include "shell/saturating.h"

namespace nebulance {

namespace {

constexpr std::string_view kScoreExplanation = R"art(
       You have reached the end of
       your 30 day time limit.
       Judging from your current
       credits (you loan has been
       deducted from the sum),

       Enter any input to continue.
)art";

// The verdicts continue the sentence of the score screen, so they start in lower case.
constexpr std::string_view kPoorVerdict = R"art(       you managed your resources
       poorly. Maybe it was just a
       case of bad luck, or times
       of consecutive pirate raids.
       However, the bottom line is
       that you were not able to
       fulfill your mission as a
       fledgling trader. You shall
       be stripped of your privileges
       - your ship, rank and
       everything else that was given
       to you. Good day.
)art";

constexpr std::string_view kAdaptedVerdict = R"art(       you learned to adapt quite
       fast as you travelled the
       different star systems
       available to you. Risk was
       not an obstacle in your
       life, and you were successful
       in most of your dealings.
       Although you proved yourself
       as an excellent businessman,
       you still have much to learn.
)art";

constexpr std::string_view kMasterVerdict = R"art(       you have proved yourself as a
       master trader. No one could
       ever match your wits and skill
       in trading with the different
       races you have dealt with in
       your journeys. The viceroy of
       the orvane concordat has granted
       you a huge number of gifts,
       including your own, personal
       space station to further enhance
       your trading skills. The Force
       is truly with you.
)art";

constexpr std::string_view kRulerVerdict = R"art(       you have beaten all of the
       highest records of gained
       credits in all of the orvane
       concordat's history. With the
       vast riches now under your
       command, you create your own
       clone army, and massacre the
       current viceroys and leaders.
       You then become the lone
       ruler of the whole federation.
       Envoys bow at the whisper of
       your name, starships halt in
       your presence, and people
       tremble at the mere thought
       of you.
)art";

constexpr std::string_view kJourneyOver = R"art(
     **********************MESSAGE*****

       Your journey is over.
       Enter any input to exit.
)art";

// The upper score of each verdict band; above the last one the player rules.
struct VerdictBand {
  std::int32_t highestScore;
  std::string_view verdict;
};
constexpr std::array<VerdictBand, 3> kVerdictBands = {{
    {20000, kPoorVerdict},
    {50000, kAdaptedVerdict},
    {90000, kMasterVerdict},
}};

std::string_view verdictFor(std::int32_t score) {
  for (const VerdictBand& band : kVerdictBands) {
    if (score <= band.highestScore) return band.verdict;
  }
  return kRulerVerdict;
}

}  // namespace

void finalScore(Console& console, const Calendar& calendar, const Purse& purse) {
  if (calendar.day != kDayLimit + 1) return;
  console.blankBlock(13);
  const std::int32_t score = saturatingSubtract(purse.credits, purse.loan);
  console.frameOpening();
  console.format("       Your final score: %10d\n", score);
  console.print(kScoreExplanation);
  console.skipChars(2);
  console.print(verdictFor(score));
  console.print(kJourneyOver);
  console.skipChars(2);
}

}  // namespace nebulance
