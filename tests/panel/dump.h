#pragma once
// Reading the in-memory screen as a person sees it, for screen tests.

#include <string>

#include "machine/cp866.h"
#include "panel/screen.h"

namespace telun {

// Row r of the screen as UTF-8 (byte 0 shown as a blank).
inline std::string screen_row(const ScreenConsole& con, int row) { return utf8_string(con.row_text(row)); }

// Row r's inverse video as a mask: '#' where a cell is black on light grey.
inline std::string inverse_mask(const ScreenConsole& con, int row) {
  std::string s;
  for (int c = 1; c <= SCREEN_COLUMNS; ++c) s.push_back(con.inverse_at(c, row) ? '#' : '.');
  return s;
}

// The whole screen as UTF-8 lines.
inline std::string screen_dump(const ScreenConsole& con) {
  std::string s;
  for (int r = 1; r <= SCREEN_ROWS; ++r) s += screen_row(con, r) + "\n";
  return s;
}

}  // namespace telun
