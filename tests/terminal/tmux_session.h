#pragma once
// A program in a private tmux server, for tests of what only a real
// terminal shows. Each session has a server of its own (its own socket), so
// tests may run side by side; the server is killed when the object goes.
//
//   TmuxSession tmux;
//   tmux.start(TELUN_BUILD_DIR "/telun");
//   ASSERT_TRUE(tmux.wait_for("ПАМЯТЬ"));
//   tmux.send_keys({"F1"});
//   EXPECT_EQ(tmux.rows()[2], "...");

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace telun::testing {

class TmuxSession {
 public:
  static constexpr std::chrono::milliseconds DEFAULT_WAIT{5000};

  TmuxSession();
  ~TmuxSession();
  TmuxSession(const TmuxSession&) = delete;
  TmuxSession& operator=(const TmuxSession&) = delete;

  // Runs command (through sh -c) in a new pane, on a new server, of columns x rows with TERM
  // set to term and a UTF-8 locale (LANG=LC_ALL=C.UTF-8).
  void start(const std::string& command, int columns = 80, int rows = 25,
             const std::string& term = "xterm-256color");
  // Keys by tmux's names ("F1", "Up", "Enter", "BSpace", "Escape", "C-c", "x").
  void send_keys(const std::vector<std::string>& keys);
  // Text typed as it is (UTF-8).
  void send_text(const std::string& text);
  // Bytes sent to the program as they are, in one piece.
  void send_bytes(std::string_view bytes);
  // Changes the size of the pane's window.
  void resize(int columns, int rows);

  // The pane's rows, UTF-8, trailing blanks removed.
  std::vector<std::string> rows() const;
  // The pane as one text, rows joined by newlines.
  std::string capture() const;
  // The pane's rows with colours and attributes as escape sequences.
  std::vector<std::string> rows_with_attributes() const;
  // The hardware cursor: column and row, 1-based.
  std::pair<int, int> cursor() const;

  // Polls the pane until done(rows()) or the time is up; the last rows are
  // kept for a failure message (last_rows()).
  bool wait_until(const std::function<bool(const std::vector<std::string>&)>& done,
                  std::chrono::milliseconds timeout = DEFAULT_WAIT);
  // Waits until text appears anywhere in the pane.
  bool wait_for(const std::string& text, std::chrono::milliseconds timeout = DEFAULT_WAIT);
  // What the pane showed when the last wait ended.
  const std::string& last_screen() const { return last_screen_; }

  // Kills the server (and so the program); done by the destructor and by
  // the next start too.
  void kill();

 private:
  // Runs tmux with args on this session's socket; returns its standard
  // output. quiet: its complaints are not shown.
  std::string tmux(const std::vector<std::string>& args, bool quiet = false) const;

  std::string socket_;       // name of the private server's socket
  bool started_ = false;     // a server may be running
  std::string last_screen_;  // the pane at the end of the last wait
};

}  // namespace telun::testing
