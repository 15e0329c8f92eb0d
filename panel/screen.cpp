#include "panel/screen.h"

#include <string>

namespace telun {

ScreenConsole::ScreenConsole() { clear(); }

void ScreenConsole::clear() {
  for (auto& c : cells_) c = ScreenCell{' ', fg_, bg_};
  column_ = 1;
  row_ = 1;
  ++version_;
}

void ScreenConsole::go_to(int column, int row) {
  column_ = column;
  row_ = row;
  ++version_;
}

void ScreenConsole::put(std::uint8_t ch) {
  if (ch == BELL) {
    ++bells_;
    on_bell();
    return;
  }
  if (column_ >= 1 && column_ <= SCREEN_COLUMNS && row_ >= 1 && row_ <= SCREEN_ROWS)
    cells_[index(column_, row_)] = ScreenCell{ch, fg_, bg_};
  ++column_;
}

void ScreenConsole::write_char(std::uint8_t ch) {
  put(ch);
  ++version_;
}

void ScreenConsole::write(std::string_view text) {
  for (char c : text) put(static_cast<std::uint8_t>(c));
  ++version_;
}

void ScreenConsole::write_int(int value) { write(std::to_string(value)); }

void ScreenConsole::end_line() {
  column_ = 1;
  ++row_;
  ++version_;
}

void ScreenConsole::set_background(int colour) { bg_ = static_cast<std::uint8_t>(colour & 7); }

void ScreenConsole::set_text_colour(int colour) { fg_ = static_cast<std::uint8_t>(colour & 15); }

bool ScreenConsole::key_waiting() {
  if (keys_.empty()) poll_keys();
  return !keys_.empty();
}

std::uint8_t ScreenConsole::read_key() {
  while (keys_.empty()) wait_for_key();
  std::uint8_t k = keys_.front();
  keys_.pop_front();
  return k;
}

std::string ScreenConsole::row_text(int row) const { return text_at(1, row, SCREEN_COLUMNS); }

std::string ScreenConsole::text_at(int column, int row, int length) const {
  std::string s;
  for (int c = column; c < column + length && c <= SCREEN_COLUMNS; ++c)
    s.push_back(static_cast<char>(cells_[index(c, row)].ch));
  return s;
}

bool ScreenConsole::inverse_at(int column, int row) const {
  const ScreenCell& c = cell(column, row);
  return c.bg == 7 && c.fg == 0;
}

}  // namespace telun
