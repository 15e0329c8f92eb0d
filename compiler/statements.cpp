// The structured statements. Control statements do not nest: the bodies of
// IF, WHILE, FOR and REPEAT are assignments. A jump whose target lies ahead
// is reserved as a cell and written as soon as the target is known.

#include "compiler/compiler.h"
#include "compiler/messages.h"

namespace telun {

void Compiler::BLOCK(int& code) {
  BLOCKEND = true;
  int k = 0;
  CHKSW(k, 11, 11);  // END
  if (COMPERR) return;
  if (k != 0) {
    COMPERR = true;
    COMPMSG = msg::EMPTY_BLOCK.str();
    return;
  }
  for (;;) {
    PRIS(code);
    if (COMPERR) return;
    if (OPKIND == 2 && code == sym::ELSE) {
      COMPERR = true;  // ELSE inside the block of an IF
      COMPMSG = msg::END_EXPECTED.str();
      return;
    }
    if (code == sym::END) {
      CHKEND(code);
      return;
    }
    if (OPKIND == 4 && code == sym::UNTIL) {
      code = sym::END;  // the REPEAT body is finished
      return;
    }
    if (code == sym::SEMI) {
      const int closing = OPKIND == 4 ? 17 : 11;  // UNTIL or END
      CHKSW(k, closing, closing);
      if (k == 0 && COMPERR) return;  // the text ends inside the word
      if (k == 11) {
        CHKEND(code);
        return;
      }
      if (k == 17) return;  // the REPEAT body is finished, with code 13
    }
  }
}

void Compiler::CHKEND(int& code) {
  CHKZNAK(code);
  if (OPKIND == 2 && !ELSEPART) {
    COMPERR = code != sym::SEMI && code != sym::END && code != sym::ELSE;
    if (code == sym::SEMI) code = sym::END;
    COMPMSG = msg::AFTER_THEN_BLOCK.str();
  } else {
    COMPERR = code != sym::SEMI && code != sym::END;
    COMPMSG = msg::AFTER_BLOCK.str();
    code = sym::END;
  }
}

void Compiler::branch(int& code) {
  int k = 0;
  CHKSW(k, 3, 3);  // BEGIN
  if (k == 0 && COMPERR) return;  // the text ends inside the word
  if (k != 0)
    BLOCK(code);
  else
    PRIS(code);
}

void Compiler::condition(int& code) {
  src_.FIX();
  LEFTPART(code);
  if (COMPERR) return;
  LEFTADR = FA3;
  REL = code - 13;
  src_.FIX();
  RIGHTPART(code);  // after UNTIL it refuses a further operator after two operands
  if (COMPERR) return;
  RIGHTADR = FA3;
}

void Compiler::USLOP(int& code) {
  condition(code);
  if (COMPERR) return;
  if (OPKIND == 2) {
    COMPERR = code != sym::THEN;
    COMPMSG = msg::THEN_EXPECTED.str();
  } else {
    COMPERR = code != sym::DO;
    COMPMSG = msg::DO_EXPECTED.str();
  }
  if (COMPERR) return;
  JUMPADR = LOMEM;  // one cell for <> <= >=, two for = > <
  LOMEM += REL % 2;
  INCLOMEM();
  if (COMPERR) return;

  ELSEPART = false;
  branch(code);
  if (COMPERR) return;
  if (OPKIND == 2 && code == sym::ELSE) ELSEPART = true;
  if (ELSEPART || OPKIND == 3) {
    SKIPADR = LOMEM;  // the jump over the ELSE branch, or back to the WHILE test
    INCLOMEM();
    if (COMPERR) return;
  }
  if (OPKIND == 3) {
    FKOP = 4;
    FA1 = 0;
    FA2 = 0;
    FA3 = LOOPADR;
    PACKCOM(SKIPADR);
  }
  CODPER();
  FA3 = LOMEM;  // a false condition leaves the branch (or the loop)
  PACKCOM(JUMPADR);
  COMPERR = false;
  if (!ELSEPART) return;

  BLOCKEND = false;
  branch(code);
  if (COMPERR) return;
  FKOP = 4;
  FA1 = 0;
  FA2 = 0;
  FA3 = LOMEM;
  PACKCOM(SKIPADR);
}

void Compiler::REP(int& code) {
  LOOPADR = LOMEM;
  BLOCK(code);  // the body, up to and including UNTIL
  if (COMPERR) return;
  condition(code);
  if (COMPERR) return;
  if (code == sym::END && here() != '.') {
    COMPERR = true;
    COMPMSG = msg::EXPECTED.str() + ".";
    src_.FIX();
    return;
  }
  JUMPADR = LOMEM;
  LOMEM += REL % 2;
  INCLOMEM();
  if (COMPERR) return;
  CODPER();
  FA3 = LOOPADR;  // while the condition is false, back to the body
  PACKCOM(JUMPADR);
}

bool Compiler::is_variable_cell(int cell) const {
  for (int a : VARADR)
    if (a == cell) return true;
  return false;
}

void Compiler::FO(int& code) {
  src_.FIX();
  FORHEAD = true;
  PRIS(code);  // v := e1, ended by TO or DOWNTO
  FORHEAD = false;
  if (COMPERR) return;
  const int v = FA3;

  src_.FIX();
  OPERAND(FA1, FKOP, 4);  // the limit
  if (COMPERR) return;
  FA3 = FA1;
  code = FKOP;
  const bool two_operands = sym::is_operator(FKOP);
  if (two_operands) {
    src_.FIX();
    OPERAND(FA2, code, 4);
    if (COMPERR) return;
  }
  COMPERR = code != sym::DO;  // the operand reader's message stands
  if (COMPERR) return;
  if (two_operands) {
    MKW(FA3);
    if (COMPERR) return;
    PERECOD();
    FORMCOM();
    if (COMPERR) return;
  }
  if (is_variable_cell(FA3)) {
    // A copy taken before the loop: the body cannot change the passes.
    FKOP = 0;
    FA1 = FA3;
    FA2 = 0;
    MKW(FA3);
    if (COMPERR) return;
    FORMCOM();
    if (COMPERR) return;
  }
  const int limit = FA3;
  SKIPADR = LOMEM;  // the entry test, written after the loop
  INCLOMEM();
  if (COMPERR) return;
  LOOPADR = LOMEM;

  branch(code);
  if (COMPERR) return;

  FKOP = 4;  // leave when v has reached the limit
  FA1 = v;
  FA2 = limit;
  FA3 = LOMEM + 3;
  FORMCOM();
  if (COMPERR) return;
  int one = 0;
  constant_cell(1, one);
  if (COMPERR) return;
  FKOP = STEPKOP;  // v := v + 1 or v - 1
  FA1 = v;
  FA2 = one;
  FA3 = v;
  FORMCOM();
  if (COMPERR) return;
  FKOP = 4;
  FA1 = 0;
  FA2 = 0;
  FA3 = LOOPADR;
  FORMCOM();
  if (COMPERR) return;

  FKOP = 6;  // skip the body when the start is already past the limit
  FA1 = STEPKOP == 1 ? v : limit;
  FA2 = STEPKOP == 1 ? limit : v;
  FA3 = LOMEM;
  PACKCOM(SKIPADR);
}

void Compiler::WRI(int& code) {
  CHK1SYM('(');
  if (COMPERR) {
    src_.FIX();
    return;
  }
  COMPMSG = msg::VARIABLE_LIST.str();
  std::array<int, 3> cells{};
  for (std::size_t i = 0; i < 3; ++i) {
    STEPGETNEXT();
    if (COMPERR) return;
    src_.FIX();
    if (!VARNAM()) {
      COMPERR = true;
      COMPMSG = msg::VARIABLE_LIST.str();
      return;
    }
    cells[i] = VARADR[static_cast<std::size_t>(CH - 'A')];
    if (cells[i] == -1) {
      COMPERR = true;
      COMPMSG = msg::UNDECLARED.str();
      return;
    }
    m_.OUTNAME[i] = CH;
    STEPCHK1SYM(i < 2 ? ',' : ')');
    if (COMPERR) return;
  }
  STEPCHK1SYM(';');
  if (COMPERR) return;
  STEPGETNEXT();
  if (COMPERR) return;
  int k = 0;
  CHKSW(k, 19, 19);  // HALT
  if (k == 0) {
    COMPERR = true;
    COMPMSG = msg::HALT_EXPECTED.str();
    return;
  }
  FKOP = 7;
  FA1 = cells[0];
  FA2 = cells[1];
  FA3 = cells[2];
  FORMCOM();
  if (COMPERR) return;
  CHKZNAK(code);
  COMPERR = !(code == sym::SEMI || (code == sym::END && here() == '.'));
  COMPMSG = msg::AFTER_BLOCK.str();
}

}  // namespace telun
