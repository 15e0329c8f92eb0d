#include "tests/terminal/tmux_session.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace telun::testing {

namespace {

std::vector<std::string> split_rows(const std::string& text) {
  std::vector<std::string> rows;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) rows.push_back(line);
  return rows;
}

}  // namespace

TmuxSession::TmuxSession() = default;

TmuxSession::~TmuxSession() { kill(); }

std::string TmuxSession::tmux(const std::vector<std::string>& args, bool quiet) const {
  std::vector<std::string> argv = {"tmux", "-L", socket_, "-f", "/dev/null"};
  argv.insert(argv.end(), args.begin(), args.end());
  int out[2];
  if (::pipe(out) != 0) throw std::runtime_error("pipe failed");
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    ::dup2(out[1], 1);
    if (quiet) ::dup2(::open("/dev/null", O_WRONLY), 2);
    ::close(out[0]);
    ::close(out[1]);
    ::setenv("LANG", "C.UTF-8", 1);
    ::setenv("LC_ALL", "C.UTF-8", 1);
    ::unsetenv("TMUX");
    std::vector<char*> cargv;
    for (auto& a : argv) cargv.push_back(a.data());
    cargv.push_back(nullptr);
    ::execvp("tmux", cargv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  std::string result;
  char buf[4096];
  for (ssize_t n; (n = ::read(out[0], buf, sizeof buf)) > 0;) result.append(buf, static_cast<std::size_t>(n));
  ::close(out[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return result;
}

void TmuxSession::start(const std::string& command, int columns, int rows, const std::string& term) {
  kill();
  static int servers = 0;  // a fresh socket for each start: a killed server may still be going
  socket_ = "telun-test-" + std::to_string(::getpid()) + "-" + std::to_string(++servers);
  started_ = true;
  tmux({"new-session", "-d", "-s", "main", "-x", std::to_string(columns), "-y", std::to_string(rows),
        "env", "TERM=" + term, "LANG=C.UTF-8", "LC_ALL=C.UTF-8", "sh", "-c", command});
}

void TmuxSession::send_keys(const std::vector<std::string>& keys) {
  std::vector<std::string> args = {"send-keys", "-t", "main"};
  args.insert(args.end(), keys.begin(), keys.end());
  tmux(args);
}

void TmuxSession::send_text(const std::string& text) {
  // tmux takes an argument that ends in ";" for the end of a command and
  // drops the ";": such a text goes as bytes.
  if (!text.empty() && text.back() == ';') {
    send_bytes(text);
    return;
  }
  tmux({"send-keys", "-t", "main", "-l", text});
}

void TmuxSession::send_bytes(std::string_view bytes) {
  std::vector<std::string> args = {"send-keys", "-t", "main", "-H"};
  for (unsigned char b : bytes) {
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02x", b);
    args.emplace_back(hex);
  }
  tmux(args);
}

void TmuxSession::resize(int columns, int rows) {
  tmux({"resize-window", "-t", "main", "-x", std::to_string(columns), "-y", std::to_string(rows)});
}

std::string TmuxSession::capture() const { return tmux({"capture-pane", "-p", "-t", "main"}); }

std::vector<std::string> TmuxSession::rows() const { return split_rows(capture()); }

std::vector<std::string> TmuxSession::rows_with_attributes() const {
  return split_rows(tmux({"capture-pane", "-p", "-e", "-t", "main"}));
}

std::pair<int, int> TmuxSession::cursor() const {
  int x = -1, y = -1;
  std::istringstream(tmux({"display-message", "-p", "-t", "main", "#{cursor_x} #{cursor_y}"})) >> x >> y;
  return {x + 1, y + 1};
}

bool TmuxSession::wait_until(const std::function<bool(const std::vector<std::string>&)>& done,
                             std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    last_screen_ = capture();
    if (done(split_rows(last_screen_))) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

bool TmuxSession::wait_for(const std::string& text, std::chrono::milliseconds timeout) {
  return wait_until(
      [&](const std::vector<std::string>&) { return last_screen_.find(text) != std::string::npos; },
      timeout);
}

void TmuxSession::kill() {
  if (!started_) return;
  tmux({"kill-server"}, true);
  started_ = false;
}

}  // namespace telun::testing
