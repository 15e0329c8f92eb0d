#pragma once
// A TerminalConsole on a pseudo-terminal, for figures of what goes through
// the terminal backend. A thread drains what the terminal is sent, as a
// terminal emulator would, and counts the bytes.

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <thread>

#include "panel/terminal.h"

namespace telun {

class PtyConsole {
 public:
  PtyConsole() {
    winsize ws{};
    ws.ws_row = SCREEN_ROWS;
    ws.ws_col = SCREEN_COLUMNS;
    int slave = -1;
    if (::openpty(&master_, &slave, nullptr, nullptr, &ws) != 0) throw std::runtime_error("openpty failed");
    ::fcntl(master_, F_SETFL, O_NONBLOCK);
    in_ = ::fdopen(slave, "r");
    out_ = ::fdopen(::dup(slave), "w");
    console_ = std::make_unique<TerminalConsole>(in_, out_, "xterm-256color");
    drainer_ = std::thread([this] {
      char buf[65536];
      while (!stop_) {
        pollfd p{master_, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0) continue;
        for (ssize_t n; (n = ::read(master_, buf, sizeof buf)) > 0;) bytes_ += static_cast<std::uint64_t>(n);
      }
    });
  }
  ~PtyConsole() {
    console_.reset();
    stop_ = true;
    drainer_.join();
    std::fclose(in_);
    std::fclose(out_);
    ::close(master_);
  }
  PtyConsole(const PtyConsole&) = delete;
  PtyConsole& operator=(const PtyConsole&) = delete;

  TerminalConsole& console() { return *console_; }
  // Bytes the terminal has been sent so far.
  std::uint64_t bytes() const { return bytes_; }
  // Types bytes on the terminal's keyboard.
  void type(const char* keys, std::size_t n) { (void)!::write(master_, keys, n); }

 private:
  int master_ = -1;
  std::FILE* in_ = nullptr;
  std::FILE* out_ = nullptr;
  std::unique_ptr<TerminalConsole> console_;
  std::atomic<bool> stop_{false};
  std::atomic<std::uint64_t> bytes_{0};
  std::thread drainer_;
};

}  // namespace telun
