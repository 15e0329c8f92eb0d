#pragma once
// The in-memory 80x25 console: the truth about what is on the screen, and a
// queue of key codes. Tests read it and feed it keys; the terminal and the
// browser backends derive from it, render it and fill the key queue.

#include <array>
#include <cstdint>
#include <deque>
#include <stdexcept>
#include <string>
#include <string_view>

#include "panel/console.h"

namespace telun {

struct ScreenCell {
  std::uint8_t ch = ' ';   // cp866 byte
  std::uint8_t fg = 7;     // text colour 0..15
  std::uint8_t bg = 0;     // background colour 0..7
  bool operator==(const ScreenCell&) const = default;
};

// Thrown by a ScreenConsole with no backend when a blocking read finds the
// key script empty: the scripted session is over.
struct ScriptEnded : std::runtime_error {
  ScriptEnded() : std::runtime_error("key script ended") {}
};

class ScreenConsole : public Console {
 public:
  ScreenConsole();

  void clear() override;
  void go_to(int column, int row) override;
  void write_char(std::uint8_t ch) override;
  void write(std::string_view text) override;
  void write_int(int value) override;
  void end_line() override;
  void set_background(int colour) override;
  void set_text_colour(int colour) override;
  bool key_waiting() override;
  std::uint8_t read_key() override;

  // Key queue.
  void push_key(std::uint8_t code) { keys_.push_back(code); }
  void push_keys(std::string_view codes) {
    for (char c : codes) keys_.push_back(static_cast<std::uint8_t>(c));
  }
  void push_extended(std::uint8_t second) { keys_.push_back(KEY_PREFIX); keys_.push_back(second); }
  std::size_t keys_left() const { return keys_.size(); }

  // What is on the screen.
  const ScreenCell& cell(int column, int row) const { return cells_[index(column, row)]; }
  // The cp866 bytes of a row, all 80 columns (byte 0 as stored).
  std::string row_text(int row) const;
  // length bytes from (column, row).
  std::string text_at(int column, int row, int length) const;
  // The cell has the colours of inverse video (black on light grey).
  bool inverse_at(int column, int row) const;
  int column() const { return column_; }
  int row() const { return row_; }
  int text_colour() const { return fg_; }
  int background() const { return bg_; }
  int bells() const { return bells_; }
  // Grows with every change of the grid or the output position, so a
  // renderer can skip a screen that did not change.
  std::uint64_t version() const { return version_; }

 protected:
  // Backend hooks. wait_for_key is called by read_key with an empty queue and
  // must queue at least one code or throw; poll_keys is called by key_waiting
  // with an empty queue; on_bell after a bell has been counted.
  virtual void wait_for_key() { throw ScriptEnded(); }
  virtual void poll_keys() {}
  virtual void on_bell() {}
  std::deque<std::uint8_t> keys_;

 private:
  void put(std::uint8_t ch);  // one byte at the output position
  static int index(int column, int row) { return (row - 1) * SCREEN_COLUMNS + (column - 1); }
  std::array<ScreenCell, SCREEN_COLUMNS * SCREEN_ROWS> cells_{};
  int column_ = 1, row_ = 1;   // output position, 1-based; may stand past the edge
  std::uint8_t fg_ = 7, bg_ = 0;
  int bells_ = 0;
  std::uint64_t version_ = 0;
};

}  // namespace telun
