#pragma once
// A program on the in-memory console with a key script in stages, and the
// keys as a pupil types them: what the session tests of every program use.

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "panel/screen.h"

namespace telun::testing {

// The in-memory console with a key script in stages. When a blocking read
// finds the queue empty, the next checkpoint runs (it looks at the screen
// and may queue the next keys); with none left the session ends. Keys can
// also arrive while a run polls the keyboard, after a number of polls.
class ScriptedConsole : public ScreenConsole {
 public:
  void then(std::function<void()> checkpoint) { checkpoints_.push_back(std::move(checkpoint)); }
  std::size_t checkpoints_left() const { return checkpoints_.size(); }
  // keys arrive after a run has found the queue empty `count` times.
  void keys_after_polls(long count, std::string keys) {
    polls_left_ = count;
    later_ = std::move(keys);
  }
  // A long stream of keys handed out a key or two at a time, the way a
  // pupil types: at each blocking read that finds the queue empty, and
  // during a run after a few polls. A two-code key always comes whole. When
  // the stream is used up, the next read or poll ends the session.
  void feed(std::string stream, std::uint32_t seed) {
    stream_ = std::move(stream);
    at_ = 0;
    rng_ = seed;
  }
  std::size_t stream_left() const { return stream_.size() - at_; }

  std::function<void()> on_read;                 // called before every key read
  std::function<void(std::uint8_t)> after_read;  // called with every code read
  // Called before every byte but the bell is written, with its place.
  std::function<void(int column, int row, std::uint8_t ch)> on_write;
  long empty_polls = 0;    // polls that found no key
  int writes_outside = 0;  // characters written outside columns 1..80, rows 1..24

  void write_char(std::uint8_t ch) override {
    if (ch != BELL) seen(column(), row(), ch);
    ScreenConsole::write_char(ch);
  }
  void write(std::string_view text) override {
    for (std::size_t i = 0; i < text.size(); ++i)
      if (static_cast<std::uint8_t>(text[i]) != BELL)
        seen(column() + static_cast<int>(i), row(), static_cast<std::uint8_t>(text[i]));
    ScreenConsole::write(text);
  }
  std::uint8_t read_key() override {
    if (on_read) on_read();
    const std::uint8_t code = ScreenConsole::read_key();
    if (after_read) after_read(code);
    return code;
  }

 protected:
  void wait_for_key() override {
    if (!stream_.empty()) {
      feed_some();
      return;
    }
    if (checkpoints_.empty()) throw ScriptEnded();
    auto next = std::move(checkpoints_.front());
    checkpoints_.pop_front();
    next();
    if (keys_.empty()) throw ScriptEnded();
  }
  void poll_keys() override {
    ++empty_polls;
    if (!stream_.empty()) {
      if (next_random() % 50 == 0) feed_some();  // a run goes on for a while, then a key comes
    } else if (!later_.empty() && --polls_left_ <= 0) {
      push_keys(later_);
      later_.clear();
    }
  }

 private:
  void seen(int column, int row, std::uint8_t ch) {
    if (column < 1 || column > SCREEN_COLUMNS || row < 1 || row > 24) ++writes_outside;
    if (on_write) on_write(column, row, ch);
  }
  std::uint32_t next_random() {
    rng_ = rng_ * 1664525u + 1013904223u;
    return rng_ >> 8;
  }
  // One key, sometimes two typed quickly.
  void feed_some() {
    if (at_ >= stream_.size()) throw ScriptEnded();
    const int count = next_random() % 4 == 0 ? 2 : 1;
    for (int k = 0; k < count && at_ < stream_.size(); ++k) {
      const bool two_codes = static_cast<std::uint8_t>(stream_[at_]) == KEY_PREFIX && at_ + 1 < stream_.size();
      push_keys(std::string_view(stream_).substr(at_, two_codes ? 2 : 1));
      at_ += two_codes ? 2 : 1;
    }
  }
  std::string stream_;
  std::size_t at_ = 0;
  std::uint32_t rng_ = 1;
  std::deque<std::function<void()>> checkpoints_;
  long polls_left_ = 0;
  std::string later_;
};

// Key codes as a pupil types them.
class Keys {
 public:
  Keys& text(std::string_view s) { codes_ += s; return *this; }
  // Digits typed one by one (blanks in the text only group them).
  Keys& digits(std::string_view d) {
    for (char c : d)
      if (c != ' ') codes_.push_back(c);
    return *this;
  }
  Keys& enter(int n = 1) { return code(KEY_ENTER, n); }
  Keys& bs(int n = 1) { return code(KEY_BACKSPACE, n); }
  Keys& tab(int n = 1) { return code(KEY_TAB, n); }
  Keys& esc() { return code(KEY_ESCAPE, 1); }
  Keys& code(std::uint8_t c, int n = 1) {
    codes_.append(static_cast<std::size_t>(n), static_cast<char>(c));
    return *this;
  }
  Keys& ext(std::uint8_t second, int n = 1) {
    for (int i = 0; i < n; ++i) {
      codes_.push_back(static_cast<char>(KEY_PREFIX));
      codes_.push_back(static_cast<char>(second));
    }
    return *this;
  }
  Keys& up(int n = 1) { return ext(KEY_UP, n); }
  Keys& down(int n = 1) { return ext(KEY_DOWN, n); }
  Keys& left(int n = 1) { return ext(KEY_LEFT, n); }
  Keys& right(int n = 1) { return ext(KEY_RIGHT, n); }
  Keys& f(int n) { return ext(static_cast<std::uint8_t>(KEY_F1 + n - 1)); }
  operator std::string() const { return codes_; }
  const std::string& str() const { return codes_; }

 private:
  std::string codes_;
};

inline std::string trim_right(std::string s) {
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

}  // namespace telun::testing
