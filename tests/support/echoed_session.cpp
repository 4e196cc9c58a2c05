// Prints what a player sees on a real terminal for a scripted session: the game's output with
// each typed line echoed at the moment the game waits for it. The browser test types the same
// session into the page and expects this screen. Output, as JSON:
//   {"clock": first clock reading, "screen": the whole text,
//    "typed": [{"line": the keys typed, "at": length of the screen when typing starts}, ...]}
// A last line without a line end is handed over as Ctrl-D would.
#include <algorithm>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "game/game.h"
#include "support/session.h"

namespace {

struct TypedLine {
  std::string line;
  std::size_t at = 0;
};

// Hands the session's input over one line at a time, only when the game would wait, and
// echoes each line to the screen as it is handed over.
class TypingAtTheTerminal : public std::streambuf {
 public:
  TypingAtTheTerminal(std::string input, std::ostringstream& screen)
      : input_(std::move(input)), screen_(screen) {}
  const std::vector<TypedLine>& typed() const { return typed_; }

 protected:
  int_type underflow() override {
    if (next_ == input_.size()) return traits_type::eof();
    const std::size_t lineEnd = input_.find('\n', next_);
    const std::size_t end = lineEnd == std::string::npos ? input_.size() : lineEnd + 1;
    line_ = input_.substr(next_, end - next_);
    next_ = end;
    typed_.push_back({line_, screen_.str().size()});
    screen_ << line_;
    setg(line_.data(), line_.data(), line_.data() + line_.size());
    return traits_type::to_int_type(line_[0]);
  }

 private:
  std::string input_;
  std::size_t next_ = 0;
  std::string line_;
  std::ostringstream& screen_;
  std::vector<TypedLine> typed_;
};

std::string jsonString(const std::string& text) {
  std::string json = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      constexpr std::string_view kHexDigits = "0123456789abcdef";
      json += "\\u00";
      json += kHexDigits[c >> 4];
      json += kHexDigits[c & 0xf];
    } else {
      json += c;
    }
  }
  return json + "\"";
}

}  // namespace

int main(int argumentCount, char** arguments) {
  if (argumentCount != 2) {
    std::cerr << "usage: nebulance_echoed_session <session name under tests/data/sessions>\n";
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
  std::ostringstream screen;
  TypingAtTheTerminal typing(session.input, screen);
  std::istream in(&typing);
  static_cast<void>(nebulance::runGame(in, screen, nebulance::testing::scriptedClock(readings)));

  std::cout << "{\"clock\": " << readings.front() << ", \"screen\": " << jsonString(screen.str())
            << ", \"typed\": [";
  const char* separator = "";
  for (const TypedLine& typed : typing.typed()) {
    std::cout << separator << "{\"line\": " << jsonString(typed.line) << ", \"at\": " << typed.at
              << "}";
    separator = ", ";
  }
  std::cout << "]}\n";
  return 0;
}
