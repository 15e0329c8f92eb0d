// The compile driver: the working copy of the page with the comments
// blanked and the small Latin letters made capitals, the compiler's program
// analysis on it, and the outcome on the machine screen with the editing
// position on the place of an error. Also the help on the allowed
// constructions that start-up shows in the program window.
#include "workbench/texts.h"
#include "workbench/workbench.h"

namespace telun {

namespace {

void write_at(Console& con, int column, int row, std::string_view text) {
  con.go_to(column, row);
  con.write(text);
}

}  // namespace

void Workbench::COMPILE() {
  if (!CHANGED) return;  // the program in memory is this text's
  panel_.CLRDISP();
  write_at(con_, 50, 21, wbtext::COMPILING);
  const int mode = REGIM;
  REGIM = 4;
  panel_.REGIND();
  // A comment error keeps the text marked changed and mode 4 in force.
  if (!prepare()) return;
  compiler_.ANALIZ();
  if (compiler_.COMPERR) {
    src_.UNFIX();
    write_at(con_, 50, 21, wbtext::COMPILE_ERROR);
    // The symbol the scanner reached last stays at column 60 behind the label.
    write_at(con_, 50, 22, wbtext::SYMBOL_LABEL);
    write_at(con_, 50, 23, compiler_.COMPMSG);
  }
  const BoxLayout& w = panel_.layout().program;
  frames_.GLINE(w.y2, w.x1 + 1, 3, w.kind);  // the frame under " * "
  CHANGED = false;
  REGIM = mode;
  panel_.REGIND();
  PUTMARKER();
  CH = 0;
}

bool Workbench::prepare() {
  compiler_.REMFLAG = false;
  for (int r = 1; r <= PAGE_ROWS; ++r) {
    for (int c = 1; c <= PAGE_COLUMNS; ++c) {
      CH = PROG(r, c);
      compiler_.REM(r, c);
      if (compiler_.COMPERR) {
        write_at(con_, 50, 21, wbtext::COMPILE_ERROR);
        write_at(con_, 50, 22, wbtext::SYMBOL_LABEL);
        con_.write_char(PROG(r, c));  // at column 59
        write_at(con_, 50, 23, compiler_.COMPMSG);
        ROW = r;
        COL = c;
        PUTMARKER();
        return false;
      }
      if (CH >= 'a' && CH <= 'z') CH &= 95;
      src_.WPROG(r, c) = CH;
    }
  }
  return true;
}

void Workbench::show_help() {
  const int column = panel_.layout().program.x1 + 1;
  frames_.INVERSON();
  write_at(con_, column, 13, wbtext::HELP_TITLE);
  frames_.INVERSOFF();
  int row = 14;
  for (std::string_view line : wbtext::HELP_LINES) write_at(con_, column, row++, line);
}

}  // namespace telun
