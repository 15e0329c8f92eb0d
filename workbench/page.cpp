// The page in the program window: the template a new program starts from,
// the painting of its lines, the mark of a changed text, and the console
// cursor that shows the editing position. Place (r, c) of the page stands
// at the window's corner plus (c, r).
#include "workbench/texts.h"
#include "workbench/workbench.h"

namespace telun {

void Workbench::PUTMARKER() {
  const BoxLayout& w = panel_.layout().program;
  con_.go_to(COL + w.x1, ROW + w.y1);
}

void Workbench::CHANGE() {
  CHANGED = true;
  panel_.VIZUALALLMEM();  // the cells the compiler wrote lose their inverse video
  const BoxLayout& w = panel_.layout().program;
  con_.go_to(w.x1 + 1, w.y2);
  con_.write(wbtext::CHANGED_MARK);
  // The compiler's marks beside the memory cells go.
  for (int cell = 0; cell < machine_.N(); ++cell) {
    con_.go_to(1, panel_.layout().row_of_cell(cell));
    con_.write_char(' ');
  }
  PUTMARKER();
}

void Workbench::COPYSW(int k, int line, int column) {
  const std::string_view entry = SW[static_cast<std::size_t>(k)];
  for (std::size_t i = 0; i < entry.size() && entry[i] != '#'; ++i)
    PROG(line, column + static_cast<int>(i)) = static_cast<std::uint8_t>(entry[i]);
}

void Workbench::paint_line(const LETTER& text, int r, int from) {
  const BoxLayout& w = panel_.layout().program;
  con_.go_to(from + w.x1, r + w.y1);
  for (int c = from; c <= PAGE_COLUMNS; ++c) con_.write_char(text(r, c));
}

void Workbench::SHOWPROG() {
  for (int r = 1; r <= PAGE_ROWS; ++r) paint_line(PROG, r);
}

void Workbench::INIPROG() {
  PROG.clear();
  COPYSW(1, 1, 1);  // PROGRAM
  PROG(1, 10) = ';';
  COPYSW(2, 2, 1);  // VAR
  PROG(2, 6) = ':';
  COPYSW(10, 2, 7);  // INTEGER
  PROG(2, 14) = ';';
  COPYSW(3, 3, 1);  // BEGIN
  COPYSW(11, 5, 1);  // END
  PROG(5, 4) = '.';
  ROW = 1;
  COL = 1;
  CHANGE();
  SHOWPROG();
}

}  // namespace telun
