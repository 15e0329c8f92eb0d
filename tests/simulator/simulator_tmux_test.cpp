// telun and telunm in a real terminal (tmux at 80x25): a pupil types a short
// program with the keyboard, runs it with F1 and with "A", reads the three
// output lines, ends the program with "Q", and finds the terminal as it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/terminal/tmux_session.h"

namespace telun::testing {
namespace {

struct Case {
  const char* program;
  std::vector<std::string> cells;  // cells 0, 1, then 5, 6: the digits typed
  std::vector<std::string> lines;  // the output lines on the machine screen
};

bool has(const std::vector<std::string>& rows, int row, const std::string& text) {
  return row >= 1 && row <= static_cast<int>(rows.size()) &&
         rows[static_cast<std::size_t>(row - 1)].find(text) != std::string::npos;
}

TEST(SimulatorTerminal, TypeRunTwiceAndQuit) {
  const Case cases[] = {
      {"telun",
       {"001101110111", "111101110111", "000000000011", "000000000100"},
       {"000 000 000 011   3", "000 000 000 100   4", "000 000 000 111   7"}},
      {"telunm",
       {"001010101100111", "111010101100111", "000000000000011", "000000000000100"},
       {"000 0000 0000 0011   3", "000 0000 0000 0100   4", "000 0000 0000 0111   7"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program);
    TmuxSession tmux;
    tmux.start("before=$(stty -g); " + std::string(TELUN_BUILD_DIR) + "/" + c.program +
               "; s=$?; if [ \"$(stty -g)\" = \"$before\" ]; then m=same; else m=changed; fi; "
               "echo \"exit=$s modes=$m\"; sleep 60");
    ASSERT_TRUE(tmux.wait_for("ЯЧЕЙКА:")) << tmux.last_screen();

    // cell 0: (7) := (5) + (6); cell 1: stop, showing (5), (6), (7).
    tmux.send_text(c.cells[0]);
    tmux.send_keys({"Enter"});
    tmux.send_text(c.cells[1]);
    tmux.send_keys({"Enter", "Down", "Down", "Down"});
    // cell 5 := 3 typed with a correction: a wrong digit, back with Left, again.
    std::string five = c.cells[2];
    tmux.send_text(five.substr(0, five.size() - 1) + "0");
    tmux.send_keys({"Left"});
    tmux.send_text(five.substr(five.size() - 2));
    tmux.send_keys({"Enter"});
    tmux.send_text(c.cells[3]);
    ASSERT_TRUE(tmux.wait_until([](const auto& rows) { return has(rows, 10, "4"); })) << tmux.last_screen();

    for (const char* run : {"F1", "A"}) {
      SCOPED_TRACE(run);
      tmux.send_keys({run});
      ASSERT_TRUE(tmux.wait_until([&](const auto& rows) {
        return has(rows, 14, "КОМАНДА СТОП") && has(rows, 21, c.lines[0]) && has(rows, 22, c.lines[1]) &&
               has(rows, 23, c.lines[2]);
      })) << tmux.last_screen();
      if (std::string(run) == "F1") {  // any key but "Q" goes back to the editor
        tmux.send_keys({"Space"});
        ASSERT_TRUE(tmux.wait_for("ЯЧЕЙКА:")) << tmux.last_screen();
      }
    }
    tmux.send_keys({"Q"});
    EXPECT_TRUE(tmux.wait_for("exit=0 modes=same")) << tmux.last_screen();
  }
}

}  // namespace
}  // namespace telun::testing
