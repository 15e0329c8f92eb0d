// Moving the editing position over the page. Moves change no text and
// repaint nothing but the console cursor.
#include "workbench/workbench.h"

namespace telun {

void Workbench::HOME() {
  ROW = 1;
  COL = 1;
  PUTMARKER();
}

void Workbench::U() {
  if (ROW == 1) return;
  --ROW;
  PUTMARKER();
}

void Workbench::D() {
  if (ROW == PAGE_ROWS) return;
  ++ROW;
  PUTMARKER();
}

void Workbench::L() {
  if (COL != 1) {
    --COL;
    PUTMARKER();
  } else if (ROW != 1) {
    COL = PAGE_COLUMNS;
    U();
  }
}

void Workbench::RI() {
  if (COL != PAGE_COLUMNS) {
    ++COL;
    PUTMARKER();
  } else if (ROW != PAGE_ROWS) {
    COL = 1;
    D();
  }
}

void Workbench::TAB() {
  const int step = COL + 8 <= PAGE_COLUMNS ? 8 : PAGE_COLUMNS - COL;
  if (step == 0) return;
  COL += step;
  PUTMARKER();
}

}  // namespace telun
