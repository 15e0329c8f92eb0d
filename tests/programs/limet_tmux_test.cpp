// limet in a real terminal (tmux at 80x25): a pupil types the SUM program on
// the keyboard (a keyword in small letters and a comment among it), runs it
// with F1 twice, reads the three labelled output lines, clears the page with F5
// answered by a Cyrillic letter typed as UTF-8, types an endless loop, runs
// it and ends the program with "Q" during the run; the terminal is left as
// it was found.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/terminal/tmux_session.h"

namespace telun::testing {
namespace {

using Rows = std::vector<std::string>;

// The program window's line r as the pane shows it (columns 35..58).
std::string window_line(const Rows& rows, int r) {
  const std::size_t row = static_cast<std::size_t>(r + 5 - 1);
  if (row >= rows.size()) return "";
  // Up to column 34 the pane row holds the memory panel: 34 characters,
  // some of them box drawing, so the window is found after the frame.
  const std::string& s = rows[row];
  const std::string frame = "│";
  const std::size_t left = s.find(frame, s.find("║", s.find("║") + 1));
  if (left == std::string::npos) return "";
  const std::size_t from = left + frame.size();
  const std::size_t right = s.find(frame, from);
  std::string line = s.substr(from, right == std::string::npos ? std::string::npos : right - from);
  line.erase(line.find_last_not_of(' ') + 1);
  return line;
}

bool has(const Rows& rows, int row, const std::string& text) {
  return row >= 1 && row <= static_cast<int>(rows.size()) &&
         rows[static_cast<std::size_t>(row - 1)].find(text) != std::string::npos;
}

void repeat(TmuxSession& tmux, const std::string& key, int n) { tmux.send_keys(std::vector<std::string>(n, key)); }

TEST(WorkbenchTerminal, SumProgramTypedRunClearedAndQuitDuringARun) {
  TmuxSession tmux;
  tmux.start("before=$(stty -g); " + std::string(TELUN_BUILD_DIR) +
             "/limet; s=$?; if [ \"$(stty -g)\" = \"$before\" ]; then m=same; else m=changed; fi; "
             "echo \"exit=$s modes=$m\"; sleep 60");
  ASSERT_TRUE(tmux.wait_for("Допустимые конструкции")) << tmux.last_screen();

  // On the template 'PROGRAM  ;' / 'VAR  :INTEGER;' / 'BEGIN' / '' / 'END.'.
  repeat(tmux, "Right", 8);
  tmux.send_text("SUM");
  tmux.send_keys({"Down"});
  repeat(tmux, "Left", 7);
  tmux.send_text("I,S,N");
  tmux.send_keys({"Down", "Enter"});
  tmux.send_text("N:=5; {how many}");
  tmux.send_keys({"Enter"});
  tmux.send_text("for I:=1 to N do S:=S+I;");  // the whole line: the position goes on to the next
  tmux.send_text("WRITELN(I,S,N);HALT");
  const Rows sum = {"PROGRAM SUM ;", "VAR I,S,N :INTEGER;", "BEGIN", "N:=5; {how many}",
                    "for I:=1 to N do S:=S+I;", "WRITELN(I,S,N);HALT", "END."};
  ASSERT_TRUE(tmux.wait_until([&](const Rows& rows) {
    for (std::size_t r = 0; r < sum.size(); ++r)
      if (window_line(rows, static_cast<int>(r + 1)) != sum[r]) return false;
    return true;
  })) << tmux.last_screen();

  tmux.send_keys({"F1"});
  ASSERT_TRUE(tmux.wait_until([](const Rows& rows) {
    return has(rows, 21, "I = 000 0000 0000 0101 = 5") && has(rows, 22, "S = 000 0000 0000 1111 = 15") &&
           has(rows, 23, "N = 000 0000 0000 0101 = 5") && has(rows, 3, "РЕДАКТОР");
  })) << tmux.last_screen();

  // Run again: the memory the first run left is where the second starts.
  tmux.send_keys({"F1"});
  ASSERT_TRUE(tmux.wait_until([](const Rows& rows) { return has(rows, 22, "S = 000 0000 0001 1110 = 30"); }))
      << tmux.last_screen();

  tmux.send_keys({"F5"});
  ASSERT_TRUE(tmux.wait_for("Очистить программу(Д/Н)?")) << tmux.last_screen();
  tmux.send_text("Д");
  ASSERT_TRUE(tmux.wait_until([](const Rows& rows) {
    return window_line(rows, 1) == "PROGRAM  ;" && window_line(rows, 2) == "VAR  :INTEGER;" &&
           window_line(rows, 4).empty() && window_line(rows, 5) == "END." && window_line(rows, 6).empty();
  })) << tmux.last_screen();
  EXPECT_EQ(tmux.cursor(), std::make_pair(35, 6));

  // A loop that never ends, run with F1 and stopped by "Q".
  repeat(tmux, "Right", 8);
  tmux.send_text("E");
  tmux.send_keys({"Down"});
  repeat(tmux, "Left", 5);
  tmux.send_text("I");
  tmux.send_keys({"Down", "Enter"});
  tmux.send_text("WHILE I=I DO I:=0;");
  tmux.send_keys({"Enter"});
  tmux.send_text("WRITELN(I,I,I);HALT");
  ASSERT_TRUE(tmux.wait_until([](const Rows& rows) { return window_line(rows, 5) == "WRITELN(I,I,I);HALT"; }))
      << tmux.last_screen();
  tmux.send_keys({"F1"});
  ASSERT_TRUE(tmux.wait_for("ИСПОЛНЕНИЕ (АВТО)")) << tmux.last_screen();
  tmux.send_keys({"Q"});
  EXPECT_TRUE(tmux.wait_for("exit=0 modes=same")) << tmux.last_screen();
}

}  // namespace
}  // namespace telun::testing
