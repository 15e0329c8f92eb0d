#pragma once
// The LIMET workbench, limet: the pupil's program on a page of 14 lines of
// 24 characters in the program window, its editor, the compile driver that
// turns the page into machine code, and the runs of that code on the
// TELUN-M machine with its panel, all on one console.
//
// The editing position (ROW, COL) is the compiler's reading position too,
// and the last key code CH is the one the compiler's comment filter works
// on: both are shared, not copied.

#include <cstdint>

#include "compiler/compiler.h"
#include "compiler/source.h"
#include "machine/machine.h"
#include "panel/console.h"
#include "panel/frames.h"
#include "panel/panel.h"

namespace telun {

class Workbench {
 public:
  explicit Workbench(Console& console);
  Workbench(const Workbench&) = delete;
  Workbench& operator=(const Workbench&) = delete;

  void run();  // start-up, then edit, compile and run until "Q" stops a run

  Machine& machine() { return machine_; }
  const Machine& machine() const { return machine_; }
  Panel& panel() { return panel_; }
  Source& source() { return src_; }
  const Source& source() const { return src_; }
  const Compiler& compiler() const { return compiler_; }
  bool changed() const { return CHANGED; }
  std::uint8_t last_key() const { return CH; }

 private:
  // --- start-up, main loop and runs (workbench.cpp) ---------------------------
  void startup();
  void INIVAR();  // the workbench's own key code BSKEY (the other tables are Frames' and the layout's)
  void RUN();     // the program in memory from cell 0, and how it stopped
  void WAIT();    // the pause between two instructions of a step-by-step run

  // --- the page and its painting (page.cpp) -----------------------------------
  void PUTMARKER();  // console cursor on the editing position
  void CHANGE();     // mark the text changed: " * ", memory repainted, marks cleared
  // Keyword k of SW into PROG from (line, column) on, without its end mark.
  void COPYSW(int k, int line, int column);
  void SHOWPROG();  // all 14 lines of PROG into the window
  void INIPROG();   // the template program, marked changed and painted
  // Places from..24 of line r of text, painted from the window's place of from.
  void paint_line(const LETTER& text, int r, int from = 1);

  // --- moving the position (moves.cpp) ----------------------------------------
  void HOME();  // line 1, column 1
  void U();     // one line up
  void D();     // one line down
  void L();     // one place left, from column 1 to the end of the line above
  void RI();    // one place right, from column 24 to the start of the line below
  void TAB();   // 8 columns right, or up to column 24

  // --- changing the text (edits.cpp) ------------------------------------------
  void SYM(LETTER& text);  // insert CH at the position
  void WK(LETTER& text);   // Enter: split the line at the position
  void BS(LETTER& text);   // delete left of the position, or join the line to the one above

  // --- the key loop (editor.cpp) ----------------------------------------------
  void EDIT(LETTER& text);  // until F1, F3, a lone Escape or a comment error asks for a run
  void CLEARQUESTION();     // F5: the question, and the template on "yes"

  // --- compile driver (driver.cpp) --------------------------------------------
  void COMPILE();     // WPROG from PROG, then ANALIZ, and the outcome shown
  bool prepare();     // the pass through the comment filter into WPROG; false on a comment error
  void show_help();   // the allowed constructions over the empty lines of the template

  Console& con_;
  Frames frames_;
  Machine machine_;
  Panel panel_;
  Source src_;
  Compiler compiler_;
  int& REGIM;         // the mode: 1 editor, 2 automatic run, 3 step by step, 4 compiling (held by the machine)
  std::uint8_t& CH;   // the last key code read, shared with the comment filter (held by the compiler)
  LETTER& PROG;       // the text as the pupil typed it
  int& ROW;           // the editing position: line 1..14
  int& COL;           // the editing position: column 1..24
  std::uint8_t BSKEY = 8;  // the delete-left key
  bool CHANGED = true;     // the text changed since the last compilation
  bool ESCFLAG = false;    // the editor's last key was a lone Escape
  int SAVEROW = 1;         // the pupil's editing position, kept over a compilation and a run
  int SAVECOL = 1;
};

}  // namespace telun
