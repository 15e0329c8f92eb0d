// The one file of the kit that includes ncurses. Its header defines macros
// named like the kit's key codes (KEY_UP, KEY_ENTER...) and like common
// member functions, so it comes last and nothing after it names a key code.

#include "panel/terminal.h"

#include <fcntl.h>
#include <langinfo.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

#include "machine/cp866.h"
#include "panel/keys.h"
#include "panel/named_keys.h"

#define NCURSES_NOMACROS 1
#define NCURSES_WIDECHAR 1
#include <curses.h>

namespace telun {

namespace {

using Clock = std::chrono::steady_clock;

// What the signal handlers leave for the console to act on. Signal
// handlers can only reach process-wide state.
volatile std::sig_atomic_t g_signal = 0;   // a terminating signal arrived
volatile std::sig_atomic_t g_resized = 0;  // SIGWINCH arrived
int g_wake_pipe[2] = {-1, -1};             // written by the handlers: wakes a blocking read
int g_tty_fd = -1;                         // the terminal's input, for the emergency restore
struct termios g_saved_termios {};         // the terminal's modes as found
bool g_open = false;                       // a TerminalConsole exists

void wake() {
  if (g_wake_pipe[1] >= 0) {
    const char b = 0;
    [[maybe_unused]] const ssize_t n = ::write(g_wake_pipe[1], &b, 1);
  }
}

void on_terminating_signal(int sig) {
  if (g_signal != 0) {
    // A second signal: the program did not get to its next key read. Leave
    // the terminal's line modes as found and end now.
    if (g_tty_fd >= 0) ::tcsetattr(g_tty_fd, TCSANOW, &g_saved_termios);
    ::_exit(128 + sig);
  }
  g_signal = sig;
  wake();
}

void on_window_change(int) {
  g_resized = 1;
  wake();
}

constexpr std::array<int, 4> HANDLED_SIGNALS = {SIGINT, SIGTERM, SIGHUP, SIGWINCH};

// The handlers as found, the wake pipe closed: what a console took of the
// process when it opened the terminal goes back.
void release_process_state(const std::array<struct sigaction, HANDLED_SIGNALS.size()>& old_actions) {
  for (std::size_t i = 0; i < HANDLED_SIGNALS.size(); ++i) ::sigaction(HANDLED_SIGNALS[i], &old_actions[i], nullptr);
  ::close(g_wake_pipe[0]);
  ::close(g_wake_pipe[1]);
  g_wake_pipe[0] = g_wake_pipe[1] = -1;
  g_tty_fd = -1;
}

// CGA colour number (low three bits) to the curses colour.
constexpr std::array<short, 8> CGA_TO_CURSES = {COLOR_BLACK, COLOR_BLUE,    COLOR_GREEN, COLOR_CYAN,
                                                COLOR_RED,   COLOR_MAGENTA, COLOR_YELLOW, COLOR_WHITE};

// The notice shown while the terminal is smaller than the screen.
constexpr std::array<const wchar_t*, 2> SMALL_NOTICE = {
    L"Окно терминала меньше 80x25 — увеличьте его.",
    L"The terminal is smaller than 80x25: please enlarge it.",
};

}  // namespace

struct TerminalConsole::Curses {
  SCREEN* screen = nullptr;
  int in_fd = -1, out_fd = -1;
  KeyDecoder decoder;
  std::array<ScreenCell, SCREEN_COLUMNS * SCREEN_ROWS> shadow{};  // what the terminal shows
  bool shadow_valid = false;          // false: send every cell next time
  std::uint64_t sent_version = 0;     // version() of the screen last sent
  bool too_small = false;             // the terminal is smaller than 80x25
  bool notice_shown = false;          // the small-terminal notice is on the terminal
  bool colour = false;                // the terminal has colours
  int colours = 0;                    // how many (COLORS)
  int max_pairs = 0;                  // colour pairs that may be used
  std::array<short, 16 * 8> pair_of{};  // pair of (text colour, background), 0 = not yet made
  short next_pair = 1;                // the next pair number to make
  std::array<wchar_t, 256> glyph{};   // what each cp866 byte shows as
  Clock::time_point next_frame{};     // earliest next screen update during a run
  Clock::time_point next_input{};     // earliest next look at the keyboard during a run
  Clock::time_point pending_since{};  // when the last bytes of an unfinished key arrived
  std::array<struct sigaction, HANDLED_SIGNALS.size()> old_actions{};  // handlers as found

