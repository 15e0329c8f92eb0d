#pragma once
// The real-terminal backend: the in-memory screen shown on a terminal
// through ncursesw (code page 866 as Unicode), and the terminal's keys as
// the kit's key codes (see panel/keys.h).
//
// Output: only cells that changed are sent, with the hardware cursor at the
// output position. The screen is sent at every blocking key read, before a
// bell, at exit, and at most FRAMES_PER_SECOND times a second while a run
// polls the keyboard. A terminal smaller than 80x25 shows a notice instead
// of the screen until it is large enough; a resize repaints everything.
// Input: the terminal is in raw mode; bytes are read and decoded here, with
// ESCAPE_DELAY_MS for a lone Escape. Ctrl-C, SIGINT, SIGTERM, SIGHUP and a
// hang-up end the program: the next read or poll throws TerminalClosed.

#include <cstdint>
#include <cstdio>
#include <exception>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "panel/screen.h"

namespace telun {

// The terminal cannot be used: not a terminal, or a type ncurses does not
// know. what() is the one-line reason.
struct TerminalError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Thrown out of a key read or poll when the program must end at once
// (Ctrl-C, a terminating signal, the terminal hung up). status is the exit
// status the process should end with (128 + the signal number).
struct TerminalClosed : std::exception {
  explicit TerminalClosed(int exit_status) : status(exit_status) {}
  const char* what() const noexcept override { return "terminal closed"; }
  int status;
};

class TerminalConsole : public ScreenConsole {
 public:
  // Polls of the keyboard between two looks at the clock during a run.
  static constexpr int POLLS_PER_CLOCK_CHECK = 16;
  // Most screens sent per second while a run polls the keyboard.
  static constexpr int FRAMES_PER_SECOND = 60;
  static constexpr int INPUT_CHECKS_PER_FRAME = 4;

  // Opens the terminal on in/out (the process's standard streams by
  // default) as terminal type term_type (nullptr: $TERM). Sets the locale
  // (C.UTF-8 when the environment's is not UTF-8), puts the terminal in raw
  // mode and installs the signal handlers. Throws TerminalError when the
  // streams are not a terminal or the type cannot be used; nothing is drawn
  // then. Only one may be open at a time.
  explicit TerminalConsole(std::FILE* in = stdin, std::FILE* out = stdout,
                           const char* term_type = nullptr);
  // Sends the screen a last time and leaves the terminal as it was found.
  ~TerminalConsole() override;
  TerminalConsole(const TerminalConsole&) = delete;
  TerminalConsole& operator=(const TerminalConsole&) = delete;

  // Sends the changed cells and the cursor now (nothing when the screen did
  // not change since the last time).
  void flush();
  // Screens sent to the terminal so far.
  std::uint64_t frames_sent() const { return frames_sent_; }

 protected:
  void wait_for_key() override;
  void poll_keys() override;
  void on_bell() override;

 private:
  struct Curses;  // the ncurses side, in terminal.cpp

  // Reads what is waiting (without blocking) and decodes it; throws
  // TerminalClosed on Ctrl-C or hang-up.
  void read_input();
  // Handles a signal that arrived: resize, or end of the program.
  void take_signals();
  // Repaints everything from the in-memory screen at the terminal's new size.
  void resized();

  std::unique_ptr<Curses> curses_;
  int polls_until_clock_ = POLLS_PER_CLOCK_CHECK;  // countdown of cheap polls
  std::uint64_t frames_sent_ = 0;                  // screens sent
};

// Runs program on a TerminalConsole on the process's terminal. When the
// terminal cannot be opened it prints one line to stderr and returns 1.
// Otherwise it runs the program, restores the terminal and returns 0, or
// 128 + the signal number when Ctrl-C (130) or SIGTERM/SIGHUP ended it.
// An exception out of program is rethrown after the terminal is restored.
int run_in_terminal(const std::function<void(Console&)>& program);

}  // namespace telun
