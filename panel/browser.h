#pragma once
// The browser backend: the in-memory screen shown in a web page, and the
// page's keys as the kit's key codes. Built with Emscripten; a blocking key
// read stays blocking through Asyncify: the program's stack is put aside,
// the browser runs (draws, delivers keys), and the read carries on when a
// key has come.
//
// The page's script (web/page.js) does the drawing: it reads the cells
// straight out of the module's memory and touches only the rows that
// changed. Keys: the page's keydown handler calls key_down synchronously, so
// that it can keep every key the kit uses away from the browser.
//
// Output is sent at every blocking key read, before a bell (which the page
// shows as a short flash), at the end, and at most FRAMES_PER_SECOND times
// a second while a run polls the keyboard; each of those sends is also the
// moment the browser gets control back during a run.

#include <cstdint>
#include <functional>
#include <string_view>

#include "panel/screen.h"

namespace telun {

class BrowserConsole : public ScreenConsole {
 public:
  // Polls of the keyboard between two looks at the clock during a run.
  static constexpr int POLLS_PER_CLOCK_CHECK = 32;
  // Most times a second a polling run gives the browser control.
  static constexpr int FRAMES_PER_SECOND = 60;

  // The page's keys go to the console made last (one per page).
  BrowserConsole();
  ~BrowserConsole() override;
  BrowserConsole(const BrowserConsole&) = delete;
  BrowserConsole& operator=(const BrowserConsole&) = delete;

  // Shows the screen in the page now (nothing when it did not change).
  void flush();
  // Queues the kit's codes for a key of the page, given by its
  // KeyboardEvent.key; false when the kit has no code for it.
  bool key_down(std::string_view dom_key);
  // Times the keyboard was polled with nothing waiting (once per
  // instruction in an automatic run).
  std::uint64_t polls() const { return polls_; }
  // Times the browser got control during a run.
  std::uint64_t yields() const { return yields_; }

  // The console the page's keys go to, or nullptr.
  static BrowserConsole* active();

 protected:
  void wait_for_key() override;
  void poll_keys() override;
  void on_bell() override;

 private:
  std::uint64_t shown_version_ = ~std::uint64_t{0};  // version() last shown
  int polls_until_clock_ = POLLS_PER_CLOCK_CHECK;    // countdown of cheap polls
  double next_yield_ms_ = 0;                         // clock reading of the next yield
  std::uint64_t polls_ = 0;                          // polls with an empty queue
  std::uint64_t yields_ = 0;                         // yields during runs
};

// Runs program on a BrowserConsole in the page, then shows the last screen
// and tells the page that the program has ended. Returns 0.
int run_in_browser(const std::function<void(Console&)>& program);

}  // namespace telun
