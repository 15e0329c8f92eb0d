// Random key streams into both programs: no crash, no hang, every index in
// range at every key read, and the panel agreeing with the machine.
#include <random>
#include <set>

#include "tests/simulator/session.h"

namespace telun::testing {
namespace {

// A stream of key codes, mostly the keys that do something (digits, arrows,
// Enter, mode letters and function keys, the menu's keys), some "Q", and
// any byte at all now and then.
std::string random_keys(std::uint32_t seed, int count) {
  std::mt19937 rng(seed);
  const std::string useful = "0101010101\r\rAaEeSsTtRr+:<>? Qq";
  const std::uint8_t extended[] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_F1, KEY_F2,
                                   KEY_F3, KEY_F4, KEY_F5, KEY_HOME, KEY_F10};
  std::uniform_int_distribution<int> kind(0, 9), any(0, 255);
  std::string keys;
  while (static_cast<int>(keys.size()) < count) {
    const int k = kind(rng);
    if (k < 6) {
      keys.push_back(useful[static_cast<std::size_t>(any(rng)) % useful.size()]);
    } else if (k < 9) {
      keys.push_back(static_cast<char>(KEY_PREFIX));
      keys.push_back(static_cast<char>(extended[static_cast<std::size_t>(any(rng)) % std::size(extended)]));
    } else {
      keys.push_back(static_cast<char>(any(rng)));
    }
  }
  return keys;
}

TEST(RandomKeys, NoCrashNoHangStateInRange) {
  for (const Program& p : PROGRAMS) {
    for (std::uint32_t seed : {1u, 2u, 3u}) {
      SCOPED_TRACE(std::string(p.name) + " seed " + std::to_string(seed));
      ScriptedConsole con;
      con.feed(random_keys(seed, 30000), seed);
      std::set<int> modes;
      int programs = 0;
      while (con.stream_left() > 0) {  // "Q" after a report ends a program; start the next one
        Simulator sim(con, p.cfg);
        ++programs;
        long reads = 0;
        con.on_read = [&] {
          modes.insert(sim.machine().REGIM);
          if (++reads % 64 == 0) expect_panel_agrees(con, sim);
        };
        try {
          sim.run();
        } catch (const ScriptEnded&) {
        }
        con.on_read = nullptr;
        expect_panel_agrees(con, sim);
        if (::testing::Test::HasFailure()) return;
      }
      EXPECT_EQ(con.writes_outside, 0);
      EXPECT_EQ(modes, (std::set<int>{1, 2, 3, 4})) << "every mode reached";
      EXPECT_GE(programs, 1);
    }
  }
}

}  // namespace
}  // namespace telun::testing
