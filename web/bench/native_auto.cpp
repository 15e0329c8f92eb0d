// The native side of the browser bench, on the in-memory screen, printed as
// instructions per second:
//   native_auto loop SECONDS    the endless loop of web/auto_loop.h
//   native_auto telunm SECONDS  the telunm program itself: the pupil's keys
//                               enter the loop, F1 runs it in AUTO, a key
//                               stops it after SECONDS
// In AUTO the program looks at the keyboard once per instruction, so the
// polls of an empty key queue count the instructions.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "panel/screen.h"
#include "simulator/simulator.h"
#include "web/auto_loop.h"

namespace {

using Clock = std::chrono::steady_clock;

double since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// A screen whose keyboard is a script; while the program polls, a blank is
// typed once the time is up.
class TimedConsole : public telun::ScreenConsole {
 public:
  explicit TimedConsole(double seconds) : seconds_(seconds) {}
  std::uint64_t polls = 0;
  Clock::time_point run_start;
  double run_seconds = 0;

 protected:
  void poll_keys() override {
    if (polls++ == 0) run_start = Clock::now();
    if (polls % 1024 == 0 && since(run_start) >= seconds_) {
      run_seconds = since(run_start);
      push_key(' ');
    }
  }

 private:
  double seconds_;
};

}  // namespace

int main(int argc, char** argv) {
  const std::string_view what = argc > 1 ? argv[1] : "loop";
  const double seconds = argc > 2 ? std::atof(argv[2]) : 2.0;
  if (what == "loop") {
    telun::ScreenConsole con;
    const auto start = Clock::now();
    const std::uint64_t done = telun::run_endless_loop(con, [&](std::uint64_t) { return since(start) < seconds; });
    std::printf("%.0f\n", static_cast<double>(done) / since(start));
    return 0;
  }
  if (what == "telunm") {
    TimedConsole con(seconds);
    // cell 0: 001 0101 0110 0111, (7) := (5) + (6); cell 1: 100 0000 0000 0000,
    // to cell 0 when (0) = (0); cell 5 holds 1, cell 6 holds 2.
    con.push_keys("001010101100111\r100000000000000\r\r\r\r000000000000001\r000000000000010");
    con.push_extended(telun::KEY_F1);
    try {
      telun::Simulator(con, telun::TELUNM).run();
    } catch (const telun::ScriptEnded&) {
    }
    std::printf("%.0f\n", static_cast<double>(con.polls) / con.run_seconds);
    return 0;
  }
  return 2;
}
