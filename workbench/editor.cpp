// The editor's key loop: printable keys are inserted, Enter, Tab and
// delete-left edit, the arrows move, F1 to F5 choose the mode, compile or
// clear the program. It ends when a run is asked for.
#include "workbench/texts.h"
#include "workbench/workbench.h"

namespace telun {

namespace {

// The answers to the F5 question that clear the program.
bool is_yes(std::uint8_t key) {
  return key == 132 /* Д */ || key == 164 /* д */ || key == 'D' || key == 'd';  // Latin D, d
}

}  // namespace

void Workbench::EDIT(LETTER& text) {
  do {
    CH = con_.read_key();
    if (CH >= 32 && CH != BSKEY) SYM(text);
    ESCFLAG = CH == KEY_ESCAPE && !con_.key_waiting();
    if (CH == frames_.KEYS[0] && con_.key_waiting()) {
      CH = con_.read_key();
      if (CH == '?') CLEARQUESTION();  // F5
      if (CH == ';') REGIM = 2;        // F1: automatic run
      if (CH == '<') REGIM = 1;        // F2: the editor
      if (CH == '=') REGIM = 3;        // F3: step by step
      if (CH == '>') COMPILE();        // F4
      CH &= 95;  // a small Latin letter counts as its capital
      if (CH == frames_.KEYS[1]) {
        U();
      } else if (CH == frames_.KEYS[2]) {
        D();
      } else if (CH == frames_.KEYS[3]) {
        RI();
      } else if (CH == frames_.KEYS[4]) {
        L();
      }
    }
    if (CH == KEY_ENTER) WK(text);
    if (CH == KEY_TAB) TAB();
    if (CH == BSKEY) BS(text);
  } while (!ESCFLAG && REGIM == 1);
}

void Workbench::CLEARQUESTION() {
  const BoxLayout& w = panel_.layout().program;
  con_.go_to(w.x1 + 1, w.y1 + 1);
  frames_.INVERSON();
  con_.write(wbtext::CLEAR_QUESTION);
  frames_.INVERSOFF();
  con_.end_line();
  CH = con_.read_key();
  if (is_yes(CH)) {
    INIPROG();
  } else {
    SHOWPROG();  // over the question
  }
  HOME();
  CH = '?';  // the answer is no command
}

}  // namespace telun
