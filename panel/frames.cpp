#include "panel/frames.h"

namespace telun {

Frames::Frames(Console& console) : con_(console) {
  COMPUTER = COMP::IBM;
  TLCORNER = {0, 218, 201};
  TRCORNER = {0, 191, 187};
  BLCORNER = {0, 192, 200};
  BRCORNER = {0, 217, 188};
  VBAR = {0, 179, 186};
  HBAR = {0, 196, 205};
  KEYS = {KEY_PREFIX, KEY_UP, KEY_DOWN, KEY_RIGHT, KEY_LEFT};
}

void Frames::INVERSON() {
  con_.set_background(15);  // the console keeps the low three bits: 7, light grey
  con_.set_text_colour(0);
}

void Frames::INVERSOFF() {
  con_.set_background(0);
  con_.set_text_colour(15);
}

void Frames::WLINE(int column, int first_row, int length, int kind) {
  for (int k = 0; k < length; ++k) {
    con_.go_to(column, first_row + k);
    con_.write_char(VBAR[kind]);
  }
}

void Frames::GLINE(int row, int first_column, int length, int kind) {
  for (int k = 0; k < length; ++k) {
    con_.go_to(first_column + k, row);
    con_.write_char(HBAR[kind]);
  }
}

void Frames::BOX12(int X1, int Y1, int X2, int K, int CY, int CX, int Y2) {
  con_.go_to(X1, Y1);
  con_.write_char(TLCORNER[K]);
  con_.go_to(X1, Y2);
  con_.write_char(BLCORNER[K]);
  con_.go_to(X2, Y1);
  con_.write_char(TRCORNER[K]);
  con_.go_to(X2, Y2);
  con_.write_char(BRCORNER[K]);
  WLINE(X1, Y1 + 1, Y2 - Y1 - 1, K);
  WLINE(X2, Y1 + 1, Y2 - Y1 - 1, K);
  GLINE(Y1, X1 + 1, X2 - X1 - 1, K);
  GLINE(Y2, X1 + 1, X2 - X1 - 1, K);
  con_.go_to(CX, CY);
}

}  // namespace telun
