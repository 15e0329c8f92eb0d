// Reading the text: the position moves through the 336 places of WPROG in
// row order, with no line ends; keywords and operators are matched against
// SW; the comment filter blanks comments before the compilation.

#include "compiler/compiler.h"
#include "compiler/messages.h"

namespace telun {

std::uint8_t Compiler::at(int r, int c) {
  if (r < 1 || r > PAGE_ROWS || c < 1 || c > PAGE_COLUMNS) {
    ++stray_;  // never reached: every position is kept inside the page by STEP
    return ' ';
  }
  return src_.WPROG(r, c);
}

bool Compiler::STEP(int& r, int& c) {
  c += 1;
  if (c > PAGE_COLUMNS) {
    COMPERR = r == PAGE_ROWS;
    if (!COMPERR) {
      r += 1;
      c = 1;
    } else {
      c = PAGE_COLUMNS;
      COMPMSG = msg::NO_SYMBOL.str();
      return false;
    }
  }
  return true;
}

void Compiler::GETNEXTSYM() {
  src_.FIX();
  COMPERR = false;
  int r = src_.ROW, c = src_.COL;
  while (at(r, c) == ' ')
    if (!STEP(r, c)) return;  // only blanks to the end: the position stays
  src_.ROW = r;
  src_.COL = c;
  Console& con = fr_.console();
  con.go_to(60, 22);
  con.write_char(src_.PROG(r, c));  // as typed, so a small letter shows small
  con.end_line();
}

void Compiler::STEPGETNEXT() {
  if (!STEP(src_.ROW, src_.COL)) return;
  GETNEXTSYM();
}

void Compiler::CHK1SYM(std::uint8_t ch) {
  COMPERR = here() != ch;
  if (COMPERR) {
    COMPMSG = msg::EXPECTED.str();
    COMPMSG.push_back(static_cast<char>(ch));
  }
}

void Compiler::STEPCHK1SYM(std::uint8_t ch) {
  STEPGETNEXT();
  if (!COMPERR) CHK1SYM(ch);
}

void Compiler::CHKSW(int& result, int first, int last) {
  result = 0;
  const int start_row = src_.ROW, start_col = src_.COL;
  for (int k = first; k <= last; ++k) {
    int r = start_row, c = start_col;
    bool match = true;
    for (char want : SW[k]) {
      if (want == '#') break;
      if (at(r, c) != static_cast<std::uint8_t>(want)) {
        match = false;
        break;
      }
      if (!STEP(r, c)) return;  // the text ends inside the word: nothing found, no mark
    }
    if (match) {
      result = k;
      src_.ROW = r;
      src_.COL = c;
      GETNEXTSYM();
      break;
    }
  }
  src_.FIXROW = start_row;
  src_.FIXCOL = start_col;
}

bool Compiler::VARNAM() {
  CH = here();
  return CH >= 'A' && CH <= 'Z';
}

bool Compiler::CIFRA() {
  CH = here();
  return CH >= '0' && CH <= '9';
}

void Compiler::CHKZNAK(int& code) {
  int k = 0;
  CHKSW(k, 20, 23);  // + - * DIV
  if (k != 0) {
    code = k - 19;
    return;
  }
  CHKSW(k, 4, 4);  // :=
  if (k != 0) {
    code = sym::ASSIGN;
    return;
  }
  CHKSW(k, 11, 18);  // END THEN ELSE DOWNTO TO DO UNTIL ;
  if (k != 0) {
    code = k - 5;
    return;
  }
  CHKSW(k, 24, 29);  // the relations
  code = k != 0 ? sym::RELATION_CODE[static_cast<std::size_t>(k - 24)] : sym::NONE;
}

void Compiler::REM() {
  const int row = rem_place_ / PAGE_COLUMNS + 1;
  const int col = rem_place_ % PAGE_COLUMNS + 1;
  REM(row, col);
}

void Compiler::REM(int row, int col) {
  COMPERR = false;
  if (REMFLAG) {
    if (CH == '}') {
      REMFLAG = false;
    } else if (CH == '{') {
      COMPERR = true;  // comments do not nest
      COMPMSG = msg::EXPECTED.str() + "}";
    }
    CH = ' ';
  } else if (CH == '{') {
    CH = ' ';
    REMFLAG = true;
  }
  if (row == PAGE_ROWS && col == PAGE_COLUMNS && REMFLAG) {
    COMPERR = true;
    COMPMSG = msg::NO_BRACE.str();
  }
  // The place after this one; a pass ends at the last place or at an error.
  const bool inside = row >= 1 && row <= PAGE_ROWS && col >= 1 && col <= PAGE_COLUMNS;
  rem_place_ = inside ? (row - 1) * PAGE_COLUMNS + col : 0;
  if (COMPERR || rem_place_ >= PAGE_ROWS * PAGE_COLUMNS) rem_place_ = 0;
}

}  // namespace telun
