// Each program started in a real terminal under tmux at 80x25: the screen a
// person sees is the program's start-up screen, box drawing and Cyrillic
// intact, and "Q" is not the end of the program while it is in its editor.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/terminal/tmux_session.h"

namespace telun {
namespace {

// The text rows of a golden screen, trailing blanks removed as tmux shows them.
std::vector<std::string> golden_rows(const std::string& name) {
  std::ifstream in(std::string(TELUN_GOLDEN_DIR) + "/" + name + ".screen");
  std::vector<std::string> rows;
  std::string line;
  for (int r = 0; r < 25 && std::getline(in, line); ++r) {
    while (!line.empty() && line.back() == ' ') line.pop_back();
    rows.push_back(line);
  }
  return rows;
}

TEST(ProgramsInTerminal, StartUpScreenAsAPersonSeesIt) {
  for (const char* name : {"telun", "telunm", "limet"}) {
    SCOPED_TRACE(name);
    const std::vector<std::string> expected = golden_rows(name);
    ASSERT_EQ(expected.size(), 25u);
    testing::TmuxSession tmux;
    tmux.start(std::string(TELUN_BUILD_DIR) + "/" + name);
    const bool same = tmux.wait_until([&](const std::vector<std::string>& rows) {
      return rows.size() >= 25 && std::vector<std::string>(rows.begin(), rows.begin() + 25) == expected;
    });
    EXPECT_TRUE(same) << tmux.last_screen();
  }
}

TEST(ProgramsInTerminal, ResizeRepaintsAndCtrlCRestoresTheTerminal) {
  testing::TmuxSession tmux;
  tmux.start("stty -g > /tmp/telun-stty-before.$$; " + std::string(TELUN_BUILD_DIR) +
             "/telunm; echo \"status $?\"; stty -g | cmp -s - /tmp/telun-stty-before.$$ && echo same-tty; "
             "rm -f /tmp/telun-stty-before.$$; sleep 30");
  ASSERT_TRUE(tmux.wait_for("TELUN-M"));
  tmux.resize(60, 20);
  EXPECT_TRUE(tmux.wait_until([](const std::vector<std::string>& rows) {
    for (const auto& r : rows)
      if (r.find("TELUN-M") != std::string::npos) return false;
    return true;
  }));
  tmux.resize(80, 25);
  EXPECT_TRUE(tmux.wait_for("Память ЭВМ (ОЗУ)"));
  tmux.send_keys({"C-c"});
  EXPECT_TRUE(tmux.wait_for("same-tty")) << tmux.last_screen();
  EXPECT_NE(tmux.capture().find("status 130"), std::string::npos) << tmux.capture();
}

}  // namespace
}  // namespace telun
