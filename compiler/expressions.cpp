// Operands, the assignment and the two sides of a comparison. An expression
// is one operand or two joined by one operator; each operand is followed by
// a symbol that the current statement must allow (the follow mode).

#include "compiler/compiler.h"
#include "compiler/messages.h"

namespace telun {

// Follow modes: 1 target of an assignment, 2 its right side, 3 the left side
// of a comparison, 4 its right side (or a FOR limit).
bool Compiler::allowed(int code, int mode) const {
  std::uint32_t set = 0;
  switch (mode) {
    case 1: set = sym::AFTER_TARGET; break;
    case 2:
      if (OPKIND == 2)
        set = sym::AFTER_IF_ASSIGNMENT;
      else if (OPKIND == 4)
        set = sym::AFTER_REPEAT_ASSIGNMENT;
      else if (OPKIND == 5 && FORHEAD)
        set = sym::AFTER_FOR_START;
      else
        set = sym::AFTER_ASSIGNMENT;
      break;
    case 3: set = sym::AFTER_LEFT_SIDE; break;
    default: set = OPKIND == 4 ? sym::AFTER_UNTIL_SIDE : sym::AFTER_RIGHT_SIDE; break;
  }
  return code > 0 && code < 32 && (set >> code & 1u) != 0;
}

void Compiler::COMPP(int& code, int mode) {
  CHKZNAK(code);
  COMPERR = code == sym::NONE;
  if (COMPERR) return;  // the caller's message stands
  COMPERR = !allowed(code, mode);
  if (mode == 1 && code == sym::ASSIGN) src_.FIX();
  COMPMSG = msg::SYNTAX_LATIN.str();
}

void Compiler::OPERAND(int& address, int& code, int mode) {
  const bool digit = CIFRA();
  COMPMSG = msg::VARIABLE_EXPECTED.str();
  if (mode == 1 && digit) {
    COMPERR = true;  // a constant cannot be assigned to
    return;
  }
  COMPERR = true;
  COMPMSG = msg::SYNTAX.str();
  if (digit) {
    CO(address, code, mode);
    COMPMSG = msg::BAD_CONSTANT.str();  // whatever went wrong in it
  } else if (VARNAM()) {
    VA(address, code, mode);
  }
}

void Compiler::CO(int& address, int& code, int mode) {
  CONSTSTR.clear();
  int count = 0;
  COMPERR = false;
  // Blanks and row ends between digits are skipped; a sixth digit is left.
  while (CIFRA() && count < 5 && !COMPERR) {
    count += 1;
    CONSTSTR.push_back(static_cast<char>(CH));
    STEPGETNEXT();
  }
  COMPERR = count == 5 && CONSTSTR > "32767";
  if (COMPERR) return;
  int value = 0;
  for (char d : CONSTSTR) value = value * 10 + (d - '0');
  constant_cell(value, address);
  if (COMPERR) return;
  src_.FIX();
  COMPP(code, mode);
}

void Compiler::VA(int& address, int& code, int mode) {
  address = VARADR[static_cast<std::size_t>(CH - 'A')];
  if (address == -1) {
    src_.FIX();  // the mark is on the letter
    COMPERR = true;
    COMPMSG = msg::UNDECLARED.str();
    return;
  }
  STEPGETNEXT();  // a variable is one letter
  if (COMPERR) return;
  COMPP(code, mode);
  if (mode == 1)
    COMPMSG = code == sym::NONE || code == sym::EQ ? msg::ASSIGN_EXPECTED.str() : msg::WRONG_CONSTRUCT.str();
}

void Compiler::PRIS(int& code) {
  OPERAND(FA3, code, 1);  // the target
  if (COMPERR) return;
  OPERAND(FA1, FKOP, 2);
  if (COMPERR) return;
  code = FKOP;
  // The terminators of a one-operand right side become codes PERECOD moves.
  if (OPKIND == 2 && FKOP == sym::ELSE) {
    FKOP = sym::SEMI;
  } else if (OPKIND == 4 && FKOP == sym::UNTIL) {
    FKOP = sym::END;
  } else if (OPKIND == 5 && FORHEAD && (FKOP == sym::TO || FKOP == sym::DOWNTO)) {
    STEPKOP = FKOP == sym::TO ? 1 : 3;
    FKOP = sym::SEMI;
    code = sym::SEMI;
  }
  FA2 = 0;
  if (sym::is_operator(FKOP)) {
    src_.FIX();
    OPERAND(FA2, code, 2);
    if (COMPERR) return;
    COMPERR = sym::is_operator(code);  // a second operator; the operand reader's message
    if (COMPERR) return;
    if (OPKIND == 5 && FORHEAD && (code == sym::TO || code == sym::DOWNTO)) {
      STEPKOP = code == sym::TO ? 1 : 3;
      code = sym::SEMI;
    }
  }
  PERECOD();
  FORMCOM();
}

void Compiler::LEFTPART(int& code) {
  OPERAND(FA1, FKOP, 3);
  if (COMPERR) return;
  FA3 = FA1;
  code = FKOP;
  if (!sym::is_operator(FKOP)) return;  // one operand: its own cell, nothing emitted
  src_.FIX();
  OPERAND(FA2, code, 3);
  COMPERR = COMPERR || !sym::is_relation(code);
  if (COMPERR) return;
  WBUSY = false;  // the left side always gets the first working cell
  MKW(FA3);
  if (COMPERR) return;
  PERECOD();
  FORMCOM();
}

void Compiler::RIGHTPART(int& code) {
  OPERAND(FA1, FKOP, 4);
  if (COMPERR) return;
  FA3 = FA1;
  code = FKOP;
  if (!sym::is_operator(FKOP)) return;
  src_.FIX();
  OPERAND(FA2, code, 4);
  if (COMPERR) return;
  if (OPKIND == 4 && sym::is_operator(code)) {
    // After UNTIL only ";" or END may follow: a further operator would be a
    // third operand. It is refused as soon as it is read, before the right
    // side takes a working cell; the mark stands on that operator.
    COMPERR = true;
    COMPMSG = msg::SYNTAX_LATIN.str();
    return;
  }
  MKW(FA3);
  if (COMPERR) return;
  PERECOD();
  FORMCOM();
}

}  // namespace telun
