#pragma once
// Sessions of telun and telunm on the in-memory console: the keys a pupil
// presses, the pauses at which a test looks at the screen, and the check
// that the panel agrees with the machine.

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "machine/cp866.h"
#include "panel/screen.h"
#include "simulator/simulator.h"

namespace telun::testing {

// The in-memory console with a key script in stages. When a blocking read
// finds the queue empty, the next checkpoint runs (it looks at the screen
// and queues the next keys); with none left the session ends. Keys can also
// arrive while a run polls the keyboard, after a number of polls.
class ScriptedConsole : public ScreenConsole {
 public:
  void then(std::function<void()> checkpoint) { checkpoints_.push_back(std::move(checkpoint)); }
  std::size_t checkpoints_left() const { return checkpoints_.size(); }
  // keys arrive after the run has found the queue empty `polls` times.
  void keys_after_polls(long polls, std::string keys) {
    polls_left_ = polls;
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
  // Called before every key read.
  std::function<void()> on_read;
  long empty_polls = 0;   // polls that found no key
  int writes_outside = 0; // characters written outside columns 1..80, rows 1..24

  void write_char(std::uint8_t ch) override {
    if (ch != BELL && (column() < 1 || column() > SCREEN_COLUMNS || row() < 1 || row() > 24)) ++writes_outside;
    ScreenConsole::write_char(ch);
  }
  std::uint8_t read_key() override {
    if (on_read) on_read();
    return ScreenConsole::read_key();
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
  Keys& enter() { codes_.push_back(static_cast<char>(KEY_ENTER)); return *this; }
  Keys& ext(std::uint8_t second, int times = 1) {
    for (int i = 0; i < times; ++i) {
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

// The W digits of a value, most significant first.
inline std::string number_digits(const SimulatorConfig& cfg, int value) {
  std::string s(static_cast<std::size_t>(cfg.machine.W), '0');
  for (int i = cfg.machine.W - 1; i >= 0; --i, value /= 2) s[static_cast<std::size_t>(i)] = static_cast<char>('0' + value % 2);
  return s;
}

// The digits of an instruction word.
inline std::string word_digits(const SimulatorConfig& cfg, int kop, int a1, int a2, int a3) {
  const int aw = cfg.machine.AW;
  return number_digits(cfg, (kop << (cfg.machine.W - 3)) + (a1 << (2 * aw)) + (a2 << aw) + a3);
}

// An address as the panel writes it: AW binary digits.
inline std::string address(const SimulatorConfig& cfg, int a) {
  std::string s;
  for (int i = cfg.machine.AW - 1; i >= 0; --i) s.push_back(static_cast<char>('0' + ((a >> i) & 1)));
  return s;
}

struct CellText {
  int cell;
  std::string digits;
};

// The pupil types the cells in order from the editor's start position
// (cell 0, leftmost digit): down to each cell, its W digits, Enter. The
// cursor ends on the leftmost digit of the cell after the last one typed.
inline Keys type_program(const std::vector<CellText>& cells) {
  Keys k;
  int at = 0;
  for (const CellText& c : cells) {
    k.down(c.cell - at).digits(c.digits).enter();
    at = c.cell + 1;
  }
  return k;
}

inline std::string trim_right(std::string s) {
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

// Rows 7..18 of the information window as UTF-8, from the first column of
// its text area to its right-hand frame, trailing blanks removed.
inline std::vector<std::string> info_rows(const ScreenConsole& con, const SimulatorConfig& cfg) {
  std::vector<std::string> rows;
  const int width = cfg.panel.info.x2 - cfg.clear_column;
  for (int r = 7; r <= 18; ++r) rows.push_back(trim_right(utf8_string(con.text_at(cfg.clear_column, r, width))));
  return rows;
}

// Expected rows 7..18, each given from the first column of the text area
// (trailing blanks do not count).
inline std::vector<std::string> window(std::vector<std::string> rows) {
  rows.resize(12);
  for (std::string& r : rows) r = trim_right(r);
  return rows;
}

// The run layout with the instruction's address, a phase label and the
// commentary from row 14; labels stand two columns in, commentary one.
inline std::vector<std::string> run_window(const std::string& pcstr, const std::string& label = "",
                                           const std::vector<std::string>& comments = {},
                                           const std::string& errors = "HET") {
  std::vector<std::string> rows = {"  ВЫПОЛНЕНО:", "  Команда " + pcstr, label.empty() ? "" : "  " + label,
                                   "  ОШИБКИ:", "  " + errors, "  КОММЕНТАРИИ:", ""};
  for (const std::string& c : comments) rows.push_back(c.empty() ? c : " " + c);
  return window(rows);
}

// The stop instruction's output line for a value, as on the machine screen.
inline std::string output_line(const SimulatorConfig& cfg, int value) {
  const std::string d = number_digits(cfg, value);
  const std::size_t aw = static_cast<std::size_t>(cfg.machine.AW);
  return d.substr(0, 3) + " " + d.substr(3, aw) + " " + d.substr(3 + aw, aw) + " " + d.substr(3 + 2 * aw, aw) +
         "   " + std::to_string(value);
}

// The three output lines from the output column, trailing blanks removed.
inline std::vector<std::string> output_lines(const ScreenConsole& con, const SimulatorConfig& cfg) {
  std::vector<std::string> lines;
  for (int r = 21; r <= 23; ++r) {
    lines.push_back(trim_right(con.text_at(cfg.panel.output_column, r, cfg.panel.output_width)));
  }
  return lines;
}

// The memory rows, PK, CM and CK on the screen agree with the machine, the
// executed cell alone is in inverse video, PC10 is the value of the PC
// digits, and every index is within its range.
void expect_panel_agrees(const ScreenConsole& con, const Simulator& sim);

// A program on the scripted console.
struct Session {
  explicit Session(const SimulatorConfig& c) : cfg(c), sim(con, c) {}
  const SimulatorConfig& cfg;
  ScriptedConsole con;
  Simulator sim;
  bool ended = false;  // the program ended by itself ("Q" answered a report)

  void keys(const std::string& k) { con.push_keys(k); }
  void then(std::function<void()> checkpoint) { con.then(std::move(checkpoint)); }
  // Runs until the program ends or the script does, then checks the panel.
  void run() {
    try {
      sim.run();
      ended = true;
    } catch (const ScriptEnded&) {
    }
    expect_panel_agrees(con, sim);
    EXPECT_EQ(con.writes_outside, 0);
    EXPECT_EQ(con.checkpoints_left(), 0u) << "the session ended before every checkpoint was reached";
  }
  std::vector<std::string> info() const { return info_rows(con, cfg); }
  int regim() const { return sim.machine().REGIM; }
  std::string indicator() const {
    return utf8_string(con.text_at(cfg.panel.indicator.column + 7, cfg.panel.indicator.row, 8));
  }
};

// Both programs, for tables over the two configurations.
struct Program {
  const char* name;
  const SimulatorConfig& cfg;
};
inline const Program PROGRAMS[] = {{"telun", TELUN}, {"telunm", TELUNM}};

}  // namespace telun::testing
