// Wires the browser's terminal and calendar clock to the game: the page's glue supplies the
// typed lines and shows the output (web/terminal_game.js).
#include <emscripten.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <system_error>

#include "game/game.h"

// The terminal lives in the game's namespace: the browser build tells Asyncify which
// functions may wait by their names, and the game's namespace is one of them (cmake/Web.cmake).
namespace nebulance {
namespace {

// Waits, without blocking the page, for the next chunk the player hands over (a typed line with
// its line end, or the characters before a Ctrl-D) and copies up to `capacity` bytes of it to
// `buffer`. Returns the number of bytes, 0 at end of input.
EM_ASYNC_JS(int, nextTypedChunk, (char* buffer, int capacity), {
  const bytes = await Module.nextTypedChunk(capacity);
  HEAPU8.set(bytes, buffer);
  return bytes.length;
});

// The terminal may draw later, so it gets its own copy of the bytes.
EM_JS(void, showOutput, (const char* data, int size),
      { Module.showOutput(HEAPU8.slice(data, data + size)); });

// The browser's calendar clock in whole seconds, read once per call.
EM_JS(double, calendarSeconds, (), { return Math.floor(Date.now() / 1000); });

// The browser's terminal: typed chunks in, each as the page hands it over, and every write
// straight to the screen.
class BrowserTerminal final : public Terminal {
 public:
  std::streamsize available() override { return end_ - next_; }
  int take() override { return waitForTyping() ? toCharacter(buffer_[next_++]) : EOF; }
  int look() override { return waitForTyping() ? toCharacter(buffer_[next_]) : EOF; }
  // The terminal takes every write, so there is no write error to report.
  std::error_code write(std::string_view text) override {
    showOutput(text.data(), static_cast<int>(text.size()));
    return {};
  }

 private:
  static int toCharacter(char c) { return static_cast<unsigned char>(c); }
  // Waits for the next chunk once every character typed has been taken; false at end of input.
  bool waitForTyping() {
    if (next_ < end_) return true;
    const int size = nextTypedChunk(buffer_.data(), static_cast<int>(buffer_.size()));
    if (size <= 0) return false;
    next_ = 0;
    end_ = size;
    return true;
  }

  std::array<char, 4096> buffer_{};
  std::streamsize next_ = 0;
  std::streamsize end_ = 0;
};

}  // namespace
}  // namespace nebulance

// One whole game; the page calls it again for "Play again". Returns when the game ends.
extern "C" EMSCRIPTEN_KEEPALIVE void playGame() {
  nebulance::BrowserTerminal terminal;
  nebulance::runGame(terminal,
                     [] { return static_cast<std::int64_t>(nebulance::calendarSeconds()); });
}
