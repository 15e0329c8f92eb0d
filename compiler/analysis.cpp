// The whole program in one pass: heading, variable list, statements up to
// "END.", then the success lines on the machine screen.

#include "compiler/compiler.h"
#include "compiler/messages.h"

namespace telun {

Compiler::Compiler(Machine& machine, Panel& panel, Frames& frames, Source& source)
    : m_(machine), panel_(panel), fr_(frames), src_(source) {
  VARADR.fill(-1);
  CONSTADR.fill(-1);
  WCELL.fill(-1);
}

void Compiler::ANALIZ() {
  rem_place_ = 0;  // the preparation pass is over
  // Heading: PROGRAM, then anything up to and including the first ";".
  src_.ROW = 1;
  src_.COL = 1;
  int k = 0;
  GETNEXTSYM();
  if (!COMPERR) CHKSW(k, 1, 1);
  COMPERR = k == 0;
  COMPMSG = msg::PROGRAM_EXPECTED.str();
  if (COMPERR) return;
  bool semicolon = false;
  do {
    GETNEXTSYM();
    if (!COMPERR) {
      semicolon = here() == ';';
      STEP(src_.ROW, src_.COL);
    }
  } while (!semicolon && !COMPERR);
  COMPMSG = msg::SEMICOLON_EXPECTED.str();
  if (COMPERR) return;

  GETNEXTSYM();
  k = 0;
  if (!COMPERR) CHKSW(k, 2, 2);
  COMPERR = k == 0;
  COMPMSG = msg::VAR_EXPECTED.str();
  if (COMPERR) return;

  declarations();
  if (COMPERR) return;
  statements();
  if (COMPERR) return;

  Console& con = fr_.console();
  con.go_to(49, 21);
  con.write(msg::SUCCESS);
  con.end_line();
  con.go_to(50, 22);
  con.write("                ");  // 16 blanks over the symbol shown at column 60
  con.end_line();
}

void Compiler::declarations() {
  CONSTADR.fill(-1);
  WCELL.fill(-1);
  WBUSY = false;
  VARADR.fill(-1);
  HIMEM = 15;
  LOMEM = 0;

  std::uint8_t separator = ',';
  do {
    COMPMSG = msg::VARIABLE_LIST.str();
    GETNEXTSYM();
    if (COMPERR) return;
    if (!VARNAM()) {
      COMPERR = true;
      return;
    }
    const std::uint8_t letter = CH;
    STEPGETNEXT();
    if (COMPERR) return;
    separator = here();
    if (separator != ',' && separator != ':') {
      COMPERR = true;
      COMPMSG = msg::VARIABLE_LIST.str();
      return;
    }
    int& cell = VARADR[static_cast<std::size_t>(letter - 'A')];
    COMPMSG = msg::DECLARED_TWICE.str();
    COMPERR = cell != -1;
    if (COMPERR) return;
    if (!FREEMEM()) return;
    cell = HIMEM;
    Console& con = fr_.console();
    fr_.INVERSON();
    con.go_to(1, panel_.layout().row_of_cell(HIMEM));
    con.write_char(letter);
    con.end_line();
    fr_.INVERSOFF();
    HIMEM -= 1;
    COMPMSG = msg::VARIABLE_LIST.str();
    if (!STEP(src_.ROW, src_.COL)) return;
  } while (separator != ':');

  COMPMSG = msg::INTEGER_EXPECTED.str();
  GETNEXTSYM();
  if (COMPERR) return;
  int k = 0;
  CHKSW(k, 10, 10);
  if (k == 0) {
    COMPERR = true;  // the message stands: INTEGER expected, or the text ended
    return;
  }
  src_.FIX();  // the symbol after INTEGER is blamed next
  COMPMSG = msg::SEMICOLON_EXPECTED.str();
  COMPERR = here() != ';';
  if (COMPERR) return;
  STEPGETNEXT();
  if (COMPERR) return;
  COMPMSG = msg::BEGIN_EXPECTED.str();
  CHKSW(k, 3, 3);
  COMPERR = k == 0;
}

void Compiler::statements() {
  for (;;) {
    GETNEXTSYM();
    int k = 0;
    CHKSW(k, 5, 9);  // IF WHILE REPEAT FOR WRITELN
    const bool assignment = k == 0 && VARNAM();
    COMPERR = k == 0 && !assignment;
    COMPMSG = msg::VARIABLE_EXPECTED.str();
    if (COMPERR) return;
    OPKIND = k == 0 ? 1 : k - 3;
    BLOCKEND = false;
    int code = 0;
    switch (OPKIND) {
      case 1: PRIS(code); break;
      case 2: USLOP(code); break;
      case 3:
        LOOPADR = LOMEM;
        USLOP(code);
        break;
      case 4: REP(code); break;
      case 5: FO(code); break;
      default: WRI(code); break;
    }
    if (COMPERR) return;
    const bool isend = code == sym::END;
    const bool dot = here() == '.';
    COMPMSG = msg::END_WITHOUT_BEGIN.str();
    COMPERR = isend && !dot && !BLOCKEND;  // an END that closes no block
    if (COMPERR) return;
    if (isend && dot) return;  // the program is complete
    CHKSW(k, 11, 11);
    if (k == 0 && COMPERR) return;  // the text ends inside the word
    if (k != 0) {
      if (here() == '.') return;
      COMPERR = true;
      COMPMSG = msg::END_WITHOUT_BEGIN.str();
      return;
    }
  }
}

}  // namespace telun
