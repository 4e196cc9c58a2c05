// The Windows side of the console window: the facts come from the console API, and the wait
// reads the console itself, because standard input may already have met its end.
#include <windows.h>

#include <array>

#include "program/console_window.h"

namespace nebulance::program {

namespace {

// GetConsoleMode fails on anything but a console: a pipe, a file, the null device.
bool isConsole(HANDLE handle) {
  DWORD mode = 0;
  return GetConsoleMode(handle, &mode) != 0;
}

ConsoleFacts gatherConsoleFacts() {
  // Room for two is enough to tell "this program alone" from "shared".
  std::array<DWORD, 2> processes{};
  return {.processesOnConsole =
              GetConsoleProcessList(processes.data(), static_cast<DWORD>(processes.size())),
          .inputIsConsole = isConsole(GetStdHandle(STD_INPUT_HANDLE)),
          .outputIsConsole = isConsole(GetStdHandle(STD_OUTPUT_HANDLE))};
}

// The player may have typed ahead of the game's end; only an Enter pressed after the question
// closes the window. A line read in the console's own line mode ends with Enter; Ctrl-C ends
// the program there as anywhere else.
void waitForEnter() {
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  FlushConsoleInputBuffer(input);
  std::array<char, 256> line{};
  DWORD read = 0;
  ReadConsoleA(input, line.data(), static_cast<DWORD>(line.size()), &read, nullptr);
}

}  // namespace

Platform thisPlatform() {
  return Platform::windows;
}

void holdWindowBeforeExit(std::ostream& out) {
  if (!windowClosesWithProgram(gatherConsoleFacts())) return;
  out << "\nPress Enter to close this window." << std::flush;
  waitForEnter();
}

}  // namespace nebulance::program
