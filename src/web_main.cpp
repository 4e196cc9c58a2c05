// Wires the browser's terminal and calendar clock to the game: the page's glue supplies the
// typed lines and shows the output (web/terminal_game.js).
#include <emscripten.h>

#include <cstdint>
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

// The browser's terminal: each chunk typed as the page hands it over, and every write straight
// to the screen. Nothing typed is at hand without asking the page, which may mean waiting.
class BrowserTerminal final : public Terminal {
 public:
  std::streamsize available() override { return 0; }
  std::size_t read(char* buffer, std::size_t room) override {
    const int size = nextTypedChunk(buffer, static_cast<int>(room));
    return size > 0 ? static_cast<std::size_t>(size) : 0;
  }
  // The terminal takes every write, so there is no write error to report.
  std::error_code write(std::string_view text) override {
    showOutput(text.data(), static_cast<int>(text.size()));
    return {};
  }
};

}  // namespace
}  // namespace nebulance

// One whole game; the page calls it again for "Play again". Returns when the game ends.
extern "C" EMSCRIPTEN_KEEPALIVE void playGame() {
  nebulance::BrowserTerminal terminal;
  nebulance::runGame(terminal,
                     [] { return static_cast<std::int64_t>(nebulance::calendarSeconds()); });
}
