// The terminal backend in a real terminal (tmux at 80x25), through the key
// probe: it shows each key code it receives, in groups closed by '#'.

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <string>
#include <vector>

#include "panel/console.h"
#include "machine/cp866.h"
#include "tests/terminal/tmux_session.h"

namespace telun::testing {
namespace {

const std::string PROBE = KEYPROBE_PATH;
constexpr int FIRST_GROUP_ROW = 6;  // keyprobe.cpp

// Runs the probe, then shows its exit status and whether the terminal's
// modes are as they were before it started.
const std::string PROBE_THEN_STATUS =
    "before=$(stty -g); " + PROBE +
    "; s=$?; if [ \"$(stty -g)\" = \"$before\" ]; then m=same; else m=changed; fi; "
    "echo \"exit=$s modes=$m\"; sleep 60";

std::string row(const std::vector<std::string>& rows, int n) {
  return n >= 1 && n <= static_cast<int>(rows.size()) ? rows[static_cast<std::size_t>(n - 1)] : "";
}

class KeyProbe : public ::testing::Test {
 protected:
  void SetUp() override {
    tmux.start(PROBE_THEN_STATUS);
    ASSERT_TRUE(tmux.wait_for("1:")) << tmux.last_screen();
  }
  // The probe's process id, shown on row 4.
  int probe_pid() {
    const std::string r = row(tmux.rows(), 4);
    const auto at = r.find("pid=");
    return at == std::string::npos ? -1 : std::stoi(r.substr(at + 4));
  }
  TmuxSession tmux;
};

TEST_F(KeyProbe, TerminalKeysArriveAsKitCodes) {
  struct Case {
    const char* label;
    std::function<void(TmuxSession&)> press;
    std::string codes;
  };
  auto keys = [](std::vector<std::string> k) { return [k](TmuxSession& t) { t.send_keys(k); }; };
  auto bytes = [](std::string b) { return [b](TmuxSession& t) { t.send_bytes(b); }; };
  auto text = [](std::string s) { return [s](TmuxSession& t) { t.send_text(s); }; };
  const std::vector<Case> table = {
      {"F1..F5", keys({"F1", "F2", "F3", "F4", "F5"}), "0 59 0 60 0 61 0 62 0 63"},
      {"F6..F10", keys({"F6", "F7", "F8", "F9", "F10"}), "0 64 0 65 0 66 0 67 0 68"},
      {"arrows", keys({"Up", "Down", "Right", "Left"}), "0 72 0 80 0 77 0 75"},
      {"editing keys", keys({"Home", "End", "PPage", "NPage", "IC", "DC"}), "0 71 0 79 0 73 0 81 0 82 0 83"},
      {"Enter, ctrl-J", keys({"Enter", "C-j"}), "13 13"},
      {"Backspace, ctrl-H", keys({"BSpace", "C-h"}), "8 8"},
      {"Tab", keys({"Tab"}), "9"},
      {"lone Escape", keys({"Escape"}), "27"},
      {"Escape followed at once by x", bytes("\x1bx"), "27 120"},
      {"application-mode arrow, Linux F1, VT F1", bytes("\x1bOA\x1b[[A\x1b[11~"), "0 72 0 59 0 59"},
      {"ctrl-right", keys({"C-Right"}), "0 77"},
      {"Cyrillic", text("Ая Ёё"), "128 239 32 240 241"},
      {"outside code page 866", text("€z"), "122"},
      {"unknown sequences dropped whole", bytes("\x1b[?2004h" "a" "\x1b]0;t\x07" "b" "\x1b[200~c\x1b[201~"), "97 98 99"},
  };
  int group = 1;
  for (const Case& c : table) {
    SCOPED_TRACE(c.label);
    const int r = FIRST_GROUP_ROW + group - 1;
    const std::string want = std::to_string(group) + ": " + c.codes;
    c.press(tmux);
    EXPECT_TRUE(tmux.wait_until([&](const auto& rows) { return row(rows, r) == want; }))
        << tmux.last_screen();
    tmux.send_keys({"#"});  // closes the group: nothing came after the codes
    EXPECT_TRUE(tmux.wait_until([&](const auto& rows) { return row(rows, r + 1) == std::to_string(group + 1) + ":"; }))
        << tmux.last_screen();
    EXPECT_EQ(row(tmux.rows(), r), want + " .");
    ++group;
  }
}

TEST_F(KeyProbe, Cp866TextShowsAsUnicode) {
  const auto rows = tmux.rows();
  EXPECT_EQ(row(rows, 1), "╔══════════════════════════════════════╗");
  EXPECT_EQ(row(rows, 2), "║ Проба клавиш: Ёё Яя                  ║");
  EXPECT_EQ(row(rows, 3), "╚══════════════════════════════════════╝");
  for (int r = 0; r < 4; ++r) {
    SCOPED_TRACE("chart row " + std::to_string(r));
    std::string bytes;
    for (int b = r * 64; b < r * 64 + 64; ++b) bytes.push_back(b == telun::BELL ? ' ' : static_cast<char>(b));
    std::string want = utf8_string(bytes);
    want.erase(want.find_last_not_of(' ') + 1);
    EXPECT_EQ(row(rows, 22 + r), want);
  }
  const std::string inverse = row(tmux.rows_with_attributes(), 4);
  EXPECT_NE(inverse.find("\x1b[30m\x1b[47mИНВЕРСИЯ"), std::string::npos) << inverse;
  EXPECT_NE(inverse.find("\x1b[97m\x1b[40m pid="), std::string::npos) << inverse;
  EXPECT_EQ(tmux.cursor(), std::make_pair(3, FIRST_GROUP_ROW)) << "after \"1:\"";
}

TEST_F(KeyProbe, SmallTerminalGetsANoticeAndTheScreenComesBack) {
  tmux.send_keys({"a"});
  ASSERT_TRUE(tmux.wait_for("1: 97")) << tmux.last_screen();
  tmux.resize(60, 20);
  EXPECT_TRUE(tmux.wait_for("Окно терминала меньше 80x25")) << tmux.last_screen();
  EXPECT_EQ(tmux.capture().find("Проба"), std::string::npos) << "the notice replaces the screen";
  tmux.send_keys({"b"});  // read while the notice is shown
  tmux.resize(80, 25);
  EXPECT_TRUE(tmux.wait_for("1: 97 98")) << tmux.last_screen();
  const auto rows = tmux.rows();
  EXPECT_EQ(row(rows, 2), "║ Проба клавиш: Ёё Яя                  ║");
  EXPECT_EQ(tmux.capture().find("меньше"), std::string::npos) << tmux.capture();
  EXPECT_EQ(row(rows, 23).substr(0, 3), "@AB");
}

TEST_F(KeyProbe, EndingLeavesTheTerminalAsFound) {
  // One probe per way to end; each must end with the terminal's modes as
  // they were before it started.
  struct Case {
    const char* label;
    std::function<void(TmuxSession&, int pid)> end;
    const char* status;
  };
  const std::vector<Case> table = {
      {"Q", [](TmuxSession& t, int) { t.send_keys({"Q"}); }, "exit=0 modes=same"},
      {"Ctrl-C", [](TmuxSession& t, int) { t.send_keys({"C-c"}); }, "exit=130 modes=same"},
      {"SIGTERM", [](TmuxSession&, int pid) { ::kill(pid, SIGTERM); }, "exit=143 modes=same"},
      {"SIGHUP", [](TmuxSession&, int pid) { ::kill(pid, SIGHUP); }, "exit=129 modes=same"},
  };
  bool first = true;
  for (const Case& c : table) {
    SCOPED_TRACE(c.label);
    if (!first) {
      tmux.start(PROBE_THEN_STATUS);
      ASSERT_TRUE(tmux.wait_for("1:")) << tmux.last_screen();
    }
    first = false;
    const int pid = probe_pid();
    ASSERT_GT(pid, 0) << tmux.capture();
    c.end(tmux, pid);
    EXPECT_TRUE(tmux.wait_for(c.status)) << tmux.last_screen();
    EXPECT_EQ(tmux.capture().find("Проба"), std::string::npos) << "the program's screen is gone";
  }
}

TEST(KeyProbeStart, WithoutAUsableTerminalOneLineAndFailure) {
  struct Case {
    const char* label;
    std::string command;
    std::string message;
  };
  const std::vector<Case> table = {
      {"stdin not a terminal", PROBE + " </dev/null", "keyprobe: standard input is not a terminal"},
      {"stdout not a terminal", PROBE + " >/dev/null", "keyprobe: standard output is not a terminal"},
      {"unknown TERM", "TERM=unknown-term " + PROBE, "keyprobe: terminal type 'unknown-term' is not usable here"},
  };
  for (const Case& c : table) {
    SCOPED_TRACE(c.label);
    TmuxSession tmux;
    tmux.start("e=$(mktemp); " + c.command + " 2>$e; s=$?; echo \"exit=$s lines=$(wc -l <$e)\"; cat $e; rm -f $e; sleep 60");
    ASSERT_TRUE(tmux.wait_for("exit=")) << tmux.last_screen();
    const auto rows = tmux.rows();
    EXPECT_EQ(row(rows, 1), "exit=1 lines=1");
    EXPECT_EQ(row(rows, 2), c.message);
    for (int r = 3; r <= static_cast<int>(rows.size()); ++r) EXPECT_EQ(row(rows, r), "") << "row " << r;
  }
}

}  // namespace
}  // namespace telun::testing
