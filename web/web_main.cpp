// The browser edition: one module for the three programs. The page names
// the program to run as the first argument (web/page.js); "bench" runs the
// endless loop of the bench page instead.
#include <emscripten.h>

#include <cstdint>
#include <string_view>

#include "panel/browser.h"
#include "simulator/simulator.h"
#include "web/auto_loop.h"
#include "workbench/workbench.h"

// Reports the bench's figure to the page.
EM_JS(void, telun_page_bench_done, (double instructions, double milliseconds), {
  Module['telun']['benchDone'](instructions, milliseconds);
});

namespace telun {
namespace {

// The bench: the loop in AUTO; the figure is taken over the two seconds
// after a first second, in which the browser has compiled the module's hot
// code to the full.
void bench(Console& con) {
  const double start = emscripten_get_now();
  double from = 0;
  std::uint64_t done_from = 0;
  const std::uint64_t done = run_endless_loop(con, [&](std::uint64_t n) {
    const double now = emscripten_get_now() - start;
    if (done_from == 0 && now >= 1000.0) {
      from = now;
      done_from = n;
    }
    return now < 3000.0;
  });
  telun_page_bench_done(static_cast<double>(done - done_from), emscripten_get_now() - start - from);
}

struct Entry {
  std::string_view name;
  void (*run)(Console&);
};

constexpr Entry ENTRIES[] = {
    {"telun", [](Console& c) { Simulator(c, TELUN).run(); }},
    {"telunm", [](Console& c) { Simulator(c, TELUNM).run(); }},
    {"limet", [](Console& c) { Workbench(c).run(); }},
    {"bench", bench},
};

}  // namespace
}  // namespace telun

int main(int argc, char** argv) {
  const std::string_view name = argc > 1 ? argv[1] : "telun";
  for (const telun::Entry& e : telun::ENTRIES)
    if (e.name == name) return telun::run_in_browser(e.run);
  return 1;
}
