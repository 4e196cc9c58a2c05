#include "travel/navigation.h"

#include <string_view>

namespace nebulance {

namespace {

constexpr std::string_view kPlanetMap = R"art(
   Choose your destination.
 ================================================
 |    *           *     *                       |
 |         *               [ D ]   *            |
 |  [ Q ]_____Tattooine(1)    \_____Jundland(2) |
 |   *           [ O ]     *           *        |   Planet coordinates:
 |    Naboo(3)_____/  * [ o ]____Dagobah(4)     |     1 = Tattooine
 |    *                                         |     2 = Jundland
 |         [ C ]   *    *      [ O ]     *      |     3 = Naboo
 |           |_____Kessel(5)     |              |     4 = Dagobah
 |     [ U ]                     |  *           |     5 = Kessel
 |        \   *  Alderaan(6)_____|              |     6 = Alderaan
 |    *    \                            *       |     7 = Cloud City
 |          \_____Cloud City(7)                 |  (Input planet number)
 |            *                    *            |
 |                  *                         * |
 |   *                                          |
 ==================-Star System=-=Planet Map-====

              Designate coordinates: )art";

}  // namespace

void planetMap(Console& console) {
  console.print(kPlanetMap);
}

bool destinationCheck(Console& console, std::int32_t destination, Planet& location) {
  if (!isPlanet(destination)) {
    console.invalidInputDisplay();
    return false;
  }
  location = static_cast<Planet>(destination);
  console.lineBreak();
  return true;
}

}  // namespace nebulance
