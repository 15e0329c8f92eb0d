#pragma once
// The LIMET source page and the shared text position: the editor's cursor
// and the compiler's reading position are the same ROW and COL.

#include <array>
#include <cstdint>

namespace telun {

inline constexpr int PAGE_ROWS = 14;
inline constexpr int PAGE_COLUMNS = 24;

// A page of source: 14 lines of 24 cp866 characters, numbered from 1, every
// place holding a character (blank = 32), no line ends.
struct LETTER {
  std::array<std::array<std::uint8_t, PAGE_COLUMNS + 1>, PAGE_ROWS + 1> at{};  // at[row][col]
  LETTER() { clear(); }
  void clear() {
    for (auto& r : at) r.fill(' ');
  }
  std::uint8_t& operator()(int row, int col) { return at[row][col]; }
  std::uint8_t operator()(int row, int col) const { return at[row][col]; }
  bool operator==(const LETTER&) const = default;
};

struct Source {
  LETTER PROG;   // the text as typed; changed only by the editor
  LETTER WPROG;  // the working copy the compiler reads
  int ROW = 1, COL = 1;        // the text position, 1..14 / 1..24
  int FIXROW = 1, FIXCOL = 1;  // the marked position
  void FIX() { FIXROW = ROW; FIXCOL = COL; }    // mark the current position
  void UNFIX() { ROW = FIXROW; COL = FIXCOL; }  // go back to the marked position
};

}  // namespace telun
