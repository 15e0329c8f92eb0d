// Start-up and the main loop of limet: edit, compile when the text changed,
// run the compiled program from cell 0 automatically or step by step, and
// back to the editor, until "Q" stops a run.
#include "workbench/workbench.h"

#include "workbench/texts.h"

namespace telun {

Workbench::Workbench(Console& console)
    : con_(console),
      frames_(console),
      machine_(LIMET_MACHINE),
      panel_(machine_, frames_, LIMET_PANEL),
      compiler_(machine_, panel_, frames_, src_),
      REGIM(machine_.REGIM),
      CH(compiler_.CH),
      PROG(src_.PROG),
      ROW(src_.ROW),
      COL(src_.COL) {}

void Workbench::INIVAR() {
  // The console kind, the frame tables and KEYS are set up by frames_, the
  // mode names are the panel layout's.
  BSKEY = KEY_BACKSPACE;
}

void Workbench::startup() {
  INIVAR();
  machine_.CLRALL();
  machine_.HILITE = -1;
  frames_.INVERSOFF();
  panel_.INISCREEN();
  INIPROG();
  show_help();
  HOME();
  SAVEROW = 1;
  SAVECOL = 1;
  CH = ' ';
}

void Workbench::run() {
  startup();
  while (CH != 'Q') {
    REGIM = 1;
    panel_.REGIND();
    ROW = SAVEROW;
    COL = SAVECOL;
    PUTMARKER();
    EDIT(PROG);
    SAVEROW = ROW;
    SAVECOL = COL;
    COMPILE();
    if (compiler_.COMPERR) {
      // Editing resumes on the place of the error.
      SAVEROW = ROW;
      SAVECOL = COL;
    } else {
      RUN();
    }
  }
  con_.go_to(1, 1);
}

void Workbench::RUN() {
  if (REGIM == 1) REGIM = 2;  // Escape runs like F1
  panel_.REGIND();
  panel_.VIZUALALLMEM();
  panel_.CLRDISP();
  machine_.PCSTR = "   ";
  machine_.reset_pc();
  panel_.VIZUALPC();
  machine_.STOPFLAG = false;
  machine_.ERRMSG.clear();
  do {
    machine_.KOMANDA();
    machine_.CELL = machine_.HILITE;  // the cell of the instruction just executed
    if (REGIM > 2 && !machine_.STOPFLAG) WAIT();
    machine_.HILITE = -1;
    panel_.VIZUALMEM();
  } while (!machine_.STOPFLAG && !con_.key_waiting() && REGIM != 1);
  if (con_.key_waiting()) {
    CH = con_.read_key();
    while (con_.key_waiting()) con_.read_key();  // typed ahead: lost
  }
  if (REGIM == 1) return;  // F2 in a pause
  if (!machine_.ERRMSG.empty()) {
    con_.go_to(49, 22);
    con_.write(wbtext::INSTRUCTION);
    con_.write(machine_.PCSTR);
    con_.write(", ");
    con_.write(machine_.ERRMSG);
    con_.go_to(50, 21);
    con_.write(wbtext::RUN_ERROR);
    con_.write_char(BELL);
  } else if (!machine_.STOPFLAG) {
    con_.go_to(50, 21);
    con_.write(wbtext::STOP_BY_KEY);
  }
}

void Workbench::WAIT() {
  const std::uint8_t first = con_.read_key();
  CH = first;
  if (con_.key_waiting()) {
    CH = con_.read_key();  // the second code of an extended key
    if (CH == '<') REGIM = 1;  // F2
    // PgDn's second code is the code of "Q": it must not end the program
    // and take the pupil's text with it.
    if (first == KEY_PREFIX && CH == 'Q') CH = first;
  }
}

}  // namespace telun
