// Wires the browser's terminal and calendar clock to the game: the page's glue supplies the
// typed lines and shows the output (web/terminal_game.js).
#include <emscripten.h>

#include <array>
#include <cstdint>
#include <istream>
#include <ostream>
#include <streambuf>

#include "game/game.h"

// The stream buffers live in the game's namespace: the browser build tells Asyncify which
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

class TypedInput : public std::streambuf {
 protected:
  int_type underflow() override {
    const int size = nextTypedChunk(buffer_.data(), static_cast<int>(buffer_.size()));
    if (size <= 0) return traits_type::eof();
    setg(buffer_.data(), buffer_.data(), buffer_.data() + size);
    return traits_type::to_int_type(buffer_[0]);
  }

 private:
  std::array<char, 4096> buffer_{};
};

// The console hands over its output in one piece when the game is about to wait, so each piece
// goes straight to the terminal.
class TerminalOutput : public std::streambuf {
 protected:
  std::streamsize xsputn(const char* data, std::streamsize size) override {
    showOutput(data, static_cast<int>(size));
    return size;
  }
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char character = traits_type::to_char_type(c);
    showOutput(&character, 1);
    return c;
  }
};

}  // namespace
}  // namespace nebulance

// One whole game; the page calls it again for "Play again". Returns when the game ends.
extern "C" EMSCRIPTEN_KEEPALIVE void playGame() {
  nebulance::TypedInput typed;
  nebulance::TerminalOutput shown;
  std::istream in(&typed);
  std::ostream out(&shown);
  // The terminal takes every write, so there is no write error to report.
  nebulance::runGame(in, out,
                     [] { return static_cast<std::int64_t>(nebulance::calendarSeconds()); });
}
