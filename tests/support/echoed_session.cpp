// Prints what a player sees on a real terminal for a scripted session: the game's output with
// each typed line echoed at the moment the game waits for it. The browser test types the same
// session into the page and expects this screen. The first line is the session's clock reading;
// the screen follows, each echoed line between the marks \x1e and \x1f, which the game never
// prints. A last line without a line end is handed over as Ctrl-D would. Given typed lines after
// the name, it plays those instead of the session's, on the session's clock: the page's answer
// keys play a whole game with the few keys they have.
#include <algorithm>
#include <functional>
#include <iostream>
#include <string>

#include "game/game.h"
#include "support/session.h"

namespace {

// Hands the session's input over one line at a time, only when the game would wait, and
// echoes each line, marked, to the screen as it is handed over.
class TypingAtTheTerminal : public std::streambuf {
 public:
  TypingAtTheTerminal(std::string input, std::ostream& screen)
      : input_(std::move(input)), screen_(screen) {}

 protected:
  int_type underflow() override {
    if (next_ == input_.size()) return traits_type::eof();
    const std::size_t lineEnd = input_.find('\n', next_);
    line_ = input_.substr(next_, lineEnd == std::string::npos ? lineEnd : lineEnd + 1 - next_);
    next_ += line_.size();
    screen_ << '\x1e' << line_ << '\x1f';
    setg(line_.data(), line_.data(), line_.data() + line_.size());
    return traits_type::to_int_type(line_[0]);
  }

 private:
  std::string input_;
  std::size_t next_ = 0;
  std::string line_;
  std::ostream& screen_;
};

}  // namespace

int main(int argumentCount, char** arguments) {
  if (argumentCount != 2 && argumentCount != 3) {
    std::cerr << "usage: nebulance_echoed_session <session name under tests/data/sessions> "
                 "[typed lines]\n";
    return 2;
  }
  const auto session = nebulance::testing::loadScriptedSession(arguments[1]);
  const auto& readings = session.clockReadings;
  // The page's clock is frozen at one reading, so only such sessions replay there alike.
  if (readings.empty() || std::adjacent_find(readings.begin(), readings.end(),
                                             std::not_equal_to<>()) != readings.end()) {
    std::cerr << arguments[1] << ": the session must run on one clock reading\n";
    return 2;
  }
  std::cout << readings.front() << '\n';
  // The game writes what it has shown before each wait, so the echo lands after the question.
  TypingAtTheTerminal typing(argumentCount == 3 ? arguments[2] : session.input, std::cout);
  std::istream in(&typing);
  nebulance::runGame(in, std::cout, nebulance::testing::scriptedClock(readings));
  return 0;
}