  void style(const ScreenCell& c, attr_t& attr, short& pair) {
    attr = A_NORMAL;
    pair = 0;
    if (!colour) {
      if (c.bg != 0) attr |= A_REVERSE;
      else if (c.fg >= 8) attr |= A_BOLD;
      return;
    }
    short fg = CGA_TO_CURSES[c.fg & 7u];
    const short bg = CGA_TO_CURSES[c.bg & 7u];
    if (c.fg >= 8) {
      if (colours >= 16) fg = static_cast<short>(fg + 8);
      else attr |= A_BOLD;
    }
    short& p = pair_of[static_cast<std::size_t>((c.fg & 15u) * 8u + (c.bg & 7u))];
    if (p == 0 && next_pair < max_pairs) {
      ::init_pair(next_pair, fg, bg);
      p = next_pair++;
    }
    pair = p;
  }

  void put(int column, int row, const ScreenCell& c) {
    attr_t attr;
    short pair;
    style(c, attr, pair);
    const wchar_t text[2] = {glyph[c.ch], L'\0'};
    cchar_t cc;
    ::setcchar(&cc, text, attr, pair, nullptr);
    ::mvwadd_wchnstr(stdscr, row - 1, column - 1, &cc, 1);
  }

  void show_notice() {
    ::werase(stdscr);
    ::wattrset(stdscr, A_NORMAL);
    int row = 0;
    for (const wchar_t* line : SMALL_NOTICE)
      if (row < LINES) ::mvwaddnwstr(stdscr, row++, 0, line, COLS);
    const std::wstring size = L"(" + std::to_wstring(COLS) + L"x" + std::to_wstring(LINES) + L")";
    if (row < LINES) ::mvwaddnwstr(stdscr, row, 0, size.c_str(), COLS);
    ::wmove(stdscr, 0, 0);
    ::wnoutrefresh(stdscr);
    ::doupdate();
    notice_shown = true;
  }
};

TerminalConsole::TerminalConsole(std::FILE* in, std::FILE* out, const char* term_type)
    : curses_(std::make_unique<Curses>()) {
  Curses& t = *curses_;
  if (g_open) throw TerminalError("a terminal is already open in this process");
  t.in_fd = ::fileno(in);
  t.out_fd = ::fileno(out);
  if (t.in_fd < 0 || !::isatty(t.in_fd)) throw TerminalError("standard input is not a terminal");
  if (t.out_fd < 0 || !::isatty(t.out_fd)) throw TerminalError("standard output is not a terminal");
  const char* type = term_type != nullptr ? term_type : std::getenv("TERM");
  if (type == nullptr || *type == '\0') throw TerminalError("TERM is not set: the terminal type is unknown");

  std::setlocale(LC_ALL, "");
  if (std::strcmp(::nl_langinfo(CODESET), "UTF-8") != 0) std::setlocale(LC_CTYPE, "C.UTF-8");

  if (::pipe2(g_wake_pipe, O_NONBLOCK | O_CLOEXEC) != 0)
    throw TerminalError(std::string("cannot make a pipe: ") + std::strerror(errno));
  g_tty_fd = t.in_fd;
  ::tcgetattr(t.in_fd, &g_saved_termios);
  g_signal = 0;
  g_resized = 0;
  // Installed before newterm, so that ncurses leaves these signals to us.
  for (std::size_t i = 0; i < HANDLED_SIGNALS.size(); ++i) {
    struct sigaction sa {};
    sa.sa_handler = HANDLED_SIGNALS[i] == SIGWINCH ? on_window_change : on_terminating_signal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = 0;  // no SA_RESTART: a blocking poll returns at once
    ::sigaction(HANDLED_SIGNALS[i], &sa, &t.old_actions[i]);
  }

  t.screen = ::newterm(type, out, in);
  if (t.screen == nullptr) {
    release_process_state(t.old_actions);
    throw TerminalError(std::string("terminal type '") + type + "' is not usable here");
  }
  g_open = true;
  ::set_term(t.screen);
  ::raw();
  ::noecho();
  ::nonl();
  ::keypad(stdscr, FALSE);  // keys are decoded here, byte by byte
  ::meta(stdscr, TRUE);
  ::intrflush(stdscr, FALSE);
  ::typeahead(-1);  // never cut a screen short because a key is waiting
  ::scrollok(stdscr, FALSE);
  if (::has_colors()) {
    ::start_color();
    t.colour = COLORS >= 8 && COLOR_PAIRS > 1;
    t.colours = COLORS;
    t.max_pairs = COLOR_PAIRS < 32767 ? COLOR_PAIRS : 32767;
  }
  for (std::size_t b = 0; b < t.glyph.size(); ++b) {
    const auto c = static_cast<wchar_t>(CP866_UNICODE[b]);
    t.glyph[b] = ::wcwidth(c) == 1 ? c : L'?';
  }
  t.glyph[0] = L' ';
  t.glyph[BELL] = L' ';  // never stored: writing it rings the bell

  // The sequences the terminal's description gives for the named keys.
  for (const NamedKey& k : NAMED_KEYS) {
    if (k.capability.empty()) continue;
    const std::string capability(k.capability);
    const char* s = ::tigetstr(capability.c_str());
    if (s != nullptr && s != reinterpret_cast<char*>(-1)) t.decoder.describe(s, KitKey{k.extended, k.code});
  }
  t.too_small = LINES < SCREEN_ROWS || COLS < SCREEN_COLUMNS;
}

TerminalConsole::~TerminalConsole() {
  Curses& t = *curses_;
  flush();
  ::endwin();
  ::delscreen(t.screen);
  release_process_state(t.old_actions);
  g_signal = 0;
  g_resized = 0;
  g_open = false;
}

void TerminalConsole::flush() {
  Curses& t = *curses_;
  if (g_resized != 0) resized();
  if (t.too_small) {
    if (!t.notice_shown) t.show_notice();
    return;
  }
  if (t.shadow_valid && version() == t.sent_version) return;
  for (int row = 1; row <= SCREEN_ROWS; ++row)
    for (int column = 1; column <= SCREEN_COLUMNS; ++column) {
      const ScreenCell& c = cell(column, row);
      ScreenCell& s = t.shadow[static_cast<std::size_t>((row - 1) * SCREEN_COLUMNS + (column - 1))];
      if (t.shadow_valid && s == c) continue;
      t.put(column, row, c);
      s = c;
    }
  const int cursor_column = std::min(std::max(this->column(), 1), SCREEN_COLUMNS);
  const int cursor_row = std::min(std::max(this->row(), 1), SCREEN_ROWS);
  ::wmove(stdscr, cursor_row - 1, cursor_column - 1);
  ::wnoutrefresh(stdscr);
  ::doupdate();
  t.shadow_valid = true;
  t.sent_version = version();
  ++frames_sent_;
}

void TerminalConsole::resized() {
  Curses& t = *curses_;
  g_resized = 0;
  struct winsize ws {};
  if (::ioctl(t.out_fd, TIOCGWINSZ, &ws) == 0 && ws.ws_row > 0 && ws.ws_col > 0)
    ::resize_term(ws.ws_row, ws.ws_col);
  ::werase(stdscr);
  ::clearok(curscr, TRUE);  // the next update repaints the whole terminal
  t.shadow_valid = false;
  t.notice_shown = false;
  t.too_small = LINES < SCREEN_ROWS || COLS < SCREEN_COLUMNS;
}

void TerminalConsole::take_signals() {
  char drain[64];
  while (::read(g_wake_pipe[0], drain, sizeof drain) > 0) {
  }
  if (g_signal != 0) throw TerminalClosed(128 + g_signal);
  if (g_resized != 0) flush();  // repaints at the new size
}

void TerminalConsole::read_input() {
  Curses& t = *curses_;
  char buf[256];
  const ssize_t n = ::read(t.in_fd, buf, sizeof buf);
  if (n < 0 && (errno == EINTR || errno == EAGAIN)) return;
  if (n <= 0) throw TerminalClosed(128 + SIGHUP);  // end of input or EIO: the terminal is gone
  t.decoder.feed(std::string_view(buf, static_cast<std::size_t>(n)), keys_);
  if (t.decoder.interrupted()) throw TerminalClosed(128 + SIGINT);
  if (t.decoder.pending()) t.pending_since = Clock::now();
}

void TerminalConsole::wait_for_key() {
  Curses& t = *curses_;
  flush();
  const auto delay = std::chrono::milliseconds(ESCAPE_DELAY_MS);
  while (keys_.empty()) {
    take_signals();
    int timeout = -1;
    if (t.decoder.pending()) {
      const auto left = delay - (Clock::now() - t.pending_since);
      if (left <= Clock::duration::zero()) {
        t.decoder.expire(keys_);
        continue;
      }
      timeout = static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
    }
    std::array<pollfd, 2> fds = {{{t.in_fd, POLLIN, 0}, {g_wake_pipe[0], POLLIN, 0}}};
    const int r = ::poll(fds.data(), fds.size(), timeout);
    if (r < 0 && errno != EINTR) throw TerminalClosed(128 + SIGHUP);
    if (r > 0 && fds[0].revents != 0) read_input();
  }
}

void TerminalConsole::poll_keys() {
  if (g_signal != 0 || g_resized != 0) take_signals();
  if (--polls_until_clock_ > 0) return;
  polls_until_clock_ = POLLS_PER_CLOCK_CHECK;
  Curses& t = *curses_;
  const auto now = Clock::now();
  if (now < t.next_input) return;
  // The keyboard is looked at a few times per screen update, so that a key
  // stops a run well within one update interval.
  t.next_input = now + std::chrono::microseconds(1'000'000 / (INPUT_CHECKS_PER_FRAME * FRAMES_PER_SECOND));
  pollfd fd = {t.in_fd, POLLIN, 0};
  if (::poll(&fd, 1, 0) > 0) read_input();
  if (t.decoder.pending() && now - t.pending_since >= std::chrono::milliseconds(ESCAPE_DELAY_MS))
    t.decoder.expire(keys_);
  if (now < t.next_frame) return;
  t.next_frame = now + std::chrono::microseconds(1'000'000 / FRAMES_PER_SECOND);
  flush();
}

void TerminalConsole::on_bell() {
  flush();
  ::beep();
}

int run_in_terminal(const std::function<void(Console&)>& program) {
  std::unique_ptr<TerminalConsole> console;
  try {
    console = std::make_unique<TerminalConsole>();
  } catch (const TerminalError& e) {
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, e.what());
    return 1;
  }
  int status = 0;
  try {
    program(*console);
  } catch (const TerminalClosed& closed) {
    status = closed.status;
  } catch (...) {
    console.reset();  // restore the terminal before anything is reported
    throw;
  }
  console.reset();
  return status;
}

}  // namespace telun

// ncurses keeps the half-made screen of a newterm that failed (an unknown
// terminal type) where the leak checker of a sanitizer build cannot see it.
// That is the library's, once per process; the checker is told to let it be.
extern "C" const char* __lsan_default_suppressions() { return "leak:new_prescr\n"; }
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
