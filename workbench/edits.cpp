// The three operations that change the text: insert a character, split a
// line (Enter), delete left or join a line to the one above. Each repaints
// only the places it changed.
//
// None of them ever drops a character of the pupil's text: where the line or
// the page has no room for what the key would move, the key is refused with
// the bell and neither the text nor the position changes.
#include "workbench/workbench.h"

namespace telun {

namespace {

// Column of the last non-blank place of line r, 0 for a blank line.
int last_text_column(const LETTER& text, int r) {
  for (int c = PAGE_COLUMNS; c >= 1; --c)
    if (text(r, c) != ' ') return c;
  return 0;
}

}  // namespace

void Workbench::SYM(LETTER& text) {
  if (!CHANGED) CHANGE();
  // A character at column 24 would be pushed off the line.
  if (text(ROW, PAGE_COLUMNS) != ' ') {
    con_.write_char(BELL);
    return;
  }
  for (int k = PAGE_COLUMNS; k > COL; --k) text(ROW, k) = text(ROW, k - 1);
  text(ROW, COL) = CH;
  paint_line(text, ROW, COL);
  PUTMARKER();
  RI();
}

void Workbench::WK(LETTER& text) {
  if (!CHANGED) CHANGE();
  if (ROW == PAGE_ROWS) {
    PUTMARKER();
    return;
  }
  // Line 14 would be pushed off the page.
  if (last_text_column(text, PAGE_ROWS) != 0) {
    con_.write_char(BELL);
    return;
  }
  for (int i = PAGE_ROWS; i >= ROW + 2; --i) {
    text.at[static_cast<std::size_t>(i)] = text.at[static_cast<std::size_t>(i - 1)];
    paint_line(text, i);
  }
  for (int c = 1; c <= PAGE_COLUMNS; ++c) {
    const int from = COL + c - 1;
    text(ROW + 1, c) = from <= PAGE_COLUMNS ? text(ROW, from) : ' ';
  }
  paint_line(text, ROW + 1);
  for (int c = COL; c <= PAGE_COLUMNS; ++c) text(ROW, c) = ' ';
  paint_line(text, ROW, COL);
  COL = 1;
  D();
  PUTMARKER();
}

void Workbench::BS(LETTER& text) {
  if (!CHANGED) CHANGE();
  if (ROW == 1 && COL == 1) return;
  if (COL > 1) {
    L();
    for (int k = COL; k < PAGE_COLUMNS; ++k) text(ROW, k) = text(ROW, k + 1);
    text(ROW, PAGE_COLUMNS) = ' ';
    paint_line(text, ROW, COL);
    PUTMARKER();
    return;
  }
  // Join this line to the end of the one above: k is the first place after
  // that line's text, 25 when the line is full.
  const int r = ROW - 1;
  const int k = last_text_column(text, r) + 1;
  // The part of this line that would not fit after it would be lost.
  if (last_text_column(text, ROW) > PAGE_COLUMNS + 1 - k) {
    con_.write_char(BELL);
    return;
  }
  L();
  while (COL > k) L();
  for (int c = k, j = 1; c <= PAGE_COLUMNS; ++c, ++j) text(r, c) = text(r + 1, j);
  if (k <= PAGE_COLUMNS) paint_line(text, r, k);
  for (int i = r + 1; i < PAGE_ROWS; ++i) {
    text.at[static_cast<std::size_t>(i)] = text.at[static_cast<std::size_t>(i + 1)];
    paint_line(text, i);
  }
  text.at[PAGE_ROWS].fill(' ');
  paint_line(text, PAGE_ROWS);
  PUTMARKER();
}

}  // namespace telun
