#pragma once
// The one-pass LIMET compiler: it reads the working copy of the page through
// the shared text position and writes instructions and constants straight
// into the machine's memory, marking each cell on the panel as it goes.
//
// There is no token stream: the routines below read the text where the
// position stands, one procedure per grammar rule. Every routine reports
// failure through COMPERR and COMPMSG and returns at once when a call it made
// left COMPERR set; the first error ends the compilation.
//
// The routines live in one file per job: scanner.cpp (reading the text),
// emit.cpp (memory allocation and code emission), expressions.cpp (operands,
// assignment, the sides of a comparison), statements.cpp (the structured
// statements) and analysis.cpp (the whole program).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "compiler/keywords.h"
#include "compiler/source.h"
#include "machine/machine.h"
#include "panel/frames.h"
#include "panel/panel.h"

namespace telun {

class Compiler {
 public:
  Compiler(Machine& machine, Panel& panel, Frames& frames, Source& source);
  Compiler(const Compiler&) = delete;
  Compiler& operator=(const Compiler&) = delete;

  // Compiles WPROG; on failure COMPERR, COMPMSG and the marked position say why.
  void ANALIZ();
  // The comment filter for the character in CH (the driver calls it for
  // every place of the page in row order, REMFLAG false at the start). It
  // counts the places itself to know when it reaches the last one.
  void REM();
  // The same for the character of place (row, col), named by the caller.
  void REM(int row, int col);

  bool COMPERR = false;  // an error has been found
  std::string COMPMSG;   // its message, cp866, at most 30 characters
  std::uint8_t CH = ' '; // the character last examined, or handed to REM
  bool REMFLAG = false;  // the filter is inside a comment

  // --- scanner (scanner.cpp) -------------------------------------------------
  // Advances (r, c) by one place; off the last place: "не найден символ".
  // Returns false when it ran off the end of the text.
  bool STEP(int& r, int& c);
  void GETNEXTSYM();   // to the nearest non-blank place, from here on
  void STEPGETNEXT();  // one STEP, then GETNEXTSYM: to the start of the next symbol
  void CHK1SYM(std::uint8_t ch);      // the character here is ch, else "ожидается ch"
  void STEPCHK1SYM(std::uint8_t ch);  // STEPGETNEXT, then CHK1SYM
  // Tries keywords first..last of SW at the position, in table order; result
  // is the number of the first that matches (consumed), 0 for none.
  void CHKSW(int& result, int first, int last);
  bool VARNAM();  // the character here is a capital A..Z (kept in CH)
  bool CIFRA();   // the character here is a digit (kept in CH)
  // Recognises an operator or separator here: its symbol code, 0 for none.
  void CHKZNAK(int& code);

  // --- memory and code emission (emit.cpp) -----------------------------------
  bool FREEMEM();   // a free cell is left, else "нет памяти"
  void INCLOMEM();  // reserve cell LOMEM for an instruction written later
  void FORMCOM();   // emit FKOP FA1 FA2 FA3 into the next instruction cell
  void PACKCOM(int address);           // write FKOP FA1 FA2 FA3 into that cell
  void POKE(int address, int value);   // write a value into a cell, highlighted
  void MKCONST(int value);             // a new constant cell at HIMEM
  // The cell of the constant value: found in the pool or made by MKCONST.
  void constant_cell(int value, int& address);
  void GETWMEM(int n);                 // take HIMEM as working cell n
  void WWW(int n, int& address);       // working cell n, taken when first needed
  void MKW(int& address);              // the working cell WBUSY names
  void PERECOD();  // symbol code in FKOP -> opcode
  void CODPER();   // the jump of a comparison, taken when it is false

  // --- expressions (expressions.cpp) -----------------------------------------
  void COMPP(int& code, int mode);  // the symbol after an operand, checked against the mode
  void CO(int& address, int& code, int mode);       // a constant operand
  void VA(int& address, int& code, int mode);       // a variable operand
  void OPERAND(int& address, int& code, int mode);  // either kind
  void PRIS(int& code);       // assignment
  void LEFTPART(int& code);   // left side of a comparison
  void RIGHTPART(int& code);  // right side of a comparison

  // --- statements (statements.cpp) -------------------------------------------
  void BLOCK(int& code);   // the assignments of BEGIN ... END, or of a REPEAT body
  void CHKEND(int& code);  // the symbol after the END of a block
  void USLOP(int& code);   // IF and WHILE ("conditional statement")
  void REP(int& code);     // REPEAT
  void FO(int& code);      // FOR
  void WRI(int& code);     // WRITELN ... HALT

  // --- state of the compilation ----------------------------------------------
  int LOMEM = 0;   // next cell for an instruction
  int HIMEM = 15;  // highest free cell
  std::array<int, 26> VARADR{};        // cell of each variable A..Z, -1 if not declared
  std::array<int, 17> CONSTADR{};      // constant pool 1..16: cells, -1 ends the list
  std::array<int, 17> CONSTVAL{};      // constant pool 1..16: values
  std::array<int, 3> WCELL{};          // working cells 1, 2; -1 until taken
  bool WBUSY = false;                  // the next working cell asked for is the second
  int FKOP = 0, FA1 = 0, FA2 = 0, FA3 = 0;  // the instruction being formed
  int OPKIND = 1;        // kind of the top-level statement: 1 :=, 2 IF, 3 WHILE, 4 REPEAT, 5 FOR, 6 WRITELN
  bool FORHEAD = false;  // the heading of a FOR is being compiled
  int STEPKOP = 1;       // opcode of the FOR step: 1 add (TO), 3 subtract (DOWNTO)
  std::string CONSTSTR;  // digits of the constant being read
  int REL = 1;           // relation of the condition: 1 =, 2 <>, 3 >, 4 <=, 5 <, 6 >=
  int LEFTADR = 0, RIGHTADR = 0;  // cells of the two compared values
  int JUMPADR = 0;       // first cell reserved for the jump of a condition
  int SKIPADR = 0;       // cell reserved for a jump written after the code behind it
  int LOOPADR = 0;       // first instruction of a loop
  bool ELSEPART = false; // the IF being compiled has reached its ELSE
  bool BLOCKEND = false; // the statement's last part was a block

  // Reads outside the page and writes outside the memory that were refused;
  // none happen, and the tests that feed the compiler random pages check it.
  int stray_accesses() const { return stray_; }

 private:
  std::uint8_t at(int r, int c);  // the character of WPROG at (r, c)
  std::uint8_t here() { return at(src_.ROW, src_.COL); }
  void mark(int cell, std::uint8_t what);  // the panel mark of a cell, inverse video
  bool is_variable_cell(int cell) const;
  bool allowed(int code, int mode) const;  // COMPP's follow-symbol test
  void declarations();  // the VAR list
  void statements();    // from after BEGIN to the final "."
  // The comparison of a condition: LEFTADR, REL and RIGHTADR, the symbol after it in code.
  void condition(int& code);
  // The body of IF, ELSE, WHILE or FOR: a BEGIN ... END block or one assignment.
  void branch(int& code);

  Machine& m_;
  Panel& panel_;
  Frames& fr_;
  Source& src_;
  int rem_place_ = 0;  // places handed to REM() in this pass
  int stray_ = 0;
};

}  // namespace telun
