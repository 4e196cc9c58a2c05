// Plays the built game on a pseudo-terminal, as a player would: each line is typed only after
// the question it answers has reached the screen. A question still held in an output buffer
// while the game waits for its answer would never appear, and the test would time out.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <csignal>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace {

using Steady = std::chrono::steady_clock;
using Answer = std::pair<std::string_view, std::string_view>;  // a question, the keys typed
constexpr std::string_view kDashboard = "Enter Choice (S)hop, (B)ank, (T)ravel, (E)xit: ";

// The game runs on the slave side of a pseudo-terminal; the test holds the master.
class TerminalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    child_ = forkpty(&master_, nullptr, nullptr, nullptr);
    if (child_ == 0) {
      execl(NEBULANCE_BINARY, NEBULANCE_BINARY, static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  void TearDown() override {
    if (child_ > 0) exitStatus();
    close(master_);
  }

  // Types the keys of whichever of `answers` has its question on screen first (since the last
  // typed keys) and returns its index; -1 when none comes in time.
  int answer(std::initializer_list<Answer> answers) {
    const auto deadline = Steady::now() + std::chrono::seconds(5);
    do {
      for (int index = 0; const auto& [question, keys] : answers) {
        if (screen_.find(question, typedAt_) != std::string::npos) {
          typedAt_ = screen_.size();
          EXPECT_EQ(write(master_, keys.data(), keys.size()), std::ssize(keys));
          return index;
        }
        ++index;
      }
    } while (readScreen(deadline));
    ADD_FAILURE() << "none of the questions came; the screen:\n" << screen_.substr(typedAt_);
    return -1;
  }

  // Answers every question from the start menu to the dashboard, which gets `dashboardKeys`:
  // the intros, the grant, the map and the pauses of the first travel event (the pirates and the
  // old friend show two). A rumour of a bank robbery is let be.
  bool playedToDashboard(std::string_view dashboardKeys) {
    int shown = 1;
    for (int screens = 0; shown > 0 && screens < 10; ++screens) {
      shown = answer({{kDashboard, dashboardKeys},
                      {"   Select option number: ", "1\n"},
                      {"       the navigational computer.\n", "x\n"},
                      {"       Enter any input to proceed.\n", "x\n"},
                      {"       Enter any input to continue.", "x\n"},
                      {"              Designate coordinates: ", "2\n"},
                      {"       What will you do? (1/2/3/4): ", "4\n"}});
    }
    return shown == 0;
  }

  // Reads until the game closes the terminal, then its exit status; a game still running by
  // then is killed and gets -1.
  int exitStatus() {
    for (const auto deadline = Steady::now() + std::chrono::seconds(5); readScreen(deadline);) {
    }
    kill(child_, SIGKILL);
    int status = 0;
    waitpid(child_, &status, 0);
    child_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // Appends what the game has written, less the terminal's carriage returns; false at the
  // deadline or once the game has closed its side of the terminal.
  bool readScreen(Steady::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Steady::now());
    pollfd output{master_, POLLIN, 0};
    std::array<char, 4096> buffer{};
    if (left.count() <= 0 || poll(&output, 1, static_cast<int>(left.count())) <= 0) return false;
    const ssize_t count = read(master_, buffer.data(), buffer.size());
    if (count > 0) screen_.append(buffer.data(), static_cast<std::size_t>(count));
    std::erase(screen_, '\r');
    return count > 0;
  }

  int master_ = -1;
  pid_t child_ = -1;
  std::string screen_;
  std::size_t typedAt_ = 0;
};

TEST_F(TerminalTest, EveryQuestionIsOnScreenBeforeItsAnswer) {
  // The Trading Post's menu, left at once, brings the dashboard back.
  ASSERT_TRUE(playedToDashboard("S\n"));
  for (const Answer& next : {Answer{"Enter Choice (B/S/E): ", "E\n"}, Answer{kDashboard, "E\n"},
                             Answer{"                        Enter choice: ", "1\n"},
                             Answer{"Thank you for playing!\n", ""}}) {
    ASSERT_EQ(answer({next}), 0);
  }
  EXPECT_EQ(exitStatus(), 0);
}

// A terminal reports end of input once (Ctrl-D on an empty line, or a second Ctrl-D after
// characters handed over without a line end); the game must not wait for more after it.
TEST_F(TerminalTest, EndOfInputAfterANumberEndsTheGameAtTheNextRead) {
  ASSERT_EQ(answer({{"   Select option number: ", "2\x04\x04"}}), 0);
  EXPECT_EQ(exitStatus(), 0);
  EXPECT_TRUE(screen_.ends_with(" Enter any input to return to the start menu.\n")) << screen_;
}

TEST_F(TerminalTest, EndOfInputAfterALoneSignEndsTheGameAtTheNextRead) {
  ASSERT_EQ(answer({{"   Select option number: ", "-\x04\x04"}}), 0);
  EXPECT_EQ(exitStatus(), 0);
  // The sign is dropped, so the menu answers the kept choice and shows itself once more.
  EXPECT_NE(screen_.find("\nInvalid input.\n", typedAt_), std::string::npos);
  EXPECT_TRUE(screen_.ends_with("   Select option number: ")) << screen_;
}

TEST_F(TerminalTest, EndOfInputOnAnEmptyLineAtAPauseEndsTheGame) {
  ASSERT_EQ(answer({{"   Select option number: ", "1\n"}}), 0);
  ASSERT_EQ(answer({{"       Enter any input to proceed.\n", "\x04"}}), 0);
  EXPECT_EQ(exitStatus(), 0);
  EXPECT_TRUE(screen_.ends_with("       Enter any input to proceed.\n")) << screen_;
}

}  // namespace
