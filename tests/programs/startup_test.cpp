// What each program shows when it has started and waits for the first key.
// The same golden screens are what the browser edition must show.
#include <gtest/gtest.h>

#include <functional>

#include "simulator/simulator.h"
#include "tests/panel/golden.h"
#include "workbench/workbench.h"

namespace telun {
namespace {

// Runs a program on the in-memory screen until it waits for a key.
void start(ScreenConsole& con, const std::function<void(Console&)>& program) {
  EXPECT_THROW(program(con), ScriptEnded);
}

TEST(Programs, StartUpScreens) {
  struct Case {
    const char* name;
    std::function<void(Console&)> program;
  } cases[] = {
      {"telun", [](Console& c) { Simulator(c, TELUN).run(); }},
      {"telunm", [](Console& c) { Simulator(c, TELUNM).run(); }},
      {"limet", [](Console& c) { Workbench(c).run(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScreenConsole con;
    start(con, c.program);
    expect_golden(con, c.name);
  }
}

}  // namespace
}  // namespace telun
