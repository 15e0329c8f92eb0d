#pragma once
// A compiler on the in-memory screen, with the limet panel drawn, a page
// filled from lines of text, and the driver's preparation pass (comment
// filter and upper-casing) run before ANALIZ, as the workbench does it.

#include <gtest/gtest.h>

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/compiler.h"
#include "machine/cp866.h"
#include "panel/layout.h"
#include "panel/screen.h"
#include "tests/compiler/recording_view.h"

namespace telun {

// An instruction word written as in the listings: opcode (as 0b110) and
// three addresses.
constexpr int ins(int kop, int a1, int a2, int a3) { return kop * 4096 + a1 * 256 + a2 * 16 + a3; }

// The in-memory screen, counting moves of the output position: a compiler
// that ran away would never stop moving it.
class CountingScreen : public ScreenConsole {
 public:
  void go_to(int column, int row) override {
    if (++moves > limit) throw std::runtime_error("the compiler does not stop");
    ScreenConsole::go_to(column, row);
  }
  long moves = 0;
  long limit = 1'000'000;
};

struct CompilerBench {
  CountingScreen con;
  Frames fr{con};
  Machine m{LIMET_MACHINE};
  Panel p{m, fr, LIMET_PANEL};
  Source src;
  Compiler c{m, p, fr, src};
  RecordingView rec{m, p};
  // The place the preparation pass stopped at after a comment error; 0, 0
  // when it went through.
  int rem_row = 0, rem_col = 0;

  CompilerBench() {
    m.CLRALL();
    m.HILITE = -1;
    fr.INVERSOFF();
    p.INISCREEN();
    m.set_view(&rec);
  }

  // Every cell a value of its own, so that an unwritten cell is recognised.
  static int pattern(int cell) { return 0x5A00 + 37 * cell; }
  void fill_memory() {
    for (int a = 0; a < 16; ++a) m.set_cell(a, pattern(a));
    p.VIZUALALLMEM();
  }

  // Lines of text from row 1; a line longer than 24 characters runs on into
  // the next row, as the page has no line ends.
  void page(std::initializer_list<std::string_view> lines) { page(std::vector<std::string_view>(lines)); }
  void page(const std::vector<std::string_view>& lines) {
    src.PROG.clear();
    int row = 1;
    for (std::string_view line : lines) {
      row = put(row, 1, line);
      ++row;
    }
  }
  // Text from (row, col) on, running on across row ends; returns its last row.
  int put(int row, int col, std::string_view text) {
    for (char ch : text) {
      if (row > PAGE_ROWS) break;
      src.PROG(row, col) = static_cast<std::uint8_t>(ch);
      if (++col > PAGE_COLUMNS) {
        col = 1;
        ++row;
      }
    }
    return col == 1 && !text.empty() ? row - 1 : row;
  }

  // The driver's preparation pass; false after a comment error.
  bool prepare() {
    rem_row = rem_col = 0;
    c.REMFLAG = false;
    for (int r = 1; r <= PAGE_ROWS; ++r)
      for (int col = 1; col <= PAGE_COLUMNS; ++col) {
        c.CH = src.PROG(r, col);
        c.REM();
        if (c.COMPERR) {
          rem_row = r;
          rem_col = col;
          return false;
        }
        if (c.CH >= 'a' && c.CH <= 'z') c.CH = static_cast<std::uint8_t>(c.CH & 95);
        src.WPROG(r, col) = c.CH;
      }
    return true;
  }

  // Preparation and analysis of the page; true on success.
  bool compile() {
    rec.writes.clear();
    if (!prepare()) return false;
    c.COMPERR = false;
    c.ANALIZ();
    return !c.COMPERR;
  }

  int cell(int a) const { return m.value_of(a); }
  // Column 1 of the memory rows, cells 0..15: the compiler's marks.
  std::string marks() const {
    std::string s;
    for (int a = 0; a < 16; ++a) s += con.text_at(1, a + 4, 1);
    return s;
  }
  std::string message() const { return utf8_string(c.COMPMSG); }
};

// "PROGRAM T;", a VAR line, "BEGIN", the body lines, "END.".
inline std::vector<std::string> program(std::string_view vars, std::initializer_list<std::string_view> body) {
  std::vector<std::string> lines = {"PROGRAM T;", "VAR " + std::string(vars) + ":INTEGER;", "BEGIN"};
  for (std::string_view b : body) lines.emplace_back(b);
  lines.emplace_back("END.");
  return lines;
}

inline std::vector<std::string_view> views(const std::vector<std::string>& lines) {
  return {lines.begin(), lines.end()};
}

}  // namespace telun
