#include "panel/browser.h"

#include <emscripten.h>

#include <array>
#include <cstddef>

#include "panel/named_keys.h"

// The page side of the backend. Module.telun is the page's screen object
// (web/page.js): setTable(code points), show(cells, column, row), bell(),
// ended(), wake(), and the two promises a sleeping program waits on.

EM_JS(void, telun_page_show, (const void* cells, int bytes, int column, int row), {
  Module['telun']['show'](HEAPU8.subarray(cells, cells + bytes), column, row);
});

EM_JS(void, telun_page_table, (const void* table), {
  Module['telun']['setTable'](HEAPU32.subarray(table >> 2, (table >> 2) + 256));
});

EM_JS(void, telun_page_bell, (), { Module['telun']['bell'](); });

EM_JS(void, telun_page_ended, (), { Module['telun']['ended'](); });

EM_JS(void, telun_page_wake, (), { Module['telun']['wake'](); });

// Sleeps until the page has a key for the program.
EM_ASYNC_JS(void, telun_page_wait_for_key, (), { await Module['telun']['keyPromise'](); });

// Gives the browser one turn of its event loop (drawing, input) and comes
// straight back: a message to ourselves, without the clamped delay of a timer.
EM_ASYNC_JS(void, telun_page_yield, (), { await Module['telun']['yieldPromise'](); });

namespace telun {
namespace {

static_assert(sizeof(ScreenCell) == 3, "the page reads the cells as three bytes each");

BrowserConsole* active_console = nullptr;  // the console the page's keys go to
std::array<char, 32> key_name{};           // KeyboardEvent.key, written by the page as UTF-8

}  // namespace

BrowserConsole::BrowserConsole() {
  active_console = this;
  telun_page_table(CP866_UNICODE.data());
}

BrowserConsole::~BrowserConsole() {
  if (active_console == this) active_console = nullptr;
}

BrowserConsole* BrowserConsole::active() { return active_console; }

void BrowserConsole::flush() {
  if (version() == shown_version_) return;
  shown_version_ = version();
  // The grid is one array of cells, row after row: the page reads it whole.
  telun_page_show(&cell(1, 1), SCREEN_COLUMNS * SCREEN_ROWS * static_cast<int>(sizeof(ScreenCell)),
                  column(), row());
}

bool BrowserConsole::key_down(std::string_view dom_key) {
  const KitCodes codes = kit_codes_of_dom_key(dom_key);
  for (int i = 0; i < codes.count; ++i) keys_.push_back(codes.code[i]);
  if (codes.count > 0) telun_page_wake();
  return codes.count > 0;
}

void BrowserConsole::wait_for_key() {
  flush();
  telun_page_wait_for_key();
  // A run that polls next starts a fresh frame interval.
  next_yield_ms_ = emscripten_get_now() + 1000.0 / FRAMES_PER_SECOND;
}

void BrowserConsole::poll_keys() {
  ++polls_;
  if (--polls_until_clock_ > 0) return;
  polls_until_clock_ = POLLS_PER_CLOCK_CHECK;
  const double now = emscripten_get_now();
  if (now < next_yield_ms_) return;
  next_yield_ms_ = now + 1000.0 / FRAMES_PER_SECOND;
  flush();
  ++yields_;
  telun_page_yield();
}

void BrowserConsole::on_bell() {
  flush();
  telun_page_bell();
}

int run_in_browser(const std::function<void(Console&)>& program) {
  BrowserConsole console;
  program(console);
  console.flush();
  telun_page_ended();
  return 0;
}

}  // namespace telun

// Called by the page's keydown handler with the key's name in the buffer
// below (length bytes of UTF-8). 1 when the key was the kit's: the page
// then keeps it from the browser.
extern "C" EMSCRIPTEN_KEEPALIVE int telun_key_down(int length) {
  telun::BrowserConsole* con = telun::BrowserConsole::active();
  if (con == nullptr || length < 0 || length > static_cast<int>(telun::key_name.size())) return 0;
  return con->key_down(std::string_view(telun::key_name.data(), static_cast<std::size_t>(length))) ? 1 : 0;
}

extern "C" EMSCRIPTEN_KEEPALIVE char* telun_key_buffer() { return telun::key_name.data(); }
extern "C" EMSCRIPTEN_KEEPALIVE int telun_key_buffer_size() { return static_cast<int>(telun::key_name.size()); }

// Polls and yields of the running program, for the bench page.
extern "C" EMSCRIPTEN_KEEPALIVE double telun_polls() {
  telun::BrowserConsole* con = telun::BrowserConsole::active();
  return con ? static_cast<double>(con->polls()) : 0;
}
extern "C" EMSCRIPTEN_KEEPALIVE double telun_yields() {
  telun::BrowserConsole* con = telun::BrowserConsole::active();
  return con ? static_cast<double>(con->yields()) : 0;
}
